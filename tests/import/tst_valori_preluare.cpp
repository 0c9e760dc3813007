// The values the import takes: amounts in the forms Romanian users write
// them, control characters, dates out of the calendar, a template's default
// by its column's kind and as an SQL literal.

#include "import/Valori_Preluare.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestValoriPreluare : public QObject
{
    Q_OBJECT

private slots:
    void amounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numar");
        QTest::addColumn<double>("valoare");
        const auto da = [](const char* nume, const QString& t, double v) {
            QTest::newRow(nume) << t << true << v;
        };
        const auto nu = [](const char* nume, const QString& t) { QTest::newRow(nume) << t << false << 0.0; };
        da("whole", u"1234"_s, 1234);
        da("lone comma", u"1234,5"_s, 1234.5);
        da("lone comma before three digits", u"1,234"_s, 1.234);
        da("lone dot", u"1.234"_s, 1.234);
        da("dots group, comma decimal", u"1.234,56"_s, 1234.56);
        da("commas group, dot decimal", u"1,234.56"_s, 1234.56);
        da("several dots", u"1.234.567"_s, 1234567);
        da("several commas", u"1,234,567"_s, 1234567);
        da("blank groups", u"1 234,56"_s, 1234.56);
        da("no-break space groups", u"1\u00A0234,56"_s, 1234.56);
        da("narrow no-break space groups", u"12\u202F345\u202F678"_s, 12345678);
        da("apostrophes group", u"1'234'567.5"_s, 1234567.5);
        da("typographic apostrophe", u"1\u2019234,5"_s, 1234.5);
        da("blanks and a dot", u"1 234.5"_s, 1234.5);
        da("negative", u"-0,5"_s, -0.5);
        da("negative grouped", u"-1.234,5"_s, -1234.5);
        da("plus sign", u"+12,5"_s, 12.5);
        da("blanks around", u"  \u00A01 234,5 \t"_s, 1234.5);
        da("leading decimal mark", u",75"_s, 0.75);
        da("trailing decimal mark", u"12,"_s, 12);
        da("zeros first", u"007"_s, 7);
        nu("empty", QString());
        nu("blanks only", u"  "_s);
        nu("sign only", u"-"_s);
        nu("mark only", u","_s);
        nu("commas of one and two digits", u"12,3,4"_s);
        nu("group of two", u"1.23.456"_s);
        nu("first group of four", u"1234.567.890"_s);
        nu("two decimal commas", u"1.234,5,6"_s);
        nu("dot after the decimal comma", u"1,5.3,2"_s);
        nu("blank in the decimals", u"1,234 5"_s);
        nu("blank and dot both grouping", u"1 234.567.890"_s);
        nu("blank and apostrophe", u"1 234'567"_s);
        nu("two blanks", u"1  234"_s);
        nu("blank after the sign", u"- 5"_s);
        nu("sign after", u"5-"_s);
        nu("exponent", u"1e5"_s);
        nu("currency", u"12 lei"_s);
        nu("letters", u"abc"_s);
        nu("parentheses", u"(5)"_s);
        nu("infinity", u"inf"_s);
        nu("too large", u"1"_s + QString(400, u'0'));
    }
    void amounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, numar);
        QFETCH(double, valoare);
        const std::optional<double> d = Numar_Local(text);
        QCOMPARE(d.has_value(), numar);
        if (numar)
            QCOMPARE(*d, valoare);
    }

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
