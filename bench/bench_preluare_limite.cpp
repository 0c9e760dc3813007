// The crafted workbooks that once cost far more than they hold, at full
// size, and the costliest of their kind the import still reads: each one
// imported by preia_excel (the tests' import of one workbook) in a process
// of its own, with a temporary folder of its own. Counters per workbook:
//   s        the wall time of the whole import
//   peak_MB  the child's peak memory (the high-water mark of its resident
//            set, sampled with the files: the mark of the process's own
//            memory, never of the benchmark's it was started from)
//   temp_MB  the most the private database of the tables took on disk,
//            sampled every 10 ms from the child's open files
//   file_MB  the workbook's size
//   read     1 when the import ended with its rows saved, 0 when it was
//            refused (or stopped)
// A workbook is within bounds when it is read or refused in 15 s, 1.5 GiB
// of memory and 1.5 GiB of temporary files.

#include "platform/excel/xlsx_build.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// The import's template reads sheet columns 1 to 5 of "Sheet1".
const QByteArray kDataRow = "<row r=\"2\"><c t=\"inlineStr\"><is><t>84713000</t></is></c><c t=\"inlineStr\"><is>"
                            "<t>DE</t></is></c><c><v>100</v></c><c><v>2</v></c><c><v>1</v></c></row>";

QByteArray book(const QList<QByteArray>& sheets, const QByteArray& shared = QByteArray())
{
    return xlsx_build::zipParts(xlsx_build::packageParts(sheets, shared), 1);
}

// `sheets` sheets whose heading row is `columns` cells of the one shared
// text of 30 letters, and the data row.
QByteArray equalHeadings(int sheets, int columns)
{
    QByteArray heading = "<row r=\"1\">" + QByteArray("<c t=\"s\"><v>0</v></c>").repeated(columns) + "</row>";
    return book(QList<QByteArray>(sheets, heading + kDataRow), "<si><t>abcdefghijklmnopqrstuvwxyzabcd</t></si>");
}

// Each heading a text of its own, inline.
QByteArray distinctHeadings(int sheets, int columns)
{
    QList<QByteArray> all;
    for (int s = 0; s < sheets; ++s) {
        QByteArray heading = "<row r=\"1\">";
        for (int c = 0; c < columns; ++c)
            heading += "<c t=\"inlineStr\"><is><t>H" + QByteArray::number(s) + '_' + QByteArray::number(c) +
                       "</t></is></c>";
        all.push_back(heading + "</row>" + kDataRow);
    }
    return book(all);
}

// Sheets of a heading of 2,000 columns and one number in `row`: all the
// rows between are blank, each of 2,000 columns.
QByteArray farCell(int sheets, int row)
{
    QByteArray heading = "<row r=\"1\">";
    for (int c = 0; c < 2000; ++c)
        heading += "<c t=\"inlineStr\"><is><t>H" + QByteArray::number(c) + "</t></is></c>";
    const QByteArray r = QByteArray::number(row);
    return book(QList<QByteArray>(sheets, heading + "</row><row r=\"" + r + "\"><c r=\"A" + r + "\"><v>1</v></c></row>"));
}

