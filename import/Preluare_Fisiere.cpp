#include "import/Preluare_Fisiere.h"

#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "import/Machete.h"
#include "import/Valori_Preluare.h"
#include "platform/excel/reader.h"
#include "platform/ui/mesaj.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// The sheet as a table: "[<sheet>$]", or between backquotes (a backquote
// doubled) when the name holds the "]" that brackets cannot hold.
QString tabelFoaie(const QString& foaie)
{
    if (!foaie.contains(u']'))
        return u"["_s + foaie + u"$]"_s;
    return u"`"_s + QString(foaie).replace(u'`', u"``"_s) + u"$`"_s;
}

db::Error eroare(const QString& text)
{
    return db::Error(db::Error::Kind::InvalidArgument, db::ErrorNumber::InvalidArgument, text,
                     u"Quorvel.Preluare_Fisiere"_s);
}

// Blank as the template's values are tested: Null, Empty, "" or " ".
bool gol(const db::Variant& v)
{
    return Este_Null(v, u"e"_s, false);
}

// A name that can stand bare in the statement as the alias of an item.
bool numeSimplu(const QString& nume)
{
    static const QRegularExpression simplu(u"^[A-Za-z_][A-Za-z0-9_]*$"_s);
    return simplu.match(nume).hasMatch();
}

// The template row as the user knows it, for the messages.
QString numeRand(const db::Recordset& rand, const QString& macheta)
{
    const QString descriere = rand.value(u"Dest_ColumnDescription"_s).toText();
    const QString coloana = rand.value(u"Dest_ColumnName"_s).toText();
    return u"Randul \"%1\" (%2) al machetei \"%3\""_s.arg(descriere.isEmpty() ? coloana : descriere, coloana,
                                                          macheta);
}

// One item of the statement for one template row; "" when the row gives none.
// A default is written as a value of its destination column's kind, so that
// no default can change the statement. The sheet column read goes to `citite`.
db::Result<QString> element(const db::Recordset& rand, const QStringList& campuri,
                            const QHash<QString, db::Field>& intrastat, const QString& macheta,
                            QStringList& citite)
{
    const bool dinFoaie = rand.value(u"Exista_Coloana"_s).toBool();
    const db::Variant marime = rand.value(u"Marime_Maxima"_s);
    const db::Variant implicit = rand.value(u"Valoare_Implicita"_s);
    const QString d = rand.value(u"Dest_ColumnName"_s).toText();
    const bool areMarime = !gol(marime);
    const bool areImplicit = !gol(implicit);
    if (!dinFoaie && !areImplicit)
        return QString();
    if (!numeSimplu(d))
        return eroare(numeRand(rand, macheta) + u" : coloana destinatie nu are un nume valid."_s);
    const auto t = intrastat.constFind(d.toLower());
    const Fel_Valoare fel = Fel_Coloana_Destinatie(t == intrastat.constEnd() ? nullptr : &*t);
    std::optional<db::Variant> v;
    if (areImplicit) {
        v = Valoare_Implicita(fel, implicit.toText());
        if (!v)
            return eroare(numeRand(rand, macheta) + u" : valoarea implicita \""_s + implicit.toText() +
                          u"\" nu este "_s + Descriere_Fel(fel) + u"."_s);
    }
    bool ok = false;
    const int m = areMarime ? marime.toInt(&ok) : 0;
    if (areMarime && (!ok || m < 0))
        return eroare(numeRand(rand, macheta) + u" : marimea maxima \""_s + marime.toText() +
                      u"\" nu este un numar intreg."_s);
    const QString alias = u" AS "_s + d;
    if (!dinFoaie) {
        if (areMarime)
            return QString(db::quoted(Text_Valoare(*v)) + alias);
        return QString(Literal_SQL(*v) + alias);
    }
    const db::Variant numarColoana = rand.value(u"Numar_Coloana"_s);
    if (gol(numarColoana))
        return eroare(numeRand(rand, macheta) + u" : nu are numarul coloanei din foaie."_s);
    const int numar = numarColoana.toInt(&ok);
    if (!ok || numar < 1 || numar > campuri.size())
        return eroare(numeRand(rand, macheta) +
                      u" : coloana %1 nu exista in foaie (foaia are %2)."_s.arg(numarColoana.toText())
                          .arg(campuri.size() == 1 ? u"o singura coloana"_s
                                                   : QString::number(campuri.size()) + u" coloane"_s));
    citite << campuri.at(numar - 1);
    const QString c = u"["_s + campuri.at(numar - 1) + u"]"_s;
    const QString lungime = QString::number(m);
    if (!areMarime && !areImplicit)
        return QString(c + alias);
    if (!areMarime)
        return QString(u"IIF(ISNULL("_s + c + u"),"_s + Literal_SQL(*v) + u" ,"_s + c + u")"_s + alias);
    if (!areImplicit)
        return QString(u"LEFT("_s + c + u" ,"_s + lungime + u")"_s + alias);
    return QString(u"LEFT(IIF(ISNULL("_s + c + u"),\""_s + Text_Valoare(*v).replace(u'"', u"\"\""_s) +
                   u"\" ,"_s + c + u") ,"_s + lungime + u")"_s + alias);
}

