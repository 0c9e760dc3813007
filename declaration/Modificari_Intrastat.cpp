#include "declaration/Modificari_Intrastat.h"

#include "declaration/Linii_Intrastat.h"
#include "platform/grid/format.h"

#include <QDate>
#include <QLocale>
#include <cmath>
#include <optional>

using namespace Qt::StringLiterals;

const QString SQL_Semne_Cautare = u"SELECT * FROM Semne_Cautare_Selectie"_s;

namespace {

const QString placeholder = u"Valoare"_s;

db::Error refuz(const QString& mesaj)
{
    return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::TypeMismatch, mesaj);
}

// A number as typed for the column, read as a cell of the grid's column
// reads it: the forms the grid shows ("1.234,50", a whole amount as
// "10.000.000") and those the import reads ("1234,5", "48.5").
std::optional<double> Numar(const QString& text, const QString& coloana)
{
    constexpr int adDouble = 5;
    const db::Variant v = grid::parseEditText(text.trimmed(), adDouble, QLocale(),
                                              grid::NumberFormat::parse(Format_Camp_Grila(coloana)));
    if (v.isNull() || v.isText())
        return std::nullopt;
    const double d = v.toDouble();
    if (!std::isfinite(d))
        return std::nullopt;
    return d;
}

// A date as typed: ISO, the user's short form, or day first.
std::optional<QDate> Data(const QString& text)
{
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid())
        d = QLocale().toDate(t, QLocale::ShortFormat);
    for (const QString& forma : {u"d.M.yyyy"_s, u"d/M/yyyy"_s, u"d-M-yyyy"_s}) {
        if (!d.isValid())
            d = QDate::fromString(t, forma);
    }
    if (!d.isValid())
        return std::nullopt;
    return d;
}

const QString nuNumar = u"Valoarea introdusa nu este un numar"_s;
const QString nuData = u"Valoarea introdusa nu este o data calendaristica"_s;

} // namespace

QString Fel_Coloana(int tipAdo)
{
    if (tipAdo <= 6)
        return u"N"_s;
    if (tipAdo == 7)
        return u"D"_s;
    if (tipAdo == 11)
        return u"B"_s;
    if (tipAdo >= 20)
        return u"T"_s;
    return QString();
}

db::Result<db::Recordset> Lista_Coloane(const db::Recordset& linii)
{
    db::Recordset lista = db::Recordset::createInMemory();
    db::Error e = lista.appendField(u"Nume_Coloana"_s, db::Type::VarWChar, 200);
    if (!e)
        e = lista.appendField(u"Tip"_s, db::Type::VarWChar, 2);
    if (!e)
        e = lista.open();
    for (int i = 0; !e && linii.isOpen() && i < linii.fieldCount(); ++i) {
        e = lista.addNew();
        if (!e)
            e = lista.setValue(0, linii.field(i).name);
        if (!e)
            e = lista.setValue(1, Fel_Coloana(linii.field(i).type));
        if (!e)
            e = lista.update();
    }
    if (e)
        return e;
    lista.moveFirst();
    return lista;
}

QString SQL_Semne_Fel(const QString& fel)
{
    return SQL_Semne_Cautare + u" WHERE SeAplicaLa='"_s + db::quote(fel) + u"'"_s;
}

QString Conditie_Selectie(const QString& coloana, const QString& semn, const QString& valoare)
{
    if (semn.contains(u"NULL"_s, Qt::CaseInsensitive)) {
        if (semn == u"IS NOT NULL")
            return u" AND ["_s + coloana + u"] <> \" \""_s;
        if (semn == u"IS NULL")
            return u" AND (["_s + coloana + u"] IS NULL OR ["_s + coloana + u"]=\"\")"_s;
        return QString();
    }
    return u" AND ["_s + coloana + u"] "_s + QString(semn).replace(placeholder, valoare);
}

