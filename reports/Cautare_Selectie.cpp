#include "reports/Cautare_Selectie.h"

#include "common/Verifica_Null.h"
#include "platform/db/rewrite.h"
#include "platform/ui/mesaj.h"

#include <QDate>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

const QString kValoare = u"Valoare"_s;

// The placeholder at index i stands inside a quoted text of the fragment
// when an odd number of quotes comes before it.
bool Intre_Ghilimele(const QString& fragment, qsizetype i)
{
    return fragment.left(i).count(u'\'') % 2 == 1;
}

QString Inlocuieste_Valoare(const QString& semn, const QString& valoare)
{
    QString rezultat;
    qsizetype de_la = 0;
    for (qsizetype i = semn.indexOf(kValoare); i >= 0; i = semn.indexOf(kValoare, de_la)) {
        rezultat += semn.mid(de_la, i - de_la);
        rezultat += Intre_Ghilimele(semn, i) ? db::quote(valoare) : valoare;
        de_la = i + kValoare.size();
    }
    return rezultat + semn.mid(de_la);
}

} // namespace

db::Result<db::Recordset> Tabele_Firma(db::Connection& firma)
{
    return firma.openProcedure(u"Return_Nume_Tabele"_s);
}

db::Result<db::Recordset> Campuri_Tabel(db::Connection& firma, const QString& tabel)
{
    db::Result<db::Recordset> rs = firma.openProcedure(u"Return_Nume_Field_Tabel"_s, {db::Variant(), tabel});
    if (!rs)
        return rs;
    // A copy of the same fields, every one writable, the tick a yes/no field.
    db::Recordset copie = db::Recordset::createInMemory();
    const int afiseaza = rs->fieldIndex(u"Afiseaza"_s);
    for (int i = 0; i < rs->fieldCount(); ++i) {
        const db::Field& f = rs->field(i);
        if (const db::Error e = copie.appendField(f.name, i == afiseaza ? int(db::Type::Boolean) : f.type,
                                                  i == afiseaza ? 0 : f.definedSize))
            return e;
    }
    if (const db::Error e = copie.open())
        return e;
    for (int r = 0; r < rs->rowCount(); ++r) {
        if (const db::Error e = copie.addNew())
            return e;
        for (int i = 0; i < rs->fieldCount(); ++i) {
            db::Variant v = rs->valueAt(r, i);
            if (i == afiseaza)
                v = db::Variant(v.toBool());
            if (const db::Error e = copie.setValue(i, v))
                return e;
        }
        if (const db::Error e = copie.update())
            return e;
    }
    rs->close();
    copie.moveFirst();
    return copie;
}

QString SQL_Semne(const db::Variant& tip)
{
    const QString sql = u"SELECT [DescSemn], [Semn], [SeAplicaLa] FROM [Semne_Cautare_Selectie]"_s;
    if (Este_Null(tip))
        return sql;
    return sql + u" WHERE [SeAplicaLa]='"_s + db::quote(tip.toText()) + u"'"_s;
}

QString Formateaza_Data_Cautare(const QString& valoare)
{
    const QString t = valoare.trimmed();
    if (t.isEmpty())
        return valoare;
    // Our own form first, so that a second generation leaves the date as it is.
    for (const QString& forma : {u"MM-dd-yyyy"_s, u"yyyy-MM-dd"_s, u"dd.MM.yyyy"_s, u"MM/dd/yyyy"_s,
                                 QLocale().dateFormat(QLocale::ShortFormat)}) {
        const QDate d = QDate::fromString(t, forma);
        if (d.isValid())
            return d.toString(u"MM-dd-yyyy"_s);
    }
    const QDateTime dt = QDateTime::fromString(t, Qt::ISODate);
    if (dt.isValid())
        return dt.date().toString(u"MM-dd-yyyy"_s);
    return valoare;
}