// Why a template gives no rows: it is not there, or it has no rows.
db::Error machetaFaraRanduri(db::Connection& firma, const QString& macheta)
{
    auto antet =
        firma.openRecordset(u"SELECT COUNT(*) FROM [StructuraFisiereAntet] WHERE Nume_structura = ?"_s,
                            {db::Variant(macheta)}, db::CursorType::Static, db::LockType::ReadOnly);
    if (antet && antet->value(0).toInt() == 0)
        return eroare(u"Macheta \"%1\" nu exista."_s.arg(macheta));
    return eroare(u"Macheta \"%1\" nu are niciun rand."_s.arg(macheta));
}

} // namespace

QString Filtru_Fisiere_Excel()
{
    return u"Excel Files (*.xls;*.xlsx)|*.xls;*.xlsx|Excel Files (*.xls)|*.xls|Excel Files (*.xlsx)|*.xlsx|"_s;
}

QString Conexiune_Excel_Previzualizare(const QString& cale)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;"_s + u"Data Source="_s + db::quoted(cale) + u";"_s +
           u"Extended Properties=\"Excel 8.0\""_s;
}

QString Conexiune_Excel_Import(const QString& cale)
{
    return u"Provider=Microsoft.Jet.OLEDB.4.0;"_s + u"Data Source="_s + db::quoted(cale) + u";"_s +
           u"Extended Properties=\"Excel 8.0; IMEX=1;\""_s;
}

db::Recordset Deschide_Sheet_Excel(const QString& cale, const QString& foaie)
{
    const auto arata = [](const db::Error& e) {
        ui::msgBox(u"EROARE : "_s + QString::number(e.number) + u"  "_s + e.description, ui::Icon::None);
    };
    db::Connection cn;
    if (const db::Error e = excel::openWorkbook(Conexiune_Excel_Previzualizare(cale), cn)) {
        arata(e);
        return db::Recordset();
    }
    auto rs = cn.openRecordset(u"SELECT TOP 2 * FROM "_s + tabelFoaie(foaie), db::CursorType::Static,
                               db::LockType::Optimistic);
    if (!rs) {
        arata(rs.error());
        return db::Recordset::createInMemory(); // there, but not open
    }
    return *rs;
}

db::Result<QString> Instructiune_Excel_Dupa_Macheta(db::Connection& firma, const QStringList& campuri,
                                                    const QString& foaie, const QString& macheta,
                                                    QStringList* coloaneCitite)
{
    auto randuri = firma.openRecordset(u"SELECT * FROM [StructuraFisiereContinut] WHERE Nume_Structura ='"_s +
                                           db::quote(macheta) + u"'"_s,
                                       db::CursorType::Static, db::LockType::ReadOnly);
    if (!randuri)
        return randuri.error();
    if (randuri->recordCount() == 0)
        return machetaFaraRanduri(firma, macheta);
    const auto intrastat = Coloane_Intrastat(firma);
    if (!intrastat)
        return intrastat.error();
    // The database gives no order of its own: the rows in the order they were made.
    if (db::Error e = randuri->setSort(u"Record_ID"_s))
        return e;
    QString elemente = u" "_s;
    QStringList citite;
    for (randuri->moveFirst(); !randuri->eof(); randuri->moveNext()) {
        const db::Result<QString> e = element(*randuri, campuri, *intrastat, macheta, citite);
        if (!e)
            return e;
        if (!e->isEmpty())
            elemente += *e + u", "_s;
    }
    randuri->close();
    if (elemente.size() < 2)
        return eroare(u"Macheta \"%1\" nu da nicio coloana de citit."_s.arg(macheta));
    if (coloaneCitite)
        *coloaneCitite = citite;
    return QString(u"SELECT"_s + elemente.left(elemente.size() - 2) + u" FROM "_s + tabelFoaie(foaie));
}

