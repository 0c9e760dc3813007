#include "shell/Selectie_Firma.h"

#include "common/Globale.h"
#include "common/Module_UserName.h"
#include "common/Tratare_Erori.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null.h"
#include "platform/ui/mesaj.h"
#include "shell/ComunLink.h"

using namespace Qt::StringLiterals;

namespace {

QString text(const db::Recordset& rand, const QString& coloana, const QString& implicit)
{
    return Null_La_Valoare(rand.value(coloana), db::Variant(implicit)).toText();
}

void arataEroare(const db::Error& eroare)
{
    Arata_Eroare_Baza(eroare, std::nullopt);
}

} // namespace

Delte_Zona_Lucru Calculeaza_Delte(int inaltime, int latime)
{
    if (inaltime < 9201)
        return {0, 0};
    return {inaltime - 9000, latime - 12000};
}

QString Email_Implicit_Firma()
{
    return u"office@firma.ro"_s;
}

Date_Firma_Curenta Date_Firma_Din_Rand(const db::Recordset& r)
{
    const QString x = u"x"_s;
    Date_Firma_Curenta d;
    d.codFiscal = r.value(u"Cod_Fiscal"_s).toText();
    d.nume = text(r, u"Nume_Firma"_s, x);
    d.adresa = text(r, u"Adresa_Firma"_s, x);
    d.oras = text(r, u"Oras_Firma"_s, x);
    d.judet = text(r, u"Judet_Firma"_s, x);
    d.codPostal = text(r, u"CodPostal_Firma"_s, x);
    d.tara = text(r, u"Tara_Firma"_s, x);
    d.tel = text(r, u"Tel_Firma"_s, x);
    d.fax = text(r, u"Fax_Firma"_s, x);
    d.regCom = text(r, u"Reg_No_Firma"_s, x);
    d.banca = text(r, u"Bank_Firma"_s, x);
    d.cont = text(r, u"Accont_No_Firma"_s, x);
    d.valoareStatistica = Null_La_Valoare(r.value(u"ValoareStatistica"_s), db::Variant(false)).toBool();
    d.persoanaIntrastat = text(r, u"Persoana_Intrastat"_s, u"X X"_s);
    d.functie = text(r, u"Functie_1"_s, u"Director"_s);
    d.email = text(r, u"Email_Firma"_s, Email_Implicit_Firma());
    return d;
}

void Aplica_Firma_Curenta(const Date_Firma_Curenta& d)
{
    FirmaCurenta_CodFiscal = d.codFiscal;
    FirmaCurenta_Nume = d.nume;
    FirmaCurenta_Adresa = d.adresa;
    FirmaCurenta_Oras = d.oras;
    FirmaCurenta_Judet = d.judet;
    FirmaCurenta_CodPostal = d.codPostal;
    FirmaCurenta_Tara = d.tara;
    FirmaCurenta_Tel = d.tel;
    FirmaCurenta_Fax = d.fax;
    FirmaCurenta_RegCom = d.regCom;
    FirmaCurenta_Banca = d.banca;
    FirmaCurenta_Cont = d.cont;
    FirmaCurenta_ValoareStatistica = d.valoareStatistica;
    FirmaCurenta_PersoanaIntrastat = d.persoanaIntrastat;
    FirmaCurenta_Functie = d.functie;
    FirmaCurenta_Email = d.email;
}

db::Error Deschide_Conexiune_Comun()
{
    if (Conexiune_Comun.isOpen())
        return {};
    db::Connection conexiune;
    if (db::Error e = conexiune.open(Cale_Comun))
        return e;
    Conexiune_Comun = conexiune;
    return {};
}

db::Result<QList<Firma_Din_Lista>> Lista_Firme()
{
    if (db::Error e = Deschide_Conexiune_Comun())
        return e;
    const db::Result<db::Recordset> rs = Conexiune_Comun.openRecordset(
        u"SELECT [Nume_firma], [Cod_Fiscal],[DataBaseFile], [Adresa_Firma], [Oras_Firma], [CodPostal_Firma], "
        "[Tara_Firma], [Tel_Firma], [Fax_Firma], [Reg_No_Firma], [ValoareStatistica] "
        "FROM Firme WHERE Cod_Fiscal <> '0' ORDER BY [Nume_firma]"_s,
        db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    db::Recordset r = *rs;
    QList<Firma_Din_Lista> firme;
    for (r.moveFirst(); !r.eof(); r.moveNext())
        firme.append({r.value(0).toText(), r.value(1).toText(), r.value(2).toText()});
    r.close();
    return firme;
}

Rezultat_Selectie Deschide_Firma(const QString& textLista, const QString& fisier, const QString& codFiscal)
{
    const QString eticheta = u"Nume firma"_s;
    if (Este_Null(db::Variant(textLista), eticheta, true) || Este_Null(db::Variant(fisier), eticheta, true) ||
        Este_Null(db::Variant(codFiscal), eticheta, true))
        return Rezultat_Selectie::Oprita;

    const QString cale = Folder_BazaDate + fisier;
    if (!Exista_Fisier(cale)) {
        ui::msgBox(u"EROARE MAJORA, NU EXISTA FISIERUL : "_s + u"\r\n"_s + cale, ui::Icon::None,
                   ui::Buttons::Ok);
        return Rezultat_Selectie::Oprita;
    }

    const QString utilizator = Citeste_Nume_Utilizator();
    Utilizator_Windows = Este_Null(db::Variant(utilizator)) ? u"N/A"_s : utilizator;

    db::Connection firma;
    if (db::Error e = firma.open(cale)) {
        arataEroare(e);
        return Rezultat_Selectie::Esuata;
    }
    if (db::Error e = Deschide_Conexiune_Comun()) {
        firma.close();
        arataEroare(e);
        return Rezultat_Selectie::Esuata;
    }
    const db::Result<db::Recordset> rand = Conexiune_Comun.openRecordset(
        u"SELECT * FROM [Firme] WHERE [Cod_Fiscal]=?"_s, {db::Variant(codFiscal)},
        db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rand) {
        firma.close();
        arataEroare(rand.error());
        return Rezultat_Selectie::Esuata;
    }

    // The new company takes over: the old connection goes first.
    Conexiune_Firma.close();
    Conexiune_Firma = firma;
    Cale_Firma = cale;
    if (!rand->eof())
        Aplica_Firma_Curenta(Date_Firma_Din_Rand(*rand));

    if (Creare_Link_Firme()) {
        // The link was written through a connection of its own: open the
        // company again so that its connection resolves the new link.
        db::Connection redeschisa;
        if (db::Error e = redeschisa.open(cale)) {
            arataEroare(e);
            return Rezultat_Selectie::Esuata;
        }
        Conexiune_Firma.close();
        Conexiune_Firma = redeschisa;
    }
    return Rezultat_Selectie::Deschisa;
}