Script_Generat Genereaza_Script_SQL(db::Recordset& campuri)
{
    Script_Generat g;
    if (!campuri.isOpen() || campuri.recordCount() == 0)
        return g;
    QString s = u"SELECT "_s;
    QString w = u"WHERE "_s;
    QString tabel;
    for (campuri.moveFirst(); !campuri.eof(); campuri.moveNext()) {
        const QString camp = campuri.value(u"FieldName"_s).toText();
        if (tabel.isNull())
            tabel = campuri.value(u"TableName"_s).toText();
        if (campuri.value(u"Afiseaza"_s).toBool())
            s += campuri.value(u"TableName"_s).toText() + u".["_s + camp + u"], "_s;
        const db::Variant semn = campuri.value(u"Semn"_s);
        if (Este_Null(semn))
            continue;
        if (campuri.value(u"DataType"_s).toText() == u"D"_s) {
            const QString data = Formateaza_Data_Cautare(campuri.value(u"Valoare"_s).toText());
            db::Error e = campuri.setValue(u"Valoare"_s, db::Variant(data));
            if (!e)
                e = campuri.update();
            if (e) {
                g.eroare = e;
                return g;
            }
        }
        const QString fragment = semn.toText();
        QString conditie;
        if (!fragment.contains(kValoare, Qt::CaseInsensitive)) {
            conditie = fragment;
        } else {
            const db::Variant valoare = campuri.value(u"Valoare"_s);
            if (Este_Null(valoare)) {
                g.fara_valoare = camp;
                return g;
            }
            conditie = Inlocuieste_Valoare(fragment, valoare.toText());
        }
        w += u"["_s + camp + u"] "_s + conditie + u" AND "_s;
    }
    if (s == u"SELECT "_s)
        s.clear();
    else
        s = s.left(s.size() - 2) + u" FROM "_s + tabel;
    if (w == u"WHERE "_s)
        w.clear();
    else
        w.chop(4);
    g.ok = true;
    g.text = s + u" "_s + w;
    return g;
}

QString Cuvant_Interzis(const QString& script)
{
    static const QStringList cuvinte{u"UPDATE"_s,  u"INSERT"_s, u"DELETE"_s,  u"EXEC"_s,
                                     u"EXECUTE"_s, u"ALTER"_s,  u"DROP"_s,    u"DATABASE"_s,
                                     u"BACKUP"_s,  u"CREATE"_s, u"OPEN"_s,    u"CLOSE"_s,
                                     u"SET"_s,     u"GRANT"_s,  u"RESTORE"_s, u"REVOKE"_s};
    const QString mare = script.toUpper();
    for (const QString& c : cuvinte)
        if (mare.contains(c))
            return c;
    // Commands the database runs outside the script's transaction, or that
    // change the company connection itself (a pragma, an attachment), would
    // outlive the rollback that undoes the run.
    static const QStringList sesiune{u"PRAGMA"_s, u"ATTACH"_s,    u"DETACH"_s,  u"VACUUM"_s, u"BEGIN"_s,
                                     u"COMMIT"_s, u"END"_s,       u"ROLLBACK"_s, u"SAVEPOINT"_s,
                                     u"RELEASE"_s};
    const QString comanda = db::firstWord(script);
    if (sesiune.contains(comanda))
        return comanda;
    return QString();
}

bool Verifica_Script(const QString& script)
{
    if (Este_Null(db::Variant(script), u"Script SQL"_s, true))
        return false;
    const QString cuvant = Cuvant_Interzis(script);
    if (!cuvant.isEmpty()) {
        ui::msgBox(u"Nu este permis sa rulati comanda :"_s + cuvant, ui::Icon::Critical, ui::Buttons::Ok,
                   u"EROARE"_s);
        return false;
    }
    return true;
}

db::Result<db::Recordset> Ruleaza_Script(db::Connection& firma, const QString& script)
{
    db::Transaction tranzactie(firma);
    if (tranzactie.error())
        return tranzactie.error();
    return firma.openRecordset(script, db::CursorType::Static, db::LockType::ReadOnly);
    // The transaction rolls back here: whatever the script did is undone.
}

db::Error Salveaza_Script(db::Connection& comun, const QString& nume, const QString& script)
{
    const QString dublat = QString(script).replace(u"'"_s, u"''"_s);
    const db::Result<qint64> r =
        comun.execute(u"INSERT INTO Scripts (Script_Name, Script_SQL)"_s + u" VALUES ('"_s +
                      db::quote(nume.left(50)) + u"', '"_s + db::quote(dublat) + u"')"_s);
    return r ? db::Error() : r.error();
}

QString Text_Script_Salvat(const QString& stocat)
{
    return QString(stocat).replace(u"''"_s, u"'"_s);
}
