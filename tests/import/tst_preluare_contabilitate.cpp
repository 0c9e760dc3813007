// The take-over of a month from the accounting tables, without a screen:
// the months offered, the existence check, the lines the database's
// procedures leave in Intrastat, the question before a declaration is
// replaced, and the failures.

#include "Mediu_Preluare.h"
#include "import/Preluare_Contabilitate.h"

#include <QTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

Q_DECLARE_METATYPE(ui::Answer)

namespace {

const QString kIntrari = u"I - Pentru achizitii (INTRARI)"_s;
const QString kIesiri = u"O - Pentru livrari (IESIRI)"_s;
const QString kIntrebare =
    u"Exista deja Intrastat pentru selectia curenta\r\nContinuati prin STERGEREA datelor Existente ? "_s;

// The lines of the flow for the working company in March 2026, oldest
// accounting line first, each the listed columns joined by "|".
QStringList linii(const QString& tip, const QStringList& coloane)
{
    QStringList rezultat;
    auto rs = Conexiune_Firma.openRecordset(u"SELECT * FROM Intrastat WHERE TIP = ? AND Cod_Fiscal = ? AND "
                                            "Anul = 2026 AND Luna = 3 ORDER BY Pozitia"_s,
                                            {db::Variant(tip), db::Variant(FirmaCurenta_CodFiscal)});
    for (; rs && !rs->eof(); rs->moveNext()) {
        QStringList valori;
        for (const QString& c : coloane)
            valori << rs->value(c).toText();
        rezultat << valori.join(u'|');
    }
    return rezultat;
}

int numar(const QString& unde)
{
    return Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat WHERE "_s + unde).toInt();
}

Cerere_Preluare_Contabila cerere(const QString& flux, const QString& anul = u"2026"_s,
                                 const QString& luna = u"3"_s, bool exista = false)
{
    Cerere_Preluare_Contabila c;
    c.flux = flux;
    c.anul = anul;
    c.luna = luna;
    c.existaDeclaratie = exista;
    return c;
}

// The lines that a take-over of arrivals for March 2026 must leave alone.
bool alteDeclaratii()
{
    return Mediu::linie(u"O"_s, u"RO0000001"_s, 2026, 3) && Mediu::linie(u"I"_s, u"RO0000001"_s, 2026, 2) &&
           Mediu::linie(u"I"_s, u"RO0000002"_s, 2026, 3);
}

} // namespace

class TestPreluareContabilitate : public QObject
{
    Q_OBJECT

private slots:
    void perioade_data();
    void perioade();
    void perioadeNecitite();
    void impartePerioada_data();
    void impartePerioada();
    void intrari();
    void iesiri();
    void declaratieExistenta_data();
    void declaratieExistenta();
    void existenta();
    void fluxNecunoscut();
    void intrariIncomplete_data();
    void intrariIncomplete();
    void proceduraEsuata();
    void codFiscalCuGhilimele();
};

void TestPreluareContabilitate::perioade_data()
{
    QTest::addColumn<bool>("documente");
    QTest::addColumn<QString>("litera");
    QTest::addColumn<QStringList>("asteptate");
    QTest::newRow("arrivals, newest first")
        << true << u"I"_s << QStringList{u"2026 - 3"_s, u"2026 - 2"_s, u"2025 - 12"_s};
    QTest::newRow("dispatches") << true << u"O"_s << QStringList{u"2026 - 3"_s, u"2026 - 1"_s};
    QTest::newRow("another letter reads the dispatches")
        << true << u"X"_s << QStringList{u"2026 - 3"_s, u"2026 - 1"_s};
    QTest::newRow("lower-case i reads the dispatches")
        << true << u"i"_s << QStringList{u"2026 - 3"_s, u"2026 - 1"_s};
    QTest::newRow("no documents: the current month") << false << u"I"_s << QStringList{u"2026 - 4"_s};
}

void TestPreluareContabilitate::perioade()
{
    QFETCH(bool, documente);
    QFETCH(QString, litera);
    QFETCH(QStringList, asteptate);
    Mediu m;
    QVERIFY(m.gata());
    if (documente)
        QVERIFY(Mediu::contabilitate());
    QCOMPARE(Perioade_Contabile(litera), asteptate);
    QCOMPARE(Arbore_Test::mesaje(), QStringList());
}

