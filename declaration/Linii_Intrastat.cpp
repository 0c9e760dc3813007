#include "declaration/Linii_Intrastat.h"

#include "declaration/Coloane_Intrastat.h"
#include "platform/grid/format.h"

using namespace Qt::StringLiterals;

const QString SQL_Grila_Intrastat =
    u"SELECT TIP,Cod_Fiscal,Anul,Luna,Record_ID,Cod_NC,Descriere_NC,Tara_Orig,Tara_Exp,Tara_Dest,Val_Fiscala,"
    u"Val_Stat,Net,Cod_UMS,Val_UMS,Nat_Tranz,Incoterms,Mod_Transp,Document_Numar_Referinta,"
    u"Document_Data_Referinta,Descriere,Cantitate,UM,Valoare_Valuta,Moneda,Curs_Schimb,VAT_ID,SourceFile,"
    u"Data_Preluare,UserName,Probleme,Exista_UMS FROM INTRASTAT"_s;

const QString Ordine_Grila_Intrastat = u" ORDER BY Record_ID"_s;

namespace {

const QString parteInregistrari = u"  INREGISTRARI : "_s;

} // namespace

const QList<Suma_Rotunjita>& Sume_Rotunjite()
{
    static const QList<Suma_Rotunjita> sume{{u"Val_Fiscala"_s, 0},
                                            {u"Val_Stat"_s, 0},
                                            {u"Net"_s, 0},
                                            {u"Valoare_Valuta"_s, 4},
                                            {u"Curs_Schimb"_s, 4}};
    return sume;
}

db::Variant Valoare_Pastrata(const QString& coloana, const db::Variant& valoare)
{
    if (valoare.kind() != db::Variant::Kind::Double)
        return valoare; // whole numbers are kept as they are, and what is no number too
    for (const Suma_Rotunjita& s : Sume_Rotunjite())
        if (s.coloana.compare(coloana, Qt::CaseInsensitive) == 0)
            return db::Variant(db::roundHalfEven(valoare.asDouble(), s.zecimale));
    return valoare;
}

QString Format_Camp_Grila(const QString& camp)
{
    // The fields of the grid query, in the order of its columns.
    static const QStringList campuri = [] {
        const qsizetype inceput = SQL_Grila_Intrastat.indexOf(u' ') + 1;
        const qsizetype sfarsit = SQL_Grila_Intrastat.indexOf(u" FROM "_s);
        return SQL_Grila_Intrastat.mid(inceput, sfarsit - inceput).split(u',');
    }();
    const QList<Coloana_Intrastat>& coloane = Coloane_GridIntrastat();
    for (qsizetype k = 0; k < campuri.size(); ++k)
        if (campuri.at(k).compare(camp.trimmed(), Qt::CaseInsensitive) == 0)
            return k < coloane.size() ? coloane.at(k).format : QString();
    return QString();
}

QString Sursa_Grila(const QString& interogare, const QString& filtru, const QString& conditie)
{
    return interogare + filtru + conditie + u" "_s + Ordine_Grila_Intrastat;
}

db::Result<db::Recordset> Deschide_Linii(db::Connection& firma, const QString& sursa)
{
    return firma.openRecordset(sursa, db::CursorType::Dynamic, db::LockType::Optimistic);
}

QString SQL_Totaluri(const QString& filtru, const QString& conditie)
{
    QString sql = u"SELECT SUM (Val_Fiscala), SUM(Val_Stat), SUM(Net) FROM INTRASTAT"_s + filtru;
    if (!conditie.trimmed().isEmpty())
        sql += conditie;
    return sql;
}

db::Result<Totaluri_Intrastat> Calculeaza_Totaluri_Linii(db::Connection& firma, const QString& filtru,
                                                         const QString& conditie)
{
    db::Result<db::Recordset> rs = firma.openRecordset(SQL_Totaluri(filtru, conditie),
                                                       db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    Totaluri_Intrastat t;
    if (!rs->eof()) {
        // The sums of no lines are Null: they count as 0.
        t.valFiscala = rs->value(0).toDouble();
        t.valStat = rs->value(1).toDouble();
        t.net = rs->value(2).toDouble();
    }
    rs->close();
    return t;
}

QString Text_Total(double suma)
{
    return grid::formatValue(db::Variant(suma), u"##,##0"_s, QLocale());
}

namespace {

// The display formats of the grid's columns, by column.
const QList<grid::NumberFormat>& Formate_Coloane()
{
    static const QList<grid::NumberFormat> formate = [] {
        QList<grid::NumberFormat> f;
        for (const Coloana_Intrastat& c : Coloane_GridIntrastat())
            f << grid::NumberFormat::parse(c.format);
        return f;
    }();
    return formate;
}

} // namespace

QStringList Texte_Cele_Mai_Late(const db::Recordset& linii)
{
    return grid::widestNumberTexts(linii, Formate_Coloane(), QLocale());
}

QStringList Texte_Cele_Mai_Late(const db::Recordset& linii, int linie, const QStringList& texte)
{
    return grid::widenNumberTexts(texte, linii, linie, Formate_Coloane(), QLocale());
}

QString Titlu_Intrastat(const QString& anul, const QString& luna, const QString& fisier)
{
    QString titlu = u"INTRASTAT -  ANUL: "_s + anul + u"   LUNA: "_s + luna;
    if (!fisier.isEmpty())
        titlu += u"   FISIER: "_s + fisier;
    return titlu;
}

QString Titlu_Cu_Inregistrari(const QString& titlu, int numar)
{
    const qsizetype i = titlu.indexOf(parteInregistrari);
    return (i < 0 ? titlu : titlu.left(i)) + parteInregistrari + QString::number(numar);
}
