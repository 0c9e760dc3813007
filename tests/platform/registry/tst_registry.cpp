// The registry kept in REGEDIT4 text files: what the files hold, how names
// match, what is kept, refused and reported.

#include "platform/registry/registry.h"
#include "platform/ui/mesaj.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace reg;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// Reads a value the way the settings store does: type and size, then data.
struct Read
{
    long code = -1;
    std::uint32_t type = REG_NONE;
    std::uint32_t size = 0;
    QString text;
    std::uint32_t number = 0;
};

Read readValue(HKEY root, const QString& key, const QString& name)
{
    Read r;
    HKEY h = 0;
    r.code = openKey(root, key, KEY_ALL_SPECIFIC, &h);
    if (r.code != ERROR_SUCCESS)
        return r;
    r.code = queryValue(h, name, &r.type, &r.size);
    if (r.code == ERROR_SUCCESS && r.type == REG_SZ) {
        QString buffer;
        std::uint32_t size = r.size;
        r.code = queryTextValue(h, name, &buffer, &size);
        r.text = buffer.left(size - 1);
    } else if (r.code == ERROR_SUCCESS && r.type == REG_DWORD) {
        r.code = queryDWordValue(h, name, &r.number);
    }
    closeKey(h);
    return r;
}

long writeText(HKEY root, const QString& key, const QString& name, const QString& text)
{
    HKEY h = 0;
    long code = createKey(root, key, KEY_ALL_SPECIFIC, &h);
    if (code != ERROR_SUCCESS)
        return code;
    code = setTextValue(h, name, text + QChar(u'\0'), static_cast<std::uint32_t>(text.size() + 1));
    closeKey(h);
    return code;
}

} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString hklm() const { return m_dir->path() + u"/HKEY_LOCAL_MACHINE.reg"_s; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv("QUORVEL_REGISTRY_DIR", QFile::encodeName(m_dir->path()));
        qunsetenv("QUORVEL_REGISTRY_READONLY");
        ui::testing::setEnabled(true);
        ui::testing::clear();
    }
    void cleanup()
    {
        QCOMPARE(openKeyCount(), 0);
        qunsetenv("QUORVEL_REGISTRY_READONLY");
    }

    void rootsAndFiles()
    {
        QCOMPARE(rootName(HKEY_LOCAL_MACHINE), u"HKEY_LOCAL_MACHINE"_s);
        QCOMPARE(rootName(HKEY_DYN_DATA), u"HKEY_DYN_DATA"_s);
        QCOMPARE(rootName(0x80000007u), QString());
        QCOMPARE(rootFile(HKEY_CURRENT_USER), m_dir->path() + u"/HKEY_CURRENT_USER.reg"_s);
        qunsetenv("QUORVEL_REGISTRY_DIR");
        QCOMPARE(rootFile(HKEY_LOCAL_MACHINE), u"/var/lib/quorvel/registry/HKEY_LOCAL_MACHINE.reg"_s);
        QVERIFY(rootFile(HKEY_CURRENT_USER).endsWith(u"/quorvel/registry/HKEY_CURRENT_USER.reg"_s));
        QVERIFY(!rootFile(HKEY_CURRENT_USER).startsWith(u"/var/lib/"_s));
    }

    // Files as an editor or an export writes them.
    void readsTheFileFormat_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("number");
        QTest::addColumn<uint>("size");

        const QByteArray head = "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\VELMORANT\\Quorvel]\n";
        QTest::newRow("text") << head + "\"AppPath\"=\"/opt/quorvel\"\n"
                              << u"Software\\VELMORANT\\Quorvel"_s << u"AppPath"_s << uint(REG_SZ)
                              << u"/opt/quorvel"_s << 0u << 13u;
        QTest::newRow("escapes") << head + "\"x\"=\"a\\\"b\\\\c\"\n"
                                 << u"Software\\VELMORANT\\Quorvel"_s << u"x"_s << uint(REG_SZ)
                                 << u"a\"b\\c"_s << 0u << 6u;
        QTest::newRow("dword") << head + "\"Meniu_Color\"=dword:00c0ffff\n"
                               << u"Software\\VELMORANT\\Quorvel"_s << u"Meniu_Color"_s << uint(REG_DWORD)
                               << QString() << 0xC0FFFFu << 4u;
        QTest::newRow("default value")
            << QByteArray(
                   "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
                   "Paths\\IEXPLORE.EXE]\n@=\"/usr/bin/xdg-open\"\n")
            << u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"_s << QString()
            << uint(REG_SZ) << u"/usr/bin/xdg-open"_s << 0u << 18u;
        QTest::newRow("names ignore case")
            << head + "\"AppPath\"=\"/opt/q\"\n"
            << u"SOFTWARE\\velmorant\\QUORVEL"_s << u"apppath"_s << uint(REG_SZ) << u"/opt/q"_s << 0u << 7u;
        QTest::newRow("UTF-8 text") << head + "\"Nume\"=\"Bra\xc8\x99ov\"\n"
                                    << u"Software\\VELMORANT\\Quorvel"_s << u"Nume"_s << uint(REG_SZ)
                                    << u"Bra\u0219ov"_s << 0u << 7u;
        QTest::newRow("CR LF lines") << QByteArray(
                                            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\A]\r\n\"v\"=\"w\"\r\n")
                                     << u"A"_s << u"v"_s << uint(REG_SZ) << u"w"_s << 0u << 2u;
        QTest::newRow("expandable text")
            << head + "\"p\"=hex(2):25,00\n"
            << u"Software\\VELMORANT\\Quorvel"_s << u"p"_s << uint(REG_EXPAND_SZ) << QString() << 0u << 2u;
        QTest::newRow("binary over lines")
            << head + "\"b\"=hex:01,02,03,\\\n  04,05\n\"after\"=\"x\"\n"
            << u"Software\\VELMORANT\\Quorvel"_s << u"b"_s << uint(REG_BINARY) << QString() << 0u << 5u;
        QTest::newRow("value after a long datum")
            << head + "\"b\"=hex:01,02,03,\\\n  04,05\n\"after\"=\"x\"\n"
            << u"Software\\VELMORANT\\Quorvel"_s << u"after"_s << uint(REG_SZ) << u"x"_s << 0u << 2u;
        QTest::newRow("key known only by a key below it")
            << QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A\\B\\C]\n\"v\"=\"w\"\n") << u"A\\B"_s << u"v"_s
            << uint(0) << QString() << 0u << 0u;
    }
    void readsTheFileFormat()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(uint, type);
        QFETCH(QString, text);
        QFETCH(uint, number);
        QFETCH(uint, size);
        writeAll(hklm(), file);
        const Read r = readValue(HKEY_LOCAL_MACHINE, key, name);
        if (type == 0) { // the key opens, the value is not there
            QCOMPARE(r.code, ERROR_FILE_NOT_FOUND);
            HKEY h = 0;
            QCOMPARE(openKey(HKEY_LOCAL_MACHINE, key, KEY_ALL_SPECIFIC, &h), ERROR_SUCCESS);
            closeKey(h);
            return;
        }
        QCOMPARE(r.code, ERROR_SUCCESS);
        QCOMPARE(r.type, type);
        QCOMPARE(r.size, size);
        QCOMPARE(r.text, text);
        QCOMPARE(r.number, number);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    void writesTheFileFormat()
    {
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"Software\\VELMORANT\\Quorvel"_s, u"AppPath"_s,
                           u"/home/o'neil/\"q\"\\x"_s),
                 ERROR_SUCCESS);
        HKEY h = 0;
        QCOMPARE(openKey(HKEY_LOCAL_MACHINE, u"software\\velmorant\\quorvel"_s, KEY_ALL_SPECIFIC, &h),
                 ERROR_SUCCESS);
        QCOMPARE(setDWordValue(h, u"Meniu_Color"_s, 0xC0FFFFu), ERROR_SUCCESS);
        QCOMPARE(setTextValue(h, QString(), u"implicit"_s, 9), ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        const QByteArray expected = "REGEDIT4\n"
                                    "\n[HKEY_LOCAL_MACHINE\\Software]\n"
                                    "\n[HKEY_LOCAL_MACHINE\\Software\\VELMORANT]\n"
                                    "\n[HKEY_LOCAL_MACHINE\\Software\\VELMORANT\\Quorvel]\n"
                                    "\"AppPath\"=\"/home/o'neil/\\\"q\\\"\\\\x\"\n"
                                    "\"Meniu_Color\"=dword:00c0ffff\n"
                                    "@=\"implicit\"\n"
                                    "\n";
        QCOMPARE(readAll(hklm()), expected);
    }

    // What goes in comes out, through a fresh read of the file each time.
    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QString();
        QTest::newRow("quote and backslash") << u"C:\\Program Files\\\"x\"\\"_s;
        QTest::newRow("single quote") << u"o'neil"_s;
        QTest::newRow("line breaks") << u"one\r\ntwo\nthree"_s;
        QTest::newRow("diacritics") << u"\u0218tefan \u0103\u00ee\u00e2\u021b"_s;
        QTest::newRow("brackets and equals") << u"[x]=\"y\"@"_s;
    }
    void textRoundTrip()
    {
        QFETCH(QString, text);
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A\\B"_s, u"v"_s, text), ERROR_SUCCESS);
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A\\B"_s, u"w"_s, u"next"_s), ERROR_SUCCESS);
        const Read r = readValue(HKEY_LOCAL_MACHINE, u"A\\B"_s, u"v"_s);
        QCOMPARE(r.code, ERROR_SUCCESS);
        QCOMPARE(r.type, REG_SZ);
        QCOMPARE(r.text, text);
        QCOMPARE(r.size, std::uint32_t(text.size() + 1));
        QCOMPARE(readValue(HKEY_LOCAL_MACHINE, u"A\\B"_s, u"w"_s).text, u"next"_s);
    }

    void textIsCutAtItsSizeAndNul()
    {
        HKEY h = 0;
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"A"_s, KEY_ALL_SPECIFIC, &h), ERROR_SUCCESS);
        QCOMPARE(setTextValue(h, u"a"_s, u"abcdef"_s, 4), ERROR_SUCCESS);
        QCOMPARE(setTextValue(h, u"b"_s, u"ab\0cd"_s, 6), ERROR_SUCCESS);
        QString buffer;
        std::uint32_t size = 2;
        QCOMPARE(queryTextValue(h, u"a"_s, &buffer, &size), ERROR_MORE_DATA);
        QCOMPARE(size, 5u);
        QCOMPARE(queryTextValue(h, u"a"_s, &buffer, &size), ERROR_SUCCESS);
        QCOMPARE(buffer, u"abcd\0"_s);
        size = 10;
        QCOMPARE(queryTextValue(h, u"b"_s, &buffer, &size), ERROR_SUCCESS);
        QCOMPARE(size, 3u);
        std::uint32_t n = 0;
        QCOMPARE(queryDWordValue(h, u"a"_s, &n), ERROR_INVALID_PARAMETER);
        closeKey(h);
    }

    // A value of another kind, and lines we do not understand, survive a
    // rewrite of the file exactly as they were.
    void otherTypesKeptAsTheyAre()
    {
        const QByteArray other = "\"p\"=hex(2):25,00,50,00,\\\n  00,00\n\"m\"=hex(7):61,00,00\n";
        writeAll(hklm(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n" + other + "\"t\"=\"old\"\n");
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"t"_s, u"new"_s), ERROR_SUCCESS);
        const QByteArray after = readAll(hklm());
        QVERIFY2(after.contains(other), after.constData());
        QVERIFY(after.contains("\"t\"=\"new\"\n"));
        const Read r = readValue(HKEY_LOCAL_MACHINE, u"A"_s, u"p"_s);
        QCOMPARE(r.type, REG_EXPAND_SZ);
        QCOMPARE(r.size, 6u);

        // A text written over a value of another kind replaces it.
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"P"_s, u"plain"_s), ERROR_SUCCESS);
        const Read p = readValue(HKEY_LOCAL_MACHINE, u"A"_s, u"p"_s);
        QCOMPARE(p.type, REG_SZ);
        QCOMPARE(p.text, u"plain"_s);
        QVERIFY(readAll(hklm()).contains("\"p\"=\"plain\"\n")); // first spelling kept
    }

    void keysMustExistToOpen()
    {
        HKEY h = 123;
        QCOMPARE(openKey(HKEY_LOCAL_MACHINE, u"Software\\VELMORANT"_s, KEY_ALL_SPECIFIC, &h),
                 ERROR_FILE_NOT_FOUND);
        QCOMPARE(h, HKEY(0));
        QVERIFY(!QFile::exists(hklm())); // reading creates nothing

        std::uint32_t disposition = 0;
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"Software\\VELMORANT\\Quorvel\\Setari\\Culori"_s,
                           KEY_ALL_SPECIFIC, &h, &disposition),
                 ERROR_SUCCESS);
        QCOMPARE(disposition, REG_CREATED_NEW_KEY);
        QVERIFY(h != 0);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\velmorant\\QUORVEL\\setari\\culori"_s,
                           KEY_ALL_SPECIFIC, &h, &disposition),
                 ERROR_SUCCESS);
        QCOMPARE(disposition, REG_OPENED_EXISTING_KEY);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        for (const QString& k :
             {u"Software"_s, u"software\\velmorant"_s, u"Software\\VELMORANT\\Quorvel\\Setari"_s}) {
            QCOMPARE(openKey(HKEY_LOCAL_MACHINE, k, KEY_ALL_SPECIFIC, &h), ERROR_SUCCESS);
            QCOMPARE(closeKey(h), ERROR_SUCCESS);
        }
        // A key below an existing one keeps the spelling of the existing part.
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\VELMORANT\\EU"_s, KEY_ALL_SPECIFIC, &h),
                 ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        QVERIFY(readAll(hklm()).contains("[HKEY_LOCAL_MACHINE\\Software\\VELMORANT\\EU]\n"));
        // A key known only by a key below it lends its spelling too.
        writeAll(hklm(), "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows]\n");
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"Software\\Vendor"_s, KEY_ALL_SPECIFIC, &h), ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        QCOMPARE(readAll(hklm()),
                 QByteArray("REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows]\n"
                            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n"
                            "\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vendor]\n\n"));
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"Software\\VELMORANT\\EU"_s, KEY_ALL_SPECIFIC, &h),
                 ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        // Opening below an open key.
        HKEY parent = 0;
        QCOMPARE(openKey(HKEY_LOCAL_MACHINE, u"Software"_s, KEY_ALL_SPECIFIC, &parent), ERROR_SUCCESS);
        QCOMPARE(openKey(parent, u"VELMORANT\\EU"_s, KEY_ALL_SPECIFIC, &h), ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        QCOMPARE(openKey(parent, u"VELMORANT\\Missing"_s, KEY_ALL_SPECIFIC, &h), ERROR_FILE_NOT_FOUND);
        QCOMPARE(closeKey(parent), ERROR_SUCCESS);
    }

    void handles()
    {
        HKEY h = 0;
        QCOMPARE(createKey(HKEY_CURRENT_USER, u"A"_s, KEY_ALL_SPECIFIC, &h), ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        QCOMPARE(closeKey(h), ERROR_INVALID_HANDLE);
        QCOMPARE(setDWordValue(h, u"x"_s, 1), ERROR_INVALID_HANDLE);
        std::uint32_t type = 0;
        QCOMPARE(queryValue(h, u"x"_s, &type, nullptr), ERROR_INVALID_HANDLE);
        QCOMPARE(queryValue(0, u"x"_s, &type, nullptr), ERROR_INVALID_HANDLE);
        // Each root has its own file; a root is an open key of its own.
        QCOMPARE(setDWordValue(HKEY_CURRENT_USER, u"top"_s, 7), ERROR_SUCCESS);
        QVERIFY(QFile::exists(m_dir->path() + u"/HKEY_CURRENT_USER.reg"_s));
        QVERIFY(!QFile::exists(hklm()));
        QCOMPARE(readValue(HKEY_CURRENT_USER, QString(), u"top"_s).number, 7u);
        // A key opened for reading only refuses writes.
        QCOMPARE(openKey(HKEY_CURRENT_USER, u"A"_s, KEY_QUERY_VALUE, &h), ERROR_SUCCESS);
        QCOMPARE(setDWordValue(h, u"x"_s, 1), ERROR_ACCESS_DENIED);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
    }

    // As for a user without rights on HKEY_LOCAL_MACHINE: reading works,
    // writing is refused without a message and changes nothing.
    void readOnlyRootRefusesWrites()
    {
        QCOMPARE(
            writeText(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_s, u"v"_s, u"1"_s),
            ERROR_SUCCESS);
        const QByteArray before = readAll(hklm());
        qputenv("QUORVEL_REGISTRY_READONLY", "HKEY_LOCAL_MACHINE");
        QVERIFY(isReadOnly(HKEY_LOCAL_MACHINE));
        QVERIFY(!isReadOnly(HKEY_CURRENT_USER));

        HKEY h = 0;
        QCOMPARE(openKey(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_s,
                         KEY_ALL_SPECIFIC, &h),
                 ERROR_SUCCESS);
        QCOMPARE(setTextValue(h, u"Can_Be_Deleted"_s, u"No Value"_s, 9), ERROR_ACCESS_DENIED);
        QCOMPARE(setDWordValue(h, u"v"_s, 2), ERROR_ACCESS_DENIED);
        QCOMPARE(closeKey(h), ERROR_SUCCESS);
        QCOMPARE(createKey(HKEY_LOCAL_MACHINE, u"Software\\New"_s, KEY_ALL_SPECIFIC, &h),
                 ERROR_ACCESS_DENIED);
        QCOMPARE(h, HKEY(0));
        QCOMPARE(
            readValue(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_s, u"v"_s).text,
            u"1"_s);
        QCOMPARE(readAll(hklm()), before);
        QVERIFY(ui::testing::messages().isEmpty());

        QCOMPARE(writeText(HKEY_CURRENT_USER, u"A"_s, u"v"_s, u"x"_s), ERROR_SUCCESS);
    }

    // A file that cannot be read, or a write that fails, is reported once
    // with the file's name and the reason; the calls fail and nothing ends.
    void unreadableFileIsReported()
    {
        QVERIFY(QDir().mkdir(hklm())); // a folder where the file should be
        HKEY h = 0;
        QVERIFY(openKey(HKEY_LOCAL_MACHINE, u"A"_s, KEY_ALL_SPECIFIC, &h) != ERROR_SUCCESS);
        QVERIFY(openKey(HKEY_LOCAL_MACHINE, u"B"_s, KEY_ALL_SPECIFIC, &h) != ERROR_SUCCESS);
        QVERIFY(createKey(HKEY_LOCAL_MACHINE, u"A"_s, KEY_ALL_SPECIFIC, &h) != ERROR_SUCCESS);
        QCOMPARE(h, HKEY(0));
        const QList<ui::testing::Call> shown = ui::testing::messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(hklm()), qPrintable(shown[0].text));
        QVERIFY(shown[0].text.contains(u"citit"_s));
        QCOMPARE(shown[0].icon, ui::Icon::Critical);
    }

    void failedWriteIsReportedAndKeepsTheOldFile()
    {
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s, u"old"_s), ERROR_SUCCESS);
        const QByteArray before = readAll(hklm());
        QVERIFY(QDir().mkdir(hklm() + u".new"_s)); // the side file cannot be made
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s, u"new"_s), ERROR_WRITE_FAULT);
        QCOMPARE(readAll(hklm()), before);
        const QList<ui::testing::Call> shown = ui::testing::messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].text.contains(hklm()), qPrintable(shown[0].text));
        QVERIFY(shown[0].text.contains(u"scris"_s));
        QVERIFY(QDir().rmdir(hklm() + u".new"_s));
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s, u"new"_s), ERROR_SUCCESS);
        QCOMPARE(readValue(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s).text, u"new"_s);
    }

    // A side file left by a write that never finished does not disturb the
    // next one.
    void staleSideFileIsReplaced()
    {
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s, u"old"_s), ERROR_SUCCESS);
        writeAll(hklm() + u".new"_s, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\A]\n\"v\"=\"half");
        QCOMPARE(readValue(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s).text, u"old"_s);
        QCOMPARE(writeText(HKEY_LOCAL_MACHINE, u"A"_s, u"w"_s, u"x"_s), ERROR_SUCCESS);
        QVERIFY(!QFile::exists(hklm() + u".new"_s));
        QCOMPARE(readValue(HKEY_LOCAL_MACHINE, u"A"_s, u"v"_s).text, u"old"_s);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
