#include "import/Machete.h"

#include "common/Folder_Program.h"
#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "import/Valori_Preluare.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

db::Error eroare(db::Error::Kind kind, int numar, const QString& text)
{
    return db::Error(kind, numar, text, u"Quorvel.Machete"_s);
}

// Whether the template has detail rows already.
db::Result<bool> areRanduri(db::Connection& cn, const QString& nume)
{
    auto rs = cn.openRecordset(u"SELECT COUNT(*) FROM StructuraFisiereContinut WHERE Nume_Structura = ?"_s,
                               {db::Variant(nume)}, db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    return rs->value(0).toInt() > 0;
}

} // namespace

QString Conditie_Macheta_Pentru(const QString& nume)
{
    return u" WHERE [Nume_structura]='"_s + db::quote(nume) + u'\'';
}

QString Text_Set_Macheta(const QString& conditie)
{
    return u"SHAPE {"_s + u"SELECT * FROM StructuraFisiereAntet "_s + conditie + u"} AS ParentCMD "_s +
           u"APPEND ({"_s +
           u"SELECT Nume_Structura,Record_ID,Dest_ColumnDescription,Exista_Coloana, "
           u"Numar_Coloana,Valoare_Implicita,Marime_Maxima,Format,Dest_ColumnName FROM "
           u"StructuraFisiereContinut "_s +
           conditie + u"ORDER BY Sort_Order"_s + u"} AS ChildCMD "_s +
           u"RELATE [Nume_Structura] TO [Nume_Structura]"_s + u")"_s;
}

db::Result<db::Recordset> Deschide_Set_Macheta(db::Connection& cn, const QString& conditie)
{
    return cn.openRecordset(Text_Set_Macheta(conditie), db::CursorType::Static, db::LockType::Optimistic);
}

db::Error Creeaza_Antet(db::Recordset& set)
{
    if (db::Error e = set.addNew())
        return e;
    return set.setValue(u"Work_Sheet_Name"_s, db::Variant(u"Sheet1"_s));
}

db::Error Salveaza_Antet(db::Recordset& set)
{
    if (set.editMode() == db::EditMode::None)
        return db::Error();
    if (Este_Null(set.value(u"Nume_structura"_s)) || Este_Null(set.value(u"TIP"_s)))
        return eroare(db::Error::Kind::NotNull, db::ErrorNumber::IntegrityViolation,
                      u"Numele si tipul machetei sunt obligatorii."_s);
    set.move(0);
    return set.update();
}

db::Error Retine_Macheta(db::Connection& cn, db::Recordset& set, bool noua, const db::Recordset& schema)
{
    const QString nume = set.value(u"Nume_structura"_s).toText();
    const QString tip = set.value(u"TIP"_s).toText();
    if (db::Error e = Salveaza_Antet(set)) {
        if (e.kind == db::Error::Kind::Duplicate)
            return eroare(db::Error::Kind::Duplicate, db::ErrorNumber::IntegrityViolation,
                          u"Exista deja o macheta cu numele : "_s + nume + u"\r\nAlegeti alt nume."_s);
        return e;
    }
    if (!noua)
        return db::Error();
    if (db::Error e = Initializeaza_Continut_Macheta(cn, nume, tip, schema))
        return e;
    return Indreapta_Set_Spre_Macheta(set, nume);
}

db::Result<db::Recordset> Citeste_Schema_Intrastat(db::Connection& cn)
{
    auto schema = cn.columnsSchema(u"Intrastat"_s);
    if (!schema)
        return schema;
    if (db::Error e = schema->setFilter(u"Description <>''"_s))
        return e;
    return schema;
}

db::Error Sterge_Rand_Alt_Flux(db::Connection& cn, const QString& nume, const QString& tip)
{
    const QString t = tip.toUpper();
    QString coloana;
    if (t == u"ACHIZITIE")
        coloana = u"'Tara_Dest'"_s;
    else if (t == u"LIVRARE")
        coloana = u"'Tara_Exp'"_s;
    else
        return db::Error();
    const auto r = cn.execute(u"DELETE FROM StructuraFisiereContinut "_s + u" WHERE Nume_structura='"_s +
                              db::quote(nume) + u"'"_s + u" AND Dest_ColumnName = "_s + coloana);
    return r ? db::Error() : r.error();
}

