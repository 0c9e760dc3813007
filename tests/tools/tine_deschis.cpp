// tine_deschis <connection text>: another process of the program that keeps
// a database open. Prints "deschis" (or "eroare <text>"), then runs each line
// read from stdin as one command and answers "ok" or "eroare <text>"; ends
// at the end of stdin.
// tine_deschis --executabil <file>: holds the lock a running program holds
// on its executable, prints "deschis" and waits for the end of stdin.

#include "platform/db/db.h"
#include "platform/sys/file_lock.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

void answer(const QString& text)
{
    std::cout << text.toStdString() << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--executabil") {
        const sys::FileLock lock = sys::holdRunningExecutable(args[2]);
        answer(lock.isHeld() ? QStringLiteral("deschis") : QStringLiteral("eroare no lock"));
        for (std::string line; std::getline(std::cin, line);) {
        }
        return 0;
    }
    if (args.size() != 2) {
        std::cerr << "usage: tine_deschis <connection text> | --executabil <file>\n";
        return 1;
    }
    db::Connection conn;
    if (const db::Error e = conn.open(args[1])) {
        answer(QStringLiteral("eroare ") + e.description);
        return 1;
    }
    answer(QStringLiteral("deschis"));
    for (std::string line; std::getline(std::cin, line);) {
        const db::Result<qint64> r = conn.execute(QString::fromStdString(line));
        answer(r ? QStringLiteral("ok") : QStringLiteral("eroare ") + r.error().description);
    }
    conn.close();
    return 0;
}
