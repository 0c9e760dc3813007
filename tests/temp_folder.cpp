// Every test program works in a temporary folder of its own: TMPDIR names
// it for the whole run (the program's own folders of the temporary folder,
// the exports to Excel, the programs a test starts), and it goes, with what
// the tests left in it, when the program ends. So a run leaves nothing in
// the system's temporary folder, and runs side by side do not meet there.

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
        if (folder.isValid())
            qputenv("TMPDIR", QFile::encodeName(folder.path()));
    }
    ~TemporaryFolder()
    {
        wasSet ? qputenv("TMPDIR", before) : qunsetenv("TMPDIR");
    }
};

const TemporaryFolder temporaryFolder;

} // namespace
