// What the list windows compute without a screen: the record count in a
// caption, the drill-down queries of the tariff levels, the explanatory
// notes of a code, the grid editor's sort queries and row defaults.
#include "codelists/Actualizari_Generale.h"
#include "codelists/Nivele_Tarif.h"
#include "codelists/Note_Explicative.h"
#include "fixture.h"

using namespace Qt::StringLiterals;

class TestListeCore : public QObject
{
    Q_OBJECT
private slots:
    void captionTotal_data();
    void captionTotal();
    void drillDownQueries_data();
    void drillDownQueries();
    void notesOfAChapterOrHeading_data();
    void notesOfAChapterOrHeading();
    void notesQueryThatFailsIsAnError();
    void sortQueries_data();
    void sortQueries();
    void rowDefaults_data();
    void rowDefaults();
};

void TestListeCore::captionTotal_data()
{
    QTest::addColumn<QString>("titlu");
    QTest::addColumn<QString>("asteptat");
    QTest::newRow("first activation") << u"SECTIUNI -"_s << u"SECTIUNI -  Total Inregistrari :  7"_s;
    QTest::newRow("a later one replaces the count")
        << u"SECTIUNI -  Total Inregistrari :  21"_s << u"SECTIUNI -  Total Inregistrari :  7"_s;
}

void TestListeCore::captionTotal()
{
    QFETCH(QString, titlu);
    QFETCH(QString, asteptat);
    QCOMPARE(Titlu_Cu_Total(titlu, 7), asteptat);
    QCOMPARE(Titlu_Cu_Total(Titlu_Cu_Total(titlu, 7), 7), asteptat);
}

void TestListeCore::drillDownQueries_data()
{
    QTest::addColumn<int>("nivel");
    QTest::addColumn<QString>("cod");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("nivelNou");
    QTest::newRow("section to chapters")
        << 1 << u"16"_s
        << u"SELECT [HS2_COD], [HS2_DESC] FROM [HS_2] WHERE [HS1_COD]='16' ORDER BY [HS2_COD]"_s << 2;
    QTest::newRow("sub-heading to codes in force")
        << 6 << u"847130"_s
        << u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM [HS_8] WHERE HS6_COD "
           u"='847130' AND [AN_END] IS NULL ORDER BY [HS12_COD]"_s
        << 8;
    QTest::newRow("a quote in a code stays inside the value")
        << 2 << u"8'4"_s
        << u"SELECT [HS4_COD], [HS4_DESC] FROM [HS_4] WHERE [HS2_COD]='8''4' ORDER BY [HS4_COD]"_s << 4;
    QTest::newRow("nothing below level 8") << 8 << u"84713000"_s << QString() << 0;
    QTest::newRow("nor from another level") << 3 << u"84"_s << QString() << 0;
}

void TestListeCore::drillDownQueries()
{
    QFETCH(int, nivel);
    QFETCH(QString, cod);
    QFETCH(QString, sql);
    QFETCH(int, nivelNou);
    const std::optional<Legatura_Tarif> l = Interogare_Legatura_Tarif(quint8(nivel), cod);
    QCOMPARE(l.has_value(), !sql.isEmpty());
    if (l) {
        QCOMPARE(l->sql, sql);
        QCOMPARE(int(l->nivel), nivelNou);
    }
}

void TestListeCore::notesOfAChapterOrHeading_data()
{
    QTest::addColumn<QString>("cod");
    QTest::addColumn<int>("cifre");
    QTest::addColumn<QString>("text");
    QTest::newRow("0101, chapter") << u"0101"_s << 2 << u"Capitolul 1"_s;
    QTest::newRow("0101, heading") << u"0101"_s << 4 << u"Pozitia 0101"_s;
    QTest::newRow("an eight-digit code, chapter") << u"01012100"_s << 2 << u"Capitolul 1"_s;
    QTest::newRow("a chapter without notes") << u"02"_s << 2 << Text_Fara_Note;
    QTest::newRow("a blank description") << u"03"_s << 2 << QString();
    QTest::newRow("as typed, not trimmed") << u" 1"_s << 2 << Text_Fara_Note;
    QTest::newRow("a quote looks up nothing") << u"0'"_s << 2 << Text_Fara_Note;
}

void TestListeCore::notesOfAChapterOrHeading()
{
    QFETCH(QString, cod);
    QFETCH(int, cifre);
    QFETCH(QString, text);
    fixture::Folder folder;
    const QString comun = folder.base() + u"Comun.mdb"_s;
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts(),
                                  u"INSERT INTO HS_Note_2 VALUES ('01', 'Capitolul 1');"
                                  u"INSERT INTO HS_Note_2 VALUES ('03', NULL);"
                                  u"INSERT INTO HS_Note_4 VALUES ('0101', 'Pozitia 0101');"_s));
    db::Connection c;
    QVERIFY(!c.open(comun));
    const db::Result<QString> note = Note_Explicative(c, cod, cifre);
    QVERIFY2(note, qPrintable(note.error().text()));
    QCOMPARE(*note, text);
}

