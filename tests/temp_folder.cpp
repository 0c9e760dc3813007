// Every test program works in a temporary folder of its own: TMPDIR names
// it for the whole run (the program's own folders of the temporary folder,
// the exports to Excel, the programs a test starts), and it goes, with what
// the tests left in it, when the program ends. So a run leaves nothing in
// the system's temporary folder, and runs side by side do not meet there.
// The home folder of the run (HOME and the XDG folders: the running-copy
// lock, Qt's file-dialog history, caches) is a folder in it too, so that
// the home of whoever runs the tests is never written.

#include "Acasa_Test.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

struct TemporaryFolder
{
    QByteArray before = qgetenv("TMPDIR");
    bool wasSet = qEnvironmentVariableIsSet("TMPDIR");
    QTemporaryDir folder{QDir::tempPath() + QStringLiteral("/quorvel-test-XXXXXX")};

    TemporaryFolder()
    {
        if (!folder.isValid())
            return;
        qputenv("TMPDIR", QFile::encodeName(folder.path()));
        acasa_test::Acasa_Proprie(folder.path() + QStringLiteral("/home"));
    }
    ~TemporaryFolder()
    {
        wasSet ? qputenv("TMPDIR", before) : qunsetenv("TMPDIR");
    }
};

const TemporaryFolder temporaryFolder;

} // namespace
