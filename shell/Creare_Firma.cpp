#include "shell/Creare_Firma.h"

#include "common/Cod_Fiscal.h"
#include "common/Globale.h"
#include "common/Setari_Regionale.h"
#include "common/Verifica_Exista_Fisier.h"
#include "common/Verifica_Null.h"
#include "platform/sys/clock.h"
#include "platform/ui/mesaj.h"
#include "shell/Selectie_Firma.h"

#include <QCoreApplication>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

void arataEroare(const db::Error& e)
{
    ui::msgBox(u"Eroare: "_s + QString::number(e.number) + u"\r\n"_s + e.description, ui::Icon::None,
               ui::Buttons::Ok);
}

// The working company is no longer in the register (another user removed it).
void arataFirmaLipsa()
{
    arataEroare(db::Error(db::Error::Kind::NoCurrentRow, db::ErrorNumber::NoCurrentRecord,
                          u"Firma "_s + FirmaCurenta_CodFiscal + u" nu mai exista in registru."_s));
}

db::Variant taiat(const QString& text, int latime)
{
    return db::Variant(text.left(latime));
}

// The database files of every registered company.
db::Result<QStringList> fisiereInregistrate()
{
    const db::Result<db::Recordset> rs = Conexiune_Comun.openRecordset(
        u"SELECT [DataBaseFile] FROM [Firme]"_s, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    db::Recordset r = *rs;
    QStringList fisiere;
    for (r.moveFirst(); !r.eof(); r.moveNext())
        fisiere << r.value(0).toText();
    r.close();
    return fisiere;
}

// Copies the template onto the target, whole or not at all.
bool copiazaSablon(const QString& sablon, const QString& tinta)
{
    const QString temporar = tinta + u".copie"_s;
    QFile::remove(temporar);
    if (!QFile::copy(sablon, temporar))
        return false;
    QFile::remove(tinta);
    if (!QFile::rename(temporar, tinta)) {
        QFile::remove(temporar);
        return false;
    }
    return true;
}

} // namespace

QString Nume_Baza_Date_Implicit(const QString& codFiscal)
{
    static const QString scoase = u" .,!@%$/\\+-*&;:"_s;
    QString nume;
    for (const QChar c : codFiscal) {
        if (!scoase.contains(c))
            nume += c;
    }
    return nume;
}

bool Nume_Baza_Date_Acceptat(const QString& nume)
{
    if (nume.isEmpty())
        return false;
    for (const QChar c : nume) {
        const bool litera = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        const bool cifra = c >= u'0' && c <= u'9';
        if (!litera && !cifra && c != u'_' && c != u'-')
            return false;
    }
    return true;
}

QString Data_Creare_Firma()
{
    const QString separator = Separator_Data();
    return sys::Clock::today().toString(u"dd"_s + separator + u"MM"_s + separator + u"yyyy"_s);
}