db::Error Initializeaza_Continut_Macheta(db::Connection& cn, const QString& nume, const QString& tip,
                                         db::Recordset schema)
{
    db::Transaction tr(cn);
    if (tr.error())
        return tr.error();
    const db::Result<bool> are = areRanduri(cn, nume);
    if (!are)
        return are.error();
    if (*are)
        return db::Error();
    if (!schema.isOpen())
        return eroare(db::Error::Kind::Closed, db::ErrorNumber::ObjectClosed,
                      u"Coloanele tabelei Intrastat nu au putut fi citite."_s);
    const QString insert =
        u"INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnDescription, Dest_ColumnName, "
        u"Sort_Order, Valoare_Implicita, Marime_Maxima, Format) VALUES (?, ?, ?, ?, ?, ?, ?)"_s;
    for (schema.moveFirst(); !schema.eof(); schema.moveNext()) {
        const db::Variant descriere = schema.value(u"DESCRIPTION"_s);
        const db::Variant nume_coloana = schema.value(u"COLUMN_NAME"_s);
        const db::Variant implicit = schema.value(u"COLUMN_DEFAULT"_s);
        const db::Variant marime = schema.value(u"CHARACTER_MAXIMUM_LENGTH"_s);
        QString format;
        if (!marime.isMissing())
            format = u"TEXT"_s;
        if (!schema.value(u"NUMERIC_PRECISION"_s).isMissing())
            format = u"NUMERIC"_s;
        if (!schema.value(u"DATETIME_PRECISION"_s).isMissing())
            format = u"DATETIME"_s;
        const bool faraDescriere = descriere.isMissing() || descriere.toText().isEmpty();
        const QVector<db::Variant> valori{
            db::Variant(nume),
            faraDescriere ? nume_coloana : descriere,
            nume_coloana,
            schema.value(u"ORDINAL_POSITION"_s),
            Este_Null(implicit) ? db::Variant::null() : db::Variant(implicit.toText().remove(u'"')),
            marime.isMissing() ? db::Variant::null() : marime,
            format.isEmpty() ? db::Variant::null() : db::Variant(format),
        };
        const auto r = cn.execute(insert, valori);
        if (!r)
            return r.error();
    }
    if (db::Error e = Sterge_Rand_Alt_Flux(cn, nume, tip))
        return e;
    return tr.commit();
}

db::Error Indreapta_Set_Spre_Macheta(db::Recordset& set, const QString& nume)
{
    if (db::Error e = set.setFilter(u"Nume_structura='"_s + db::quote(nume) + u"'"_s))
        return e;
    return set.requery();
}

db::Result<bool> Adauga_Rand_Tara_Origine(db::Connection& cn, const QString& nume)
{
    auto rs = cn.openRecordset(u"SELECT * FROM StructuraFisiereContinut "_s + u" WHERE Nume_structura='"_s +
                                   db::quote(nume) + u"'"_s + u" AND Dest_ColumnName = 'Tara_Orig'"_s,
                               db::CursorType::Static, db::LockType::Optimistic);
    if (!rs)
        return rs.error();
    if (rs->recordCount() > 0)
        return false;
    const std::pair<QString, db::Variant> valori[] = {
        {u"Nume_Structura"_s, db::Variant(nume)},
        {u"Exista_Coloana"_s, db::Variant(false)},
        {u"Dest_ColumnName"_s, db::Variant(u"Tara_Orig"_s)},
        {u"Dest_ColumnDescription"_s, db::Variant(u"Tara Origine"_s)},
        {u"Marime_Maxima"_s, db::Variant(2)},
        {u"Format"_s, db::Variant(u"TEXT"_s)},
        {u"Sort_Order"_s, db::Variant(17)},
    };
    if (db::Error e = rs->addNew())
        return e;
    for (const auto& [camp, valoare] : valori) {
        if (db::Error e = rs->setValue(camp, valoare)) {
            rs->cancelUpdate();
            return e;
        }
    }
    if (db::Error e = rs->update()) {
        rs->cancelUpdate();
        return e;
    }
    return true;
}

