// The statistical-value adjustment without its window: the groups of the
// saved queries, the statement of one group, the percentages applied
// rounded half to even, a group listed once per file applied once, and
// the refusals and failures that leave every line as it was.

#include "Firma_Test.h"
#include "declaration/Ajustare_Valoare_Statistica.h"

using namespace Qt::StringLiterals;

namespace {

const QString filtruI = u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
const QString filtruO = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;

Linie_Intrastat linie(const QString& tip, double vf, const QString& tara, const QString& fisier = u"a.xlsx"_s)
{
    Linie_Intrastat l;
    l.tip = tip;
    l.valFiscala = vf;
    l.valStat = vf;
    l.taraExp = tip == u"I" ? tara : u"RO"_s;
    l.taraDest = tip == u"I" ? u"RO"_s : tara;
    l.sourceFile = fisier;
    return l;
}

QList<double> valoriStat(const QString& conditie = u"1=1"_s)
{
    QList<double> v;
    db::Result<db::Recordset> rs = Conexiune_Firma.openRecordset(u"SELECT Val_Stat FROM Intrastat WHERE "_s +
                                                                 conditie + u" ORDER BY Record_ID"_s);
    for (; rs && !rs->eof(); rs->moveNext())
        v << rs->value(0).toDouble();
    return v;
}

// Sets the percentage of every row of the groups.
void procent(db::Recordset& grupe, double p)
{
    for (int r = 0; r < grupe.rowCount(); ++r) {
        QVERIFY(!grupe.setCurrentRow(r));
        QVERIFY(!grupe.setValue(u"Procent"_s, p));
        QVERIFY(!grupe.update());
    }
}

} // namespace

class TestAjustareCore : public QObject
{
    Q_OBJECT

private slots:
    // The statement as written for arrivals and dispatches, with quotes doubled.
    void comanda()
    {
        Grupa_Ajustare g{u"I"_s, u"RO0000001"_s, 2026, 3, u"EXW"_s, u"3"_s, u"11"_s, u"DE"_s, 10};
        QCOMPARE(Comanda_Ajustare(u"I"_s, g),
                 u"UPDATE INTRASTAT SET Val_Stat = ROUND(Val_Fiscala + (Val_Fiscala * 10/ 100),0)  WHERE  "
                 u"Intrastat.Tip ='I' AND Intrastat.Cod_Fiscal ='RO0000001' AND Intrastat.Anul =2026 AND "
                 u"Intrastat.Luna =3 AND Intrastat.Incoterms ='EXW' AND Intrastat.Mod_Transp = '3' AND "
                 u"Intrastat.Nat_Tranz = '11' AND Intrastat.Tara_Exp = 'DE'"_s);
        g = {u"O"_s, u"RO'1"_s, 2026, 3, db::Variant::null(), u"3"_s, u"21"_s, u"FR"_s, 2.5};
        QCOMPARE(Comanda_Ajustare(u"O"_s, g),
                 u"UPDATE INTRASTAT SET Val_Stat = ROUND(Val_Fiscala + (Val_Fiscala * 2.5/ 100),0)  WHERE  "
                 u"Intrastat.Tip ='O' AND Intrastat.Cod_Fiscal ='RO''1' AND Intrastat.Anul =2026 AND "
                 u"Intrastat.Luna =3 AND Intrastat.Incoterms IS NULL AND Intrastat.Mod_Transp = '3' AND "
                 u"Intrastat.Nat_Tranz = '21' AND Intrastat.Tara_Dest = 'FR'"_s);
    }

