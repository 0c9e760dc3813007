#include "declaration/Editare_Intrastat.h"

#include "codelists/Cautare_Tabele.h"
#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "declaration/Linii_Intrastat.h"

#include <QFile>
#include <QStringList>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

std::optional<double> Numar(const db::Variant& v)
{
    if (Este_Null(v))
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

Cautare_Coloana cautare(int coloana, const QString& interogare, const QString& conditie, const QString& lista,
                        const QStringList& titluri, QList<QPair<int, int>> perechi = {})
{
    Cautare_Coloana c;
    c.coloana = coloana;
    c.interogare = interogare;
    c.conditie = conditie;
    c.lista = lista;
    c.titluri = titluri;
    c.perechi = perechi.isEmpty() ? QList<QPair<int, int>>{{coloana, 0}} : perechi;
    return c;
}

QList<Cautare_Coloana> tabelCautari()
{
    const QString tari = u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari]"_s;
    const QString conditieTari = u" WHERE [Tara_COD]='"_s;
    const QString listaTari = u"SELECT [Tara_COD] ,[Tara_DESC] FROM [Tari] ORDER BY [Tara_COD]"_s;
    // The captions of the code-list windows and of the tariff browser.
    const QStringList titluriTari{u"COD"_s, u"DESCRIERE TARA"_s};
    const QStringList titluri{u"COD"_s, u"DESCRIERE"_s};
    Cautare_Coloana tarif = cautare(
        Coloana_Cod_NC, u"SELECT * FROM HS8"_s, u" WHERE [HS8_COD]='"_s, u"SELECT * FROM HS8"_s,
        {u"COD 8"_s, u"DESCRIERE"_s, u"UM SUPL"_s, u"EXISTA UM SUPL"_s}, {{5, 0}, {13, 2}, {6, 1}, {31, 3}});
    tarif.peTarif = true;
    return {tarif,
            cautare(7, tari, conditieTari, listaTari, titluriTari),
            cautare(8, tari, conditieTari, listaTari, titluriTari),
            cautare(9, tari, conditieTari, listaTari, titluriTari),
            cautare(Coloana_Cod_UMS, u"SELECT [UM_COD] ,[UM_DESC] FROM [UM]"_s, u" WHERE [UM_COD]='"_s,
                    u"SELECT [UM_COD] ,[UM_DESC] FROM [UM] ORDER BY [UM_COD]"_s, titluri),
            cautare(15, u"SELECT COD, TR_DESC FROM Tranzactii_Unit"_s, u" WHERE COD ='"_s,
                    u"SELECT COD, TR_DESC FROM Tranzactii_Unit ORDER BY [COD]"_s, titluri),
            cautare(16, u"SELECT [Incoterms_COD],[Incoterms_DESC] FROM [Incoterms]"_s,
                    u" WHERE [Incoterms_COD]='"_s,
                    u"SELECT [Incoterms_COD],[Incoterms_DESC] FROM [Incoterms] ORDER BY [Incoterms_COD]"_s,
                    titluri),
            cautare(17, u"SELECT [COD_MOD_TRANS],[DESC_MOD_TRANS] FROM [MOD_TRANS]"_s,
                    u" WHERE [COD_MOD_TRANS]='"_s,
                    u"SELECT [COD_MOD_TRANS],[DESC_MOD_TRANS] FROM [MOD_TRANS] ORDER BY [COD_MOD_TRANS]"_s,
                    titluri)};
}

// The fields of the built-in grid query, in order.
QStringList Campuri_Grila()
{
    const QString s = SQL_Grila_Intrastat;
    const qsizetype de = s.indexOf(u' ') + 1;
    return s.mid(de, s.indexOf(u" FROM "_s) - de).split(u',');
}

db::Error Verifica_Campuri(const db::Recordset& rs, const QString& fisier)
{
    const QStringList campuri = Campuri_Grila();
    bool bune = rs.fieldCount() >= campuri.size();
    for (int i = 0; bune && i < campuri.size(); ++i)
        bune = rs.field(i).name.compare(campuri.at(i), Qt::CaseInsensitive) == 0;
    if (bune)
        return db::Error();
    return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::InvalidArgument,
                     u"Interogarea din fisierul "_s + fisier + u" nu are coloanele grilei in ordinea lor"_s);
}

} // namespace

