// The values the import takes: control characters, dates out of the
// calendar, a template's default by its column's kind and as an SQL literal.

#include "import/Valori_Preluare.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestValoriPreluare : public QObject
{
    Q_OBJECT

private slots:
    void controlCharacters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("curat");
        QTest::addColumn<bool>("eliminate");
        QTest::newRow("none") << u"Șurub M8"_s << u"Șurub M8"_s << false;
        QTest::newRow("tab, CR and LF stay") << u"a\tb\r\nc"_s << u"a\tb\r\nc"_s << false;
        QTest::newRow("vertical tab") << u"a\u000Bb"_s << u"ab"_s << true;
        QTest::newRow("NUL and 0x1F") << u"\u0000x\u001F"_s << u"x"_s << true;
        QTest::newRow("non-characters") << u"\uFFFEy\uFFFF"_s << u"y"_s << true;
        QTest::newRow("0x7F and 0xA0 stay") << u"\u007F\u00A0"_s << u"\u007F\u00A0"_s << false;
    }
    void controlCharacters()
    {
        QFETCH(QString, text);
        QFETCH(QString, curat);
        QFETCH(bool, eliminate);
        QCOMPARE(Are_Caractere_Control(text), eliminate);
        QCOMPARE(Elimina_Caractere_Control(text), eliminate);
        QCOMPARE(text, curat);
    }

    void calendar()
    {
        QVERIFY(Data_In_Calendar(QDateTime(QDate(2026, 3, 31), QTime(0, 0))));
        QVERIFY(Data_In_Calendar(QDateTime(QDate(100, 1, 1), QTime(0, 0))));
        QVERIFY(!Data_In_Calendar(QDateTime(QDate(10000, 1, 1), QTime(0, 0))));
        QVERIFY(!Data_In_Calendar(QDateTime()));
        QVERIFY(Serial_In_Calendar(46112));
        QVERIFY(Serial_In_Calendar(2958465.99));
        QVERIFY(!Serial_In_Calendar(2958466));
        QVERIFY(!Serial_In_Calendar(-657435));
        QVERIFY(!Serial_In_Calendar(1e308));
        QVERIFY(!Serial_In_Calendar(std::numeric_limits<double>::quiet_NaN()));
        QVERIFY(!Serial_In_Calendar(-std::numeric_limits<double>::infinity()));
    }

    // A default typed into a template, as its column's kind takes it and as
    // the worksheet statement writes it.
    void defaults_data()
    {
        QTest::addColumn<int>("tip");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("literal"); // "" when refused
        QTest::addColumn<QString>("intreGhilimele");
        QTest::newRow("decimal comma") << int(db::Type::Currency) << u"4,97"_s << u"4.97"_s << u"4.97"_s;
        QTest::newRow("decimal dot") << int(db::Type::Double) << u"4.97"_s << u"4.97"_s << u"4.97"_s;
        QTest::newRow("negative") << int(db::Type::Double) << u"-0,5"_s << u"-0.5"_s << u"-0.5"_s;
        QTest::newRow("grouped") << int(db::Type::Double) << u"1.234,5"_s << u"1234.5"_s << u"1234.5"_s;
        QTest::newRow("whole") << int(db::Type::Integer) << u"0"_s << u"0"_s << u"0"_s;
        QTest::newRow("text for a number") << int(db::Type::Double) << u"EUR"_s << QString() << QString();
        QTest::newRow("SQL for a number")
            << int(db::Type::Double) << u"(SELECT MAX(Net) FROM Intrastat)"_s << QString() << QString();
        QTest::newRow("text") << int(db::Type::VarWChar) << u"EUR"_s << u"'EUR'"_s << u"EUR"_s;
        QTest::newRow("text with a quote")
            << int(db::Type::VarWChar) << u"D'Arc"_s << u"'D''Arc'"_s << u"D'Arc"_s;
        QTest::newRow("SQL as a text") << int(db::Type::VarWChar) << u"x' || (SELECT 1) || '"_s
                                       << u"'x'' || (SELECT 1) || '''"_s << u"x' || (SELECT 1) || '"_s;
        QTest::newRow("date, day first")
            << int(db::Type::Date) << u"31.03.2026"_s << u"#03/31/2026#"_s << u"2026-03-31"_s;
        QTest::newRow("date, ISO") << int(db::Type::Date) << u"2026-03-31"_s << u"#03/31/2026#"_s
                                   << u"2026-03-31"_s;
        QTest::newRow("not a date") << int(db::Type::Date) << u"31.02.2026"_s << QString() << QString();
        QTest::newRow("Da") << int(db::Type::Boolean) << u"Da"_s << u"-1"_s << u"-1"_s;
        QTest::newRow("Nu") << int(db::Type::Boolean) << u"nu"_s << u"0"_s << u"0"_s;
        QTest::newRow("not Yes/No") << int(db::Type::Boolean) << u"poate"_s << QString() << QString();
    }
    void defaults()
    {
        QFETCH(int, tip);
        QFETCH(QString, text);
        QFETCH(QString, literal);
        QFETCH(QString, intreGhilimele);
        db::Field coloana;
        coloana.type = tip;
        const std::optional<db::Variant> v = Valoare_Implicita(Fel_Coloana_Destinatie(&coloana), text);
        QCOMPARE(v.has_value(), !literal.isEmpty());
        if (!v)
            return;
        QCOMPARE(Literal_SQL(*v), literal);
        QCOMPARE(Text_Valoare(*v), intreGhilimele);
    }
};

QTEST_GUILESS_MAIN(TestValoriPreluare)
#include "tst_valori_preluare.moc"
