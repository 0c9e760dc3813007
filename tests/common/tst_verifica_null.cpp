#include "common/Verifica_Null.h"
#include "platform/ui/mesaj.h"

#include <QTest>

using namespace Qt::StringLiterals;
using db::Variant;

Q_DECLARE_METATYPE(db::Variant)

class TestVerificaNull : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ui::testing::setEnabled(true);
        ui::testing::clear();
    }
    void cleanup()
    {
        ui::testing::clear();
        ui::testing::setEnabled(false);
    }

    void esteNull_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<bool>("blank");
        QTest::newRow("Null") << Variant::null() << true;
        QTest::newRow("Empty") << Variant() << true;
        QTest::newRow("empty text") << Variant(u""_s) << true;
        QTest::newRow("one blank") << Variant(u" "_s) << true;
        QTest::newRow("two blanks") << Variant(u"  "_s) << false;
        QTest::newRow("tab") << Variant(u"\t"_s) << false;
        QTest::newRow("text 0") << Variant(u"0"_s) << false;
        QTest::newRow("number 0") << Variant(0) << false;
        QTest::newRow("number 0.0") << Variant(0.0) << false;
        QTest::newRow("False") << Variant(false) << false;
        QTest::newRow("date") << Variant(QDate(2024, 3, 5)) << false;
        QTest::newRow("text") << Variant(u"84713000"_s) << false;
    }
    void esteNull()
    {
        QFETCH(Variant, value);
        QFETCH(bool, blank);
        QCOMPARE(Este_Null(value, u"Cod Vamal"_s, false), blank);
        QVERIFY(ui::testing::calls().isEmpty()); // never a box without being asked
        QCOMPARE(Este_Null(value, u"Cod Vamal"_s, true), blank);
        const QList<ui::testing::Call> boxes = ui::testing::messages();
        if (!blank) {
            QVERIFY(boxes.isEmpty());
            return;
        }
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes.first().text, u"Cod Vamal  -  Obligatoriu de completat !"_s);
        QCOMPARE(boxes.first().icon, ui::Icon::Critical);
        QCOMPARE(boxes.first().buttons, ui::Buttons::Ok);
        QCOMPARE(boxes.first().title, std::optional<QString>(u"EROARE"_s));
    }

    void nullLaValoare_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<Variant>("def");
        QTest::addColumn<Variant>("expected");
        QTest::newRow("Null, default 0") << Variant::null() << Variant(0) << Variant(0);
        QTest::newRow("Empty") << Variant() << Variant(u"x"_s) << Variant(u"x"_s);
        QTest::newRow("empty text") << Variant(u""_s) << Variant(0) << Variant(0);
        QTest::newRow("one blank kept") << Variant(u" "_s) << Variant(0) << Variant(u" "_s);
        QTest::newRow("zero kept with its type") << Variant(0) << Variant(5) << Variant(0);
        QTest::newRow("text 0 kept") << Variant(u"0"_s) << Variant(5) << Variant(u"0"_s);
    }
    void nullLaValoare()
    {
        QFETCH(Variant, value);
        QFETCH(Variant, def);
        QFETCH(Variant, expected);
        QCOMPARE(Null_La_Valoare(value, def), expected);
    }

    void nullSauZeroLaValoare_data()
    {
        QTest::addColumn<Variant>("value");
        QTest::addColumn<Variant>("expected");
        const Variant def(u"implicit"_s);
        QTest::newRow("text 0.00") << Variant(u"0.00"_s) << def;
        QTest::newRow("text abc") << Variant(u"abc"_s) << def;
        QTest::newRow("text 0abc") << Variant(u"0abc"_s) << def;
        QTest::newRow("text 7") << Variant(u"7"_s) << Variant(u"7"_s);
        QTest::newRow("text 12abc") << Variant(u"12abc"_s) << Variant(u"12abc"_s);
        QTest::newRow("text 1,5 reads 1") << Variant(u"1,5"_s) << Variant(u"1,5"_s);
        QTest::newRow("text 0,5 reads 0") << Variant(u"0,5"_s) << def;
        QTest::newRow("Null") << Variant::null() << def;
        QTest::newRow("empty text") << Variant(u""_s) << def;
        QTest::newRow("one blank reads 0") << Variant(u" "_s) << def;
        QTest::newRow("number 0") << Variant(0) << def;
        QTest::newRow("number 0.0") << Variant(0.0) << def;
        // A number is compared as a number, whatever the regional format.
        QTest::newRow("number 0.5 kept") << Variant(0.5) << Variant(0.5);
        QTest::newRow("number -3 kept") << Variant(-3) << Variant(-3);
        QTest::newRow("False") << Variant(false) << def;
        QTest::newRow("date kept") << Variant(QDate(2024, 1, 1)) << Variant(QDate(2024, 1, 1));
    }
    void nullSauZeroLaValoare()
    {
        QFETCH(Variant, value);
        QFETCH(Variant, expected);
        QCOMPARE(Null_Sau_Zero_La_Valoare(value, Variant(u"implicit"_s)), expected);
    }

    void nullWithDefaultZero()
    {
        QCOMPARE(Null_Sau_Zero_La_Valoare(Variant::null(), Variant(0)), Variant(0));
    }

    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << u"12"_s << 12.0;
        QTest::newRow("point fraction") << u"3.25kg"_s << 3.25;
        QTest::newRow("comma stops") << u"1,5"_s << 1.0;
        QTest::newRow("blanks inside skipped") << u" 1 2 3"_s << 123.0;
        QTest::newRow("tab and sign") << u"\t-4.5"_s << -4.5;
        QTest::newRow("leading point") << u".5"_s << 0.5;
        QTest::newRow("exponent") << u"1.5E2x"_s << 150.0;
        QTest::newRow("D exponent") << u"2D1"_s << 20.0;
        QTest::newRow("exponent without digits") << u"7E"_s << 7.0;
        QTest::newRow("hexadecimal") << u"&HFF"_s << 255.0;
        QTest::newRow("octal") << u"&O17"_s << 15.0;
        QTest::newRow("no number") << u"abc"_s << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("sign only") << u"-"_s << 0.0;
    }
    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(Val(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestVerificaNull)
#include "tst_verifica_null.moc"