void TestPreluareContabilitate::perioadeNecitite()
{
    // Accounting tables that cannot be read: said, and the current month
    // is still offered.
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Conexiune_Firma.execute(u"ALTER TABLE Intrari_Antet RENAME TO Intrari_Vechi"_s));
    QCOMPARE(Perioade_Contabile(u"I"_s), QStringList{u"2026 - 4"_s});
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(mesaje.size(), 1);
    QVERIFY(mesaje.at(0).text.startsWith(u"NU SE POT CITI LUNILE DOCUMENTELOR CONTABILE\r\nEROARE : "_s));
    QCOMPARE(mesaje.at(0).icon, ui::Icon::Critical);
    QCOMPARE(mesaje.at(0).title.value_or(QString()), u"EROARE"_s);
}

void TestPreluareContabilitate::impartePerioada_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("anul");
    QTest::addColumn<QString>("luna");
    QTest::newRow("listed") << u"2026 - 3"_s << u"2026"_s << u"3"_s;
    QTest::newRow("blanks around") << u" 2025 -  12 "_s << u"2025"_s << u"12"_s;
    QTest::newRow("typed without the separator") << u"2026-3"_s << QString() << QString();
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("first separator splits") << u"2026 - 3 - 1"_s << u"2026"_s << u"3 - 1"_s;
}

void TestPreluareContabilitate::impartePerioada()
{
    QFETCH(QString, text);
    QFETCH(QString, anul);
    QFETCH(QString, luna);
    const auto [a, l] = Imparte_Perioada_Contabila(text);
    QCOMPARE(a, anul);
    QCOMPARE(l, luna);
}

void TestPreluareContabilitate::intrari()
{
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());
    QVERIFY(alteDeclaratii());

    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(kIntrari));
    QCOMPARE(Arbore_Test::mesaje(), QStringList());
    QVERIFY(r.deschide);
    QVERIFY(r.preluata);
    QCOMPARE(r.tip, u"I"_s);
    QCOMPARE(r.codFiscal, u"RO0000001"_s);
    QCOMPARE(r.anul, u"2026"_s);
    QCOMPARE(r.luna, u"3"_s);
    QCOMPARE(Filtru_Preluare_Contabila(r),
             u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO0000001' AND [Anul]='2026' AND [Luna]='3'"_s);

    // The March documents only; amounts in lei rounded half to even (100.5 x 5
    // = 502.5, 2 x 2.25 kg = 4.5); the header's country and terms before the
    // partner's; the accounting line's whole Record_ID as the position.
    const QStringList coloane = u"Cod_Fiscal Anul Luna Cod_NC Tara_Orig Tara_Exp Tara_Dest Val_Fiscala "
                                u"Val_Stat Net Nat_Tranz Incoterms Mod_Transp Document_Numar_Referinta "
                                u"Document_Data_Referinta Cantitate Valoare_Valuta Moneda Curs_Schimb VAT_ID "
                                u"SourceFile Data_Preluare Pozitia"_s.split(u' ');
    QCOMPARE(
        linii(u"I"_s, coloane),
        (QStringList{u"RO0000001|2026|3|84713000|CN|AT|RO|502|502|4|11|DAP|3|F100|2026-03-14|2|100.5|EUR|5|"
                     u"DE123456789|Intrari_Antet|2026-04-20|1"_s,
                     u"RO0000001|2026|3|01012100||DE|RO|5000|5000|400|11|FCA|3|F101|2026-03-30|1|1000|EUR|5|"
                     u"DE123456789|Intrari_Antet|2026-04-20|70000"_s}));
    // Texts wider than their columns are cut to the width, as an import cuts them.
    QCOMPARE(Mediu::valoare(u"SELECT Descriere FROM Intrastat WHERE Pozitia = 70000"_s).toText(),
             QString(255, u'x'));
    QCOMPARE(Mediu::valoare(u"SELECT UM FROM Intrastat WHERE Pozitia = 70000"_s).toText(), QString(20, u'u'));
    // The other declarations are untouched.
    QCOMPARE(numar(u"SourceFile = 'martie.xlsx'"_s), 3);
    QCOMPARE(Mediu::numarRanduri(), 5);
}

void TestPreluareContabilitate::iesiri()
{
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());

    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(kIesiri));
    QCOMPARE(Arbore_Test::mesaje(), QStringList());
    QVERIFY(r.deschide && r.preluata);
    QCOMPARE(r.tip, u"O"_s);
    // Romania as the country of dispatch, and of origin where the material
    // has none; the destination from the partner when the invoice has none.
    const QStringList coloane = u"Anul Luna Cod_NC Tara_Orig Tara_Exp Tara_Dest Val_Fiscala Net Incoterms "
                                u"Document_Numar_Referinta VAT_ID SourceFile"_s.split(u' ');
    QCOMPARE(linii(u"O"_s, coloane),
             (QStringList{u"2026|3|84713000|CN|RO|FR|42|7|EXW|FE 1|FR12345678901|Factura_Export_Antet"_s,
                          u"2026|3|01012100|RO|RO|FR|80|400|EXW|FE 1|FR12345678901|Factura_Export_Antet"_s}));
    QCOMPARE(numar(u"TIP = 'I'"_s), 0);
}

