#include "common/Folder_Program.h"

#include <QCoreApplication>
#include <QDir>

QString Folder_Program()
{
    QString folder = qEnvironmentVariable("QUORVEL_PROGRAM_DIR");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    folder = QDir::cleanPath(folder);
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}