void TestListeCore::notesQueryThatFailsIsAnError()
{
    fixture::Folder folder;
    const QString comun = folder.base() + u"Comun.mdb"_s;
    QVERIFY(fixture::makeDatabase(comun, fixture::comunScripts(), u"DROP TABLE HS_Note_4;"_s));
    db::Connection c;
    QVERIFY(!Note_Explicative(c, u"01"_s, 2)); // closed
    QVERIFY(!c.open(comun));
    QVERIFY(Note_Explicative(c, u"01"_s, 2));
    QVERIFY(!Note_Explicative(c, u"0101"_s, 4));
}

void TestListeCore::sortQueries_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<QString>("camp");
    QTest::addColumn<QString>("sql");
    QTest::newRow("report names")
        << 13 << u"REP_DESC"_s
        << u"SELECT Reports.REP_ID, Reports.REP_NAME, Reports.REP_DESC, REPORTS_SEL.REP_DESCRIPTION FROM "
           u"Reports "
           u"INNER JOIN REPORTS_SEL ON Reports.REP_ID = REPORTS_SEL.REP_ID  ORDER BY [REP_DESC]"_s;
    QTest::newRow("operation kinds") << 1 << u"Descriere"_s
                                     << u"SELECT * FROM [Tip_Operatiune]  ORDER BY [Descriere]"_s;
    QTest::newRow("exchange rates, no order of their own")
        << 4 << u"Data_Valabilitate"_s << u"SELECT * FROM [Rate_Schimb] ORDER BY [Data_Valabilitate]"_s;
    QTest::newRow("VAT journals") << 7 << u"Descriere"_s
                                  << u"SELECT * FROM [Jurnale_TVA]  ORDER BY [Descriere]"_s;
}

void TestListeCore::sortQueries()
{
    QFETCH(int, tip);
    QFETCH(QString, camp);
    QFETCH(QString, sql);
    const std::optional<Configuratie_Actualizare> c = Configuratie_Tip_Actualizare(tip);
    QVERIFY(c);
    QCOMPARE(Interogare_Sortata(*c, camp), sql);
    QVERIFY(!Configuratie_Tip_Actualizare(0));
    QVERIFY(!Configuratie_Tip_Actualizare(9));
}

void TestListeCore::rowDefaults_data()
{
    QTest::addColumn<int>("tip");
    QTest::addColumn<QStringList>("campuri");
    QTest::addColumn<QVariantList>("rand");
    QTest::addColumn<QVariantList>("asteptat"); // column, value, column, value, ...
    const QVariant gol;
    QTest::newRow("operation kinds: both check boxes")
        << 1 << QStringList{u"Cod_OP"_s, u"Descriere"_s, u"Intrastat"_s, u"Raport_UE"_s, u"Non_Transferuri"_s}
        << QVariantList{u"A"_s, u"x"_s, gol, gol, gol} << QVariantList{2, false, 3, false};
    QTest::newRow("operation kinds: a set box kept")
        << 1 << QStringList{u"Cod_OP"_s, u"Descriere"_s, u"Intrastat"_s, u"Raport_UE"_s, u"Non_Transferuri"_s}
        << QVariantList{u"A"_s, u"x"_s, -1, gol, gol} << QVariantList{3, false};
    QTest::newRow("invoice series: valid") << 6
                                           << QStringList{u"Seria"_s, u"Nr_Inceput"_s, u"Nr_Sfarsit"_s,
                                                          u"Lungime_Caractere"_s, u"Serie_Valida"_s}
                                           << QVariantList{u"A"_s, 1, 9, 3, gol} << QVariantList{4, 1};
    QTest::newRow("raw materials: zeros, a blank text kept")
        << 3 << QStringList{u"Cod_MA_PF"_s,   u"Descriere_RO"_s, u"Descriere_Alta_Limba"_s,
                            u"UM"_s,          u"Cod_Vamal"_s,    u"Greutate_Neta"_s,
                            u"Pret_Unitar"_s, u"Tara_Orig"_s,    u"PU_Materiale"_s}
        << QVariantList{u"M1"_s, gol, gol, u""_s, gol, 2.5, gol, gol, u" "_s} << QVariantList{3, 0, 6, 0};
    QTest::newRow("exchange rates: none") << 4 << QStringList{u"Moneda"_s, u"Data_Valabilitate"_s, u"Curs"_s}
                                          << QVariantList{gol, gol, gol} << QVariantList{};
}

void TestListeCore::rowDefaults()
{
    QFETCH(int, tip);
    QFETCH(QStringList, campuri);
    QFETCH(QVariantList, rand);
    QFETCH(QVariantList, asteptat);
    const auto valoare = [](const QVariant& v) -> db::Variant {
        if (!v.isValid())
            return db::Variant::null();
        if (v.typeId() == QMetaType::QString)
            return db::Variant(v.toString());
        if (v.typeId() == QMetaType::Double)
            return db::Variant(v.toDouble());
        if (v.typeId() == QMetaType::Bool)
            return db::Variant(v.toBool());
        return db::Variant(v.toInt());
    };
    const auto valori =
        Valori_Implicite_Rand(tip, campuri, [&](int coloana) { return valoare(rand.value(coloana)); });
    QCOMPARE(valori.size() * 2, asteptat.size());
    for (int i = 0; i < valori.size(); ++i) {
        QCOMPARE(valori[i].first, asteptat[2 * i].toInt());
        QCOMPARE(valori[i].second, valoare(asteptat[2 * i + 1]));
    }
}

QTEST_MAIN(TestListeCore)
#include "tst_liste_core.moc"
