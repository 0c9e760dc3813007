// The program folder the build lays out: folders, text files, the registry
// seed file, and the builder tool's all-or-nothing database build.

#include "seedtree.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

class TestInstallLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_tree;

    QString path(const QString& relative) const { return m_tree->path() + u'/' + relative; }

    QByteArray read(const QString& relative) const
    {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(!installtest::seedTree().isEmpty(), "QUORVEL_SEED_TREE is not set");
        m_tree = installtest::copySeedTree();
        QVERIFY2(m_tree, "cannot copy the seeded program folder");
    }

    void folders_data();
    void folders();
    void files_data();
    void files();
    void textFilesUseCrLf_data();
    void textFilesUseCrLf();
    void pdfTextAsHtml_data();
    void pdfTextAsHtml();
    void pdfPicturesFitThePage();
    void gridQueryAndImportKinds();
    void reportDefinition();
    void machineRegistrySeed();
    void noTemporaryFilesLeft();
    void builderLeavesNoHalfDatabase();
    void builderRefusesMissingScript();
};

void TestInstallLayout::folders_data()
{
    QTest::addColumn<QString>("folder");
    for (const char* f :
         {"System/DataBase/CompactDB", "System/DataBase/CN", "System/IntrastatSave", "System/Verificare",
          "System/Default", "System/Layout", "System/Rapoarte/HTML", "System/Rapoarte/PDF", "System/Imagini",
          "System/SQL", "System/ComboBox", "System/ReportDefinition", "System/Help", "System/HS",
          "System/Registry", "Registry"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void TestInstallLayout::folders()
{
    QFETCH(QString, folder);
    QVERIFY(QFileInfo(path(folder)).isDir());
}

void TestInstallLayout::files_data()
{
    QTest::addColumn<QString>("file");
    for (const char* f :
         {"System/Registry/reg.mdb", "System/DataBase/Comun.mdb", "System/DataBase/goala.mdb",
          "System/DataBase/RO0000001.mdb", "System/DataBase/CN/CN2025.mdb", "System/DataBase/CN/CN2026.mdb",
          "System/SQL/Intrastat.txt",
          "System/ComboBox/Frm_Structura_Fisiere.ModPreluare.txt", "System/ReportDefinition/UE_Reports.xml",
          "System/Help/Manual.Html", "System/HS/Explicativ.Html", "Registry/HKEY_LOCAL_MACHINE.reg",
          "System/Help/Manual.Pdf", "System/HS/Explicativ.Pdf", "System/Help/Manual/01_selectare_firma.png"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void TestInstallLayout::files()
{
    QFETCH(QString, file);
    const QFileInfo info(path(file));
    QVERIFY(info.isFile());
    QVERIFY(info.size() > 0);
    if (file.endsWith(u".mdb"))
        QVERIFY(read(file).startsWith("SQLite format 3"));
    if (file.endsWith(u".Pdf")) {
        const QByteArray pdf = read(file);
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
    }
}

void TestInstallLayout::textFilesUseCrLf_data()
{
    QTest::addColumn<QString>("file");
    for (const char* f : {"System/SQL/Intrastat.txt", "System/ComboBox/Frm_Structura_Fisiere.ModPreluare.txt",
                          "System/ReportDefinition/UE_Reports.xml", "System/Help/Manual.Html",
                          "System/HS/Explicativ.Html", "Registry/HKEY_LOCAL_MACHINE.reg"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void TestInstallLayout::textFilesUseCrLf()
{
    QFETCH(QString, file);
    const QByteArray content = read(file);
    QVERIFY(content.endsWith("\r\n"));
    QCOMPARE(content.count("\n"), content.count("\r\n"));
    QVERIFY(!content.startsWith("\xEF\xBB\xBF")); // UTF-8 without a byte-order mark
}

namespace {

// The output of one of poppler's tools; empty when it fails or is missing.
QString poppler(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text a reader sees of an HTML page: the body without its tags.
QString htmlText(const QString& html)
{
    QString text = html;
    text.remove(QRegularExpression(u"<head>.*</head>"_s, QRegularExpression::DotMatchesEverythingOption));
    text.remove(QRegularExpression(u"<[^>]*>"_s));
    text.replace(u"&nbsp;"_s, u" "_s).replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s);
    return text.replace(u"&quot;"_s, u"\""_s).replace(u"&amp;"_s, u"&"_s);
}

} // namespace

// A search of the PDF editions finds every word the HTML pages hold: the
// letters are set one glyph each, never as a ligature ("fi" as U+FB01).
void TestInstallLayout::pdfTextAsHtml_data()
{
    QTest::addColumn<QString>("document");
    QTest::newRow("manual") << u"System/Help/Manual"_s;
    QTest::newRow("explanatory notes") << u"System/HS/Explicativ"_s;
}

void TestInstallLayout::pdfTextAsHtml()
{
    QFETCH(QString, document);
    const QString html = htmlText(QString::fromUtf8(read(document + u".Html"_s)));
    const QString pdf = poppler(u"pdftotext"_s, {path(document + u".Pdf"_s), u"-"_s});
    QVERIFY2(!pdf.isEmpty(), "pdftotext gave nothing: is poppler-utils installed?");
    QVERIFY2(!pdf.contains(QRegularExpression(u"[\\x{FB00}-\\x{FB06}]"_s)),
             "a ligature glyph in the PDF's text");
    for (const QString& word : {u"fisier"_s, u"firma"_s, u"fi"_s, u"fl"_s}) {
        const QRegularExpression re(word, QRegularExpression::CaseInsensitiveOption);
        QCOMPARE(pdf.count(re), html.count(re));
    }
    if (document.endsWith(u"Manual"_s))
        QVERIFY(html.count(u"fisier"_s) > 20); // the words are there to be found
}

// The manual's pictures are each at its own size, or narrowed to the text
// width of an A4 page (17 cm between the margins); none is enlarged.
void TestInstallLayout::pdfPicturesFitThePage()
{
    const QString list = poppler(u"pdfimages"_s, {u"-list"_s, path(u"System/Help/Manual.Pdf"_s)});
    QVERIFY2(!list.isEmpty(), "pdfimages gave nothing: is poppler-utils installed?");
    const qsizetype pictures = QString::fromUtf8(read(u"System/Help/Manual.Html"_s)).count(u"<img "_s);
    QVERIFY(pictures > 10);
    int seen = 0;
    for (const QString& line : list.split(u'\n')) {
        const QStringList f = line.simplified().split(u' ');
        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        if (f.size() < 14 || f.at(2) != u"image"_s)
            continue;
        ++seen;
        const double width = f.at(3).toDouble();
        const double ppi = f.at(12).toDouble();
        QVERIFY2(ppi >= 95.5, qPrintable(line));
        // pdfimages gives the resolution in whole points per inch.
        QVERIFY2(width / (ppi + 1) * 25.4 <= 170.5, qPrintable(line));
    }
    QCOMPARE(seen, pictures);
}

void TestInstallLayout::gridQueryAndImportKinds()
{
    QCOMPARE(read(u"System/SQL/Intrastat.txt"_s),
             QByteArray(
                 "SELECT TIP,Cod_Fiscal,Anul,Luna,Record_ID,Cod_NC,Descriere_NC,Tara_Orig,Tara_Exp,Tara_Dest,"
                 "Val_Fiscala,Val_Stat,Net,Cod_UMS,Val_UMS,Nat_Tranz,Incoterms,Mod_Transp,"
                 "Document_Numar_Referinta,Document_Data_Referinta,Descriere,Cantitate,UM,Valoare_Valuta,"
                 "Moneda,Curs_Schimb,VAT_ID,SourceFile,Data_Preluare,UserName,Probleme,Exista_UMS "
                 "FROM INTRASTAT\r\n"));
    QCOMPARE(read(u"System/ComboBox/Frm_Structura_Fisiere.ModPreluare.txt"_s),
             QByteArray("ACHIZITIE\r\nLIVRARE\r\n"));
}

void TestInstallLayout::reportDefinition()
{
    QXmlStreamReader xml(read(u"System/ReportDefinition/UE_Reports.xml"_s));
    bool found = false;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"Report" &&
            xml.attributes().value(u"Name"_s) == u"Declaratie_Intrastat") {
            found = true;
            QCOMPARE(xml.attributes().value(u"Id"_s).toString(), u"10001"_s);
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(found);
}

void TestInstallLayout::machineRegistrySeed()
{
    const QString text = QString::fromUtf8(read(u"Registry/HKEY_LOCAL_MACHINE.reg"_s));
    const QStringList lines = text.split(u"\r\n"_s);
    QCOMPARE(lines.first(), u"REGEDIT4"_s);
    QVERIFY(lines.contains(u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]"_s));
    for (const QString& viewer : {u"IEXPLORE.EXE"_s, u"AcroRd32.exe"_s}) {
        const qsizetype at = lines.indexOf(
            u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\"_s + viewer +
            u']');
        QVERIFY2(at > 0 && at + 1 < lines.size(), qPrintable(viewer));
        QVERIFY2(lines[at + 1].startsWith(u"@=\"/"_s) && lines[at + 1].endsWith(u"/xdg-open\""_s),
                 qPrintable(lines[at + 1]));
    }
}

void TestInstallLayout::noTemporaryFilesLeft()
{
    QDirIterator it(m_tree->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        QVERIFY2(!f.endsWith(u".tmp"_s) && !f.endsWith(u"-journal"_s), qPrintable(f));
    }
}

void TestInstallLayout::builderLeavesNoHalfDatabase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = dir.filePath(u"good.sql"_s);
    const QString bad = dir.filePath(u"bad.sql"_s);
    QFile g(good);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write("CREATE TABLE T (A TEXT(2) COLLATE NOCASE);\nINSERT INTO T VALUES ('x');\n");
    g.close();
    QFile b(bad);
    QVERIFY(b.open(QIODevice::WriteOnly));
    b.write("INSERT INTO Missing VALUES (1);\n");
    b.close();

    // A failing script leaves neither the database nor its temporary file.
    const QString target = dir.filePath(u"sub/x.mdb"_s);
    QCOMPARE(QProcess::execute(QStringLiteral(QUORVEL_MKDB), {u"db"_s, target, good, bad}), 1);
    QVERIFY(!QFileInfo::exists(target));
    QVERIFY(!QFileInfo::exists(target + u".tmp"_s));

    // A failing rebuild keeps the database that was there.
    QCOMPARE(QProcess::execute(QStringLiteral(QUORVEL_MKDB), {u"db"_s, target, good}), 0);
    QVERIFY(QFileInfo(target).isFile());
    const QByteArray before = [&] {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    QCOMPARE(QProcess::execute(QStringLiteral(QUORVEL_MKDB), {u"db"_s, target, good, bad}), 1);
    QFile after(target);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
    QVERIFY(!QFileInfo::exists(target + u".tmp"_s));
}

void TestInstallLayout::builderRefusesMissingScript()
{
    QTemporaryDir dir;
    const QString target = dir.filePath(u"y.mdb"_s);
    QCOMPARE(QProcess::execute(QStringLiteral(QUORVEL_MKDB), {u"db"_s, target, dir.filePath(u"none.sql"_s)}),
             1);
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(
        QProcess::execute(QStringLiteral(QUORVEL_MKDB), {u"text"_s, dir.filePath(u"none.txt"_s), target}), 1);
    QVERIFY(!QFileInfo::exists(target));
}

QTEST_GUILESS_MAIN(TestInstallLayout)
#include "tst_install_layout.moc"
