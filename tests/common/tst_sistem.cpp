#include "common/Globale.h"
#include "common/Module_UserName.h"
#include "common/RegistriiOperatii.h"
#include "common/Setari_Regionale.h"
#include "common/User_WorkStation_Name.h"
#include "platform/sys/system.h"
#include "platform/ui/mesaj.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::optional<QString>)

class TestSistem : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ui::testing::setEnabled(true);
        ui::testing::clear();
        Reseteaza_Globale_Sistem();
    }
    void cleanup()
    {
        sys::testing::reset();
        ui::testing::clear();
        ui::testing::setEnabled(false);
        Reseteaza_Globale_Sistem();
    }

    void namingTable_data()
    {
        QTest::addColumn<int>("platform");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<QString>("text");
        QTest::newRow("2000") << 2 << 5 << 0 << u"Windows 2000 version: 5.0"_s;
        QTest::newRow("XP") << 2 << 5 << 1 << u"Windows XP version: 5.1"_s;
        QTest::newRow("5.2 has no name") << 2 << 5 << 2 << u" version: 5.2"_s;
        QTest::newRow("NT 4") << 2 << 4 << 0 << u"Windows NT version: 4.0"_s;
        QTest::newRow("NT 3.51") << 2 << 3 << 51 << u"Windows NT version: 3.51"_s;
        QTest::newRow("above 5 like 5") << 2 << 6 << 1 << u"Windows XP version: 6.1"_s;
        QTest::newRow("Millennium") << 1 << 4 << 90 << u"Windows Millennium version: 4.90"_s;
        QTest::newRow("9X") << 1 << 4 << 85 << u"Windows 9X version: 4.85"_s;
        QTest::newRow("98 range top") << 1 << 4 << 80 << u"Windows 98 version: 4.80"_s;
        QTest::newRow("98 range bottom") << 1 << 4 << 0 << u"Windows 98 version: 4.0"_s;
        QTest::newRow("32s") << 0 << 3 << 10 << u"Windows 32s version: 3.10"_s;
        QTest::newRow("unknown platform") << 3 << 1 << 0 << u" version: 1.0"_s;
    }
    void namingTable()
    {
        QFETCH(int, platform);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(QString, text);
        QCOMPARE(Text_Versiune(platform, major, minor), text);
    }

    void versionOnThisSystem()
    {
        QCOMPARE(Versiune_Windows(), 2);
        QVERIFY(!Text_Versiune_Windows.isEmpty());
        QVERIFY(Text_Versiune_Windows.startsWith(u"Linux versiunea "_s));
        QVERIFY(ui::testing::calls().isEmpty());

        sys::testing::setOsVersion(sys::parseRelease(u"Linux"_s, u"6.1.0-18-amd64"_s));
        QCOMPARE(Versiune_Windows(), 2);
        QCOMPARE(Text_Versiune_Windows, u"Linux versiunea 6.1"_s);
    }

    void versionFailureShowsTheMessage()
    {
        Text_Versiune_Windows = u"de dinainte"_s;
        sys::testing::setOsVersion(std::nullopt);
        QCOMPARE(Versiune_Windows(), 0);
        QCOMPARE(Text_Versiune_Windows, u"de dinainte"_s); // kept
        const QList<ui::testing::Call> boxes = ui::testing::messages();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().text, u"Error Getting Version Information"_s);
        QCOMPARE(boxes.first().icon, ui::Icon::None);
        QCOMPARE(boxes.first().buttons, ui::Buttons::Ok);
        QVERIFY(!boxes.first().title); // the program's title
    }

    void userName_data()
    {
        QTest::addColumn<std::optional<QString>>("system");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ordinary") << std::optional<QString>(u"ion.popescu"_s) << u"ion.popescu"_s;
        QTest::newRow("39 characters") << std::optional<QString>(QString(39, u'u')) << QString(39, u'u');
        QTest::newRow("40 characters") << std::optional<QString>(QString(40, u'u')) << QString();
        QTest::newRow("longer") << std::optional<QString>(QString(64, u'u')) << QString();
        QTest::newRow("system refuses") << std::optional<QString>() << QString();
    }
    void userName()
    {
        QFETCH(std::optional<QString>, system);
        QFETCH(QString, expected);
        sys::testing::setUserName(system);
        const QString raw = Nume_Utilizator_Sistem();
        QVERIFY(raw.isEmpty() || raw.size() == 40); // the padded buffer
        QCOMPARE(Citeste_Nume_Utilizator(), expected);
    }

    void realUserName()
    {
        const QString name = Citeste_Nume_Utilizator();
        QCOMPARE(name, Text_Inainte_De_Null(name));
        QVERIFY(!name.contains(QChar(u'\0')));
    }

    void textBeforeNul_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("no NUL") << u"abc"_s << u"abc"_s;
        QTest::newRow("padded") << (u"abc"_s + QString(5, QChar(u'\0'))) << u"abc"_s;
        QTest::newRow("NUL first") << (QString(1, QChar(u'\0')) + u"abc"_s) << QString();
    }
    void textBeforeNul()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Text_Inainte_De_Null(text), expected);
    }

    void computerName()
    {
        const QString real = Citeste_Nume_Calculator();
        QVERIFY(!real.isEmpty());
        QVERIFY(!real.contains(QChar(u'\0')));
        QCOMPARE(real, *sys::hostName());

        sys::testing::setHostName(u"statie"_s + QString(10, QChar(u'\0')));
        QCOMPARE(Citeste_Nume_Calculator(), u"statie"_s);
        sys::testing::setHostName(std::nullopt);
        QCOMPARE(Citeste_Nume_Calculator(), u"?"_s);
    }

    void decimalSeparator()
    {
        const QString sep = Separator_Zecimal();
        QCOMPARE(sep.size(), 1);
        sys::testing::setDecimalSeparator(u","_s);
        QCOMPARE(Separator_Zecimal(), u","_s);
    }

    void dateSeparator_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("separator");
        QTest::newRow("Romanian") << u"dd.MM.yyyy"_s << u"."_s;
        QTest::newRow("American") << u"M/d/yy"_s << u"/"_s;
        QTest::newRow("ISO") << u"yyyy-MM-dd"_s << u"-"_s;
        QTest::newRow("Hungarian") << u"yyyy. MM. dd."_s << u"."_s;
        QTest::newRow("C locale, month name") << QLocale::c().dateFormat(QLocale::ShortFormat) << u"/"_s;
        QTest::newRow("blank between numbers") << u"d M yyyy"_s << u"/"_s;
        QTest::newRow("no field") << QString() << u"/"_s;
    }
    void dateSeparator()
    {
        QFETCH(QString, format);
        QFETCH(QString, separator);
        QCOMPARE(Separator_Data(format), separator);
    }

    // Whatever locale the process runs under, the separator is a sign.
    void dateSeparatorOfThisProcess()
    {
        const QString sep = Separator_Data();
        QCOMPARE(sep.size(), 1);
        QVERIFY2(!sep.at(0).isSpace() && !sep.at(0).isLetterOrNumber(), qPrintable(sep));
    }
};

QTEST_GUILESS_MAIN(TestSistem)
#include "tst_sistem.moc"
