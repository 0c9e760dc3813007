#include "import/Preluare_Fisiere.h"

#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "platform/excel/reader.h"
#include "platform/ui/mesaj.h"

using namespace Qt::StringLiterals;

namespace {

QString tabelFoaie(const QString& foaie)
{
    return u"["_s + foaie + u"$]"_s;
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

// One item of the statement for one template row; "" when the row gives none.
db::Result<QString> element(const db::Recordset& rand, const QStringList& campuri)
{
    const bool dinFoaie = rand.value(u"Exista_Coloana"_s).toBool();
    const db::Variant marime = rand.value(u"Marime_Maxima"_s);
    const db::Variant implicit = rand.value(u"Valoare_Implicita"_s);
    const QString d = rand.value(u"Dest_ColumnName"_s).toText();
    const QString m = marime.toText();
    const QString v = implicit.toText();
    const bool areMarime = !gol(marime);
    const bool areImplicit = !gol(implicit);
    const QString alias = u" AS "_s + d;
    if (!dinFoaie) {
        if (!areImplicit)
            return QString();
        if (areMarime)
            return QString(u"'"_s + QString(v).replace(u'\'', u"''"_s) + u"'"_s + alias);
        return QString(v + alias);
    }
    bool ok = false;
    const int numar = rand.value(u"Numar_Coloana"_s).toInt(&ok);
    if (!ok || numar < 1 || numar > campuri.size())
        return eroare(u"Coloana %1 a machetei (%2) nu exista in foaie."_s.arg(
            rand.value(u"Numar_Coloana"_s).toText(), d));
    const QString c = u"["_s + campuri.at(numar - 1) + u"]"_s;
    if (!areMarime && !areImplicit)
        return QString(c + alias);
    if (!areMarime)
        return QString(u"IIF(ISNULL("_s + c + u"),"_s + v + u" ,"_s + c + u")"_s + alias);
    if (!areImplicit)
        return QString(u"LEFT("_s + c + u" ,"_s + m + u")"_s + alias);
    return QString(u"LEFT(IIF(ISNULL("_s + c + u"),\""_s + QString(v).replace(u'"', u"\"\""_s) + u"\" ,"_s +
                   c + u") ,"_s + m + u")"_s + alias);
}

} // namespace

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
                                                    const QString& foaie, const QString& macheta)
{
    auto randuri = firma.openRecordset(u"SELECT * FROM [StructuraFisiereContinut] WHERE Nume_Structura ='"_s +
                                           db::quote(macheta) + u"'"_s,
                                       db::CursorType::Static, db::LockType::ReadOnly);
    if (!randuri)
        return randuri.error();
    // The database gives no order of its own: the rows in the order they were made.
    if (db::Error e = randuri->setSort(u"Record_ID"_s))
        return e;
    QString elemente = u" "_s;
    for (randuri->moveFirst(); !randuri->eof(); randuri->moveNext()) {
        const db::Result<QString> e = element(*randuri, campuri);
        if (!e)
            return e;
        if (!e->isEmpty())
            elemente += *e + u", "_s;
    }
    randuri->close();
    if (elemente.size() < 2)
        return eroare(u"Macheta \"%1\" nu da nicio coloana de citit."_s.arg(macheta));
    return QString(u"SELECT"_s + elemente.left(elemente.size() - 2) + u" FROM "_s + tabelFoaie(foaie));
}

db::Result<db::Recordset> Selecteaza_Excel_Dupa_Macheta(const QString& cale, const QString& foaie,
                                                        const QString& macheta)
{
    db::Connection cn;
    if (db::Error e = excel::openWorkbook(Conexiune_Excel_Import(cale), cn))
        return e;
    auto antet = cn.openRecordset(u"SELECT TOP 1 * FROM "_s + tabelFoaie(foaie), db::CursorType::Static,
                                  db::LockType::Optimistic);
    if (!antet)
        return antet.error();
    QStringList campuri;
    for (int i = 0; i < antet->fieldCount(); ++i)
        campuri << antet->field(i).name;
    antet->close();
    const db::Result<QString> sql = Instructiune_Excel_Dupa_Macheta(Conexiune_Firma, campuri, foaie, macheta);
    if (!sql)
        return sql.error();
    return cn.openRecordset(*sql, db::CursorType::Static, db::LockType::Optimistic);
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