db::Result<QString> Conditie_Verificata(const QString& coloana, const QString& fel, const QString& semn,
                                        const QString& valoare)
{
    QString v = valoare;
    if (!semn.contains(u"NULL"_s, Qt::CaseInsensitive) && semn.contains(placeholder)) {
        if (fel == u"N") {
            const std::optional<double> n = Numar(valoare, coloana);
            if (!n)
                return refuz(nuNumar);
            v = db::Variant::numberText(*n);
        } else if (fel == u"D") {
            const std::optional<QDate> d = Data(valoare);
            if (!d)
                return refuz(nuData);
            v = d->toString(Qt::ISODate);
        } else {
            v = db::quote(valoare);
        }
    }
    return Conditie_Selectie(coloana, semn, v);
}

db::Result<QString> Valoare_Actualizare(const QString& fel, const QString& valoare, int latime,
                                        const QString& coloana)
{
    if (fel == u"N") {
        const std::optional<double> n = Numar(valoare, coloana);
        if (!n)
            return refuz(nuNumar);
        // Kept as the column keeps it, rounded as the import and the grid round it.
        return db::Variant::numberText(Valoare_Pastrata(coloana, db::Variant(*n)).toDouble());
    }
    if (fel == u"D") {
        const std::optional<QDate> d = Data(valoare);
        if (!d)
            return refuz(nuData);
        return QString(u'#' + d->toString(Qt::ISODate) + u'#');
    }
    if (fel == u"B") {
        const QString t = valoare.trimmed().toUpper();
        if (t == u"TRUE" || t == u"YES" || t == u"DA")
            return u"-1"_s;
        if (t == u"FALSE" || t == u"NO" || t == u"NU")
            return u"0"_s;
        const std::optional<double> n = Numar(valoare, coloana);
        if (!n)
            return refuz(u"Valoarea introdusa nu este Da sau Nu"_s);
        return *n != 0 ? u"-1"_s : u"0"_s;
    }
    if (latime > 0 && valoare.size() > latime)
        return refuz(u"Textul depaseste lungimea admisa a coloanei"_s);
    return db::quoted(valoare);
}

QString Clauza_Linii_Declaratie(const QString& clauzaDeclaratie, const QString& filtru)
{
    QString corp = filtru.trimmed();
    if (corp.isEmpty() || corp.compare(clauzaDeclaratie.trimmed(), Qt::CaseInsensitive) == 0)
        return clauzaDeclaratie;
    if (corp.startsWith(u"WHERE "_s, Qt::CaseInsensitive))
        corp = corp.mid(6).trimmed();
    return clauzaDeclaratie + u" AND ("_s + corp + u")"_s;
}

db::Result<QString> Comanda_Actualizare(const QString& coloana, const QString& fel, const QString& valoare,
                                        int latime, const QString& clauza, const QString& conditie)
{
    const db::Result<QString> v = Valoare_Actualizare(fel, valoare, latime, coloana);
    if (!v)
        return v.error();
    return QString(u"UPDATE INTRASTAT"_s + u" SET ["_s + coloana + u"]="_s + *v + clauza + conditie);
}

db::Result<qint64> Actualizeaza_Linii(db::Connection& firma, const QString& sql)
{
    db::Transaction tranzactie(firma);
    if (tranzactie.error())
        return tranzactie.error();
    const db::Result<qint64> n = firma.execute(sql);
    if (!n)
        return n.error();
    if (const db::Error e = tranzactie.commit())
        return e;
    return *n;
}

QString Filtru_Selectie(const QString& filtru, const QString& conditie)
{
    const QString c = conditie.trimmed();
    if (!filtru.trimmed().isEmpty() || c.isEmpty())
        return filtru + conditie;
    // A condition starts with AND: without a filter it is the WHERE clause.
    return u" WHERE "_s + (c.startsWith(u"AND "_s, Qt::CaseInsensitive) ? c.mid(4) : c);
}