db::Result<qint64> Sterge_Macheta(db::Connection& cn, const QString& nume)
{
    // The rows go with their header even where the database would keep them.
    db::Transaction tr(cn);
    if (tr.error())
        return tr.error();
    const auto randuri =
        cn.execute(u"DELETE FROM StructuraFisiereContinut WHERE Nume_Structura = ?"_s, {db::Variant(nume)});
    if (!randuri)
        return randuri.error();
    const auto antet = cn.execute(u"DELETE FROM [StructuraFisiereAntet] WHERE [Nume_structura]='"_s +
                                  db::quote(nume) + u"'"_s);
    if (!antet)
        return antet.error();
    if (db::Error e = tr.commit())
        return e;
    return *antet;
}

db::Result<QHash<QString, db::Field>> Coloane_Intrastat(db::Connection& cn)
{
    auto rs =
        cn.openRecordset(u"SELECT TOP 1 * FROM Intrastat"_s, db::CursorType::Static, db::LockType::ReadOnly);
    if (!rs)
        return rs.error();
    QHash<QString, db::Field> coloane;
    for (const db::Field& f : rs->fields())
        coloane.insert(f.name.toLower(), f);
    return coloane;
}

QString Refuz_Valoare_Implicita(const db::Field* coloana, const db::Variant& text)
{
    if (Este_Null(text))
        return QString();
    const Fel_Valoare fel = Fel_Coloana_Destinatie(coloana);
    if (Valoare_Implicita(fel, text.toText()))
        return QString();
    return u"Valoare Implicita  -  Trebuie sa fie "_s + Descriere_Fel(fel) + u" !"_s;
}

db::Recordset Lista_Coloane_Foaie()
{
    db::Recordset rs = db::Recordset::createInMemory();
    rs.appendField(u"Numar Coloana"_s, db::Type::Integer);
    rs.appendField(u"Nume Coloana"_s, db::Type::VarWChar, 100);
    rs.appendField(u"Prima Valoare"_s, db::Type::VarWChar, 250);
    rs.open();
    return rs;
}

db::Recordset Lista_Coloane_Din_Foaie(const db::Recordset& foaie)
{
    db::Recordset lista = Lista_Coloane_Foaie();
    if (!foaie.isOpen())
        return lista;
    for (int i = 0; i < foaie.fieldCount(); ++i) {
        const QString nume = foaie.field(i).name;
        const db::Variant valoare = foaie.value(i);
        db::Variant prima;
        if (!valoare.isMissing()) {
            const QString text = valoare.toText();
            prima = db::Variant(text.isEmpty() ? u" "_s : text.left(200));
        }
        lista.addNew();
        lista.setValue(0, db::Variant(i + 1));
        lista.setValue(1, db::Variant(nume.isEmpty() ? u" "_s : nume.left(100)));
        lista.setValue(2, prima);
        lista.update();
    }
    lista.moveFirst();
    return lista;
}

QStringList Elemente_Combo(const QString& fereastra, const QString& control)
{
    QFile fisier(Folder_Sistem + u"ComboBox/"_s + fereastra + u'.' + control + u".txt"_s);
    if (!fisier.open(QIODevice::ReadOnly))
        return {};
    QStringList linii = QString::fromUtf8(fisier.readAll()).split(QRegularExpression(u"\\r\\n|\\n|\\r"_s));
    // The line end of the last line ends the file; it opens no empty item.
    if (!linii.isEmpty() && linii.last().isEmpty())
        linii.removeLast();
    return linii;
}

QString Cale_Fisier_Macheta(const QString& cale)
{
    if (cale.isEmpty() || !QDir::isRelativePath(cale))
        return cale;
    return Folder_Program() + u'/' + cale;
}