db::Result<Randuri_Foaie> Citeste_Excel_Dupa_Macheta(const QString& cale, const QString& foaie,
                                                     const QString& macheta)
{
    db::Connection cn;
    if (db::Error e = excel::openWorkbook(Conexiune_Excel_Import(cale), cn))
        return e;
    auto antet = cn.openRecordset(u"SELECT TOP 1 * FROM "_s + tabelFoaie(foaie), db::CursorType::Static,
                                  db::LockType::Optimistic);
    if (!antet) {
        QStringList foi;
        bool exista = false;
        if (const auto tabele = cn.tables()) {
            for (const db::TableInfo& t : *tabele) {
                if (t.name.endsWith(u'$'))
                    foi << t.name.chopped(1);
                exista = exista || t.name.compare(foaie + u'$', Qt::CaseInsensitive) == 0;
            }
        }
        if (exista)
            return antet.error();
        return eroare(u"Foaia \"%1\" nu exista in fisierul excel. Foile fisierului : %2."_s.arg(
            foaie, foi.join(u", "_s)));
    }
    QStringList campuri;
    for (int i = 0; i < antet->fieldCount(); ++i)
        campuri << antet->field(i).name;
    antet->close();
    QStringList citite;
    const db::Result<QString> sql =
        Instructiune_Excel_Dupa_Macheta(Conexiune_Firma, campuri, foaie, macheta, &citite);
    if (!sql)
        return sql.error();
    auto randuri = cn.openRecordset(*sql, db::CursorType::Static, db::LockType::Optimistic);
    if (!randuri)
        return randuri.error();
    Randuri_Foaie rezultat;
    rezultat.randuri = *randuri;
    rezultat.goale.fill(false, rezultat.randuri.recordCount());
    citite.removeDuplicates();
    if (citite.isEmpty())
        return rezultat;
    // The blank rows: every cell read empty or blanks only. The sheet's rows
    // are the table's in their order (rowid 1 is the first data row), and
    // the statement reads them in that order.
    QStringList conditii;
    for (const QString& c : std::as_const(citite))
        conditii << u"([%1] IS NULL OR trim([%1], ?1) = '')"_s.arg(c);
    auto goale = cn.openRecordset(
        u"SELECT rowid FROM "_s + tabelFoaie(foaie) + u" WHERE "_s + conditii.join(u" AND "_s),
        {db::Variant(u" \t\r\n\u00A0\u202F"_s)}, db::CursorType::Static, db::LockType::ReadOnly);
    if (!goale)
        return goale.error();
    for (int i = 0; i < goale->rowCount(); ++i) {
        const qint64 r = goale->valueAt(i, 0).toInt64() - 1;
        if (r >= 0 && r < rezultat.goale.size() && !rezultat.goale.at(r)) {
            rezultat.goale[r] = true;
            ++rezultat.numarGoale;
        }
    }
    return rezultat;
}

db::Result<db::Recordset> Selecteaza_Excel_Dupa_Macheta(const QString& cale, const QString& foaie,
                                                        const QString& macheta)
{
    auto r = Citeste_Excel_Dupa_Macheta(cale, foaie, macheta);
    if (!r)
        return r.error();
    return r->randuri;
}

QStringList Foi_Excel(const QString& cale)
{
    QStringList foi;
    auto schema =
        excel::tablesSchema(u"Data Source="_s + db::quoted(cale) + u";Extended Properties=Excel 8.0;"_s);
    if (!schema)
        return foi;
    for (schema->moveFirst(); !schema->eof(); schema->moveNext()) {
        const QString nume = schema->value(u"TABLE_NAME"_s).toText().trimmed();
        if (nume.endsWith(u'$'))
            foi << nume.left(nume.size() - 1);
    }
    return foi;
}
