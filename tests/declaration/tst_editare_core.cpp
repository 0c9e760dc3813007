// The grid editing's rules without the window: the values in lei from the
// currency value and the rate, and the sort by a column with or without the
// grid query file, a broken file falling back on the built-in query.

#include "Firma_Test.h"
#include "declaration/Editare_Intrastat.h"
#include "declaration/Linii_Intrastat.h"

#include <QFile>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(db::Variant)

namespace {

const QString cheieO = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;

db::Variant nimic()
{
    return db::Variant::null();
}

bool scrie(const QString& cale, const QByteArray& continut)
{
    QFile f(cale);
    return f.open(QIODevice::WriteOnly) && f.write(continut) == continut.size();
}

} // namespace

class TestEditareCore : public QObject
{
    Q_OBJECT

private slots:
    void recalculare_data()
    {
        QTest::addColumn<db::Variant>("vv");
        QTest::addColumn<db::Variant>("cs");
        QTest::addColumn<db::Variant>("vf");
        QTest::addColumn<db::Variant>("vs");
        QTest::addColumn<bool>("schimba");
        QTest::addColumn<double>("vfNou");
        QTest::addColumn<double>("vsNou");
        QTest::newRow("ratio kept") << db::Variant(200.0) << db::Variant(4.5) << db::Variant(450.0)
                                    << db::Variant(495.0) << true << 900.0 << 990.0;
        QTest::newRow("half to even down") << db::Variant(1.0) << db::Variant(2.5) << db::Variant(2.0)
                                           << db::Variant(2.0) << true << 2.0 << 2.0;
        QTest::newRow("half to even up") << db::Variant(1.0) << db::Variant(3.5) << db::Variant(4.0)
                                         << db::Variant(4.0) << true << 4.0 << 4.0;
        QTest::newRow("a product near a half")
            << db::Variant(0.1) << db::Variant(25.0) << nimic() << nimic() << true << 2.0 << 2.0;
        QTest::newRow("large product just below a half")
            << db::Variant(197530864.298) << db::Variant(5.0) << nimic() << nimic() << true << 987654321.0
            << 987654321.0;
        QTest::newRow("large product just above a half")
            << db::Variant(197530864.302) << db::Variant(5.0) << nimic() << nimic() << true << 987654322.0
            << 987654322.0;
        QTest::newRow("large product on a half") << db::Variant(24691357.9) << db::Variant(5.0) << nimic()
                                                 << nimic() << true << 123456790.0 << 123456790.0;
        QTest::newRow("billions, ratio kept")
            << db::Variant(500000000.1) << db::Variant(5.0) << db::Variant(2500000000.0)
            << db::Variant(2750000000.0) << true << 2500000000.0 << 2750000001.0;
        // A billion lei and more, a few millionths off a half: the nearer leu.
        QTest::newRow("billions, millionths past a half")
            << db::Variant(250004284.81) << db::Variant(4.9763) << nimic() << nimic() << true << 1244096323.0
            << 1244096323.0;
        QTest::newRow("billions, millionths short of a half")
            << db::Variant(261228571.73) << db::Variant(4.9763) << nimic() << nimic() << true << 1299951741.0
            << 1299951741.0;
        QTest::newRow("billions, millionths off a half, ratio kept")
            << db::Variant(250004284.81) << db::Variant(4.9763) << db::Variant(1000.0) << db::Variant(1100.0)
            << true << 1244096323.0 << 1368505955.0;
        QTest::newRow("statistical blank") << db::Variant(100.0) << db::Variant(4.8765) << db::Variant(450.0)
                                           << nimic() << true << 488.0 << 488.0;
        QTest::newRow("fiscal zero") << db::Variant(100.0) << db::Variant(4.5) << db::Variant(0.0)
                                     << db::Variant(495.0) << true << 450.0 << 450.0;
        QTest::newRow("fiscal blank") << db::Variant(100.0) << db::Variant(4.5) << db::Variant(u" "_s)
                                      << db::Variant(495.0) << true << 450.0 << 450.0;
        QTest::newRow("unrounded product") << db::Variant(10.0) << db::Variant(4.45) << db::Variant(100.0)
                                           << db::Variant(110.0) << true << 44.0 << 49.0;
        QTest::newRow("whole numbers") << db::Variant(qint64(3)) << db::Variant(qint64(5))
                                       << db::Variant(15.0) << db::Variant(30.0) << true << 15.0 << 30.0;
        QTest::newRow("rate cleared") << db::Variant(100.0) << nimic() << db::Variant(450.0)
                                      << db::Variant(495.0) << false << 0.0 << 0.0;
        QTest::newRow("value blank") << db::Variant(u""_s) << db::Variant(4.5) << db::Variant(450.0)
                                     << db::Variant(495.0) << false << 0.0 << 0.0;
        QTest::newRow("not a number") << db::Variant(u"abc"_s) << db::Variant(4.5) << db::Variant(450.0)
                                      << db::Variant(495.0) << false << 0.0 << 0.0;
    }
    void recalculare()
    {
        QFETCH(db::Variant, vv);
        QFETCH(db::Variant, cs);
        QFETCH(db::Variant, vf);
        QFETCH(db::Variant, vs);
        QFETCH(bool, schimba);
        QFETCH(double, vfNou);
        QFETCH(double, vsNou);
        const std::optional<Valori_Lei> v = Recalculeaza_Valori(vv, cs, vf, vs);
        QCOMPARE(v.has_value(), schimba);
        if (v) {
            QCOMPARE(v->valFiscala, vfNou);
            QCOMPARE(v->valStat, vsNou);
        }
    }