void TestPreluareContabilitate::declaratieExistenta_data()
{
    QTest::addColumn<bool>("bifat");
    QTest::addColumn<ui::Answer>("raspuns");
    QTest::addColumn<bool>("inlocuita");
    QTest::newRow("ticked, Yes replaces") << true << ui::Answer::Yes << true;
    QTest::newRow("ticked, No keeps") << true << ui::Answer::No << false;
    // Ticked for another flow or period, or typed into the boxes: the month
    // about to be replaced is asked for all the same.
    QTest::newRow("not ticked, found now, Yes replaces") << false << ui::Answer::Yes << true;
    QTest::newRow("not ticked, found now, No keeps") << false << ui::Answer::No << false;
}

void TestPreluareContabilitate::declaratieExistenta()
{
    QFETCH(bool, bifat);
    QFETCH(ui::Answer, raspuns);
    QFETCH(bool, inlocuita);
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());
    QVERIFY(Mediu::linie(u"I"_s, u"RO0000001"_s, 2026, 3));
    QVERIFY(alteDeclaratii());

    ui::testing::pushAnswer(raspuns);
    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(kIntrari, u"2026"_s, u"3"_s, bifat));
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(mesaje.size(), 1);
    QCOMPARE(mesaje.at(0).text, kIntrebare);
    QCOMPARE(mesaje.at(0).icon, ui::Icon::Question);
    QCOMPARE(mesaje.at(0).buttons, ui::Buttons::YesNo);
    QVERIFY(!mesaje.at(0).title.has_value());
    // Either way the declaration window opens on the month.
    QVERIFY(r.deschide);
    QCOMPARE(r.preluata, inlocuita);
    const QString luna = u"TIP = 'I' AND Cod_Fiscal = 'RO0000001' AND Anul = 2026 AND Luna = 3"_s;
    QCOMPARE(numar(luna + u" AND SourceFile = 'martie.xlsx'"_s), inlocuita ? 0 : 1);
    QCOMPARE(numar(luna + u" AND SourceFile = 'Intrari_Antet'"_s), inlocuita ? 2 : 0);
    QCOMPARE(numar(u"NOT ("_s + luna + u")"_s), 3);
}

void TestPreluareContabilitate::existenta()
{
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(alteDeclaratii());
    QCOMPARE(Exista_Declaratie_Contabila(u"I"_s, u"2026"_s, u"3"_s), std::optional<bool>(false));
    QCOMPARE(Exista_Declaratie_Contabila(u"O"_s, u"2026"_s, u"3"_s), std::optional<bool>(true));
    QCOMPARE(Exista_Declaratie_Contabila(u"I"_s, u"2026"_s, u"2"_s), std::optional<bool>(true));
    // The working company's lines only.
    FirmaCurenta_CodFiscal = u"RO0000003"_s;
    QCOMPARE(Exista_Declaratie_Contabila(u"O"_s, u"2026"_s, u"3"_s), std::optional<bool>(false));
    // No answer to read.
    QVERIFY(!Conexiune_Firma.dropProcedure(u"Intrastat_Verifica_Existenta"_s));
    QVERIFY(!Exista_Declaratie_Contabila(u"O"_s, u"2026"_s, u"3"_s).has_value());
}

void TestPreluareContabilitate::fluxNecunoscut()
{
    // A flow that is neither I nor O runs no procedure and still opens the
    // declaration window with that letter.
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());
    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(u"X - altceva"_s));
    QCOMPARE(Arbore_Test::mesaje(), QStringList());
    QVERIFY(r.deschide);
    QVERIFY(!r.preluata);
    QCOMPARE(Mediu::numarRanduri(), 0);
    QCOMPARE(Filtru_Preluare_Contabila(r),
             u" WHERE [TIP]='X' AND [Cod_Fiscal]='RO0000001' AND [Anul]='2026' AND [Luna]='3'"_s);
}