bool Creeaza_Firma(const Date_Firma_Formular& d)
{
    // Every blank box reports, in this order.
    bool lipsa = Este_Null(db::Variant(d.numeBazaDeDate), u"Nume Baza De Date"_s, true);
    lipsa = Este_Null(db::Variant(d.nume), u"Nume Firma"_s, true) || lipsa;
    lipsa = Este_Null(db::Variant(d.codFiscal), u"Cod Fiscal"_s, true) || lipsa;
    if (lipsa)
        return false;
    if (!Nume_Baza_Date_Acceptat(d.numeBazaDeDate)) {
        ui::msgBox(u"Numele fisierului poate contine numai litere, cifre, \"_\" si \"-\" !"_s,
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return false;
    }

    if (db::Error e = Deschide_Conexiune_Comun()) {
        arataEroare(e);
        return false;
    }
    const db::Result<db::Recordset> dublura = Conexiune_Comun.openRecordset(
        u"SELECT Cod_Fiscal FROM [Firme] WHERE [Cod_Fiscal]=?"_s, {db::Variant(d.codFiscal)},
        db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!dublura) {
        arataEroare(dublura.error());
        return false;
    }
    if (!dublura->eof()) {
        ui::msgBox(u"Exista deja firma cu codul fiscal : "_s + d.codFiscal, ui::Icon::Critical,
                   ui::Buttons::Ok, u"EROARE"_s);
        return false;
    }
    // A code the declaration file cannot carry as its VAT number would make
    // every declaration of the company one the institute refuses.
    if (!Cod_Fiscal_Declarabil(d.codFiscal)) {
        ui::msgBox(u"CODUL FISCAL : "_s + d.codFiscal + u" NU POATE FI DECLARAT"_s + u"\r\n"_s +
                       u"Codul fiscal are numai cifre, cel mult 10, precedate sau nu de RO."_s,
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return false;
    }

    const QString fisier = d.numeBazaDeDate + u".mdb"_s;
    const QString tinta = Folder_BazaDate + fisier;

    // The working company's open database and the file of any registered
    // company are never overwritten.
    const db::Result<QStringList> folosite = fisiereInregistrate();
    if (!folosite) {
        arataEroare(folosite.error());
        return false;
    }
    if ((!Cale_Firma.isEmpty() && tinta.compare(Cale_Firma, Qt::CaseInsensitive) == 0) ||
        folosite->contains(fisier, Qt::CaseInsensitive)) {
        ui::msgBox(u"Fisierul :"_s + tinta + u" APARTINE ALTEI FIRME. ALEGETI ALT NUME DE FISIER !"_s,
                   ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return false;
    }

    if (Exista_Fisier(tinta)) {
        const ui::Answer raspuns =
            ui::msgBox(u"Fisierul :"_s + tinta + u" EXISTA DEJA. RESCRIETI SI PIERDETI DATELE AFERENTE ?"_s +
                           u"\r\n"_s + u"RASPUNDETI"_s,
                       ui::Icon::Question, ui::Buttons::YesNo);
        if (raspuns != ui::Answer::Yes)
            return false;
    }

    const QString sablon = Folder_BazaDate + u"goala.mdb"_s;
    if (!Exista_Fisier(sablon)) {
        ui::msgBox(u"Fisierul :"_s + sablon + u" NU EXISTA."_s + u"\r\n"_s + u"EROARE MAJORA"_s,
                   ui::Icon::None, ui::Buttons::Ok);
        return false;
    }

    QCoreApplication::processEvents();
    const bool copiat = copiazaSablon(sablon, tinta);
    QCoreApplication::processEvents();
    if (!copiat || !Exista_Fisier(tinta)) {
        ui::msgBox(u" EROARE LA COPIERE "_s, ui::Icon::None, ui::Buttons::Ok);
        return false;
    }

    const QVector<db::Variant> valori{taiat(d.codFiscal, 30),
                                      taiat(d.nume, 150),
                                      taiat(d.adresa, 80),
                                      taiat(d.oras, 80),
                                      taiat(d.judet, 50),
                                      taiat(d.codPostal, 30),
                                      taiat(d.tara, 50),
                                      taiat(d.telefon, 30),
                                      taiat(d.fax, 30),
                                      taiat(d.persoanaContact, 50),
                                      taiat(d.regComert, 50),
                                      taiat(d.banca, 50),
                                      taiat(d.contBancar, 50),
                                      taiat(d.email, 80),
                                      taiat(d.observatii, 50),
                                      db::Variant(fisier),
                                      db::Variant(0),
                                      taiat(d.functie, 100),
                                      taiat(d.persoanaIntrastat, 100),
                                      db::Variant(Data_Creare_Firma()),
                                      db::Variant(d.valoareStatistica ? -1 : 0)};
    const db::Result<qint64> scris = Conexiune_Comun.execute(
        u"INSERT INTO [Firme] ([Cod_Fiscal], [Nume_Firma], [Adresa_Firma], [Oras_Firma], [Judet_Firma], "
        "[CodPostal_Firma], [Tara_Firma], [Tel_Firma], [Fax_Firma], [Persoana_Contact], [Reg_No_Firma], "
        "[Bank_Firma], [Accont_No_Firma], [Email_Firma], [Observatii], [DataBaseFile], [MultiFirma], "
        "[Functie_1], [Persoana_Intrastat], [CreataLaData], [ValoareStatistica]) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17, ?18, ?19, ?20, ?21)"_s,
        valori);
    if (!scris) {
        arataEroare(scris.error());
        return false;
    }

    ui::msgBox(u"FIRMA A FOST CREATA"_s, ui::Icon::Information, ui::Buttons::Ok, u"MESAJ"_s);
    return true;
}

std::optional<Date_Firma_Formular> Citeste_Firma_Curenta()
{
    if (db::Error e = Deschide_Conexiune_Comun()) {
        arataEroare(e);
        return std::nullopt;
    }
    const db::Result<db::Recordset> rs = Conexiune_Comun.openRecordset(
        u"SELECT Cod_Fiscal, Nume_Firma, Adresa_Firma, Oras_Firma,Judet_Firma, CodPostal_Firma, Tara_Firma, "
        "Tel_Firma, Fax_Firma, Persoana_Contact, Reg_No_Firma, Bank_Firma, Accont_No_Firma, Email_Firma, "
        "Observatii, Firma_Cod_SIRUTA,Firma_Forma_Juridica,Firma_Forma_Juridica_Cod,Firma_Forma_Propr,"
        "Firma_Forma_Propr_Cod,Firma_Activitate_Principala,Firma_Cod_CAEN,Persoana_Intrastat, Nume_1, "
        "Functie_1, "
        "Nume_2, Functie_2,ValoareStatistica FROM [Firme] WHERE [Cod_Fiscal]=?"_s,
        {db::Variant(FirmaCurenta_CodFiscal)}, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs) {
        arataEroare(rs.error());
        return std::nullopt;
    }
    const db::Recordset& r = *rs;
    if (r.eof()) {
        arataFirmaLipsa();
        return std::nullopt;
    }
    Date_Firma_Formular d;
    auto t = [&r](const char16_t* coloana) { return r.value(QString::fromUtf16(coloana)).toText(); };
    d.codFiscal = t(u"Cod_Fiscal");
    d.nume = t(u"Nume_Firma");
    d.adresa = t(u"Adresa_Firma");
    d.judet = t(u"Judet_Firma");
    d.oras = t(u"Oras_Firma");
    d.codPostal = t(u"CodPostal_Firma");
    d.tara = t(u"Tara_Firma");
    d.telefon = t(u"Tel_Firma");
    d.fax = t(u"Fax_Firma");
    d.persoanaContact = t(u"Persoana_Contact");
    d.regComert = t(u"Reg_No_Firma");
    d.banca = t(u"Bank_Firma");
    d.contBancar = t(u"Accont_No_Firma");
    d.email = t(u"Email_Firma");
    d.observatii = t(u"Observatii");
    d.persoanaIntrastat = t(u"Persoana_Intrastat");
    d.functie = t(u"Functie_1");
    d.valoareStatistica = r.value(u"ValoareStatistica"_s).toBool();
    return d;
}

bool Salveaza_Firma_Curenta(const Date_Firma_Formular& d)
{
    if (db::Error e = Deschide_Conexiune_Comun()) {
        arataEroare(e);
        return false;
    }
    // The row is written through an updatable record set, which checks
    // every value against its column as the database would.
    db::Result<db::Recordset> rs = Conexiune_Comun.openRecordset(
        u"SELECT Cod_Fiscal, Nume_Firma, Adresa_Firma, Oras_Firma, Judet_Firma, CodPostal_Firma, Tara_Firma, "
        "Tel_Firma, Fax_Firma, Persoana_Contact, Reg_No_Firma, Bank_Firma, Accont_No_Firma, Email_Firma, "
        "Observatii, Persoana_Intrastat, Functie_1, ValoareStatistica FROM [Firme] WHERE [Cod_Fiscal]=?"_s,
        {db::Variant(FirmaCurenta_CodFiscal)}, db::CursorType::Static, db::LockType::Optimistic);
    if (!rs) {
        arataEroare(rs.error());
        return false;
    }
    db::Recordset r = *rs;
    if (r.eof()) {
        arataFirmaLipsa();
        return false;
    }
    const QList<std::pair<QString, db::Variant>> valori{
        {u"Nume_Firma"_s, db::Variant(d.nume)},
        {u"Adresa_Firma"_s, db::Variant(d.adresa)},
        {u"Judet_Firma"_s, db::Variant(d.judet)},
        {u"Oras_Firma"_s, db::Variant(d.oras)},
        {u"CodPostal_Firma"_s, db::Variant(d.codPostal)},
        {u"Tara_Firma"_s, db::Variant(d.tara)},
        {u"Tel_Firma"_s, db::Variant(d.telefon)},
        {u"Fax_Firma"_s, db::Variant(d.fax)},
        {u"Persoana_Contact"_s, db::Variant(d.persoanaContact)},
        {u"Reg_No_Firma"_s, db::Variant(d.regComert)},
        {u"Bank_Firma"_s, db::Variant(d.banca)},
        {u"Accont_No_Firma"_s, db::Variant(d.contBancar)},
        {u"Email_Firma"_s, db::Variant(d.email)},
        {u"Observatii"_s, db::Variant(d.observatii)},
        {u"Persoana_Intrastat"_s, db::Variant(d.persoanaIntrastat)},
        {u"Functie_1"_s, db::Variant(d.functie)},
        {u"ValoareStatistica"_s, db::Variant(d.valoareStatistica)}};
    for (const auto& [coloana, valoare] : valori) {
        if (db::Error e = r.setValue(coloana, valoare)) {
            r.cancelUpdate();
            r.close();
            arataEroare(e);
            return false;
        }
    }
    if (db::Error e = r.update()) {
        r.cancelUpdate();
        r.close();
        arataEroare(e);
        return false;
    }
    r.close();

    const QString x = u"x"_s;
    auto implicit = [](const QString& v, const QString& def) { return v.isEmpty() ? def : v; };
    FirmaCurenta_Nume = implicit(d.nume, x);
    FirmaCurenta_Adresa = implicit(d.adresa, x);
    FirmaCurenta_Oras = implicit(d.oras, x);
    FirmaCurenta_Judet = implicit(d.judet, x);
    FirmaCurenta_CodPostal = implicit(d.codPostal, x);
    FirmaCurenta_Tara = implicit(d.tara, x);
    FirmaCurenta_Tel = implicit(d.telefon, x);
    FirmaCurenta_Fax = implicit(d.fax, x);
    FirmaCurenta_RegCom = implicit(d.regComert, x);
    FirmaCurenta_Banca = implicit(d.banca, x);
    FirmaCurenta_Cont = implicit(d.contBancar, x);
    FirmaCurenta_PersoanaIntrastat = implicit(d.persoanaIntrastat, u"X X"_s);
    FirmaCurenta_Functie = implicit(d.functie, u"Director"_s);
    FirmaCurenta_Email = implicit(d.email, Email_Implicit_Firma());
    FirmaCurenta_ValoareStatistica = d.valoareStatistica;

    ui::msgBox(u"Actualizare Terminata"_s, ui::Icon::Information, ui::Buttons::Ok);
    return true;
}
