// Writes the same value over and over into the registry of
// QUORVEL_REGISTRY_DIR, each time a long text that names its own round
// at both ends, and prints the round after each completed write. The crash
// test kills it in the middle.

#include "platform/registry/registry.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int length = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1 << 20;
    for (int round = 1;; ++round) {
        reg::HKEY h = 0;
        if (reg::createKey(reg::HKEY_LOCAL_MACHINE, QStringLiteral("Software\\Loop"), reg::KEY_ALL_SPECIFIC,
                           &h) != 0)
            return 2;
        const QString mark = QString::number(round);
        const QString text = mark + QLatin1Char(':') +
                             QString(length, QLatin1Char("abcdefghij"[round % 10])) + QLatin1Char(':') + mark;
        const long code = reg::setTextValue(h, QStringLiteral("payload"), text,
                                            static_cast<std::uint32_t>(text.size() + 1));
        reg::closeKey(h);
        if (code != 0)
            return 3;
        std::printf("%d\n", round);
        std::fflush(stdout);
    }
}