    // The percentage adds to the fiscal value, rounded half to even (and
    // only a half: a billion and .49 or .51 goes to the nearer leu); other
    // countries, types and periods keep their values.
    void procente_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<double>("p");
        QTest::addColumn<QList<double>>("fiscale"); // of the group's three lines
        QTest::addColumn<QList<double>>("asteptate");
        const QList<double> mici{1000, 1005, 1095};
        QTest::newRow("10 %, arrivals") << u"I"_s << 10.0 << mici << QList<double>{1100, 1106, 1204};
        QTest::newRow("10 %, dispatches") << u"O"_s << 10.0 << mici << QList<double>{1100, 1106, 1204};
        QTest::newRow("0 %") << u"I"_s << 0.0 << mici << QList<double>{1000, 1005, 1095};
        QTest::newRow("10.5 %") << u"I"_s << 10.5 << mici << QList<double>{1105, 1111, 1210};
        QTest::newRow("1 %, a billion and .49, .51, .5")
            << u"I"_s << 1.0 << QList<double>{1000000049, 1000000151, 1000000050}
            << QList<double>{1010000049, 1010000153, 1010000050};
        // A percentage of 4 decimals that brings a billion a few millionths
        // off a half: the nearer leu.
        QTest::newRow("12.3457 %, a billion and millionths past a half")
            << u"I"_s << 12.3457 << QList<double>{1200911779, 1000, 1005}
            << QList<double>{1349172745, 1123, 1129};
        QTest::newRow("4.9763 %, two billion and millionths short of a half")
            << u"O"_s << 4.9763 << QList<double>{2106571519, 1000, 1005}
            << QList<double>{2211400837, 1050, 1055};
    }
    void procente()
    {
        QFETCH(QString, tip);
        QFETCH(double, p);
        QFETCH(QList<double>, fiscale);
        QFETCH(QList<double>, asteptate);
        Firma_Test firma;
        QVERIFY(firma.ok());
        const QString alt = tip == u"I" ? u"O"_s : u"I"_s;
        QList<Linie_Intrastat> l{linie(tip, fiscale.at(0), u"DE"_s), linie(tip, fiscale.at(1), u"DE"_s),
                                 linie(tip, fiscale.at(2), u"DE"_s), linie(tip, 2000, u"FR"_s),
                                 linie(alt, 3000, u"DE"_s),          linie(tip, 4000, u"DE"_s)};
        l[5].luna = 4;
        QVERIFY(!Adauga_Linii(Conexiune_Firma, l));
        db::Result<db::Recordset> grupe =
            Deschide_Grupe_Ajustare(Conexiune_Firma, tip, tip == u"I" ? filtruI : filtruO);
        QVERIFY2(grupe, qPrintable(grupe.error().text()));
        QCOMPARE(grupe->rowCount(), 2);
        QCOMPARE(grupe->field(8).name, u"Procent"_s);
        QCOMPARE(grupe->valueAt(0, 8).toDouble(), 0.0);
        for (int r = 0; r < grupe->rowCount(); ++r) {
            if (grupe->valueAt(r, grupe->fieldIndex(u"Tara"_s)).toText() == u"DE") {
                QVERIFY(!grupe->setCurrentRow(r));
                QVERIFY(!grupe->setValue(u"Procent"_s, p));
                QVERIFY(!grupe->update());
            }
        }
        const Rezultat_Ajustare r = Aplica_Ajustarea(Conexiune_Firma, tip, *grupe);
        QCOMPARE(r.mesaj, Mesaj_Ajustare_Terminata);
        QCOMPARE(r.stare, Rezultat_Ajustare::Stare::Terminata);
        QCOMPARE(r.grupe, 2);
        QCOMPARE(valoriStat(), (asteptate + QList<double>{2000, 3000, 4000}));
    }

    // A group whose lines come from two files is listed once per file, each
    // row carrying the whole group's percentage; it is applied once, and the
    // statement reaches the lines of both files.
    void grupaInDouaFisiere()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        QList<Linie_Intrastat> l{linie(u"I"_s, 1000, u"DE"_s, u"a.xlsx"_s),
                                 linie(u"I"_s, 1000, u"DE"_s, u"b.xlsx"_s)};
        l[0].valStat = 1100.0;
        QVERIFY(!Adauga_Linii(Conexiune_Firma, l));
        db::Result<db::Recordset> grupe = Deschide_Grupe_Ajustare(Conexiune_Firma, u"I"_s, filtruI);
        QVERIFY(grupe);
        QCOMPARE(grupe->rowCount(), 2);
        QCOMPARE(grupe->valueAt(0, 8).toDouble(), 5.0);
        QCOMPARE(grupe->valueAt(1, 8).toDouble(), 5.0);
        const Rezultat_Ajustare r = Aplica_Ajustarea(Conexiune_Firma, u"I"_s, *grupe);
        QCOMPARE(r.stare, Rezultat_Ajustare::Stare::Terminata);
        QCOMPARE(r.grupe, 1);
        QCOMPARE(r.linii, qint64(2));
        QCOMPARE(valoriStat(), (QList<double>{1050, 1050}));

        // One file's groups: the other file's lines of the period are reached too.
        grupe =
            Deschide_Grupe_Ajustare(Conexiune_Firma, u"I"_s,
                                    u" WHERE SourceFile='a.xlsx' AND Cod_Fiscal='RO123' AND Anul=2015 AND "
                                    u"Luna=3 AND Tip='I'"_s);
        QVERIFY(grupe);
        QCOMPARE(grupe->rowCount(), 1);
        procent(*grupe, 20);
        QCOMPARE(Aplica_Ajustarea(Conexiune_Firma, u"I"_s, *grupe).stare,
                 Rezultat_Ajustare::Stare::Terminata);
        QCOMPARE(valoriStat(), (QList<double>{1200, 1200}));
    }

    // Two rows of one group with different percentages, or a blank one, are
    // refused before anything is written.
    void refuzuri_data()
    {
        QTest::addColumn<bool>("gol");
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("two percentages")
            << false
            << u"GRUPA EXW / 3 / 11 / DE APARE DE MAI MULTE ORI CU PROCENTE DIFERITE "
               u"(7 SI 9).\r\nTREBUIE SA AIBA ACELASI PROCENT PE TOATE RANDURILE. NU "
               u"S-A MODIFICAT NIMIC."_s;
        QTest::newRow("blank percentage")
            << true << u"GRUPA EXW / 3 / 11 / DE NU ARE UN PROCENT VALID.\r\nNU S-A MODIFICAT NIMIC."_s;
    }
    void refuzuri()
    {
        QFETCH(bool, gol);
        QFETCH(QString, mesaj);
        Firma_Test firma;
        QVERIFY(firma.ok());
        QVERIFY(!Adauga_Linii(Conexiune_Firma, {linie(u"I"_s, 1000, u"DE"_s, u"a.xlsx"_s),
                                                linie(u"I"_s, 1000, u"DE"_s, u"b.xlsx"_s)}));
        db::Result<db::Recordset> grupe = Deschide_Grupe_Ajustare(Conexiune_Firma, u"I"_s, filtruI);
        QVERIFY(grupe);
        QVERIFY(!grupe->setCurrentRow(0));
        QVERIFY(!grupe->setValue(u"Procent"_s, gol ? db::Variant::null() : db::Variant(7.0)));
        QVERIFY(!grupe->update());
        QVERIFY(!grupe->setCurrentRow(1));
        QVERIFY(!grupe->setValue(u"Procent"_s, 9.0));
        QVERIFY(!grupe->update());
        const Rezultat_Ajustare r = Aplica_Ajustarea(Conexiune_Firma, u"I"_s, *grupe);
        QCOMPARE(r.stare, Rezultat_Ajustare::Stare::Refuzata);
        QCOMPARE(r.mesaj, mesaj);
        QCOMPARE(valoriStat(), (QList<double>{1000, 1000}));
    }

    // A group whose terms are blank (Null) is adjusted like any other.
    void grupaFaraConditii()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        QList<Linie_Intrastat> l{linie(u"I"_s, 1000, u"DE"_s), linie(u"I"_s, 1000, u"DE"_s)};
        l[0].incoterms = QString();
        QVERIFY(!Adauga_Linii(Conexiune_Firma, l));
        db::Result<db::Recordset> grupe = Deschide_Grupe_Ajustare(Conexiune_Firma, u"I"_s, filtruI);
        QVERIFY(grupe);
        QCOMPARE(grupe->rowCount(), 2);
        procent(*grupe, 10);
        QCOMPARE(Aplica_Ajustarea(Conexiune_Firma, u"I"_s, *grupe).stare,
                 Rezultat_Ajustare::Stare::Terminata);
        QCOMPARE(valoriStat(), (QList<double>{1100, 1100}));
    }

    // A statement the database refuses: the failure is reported and every
    // group keeps its values, those before it included.
    void esec()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        QVERIFY(!Adauga_Linii(Conexiune_Firma, {linie(u"I"_s, 1000, u"DE"_s), linie(u"I"_s, 1000, u"FR"_s)}));
        QVERIFY(
            Conexiune_Firma.execute(u"CREATE TRIGGER refuz BEFORE UPDATE OF Val_Stat ON Intrastat "
                                    u"WHEN NEW.Tara_Exp = 'FR' BEGIN SELECT RAISE(ABORT, 'refuzat'); END"_s));
        db::Result<db::Recordset> grupe = Deschide_Grupe_Ajustare(Conexiune_Firma, u"I"_s, filtruI);
        QVERIFY(grupe);
        procent(*grupe, 10);
        const Rezultat_Ajustare r = Aplica_Ajustarea(Conexiune_Firma, u"I"_s, *grupe);
        QCOMPARE(r.stare, Rezultat_Ajustare::Stare::Esuata);
        QCOMPARE(r.esuate, 1);
        QVERIFY2(
            r.mesaj.startsWith(
                u"AJUSTARE NEEFECTUATA: 1 GRUPE NU AU PUTUT FI ACTUALIZATE.\r\nGRUPA EXW / 3 / 11 / FR: "_s),
            qPrintable(r.mesaj));
        QVERIFY(r.mesaj.endsWith(u"NU S-A MODIFICAT NIMIC."_s));
        QCOMPARE(valoriStat(), (QList<double>{1000, 1000}));
    }
};

QTEST_GUILESS_MAIN(TestAjustareCore)
#include "tst_ajustare_core.moc"