void TestPreluareContabilitate::intrariIncomplete_data()
{
    QTest::addColumn<QString>("flux");
    QTest::addColumn<QString>("anul");
    QTest::addColumn<QString>("luna");
    QTest::addColumn<QStringList>("mesaje");
    // Blank: nothing done, nothing said.
    QTest::newRow("no flow") << QString() << u"2026"_s << u"3"_s << QStringList();
    QTest::newRow("no year") << kIntrari << QString() << u"3"_s << QStringList();
    QTest::newRow("a blank month") << kIntrari << u"2026"_s << u" "_s << QStringList();
    // Not whole numbers: the procedures would read another month.
    const QStringList an{u"Anul  -  Trebuie sa fie un an de 4 cifre !"_s};
    const QStringList luna{u"Luna  -  Trebuie sa fie un numar intre 1 si 12 !"_s};
    QTest::newRow("year with a letter") << kIntrari << u"20x6"_s << u"3"_s << an;
    QTest::newRow("two-digit year") << kIntrari << u"26"_s << u"3"_s << an;
    QTest::newRow("month with decimals") << kIntrari << u"2026"_s << u"3.5"_s << luna;
    QTest::newRow("month 13") << kIntrari << u"2026"_s << u"13"_s << luna;
    QTest::newRow("quote in the month") << kIntrari << u"2026"_s << u"3' OR '1'='1"_s << luna;
}

void TestPreluareContabilitate::intrariIncomplete()
{
    QFETCH(QString, flux);
    QFETCH(QString, anul);
    QFETCH(QString, luna);
    QFETCH(QStringList, mesaje);
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());
    QVERIFY(Mediu::linie(u"I"_s, u"RO0000001"_s, 2026, 3));
    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(flux, anul, luna, true));
    QCOMPARE(Arbore_Test::mesaje(), mesaje);
    QVERIFY(!r.deschide);
    QCOMPARE(numar(u"SourceFile = 'martie.xlsx'"_s), 1);
    QCOMPARE(Mediu::numarRanduri(), 1);
}

void TestPreluareContabilitate::proceduraEsuata()
{
    // The procedure deletes the month, then fails: the month keeps its
    // lines, the failure is said and the declaration window stays closed.
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());
    QVERIFY(Mediu::linie(u"I"_s, u"RO0000001"_s, 2026, 3));
    QVERIFY(!Conexiune_Firma.createProcedure(
        u"Intrastat_I"_s,
        u"DELETE FROM Intrastat WHERE TIP = ?1 AND Cod_Fiscal = ?2;\n"
        "INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna) SELECT ?1, ?2, NULL, NULL FROM Intrari_Linii"_s,
        {{1, u"TIP"_s, 202, db::Parameter::Input},
         {2, u"Cod_Fiscal"_s, 202, db::Parameter::Input},
         {3, u"Anul"_s, 202, db::Parameter::Input},
         {4, u"Luna"_s, 202, db::Parameter::Input}}));
    ui::testing::pushAnswer(ui::Answer::Yes);
    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(kIntrari, u"2026"_s, u"3"_s, true));
    QVERIFY(!r.deschide);
    QVERIFY(!r.preluata);
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(mesaje.size(), 2);
    QCOMPARE(mesaje.at(0).text, kIntrebare);
    QVERIFY2(mesaje.at(1).text.startsWith(
                 u"DATELE NU AU PUTUT FI PRELUATE, CELE EXISTENTE AU RAMAS NESCHIMBATE\r\nEROARE : "_s),
             qPrintable(mesaje.at(1).text));
    QCOMPARE(mesaje.at(1).icon, ui::Icon::Critical);
    QCOMPARE(numar(u"SourceFile = 'martie.xlsx'"_s), 1);
    QCOMPARE(Mediu::numarRanduri(), 1);
    QVERIFY(!Conexiune_Firma.inTransaction());
}

void TestPreluareContabilitate::codFiscalCuGhilimele()
{
    // A fiscal code holding a quote reaches the procedures as a value and
    // the filter quoted: the filter selects the lines taken over.
    Mediu m;
    QVERIFY(m.gata());
    QVERIFY(Mediu::contabilitate());
    FirmaCurenta_CodFiscal = u"RO'1"_s;
    const Rezultat_Preluare_Contabila r = Preia_Luna_Contabila(cerere(kIntrari));
    QVERIFY(r.preluata);
    const QString filtru = Filtru_Preluare_Contabila(r);
    QCOMPARE(filtru, u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO''1' AND [Anul]='2026' AND [Luna]='3'"_s);
    QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM Intrastat"_s + filtru).toInt(), 2);
    QCOMPARE(Mediu::numarRanduri(), 2);
}

QTEST_MAIN(TestPreluareContabilitate)
#include "tst_preluare_contabilitate.moc"
