#include "common/Cod_Fiscal.h"
#include "common/Operatii_String.h"
#include "common/Verifica_Exista_Fisier.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFisiereSiTexte : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_file;   // an existing file
    QString m_folder; // an existing, empty folder

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_file = m_dir.filePath(u"f.txt"_s);
        QFile f(m_file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x");
        f.close();
        m_folder = m_dir.filePath(u"gol"_s);
        QVERIFY(QDir().mkdir(m_folder));
    }

    void codFiscalDeclarabil_data()
    {
        QTest::addColumn<QString>("cod");
        QTest::addColumn<bool>("declarabil");
        QTest::newRow("RO and digits") << u"RO0000001"_s << true;
        QTest::newRow("digits only") << u"1234"_s << true;
        QTest::newRow("ten digits after RO") << u"RO1234567890"_s << true;
        QTest::newRow("eleven digits") << u"RO12345678901"_s << false;
        QTest::newRow("blank, dot and slash") << u"RO 12.345/6"_s << false;
        QTest::newRow("letter and quote") << u"012'; DP--"_s << false;
        QTest::newRow("lower-case ro stays") << u"ro123"_s << false;
        QTest::newRow("RO alone") << u"RO"_s << false;
        QTest::newRow("empty") << QString() << false;
    }
    void codFiscalDeclarabil()
    {
        QFETCH(QString, cod);
        QFETCH(bool, declarabil);
        QCOMPARE(Cod_Fiscal_Declarabil(cod), declarabil);
    }

    void scoateGhilimele_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks and quotes") << u"  \"/x/f.txt\"  "_s << u"/x/f.txt"_s;
        QTest::newRow("opening quote only") << u"\"abc"_s << u"\"abc"_s;
        QTest::newRow("inner quotes stay") << u"\"a\"b\""_s << u"a\"b"_s;
        QTest::newRow("single quote char") << u" \" "_s << u"\""_s;
        QTest::newRow("two quotes") << u"\"\""_s << QString();
        QTest::newRow("tab is not trimmed") << u"\t\"a\""_s << u"\t\"a\""_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void scoateGhilimele()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Scoate_Ghilimele(text), expected);
    }

    void existaFisier_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("expected");
        QTest::newRow("plain") << u"%F"_s << true;
        QTest::newRow("quoted with blanks") << u"  \"%F\"  "_s << true;
        QTest::newRow("trailing slash") << u"%F/"_s << true;
        QTest::newRow("trailing backslash") << u"%F\\"_s << true;
        QTest::newRow("two trailing slashes") << u"%F//"_s << false;
        QTest::newRow("existing folder") << u"%D"_s << false;
        QTest::newRow("existing folder with slash") << u"%D/"_s << false;
        QTest::newRow("missing") << u"%D/nu-exista.txt"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("quotes only") << u"\"\""_s << false;
    }
    void existaFisier()
    {
        QFETCH(QString, path);
        QFETCH(bool, expected);
        path.replace(u"%F"_s, m_file).replace(u"%D"_s, m_folder);
        QCOMPARE(Exista_Fisier(path), expected);
    }

    void existaDirector_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("expected");
        QTest::newRow("folder") << u"%D"_s << true;
        QTest::newRow("folder with slash") << u"%D/"_s << true;
        QTest::newRow("folder with backslash") << u"%D\\"_s << true;
        QTest::newRow("existing file") << u"%F"_s << true;
        QTest::newRow("missing") << u"%D/nu-exista"_s << false;
        QTest::newRow("under a missing folder") << u"%D/lipsa/x"_s << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("one blank") << u" "_s << false;
    }
    void existaDirector()
    {
        QFETCH(QString, path);
        QFETCH(bool, expected);
        path.replace(u"%F"_s, m_file).replace(u"%D"_s, m_folder);
        QCOMPARE(Exista_Director(path), expected);
    }

    void imparteString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("delim");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("empty piece between")
            << u"a,b,,c"_s << u","_s << QStringList{u"a"_s, u"b"_s, QString(), u"c"_s};
        QTest::newRow("empty text") << QString() << u","_s << QStringList{QString()};
        QTest::newRow("no delimiter") << u"abc"_s << u","_s << QStringList{u"abc"_s};
        QTest::newRow("two characters") << u"aXYbXYc"_s << u"XY"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("case-sensitive") << u"a"_s << u"A"_s << QStringList{u"a"_s};
        QTest::newRow("leading and trailing")
            << u",a,"_s << u","_s << QStringList{QString(), u"a"_s, QString()};
        QTest::newRow("no overlap") << u"aaa"_s << u"aa"_s << QStringList{QString(), u"a"_s};
        QTest::newRow("script separator")
            << u"A\r\nGO\r\nB"_s << u"\r\nGO\r\n"_s << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("empty delimiter") << u"a,b"_s << QString() << QStringList{u"a,b"_s};
    }
    void imparteString()
    {
        QFETCH(QString, text);
        QFETCH(QString, delim);
        QFETCH(QStringList, pieces);
        QStringList list{u"vechi"_s, u"continut"_s, u"inlocuit"_s};
        const qint16 n = Imparte_String(list, text, delim);
        QCOMPARE(n, pieces.size());
        QCOMPARE(list.size(), pieces.size() + 1);
        QCOMPARE(list.first(), QString()); // element 0
        QCOMPARE(list.mid(1), pieces);
    }

    void imparteStringOverflow()
    {
        QStringList list;
        QString error;
        // 32767 pieces fit.
        QCOMPARE(Imparte_String(list, QString(32766, u','), u","_s, &error), qint16(32767));
        QVERIFY(error.isEmpty());
        // One more is an overflow, reported, with nothing half-filled.
        QCOMPARE(Imparte_String(list, QString(32767, u','), u","_s, &error), qint16(-1));
        QVERIFY(!error.isEmpty());
        QCOMPARE(list, QStringList{QString()});
    }
};

QTEST_GUILESS_MAIN(TestFisiereSiTexte)
#include "tst_fisiere_si_texte.moc"
