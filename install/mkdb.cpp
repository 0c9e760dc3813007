// quorvel_mkdb: the build's tool that lays out the program folder.
//
//   quorvel_mkdb db <database> <script>...   creates the database and runs the
//                                            scripts into it, in one transaction
//   quorvel_mkdb copy <source> <target>      copies a file
//   quorvel_mkdb text <source> <target>      copies a UTF-8 text file with CR LF
//                                            line ends
//
// Every target is built under a temporary name beside it and renamed over the
// old one only when complete, so an interrupted build leaves no half file.

#include "platform/db/db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "quorvel_mkdb: %s\n", qPrintable(message));
    return 1;
}

bool readFile(const QString& path, QByteArray* content, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = u"cannot read %1: %2"_s.arg(path, f.errorString());
        return false;
    }
    *content = f.readAll();
    return true;
}

bool writeFile(const QString& path, const QByteArray& content, QString* error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size() || !f.commit()) {
        *error = u"cannot write %1: %2"_s.arg(path, f.errorString());
        return false;
    }
    return true;
}

int makeDatabase(const QString& target, const QStringList& scripts)
{
    QString script;
    for (const QString& path : scripts) {
        QByteArray content;
        QString error;
        if (!readFile(path, &content, &error))
            return fail(error);
        script += QString::fromUtf8(content) + u'\n';
    }

    QDir().mkpath(QFileInfo(target).absolutePath());
    const QString temporary = target + u".tmp"_s;
    QFile::remove(temporary);
    if (const db::Error e = db::Connection::createDatabase(temporary))
        return fail(u"cannot create %1: %2"_s.arg(temporary, e.text()));
    {
        db::Connection connection;
        if (const db::Error e = connection.open(temporary)) {
            QFile::remove(temporary);
            return fail(u"cannot open %1: %2"_s.arg(temporary, e.text()));
        }
        if (const db::Error e = connection.executeScript(script)) {
            connection.close();
            QFile::remove(temporary);
            return fail(u"%1: %2 (scripts: %3)"_s.arg(target, e.text(), scripts.join(u", "_s)));
        }
        connection.close();
    }
    QFile::remove(target);
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        return fail(u"cannot rename %1 to %2"_s.arg(temporary, target));
    }
    return 0;
}

int copyFile(const QString& source, const QString& target, bool crlf)
{
    QByteArray content;
    QString error;
    if (!readFile(source, &content, &error))
        return fail(error);
    if (crlf) {
        content.replace("\r\n", "\n");
        content.replace("\n", "\r\n");
    }
    if (!writeFile(target, content, &error))
        return fail(error);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString usage = u"usage: quorvel_mkdb db <database> <script>... | copy <source> <target> | "
                          u"text <source> <target>"_s;
    if (args.size() >= 3 && args[0] == u"db")
        return makeDatabase(args[1], args.mid(2));
    if (args.size() == 3 && (args[0] == u"copy" || args[0] == u"text"))
        return copyFile(args[1], args[2], args[0] == u"text");
    return fail(usage);
}