// The shared texts in UTF-16, with an element named U+4E22 (a code unit
// holding the byte of a quote) of `attributes` attributes.
QByteArray utf16Attributes(int attributes)
{
    QByteArray many;
    for (int k = 0; k < attributes; ++k)
        many += " a" + QByteArray::number(k) + "=\"1\"";
    QList<std::pair<QString, QByteArray>> parts = xlsx_build::packageParts(
        {"<row r=\"1\"><c t=\"s\"><v>0</v></c></row>" + kDataRow}, "<si><t>Cod</t></si><\xE4\xB8\xA2" + many + "/>");
    for (auto& [name, data] : parts)
        if (name == QStringLiteral("xl/strings.xml"))
            data = QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)
                       .encode(QString::fromUtf8(data).replace(QStringLiteral("<?xml version=\"1.0\"?>"),
                                                               QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>")));
    return xlsx_build::zipParts(parts, 9);
}

// The first heading one shared text of 127 MB.
// The tallest sheet a workbook can hold: the heading and 1,048,575 rows of
// the data row, each a line of the declaration.
QByteArray tallSheet(int rows)
{
    QByteArray row = kDataRow;
    row.replace("<row r=\"2\">", "<row>");
    return book({"<row r=\"1\"><c t=\"s\"><v>0</v></c></row>" + row.repeated(rows)}, "<si><t>Cod</t></si>");
}

QByteArray longHeading()
{
    return book({"<row r=\"1\"><c t=\"s\"><v>0</v></c></row>" + kDataRow},
                "<si><t>" + QByteArray(127 << 20, 'A') + "</t></si>");
}

struct Run
{
    double seconds = 0;
    double peakMB = 0;
    double tempMB = 0;
    bool read = false;
    QString error;
};

// The high-water mark of the process's resident set, in kB.
qint64 residentPeak(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The bytes the child's private databases of tables take on disk: each is
// unlinked as soon as it is open, so it is found among the child's open
// files, in its work folder of the temporary folder.
qint64 openBytesIn(pid_t pid, const QByteArray& folder)
{
    qint64 bytes = 0;
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString& fd : QDir(fds).entryList(QDir::Files | QDir::System)) {
        const QByteArray link = QFile::encodeName(fds + u'/' + fd);
        char target[4096];
        const ssize_t n = readlink(link.constData(), target, sizeof target - 1);
        if (n <= 0 || !QByteArrayView(target, n).startsWith(QByteArray(folder + "quorvel-workbook-")))
            continue;
        struct stat st;
        if (stat(link.constData(), &st) == 0)
            bytes += qint64(st.st_blocks) * 512;
    }
    return bytes;
}

Run import(const QByteArray& workbook)
{
    Run run;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("carte.xlsx"));
    QFile f(path);
    if (workbook.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(workbook) != workbook.size()) {
        run.error = QStringLiteral("the workbook cannot be written");
        return run;
    }
    f.close();
    const QString temporary = dir.filePath(QStringLiteral("tmp"));
    QDir().mkpath(temporary);

    QByteArrayList env;
    for (char** e = environ; *e; ++e)
        if (!QByteArrayView(*e).startsWith("TMPDIR="))
            env.push_back(*e);
    env.push_back("TMPDIR=" + QFile::encodeName(temporary));
    std::vector<char*> envp;
    for (QByteArray& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    QByteArray program = PREIA_EXCEL_PATH;
    QByteArray file = QFile::encodeName(path);
    char* argv[] = {program.data(), file.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.error = QStringLiteral("preia_excel cannot be started");
        return run;
    }
    const QByteArray folder = QFile::encodeName(temporary) + '/';
    qint64 temp = 0;
    qint64 peak = 0;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR) {
            run.error = QStringLiteral("preia_excel was lost");
            return run;
        }
        temp = std::max(temp, openBytesIn(pid, folder));
        peak = std::max(peak, residentPeak(pid));
        if (clock.elapsed() > 600'000)
            kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    run.seconds = double(clock.nsecsElapsed()) / 1e9;
    run.peakMB = double(peak) / 1024.0;
    run.tempMB = double(temp) / double(1 << 20);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 1)
        run.error = QStringLiteral("preia_excel ended abnormally");
    run.read = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

template <class Make> void measure(benchmark::State& state, Make make)
{
    const QByteArray workbook = make();
    for (auto _ : state) {
        const Run run = import(workbook);
        if (!run.error.isEmpty()) {
            state.SkipWithError(run.error.toUtf8().constData());
            return;
        }
        state.SetIterationTime(run.seconds);
        state.counters["s"] = run.seconds;
        state.counters["peak_MB"] = run.peakMB;
        state.counters["temp_MB"] = run.tempMB;
        state.counters["read"] = run.read ? 1 : 0;
    }
    state.counters["file_MB"] = double(workbook.size()) / double(1 << 20);
}

#define QUORVEL_WORKBOOK(name, ...)                                                                               \
    BENCHMARK_CAPTURE(measure, name, [] { return __VA_ARGS__; })                                                  \
        ->Iterations(1)                                                                                           \
        ->UseManualTime()                                                                                         \
        ->Unit(benchmark::kSecond)

// The workbooks of the faults, at full size.
QUORVEL_WORKBOOK(equal_headings_2000x2000, equalHeadings(2000, 2000));
QUORVEL_WORKBOOK(distinct_headings_2000x2000, distinctHeadings(2000, 2000));
QUORVEL_WORKBOOK(far_cell_167_sheets_row_25001, farCell(167, 25001));
QUORVEL_WORKBOOK(utf16_attributes_100000, utf16Attributes(100'000));
QUORVEL_WORKBOOK(utf16_attributes_300000, utf16Attributes(300'000));
QUORVEL_WORKBOOK(heading_of_127_MB, longHeading());
// The costliest of their kind that are still read.
QUORVEL_WORKBOOK(equal_headings_380x2000, equalHeadings(380, 2000));
QUORVEL_WORKBOOK(distinct_headings_380x2000, distinctHeadings(380, 2000));
QUORVEL_WORKBOOK(equal_headings_2000x300, equalHeadings(2000, 300));
QUORVEL_WORKBOOK(far_cell_167_sheets_row_600, farCell(167, 600));
QUORVEL_WORKBOOK(tall_sheet_1048575_rows, tallSheet(1'048'575));

} // namespace

BENCHMARK_MAIN();