std::optional<Valori_Lei> Recalculeaza_Valori(const db::Variant& valoareValuta, const db::Variant& curs,
                                              const db::Variant& valFiscala, const db::Variant& valStat)
{
    const std::optional<double> vv = Numar(valoareValuta);
    const std::optional<double> cs = Numar(curs);
    if (!vv || !cs)
        return std::nullopt;
    const std::optional<double> vf = Numar(valFiscala);
    const std::optional<double> vs = Numar(valStat);
    const double r = vs && vf && *vf != 0 ? *vs / *vf : 1.0;
    const double produs = *vv * *cs;
    return Valori_Lei{db::roundHalfEven(produs, 0), db::roundHalfEven(produs * r, 0)};
}

const Cautare_Coloana* Cautare_Pentru_Coloana(int coloana)
{
    static const QList<Cautare_Coloana> tabel = tabelCautari();
    for (const Cautare_Coloana& c : tabel) {
        if (c.coloana == coloana)
            return &c;
    }
    return nullptr;
}

void Pregateste_Cautare(const Cautare_Coloana& cautare, const QString& valoare, grid::CallingGrid* grila,
                        bool cuConditie)
{
    Cerere_Cautare_Tabele& c = Parametri_Cautare_Tabele;
    c.Cautare_ValoareTastata = valoare;
    c.Cautare_SQL =
        cuConditie ? Interogare_Cautare(cautare.interogare, cautare.conditie, valoare) : cautare.lista;
    c.Cautare_PeTarif = cautare.peTarif;
    c.Cautare_PeFirma = false;
    c.Cautare_Suprascrie = true;
    c.Cautare_GridApelant = grila;
    c.Cautare_NrColoane = static_cast<std::uint8_t>(cautare.perechi.size());
    for (int k = 1; k <= cautare.perechi.size(); ++k) {
        c.Cautare_ColoaneDestinatie[k] = cautare.perechi.at(k - 1).first;
        c.Cautare_ColoaneSursa[k] = cautare.perechi.at(k - 1).second;
    }
}

const QList<int>& Coloane_Obligatorii()
{
    // Record_ID is not among them: the database gives it to a new line.
    static const QList<int> coloane{0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16, 17};
    return coloane;
}

QString Ordine_Dupa_Coloana(const QString& campDate)
{
    const QString camp = campDate.startsWith(u'[') ? campDate : u'[' + campDate + u']';
    return camp + u","_s + u"[Pozitia]"_s.toUpper();
}

QString Fisier_Interogare_Grila()
{
    return Folder_Sistem + u"SQL/Intrastat.txt"_s;
}

Linii_Sortate Deschide_Linii_Sortate(db::Connection& firma, const QString& fisier, const QString& filtru,
                                     const QString& ordine)
{
    const auto deschide = [&](const QString& interogare) {
        return Deschide_Linii(firma, interogare + filtru + u" ORDER BY "_s + ordine);
    };
    Linii_Sortate s;
    if (QFile::exists(fisier)) {
        QFile f(fisier);
        if (!f.open(QIODevice::ReadOnly)) {
            s.eroareFisier = db::Error(db::Error::Kind::Io, db::ErrorNumber::General,
                                       u"Fisierul "_s + fisier + u" nu poate fi citit: "_s + f.errorString());
        } else {
            s.interogare = QString::fromUtf8(f.readLine()).trimmed();
            s.linii = deschide(s.interogare);
            if (!s.linii) {
                s.eroareFisier = s.linii.error();
                s.eroareFisier.description = u"Interogarea din fisierul "_s + fisier +
                                             u" nu poate fi deschisa: "_s + s.eroareFisier.description;
            } else if (const db::Error e = Verifica_Campuri(*s.linii, fisier))
                s.eroareFisier = e;
            if (!s.eroareFisier)
                return s;
            if (s.linii)
                s.linii->close();
        }
    }
    s.interogare = SQL_Grila_Intrastat;
    s.linii = deschide(s.interogare);
    return s;
}
