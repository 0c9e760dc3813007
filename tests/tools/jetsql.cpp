// jetsql <database file> "<SQL>": runs one SQL text through platform/db and
// prints the rows as tab-separated text with a header line, or the number of
// rows affected. Errors go to stderr with exit code 1.

#include "platform/db/db.h"
#include "platform/db/rewrite.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: jetsql <database file> \"<SQL>\"\n";
        return 1;
    }
    db::Connection conn;
    if (const db::Error e = conn.open(args[1])) {
        err << "EROARE : " << e.number << " " << e.description << "\n";
        return 1;
    }
    const QString sql = args[2];
    const QString word = db::firstWord(sql);
    if (word == u"SELECT" || word == u"WITH" || word == u"PRAGMA" || word == u"VALUES") {
        db::Result<db::Recordset> rs =
            conn.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
        if (!rs) {
            err << "EROARE : " << rs.error().number << " " << rs.error().description << "\n";
            return 1;
        }
        QStringList header;
        for (int c = 0; c < rs->fieldCount(); ++c)
            header << rs->field(c).name;
        out << header.join(u'\t') << "\n";
        for (int r = 0; r < rs->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < rs->fieldCount(); ++c) {
                const db::Variant v = rs->valueAt(r, c);
                cells << (v.isNull() ? QStringLiteral("NULL") : v.toText());
            }
            out << cells.join(u'\t') << "\n";
        }
        return 0;
    }
    db::Result<qint64> n = conn.execute(sql);
    if (!n) {
        err << "EROARE : " << n.error().number << " " << n.error().description << "\n";
        return 1;
    }
    out << n.value() << " rows affected\n";
    return 0;
}