    // The order of a click: the data field bracketed once, then [POZITIA].
    void ordine()
    {
        QCOMPARE(Ordine_Dupa_Coloana(u"Cod_NC"_s), u"[Cod_NC],[POZITIA]"_s);
        QCOMPARE(Ordine_Dupa_Coloana(u"[Net]"_s), u"[Net],[POZITIA]"_s);
    }

    // The sorted lines from the query file, from the built-in query without
    // it, and from the built-in query (with the reason) when the file's
    // line cannot serve the grid.
    void sortare_data()
    {
        QTest::addColumn<QByteArray>("fisier"); // "-": no file
        QTest::addColumn<bool>("dinFisier");
        QTest::addColumn<QString>("eroare"); // a piece of the reason, "" for none
        QTest::addColumn<int>("coloane");
        const QByteArray grila = SQL_Grila_Intrastat.toUtf8();
        QTest::newRow("no file") << QByteArray("-") << false << QString() << 32;
        QTest::newRow("the shipped query") << grila + "\r\n" << true << QString() << 32;
        QTest::newRow("more columns after")
            << QByteArray("SELECT * FROM Intrastat\nignored line") << true << QString() << 34;
        QTest::newRow("not a query") << QByteArray("SELEC TIP FROM INTRASTAT") << false << u"syntax"_s << 32;
        QTest::newRow("columns out of order") << QByteArray("SELECT Cod_Fiscal,TIP,Anul,Luna FROM INTRASTAT")
                                              << false << u"nu are coloanele grilei"_s << 32;
        QTest::newRow("empty file") << QByteArray() << false << u"syntax"_s << 32;
    }
    void sortare()
    {
        QFETCH(QByteArray, fisier);
        QFETCH(bool, dinFisier);
        QFETCH(QString, eroare);
        QFETCH(int, coloane);
        Firma_Test f;
        QVERIFY(f.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        const QString cale = f.cale() + u".txt"_s;
        if (fisier != "-")
            QVERIFY(scrie(cale, fisier));
        const Linii_Sortate s =
            Deschide_Linii_Sortate(Conexiune_Firma, cale, cheieO, Ordine_Dupa_Coloana(u"Net"_s));
        QVERIFY2(s.linii, qPrintable(s.linii.error().text()));
        QCOMPARE(s.linii->fieldCount(), coloane);
        QCOMPARE(s.linii->recordCount(), 15);
        QVERIFY(s.linii->source().endsWith(cheieO + u" ORDER BY [Net],[POZITIA]"_s));
        QCOMPARE(s.interogare == SQL_Grila_Intrastat, !dinFisier || coloane == 32);
        if (eroare.isEmpty())
            QVERIFY(!s.eroareFisier);
        else
            QVERIFY2(s.eroareFisier.description.contains(eroare, Qt::CaseInsensitive),
                     qPrintable(s.eroareFisier.text()));
        // By the net mass, then by the line's place in its file.
        double anterior = -1;
        for (int r = 0; r < s.linii->rowCount(); ++r) {
            const double net = s.linii->valueAt(r, s.linii->fieldIndex(u"Net"_s)).toDouble();
            QVERIFY(net >= anterior);
            anterior = net;
        }
    }
};

QTEST_MAIN(TestEditareCore)
#include "tst_editare_core.moc"
