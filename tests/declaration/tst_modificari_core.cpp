// The bulk changes without their window: the kinds of the grid's columns,
// the condition of the pickers, the exact UPDATE texts, and what they reach
// in a company of several declarations: the lines of the one declaration
// (or file) and only those, whatever the value typed.

#include "Firma_Test.h"
#include "declaration/Cheie_Declaratie.h"
#include "declaration/Linii_Intrastat.h"
#include "declaration/Modificari_Intrastat.h"

using namespace Qt::StringLiterals;

namespace {

const QString cheieI = u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
const QString cheieO = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
const QString fisierA =
    u" WHERE SourceFile='a.xlsx' AND Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3 AND Tip='O'"_s;

// The lines of the standard company as one text per line: key, file and
// the columns a bulk update may change, to see that nothing else moved.
QStringList instantaneu()
{
    QStringList linii;
    db::Result<db::Recordset> rs = Conexiune_Firma.openRecordset(
        u"SELECT Record_ID, TIP, Anul, Luna, Cod_Fiscal, SourceFile, Incoterms, Net, Descriere, Cod_UMS, "
        u"VAT_ID FROM Intrastat ORDER BY Record_ID"_s);
    for (; rs && !rs->eof(); rs->moveNext()) {
        QStringList v;
        for (int i = 0; i < rs->fieldCount(); ++i)
            v << rs->value(i).toText();
        linii << v.join(u'|');
    }
    return linii;
}

} // namespace

class TestModificariCore : public QObject
{
    Q_OBJECT

private slots:
    // The kind of each of the 32 columns of the grid query, by its type.
    void feluriColoane()
    {
        Firma_Test f;
        QVERIFY(f.ok());
        db::Result<db::Recordset> linii =
            Deschide_Linii(Conexiune_Firma, Sursa_Grila(SQL_Grila_Intrastat, cheieO));
        QVERIFY(linii);
        db::Result<db::Recordset> lista = Lista_Coloane(*linii);
        QVERIFY(lista);
        QCOMPARE(lista->recordCount(), 32);
        QCOMPARE(lista->field(0).name, u"Nume_Coloana"_s);
        QCOMPARE(lista->field(0).definedSize, 200);
        QCOMPARE(lista->field(1).definedSize, 2);
        QHash<QString, QString> fel;
        for (int r = 0; r < lista->rowCount(); ++r)
            fel.insert(lista->valueAt(r, 0).toText(), lista->valueAt(r, 1).toText());
        QCOMPARE(lista->valueAt(0, 0).toText(), u"TIP"_s);
        QCOMPARE(lista->valueAt(31, 0).toText(), u"Exista_UMS"_s);
        const QList<QPair<QString, QString>> asteptate{{u"TIP"_s, u"T"_s},
                                                       {u"Anul"_s, u"N"_s},
                                                       {u"Record_ID"_s, u"N"_s},
                                                       {u"Val_Fiscala"_s, u"N"_s},
                                                       {u"Valoare_Valuta"_s, u"N"_s},
                                                       {u"Curs_Schimb"_s, u"N"_s},
                                                       {u"Data_Preluare"_s, u"D"_s},
                                                       {u"Probleme"_s, u"B"_s},
                                                       {u"Exista_UMS"_s, u"B"_s},
                                                       {u"Cod_NC"_s, u"T"_s},
                                                       {u"Document_Data_Referinta"_s, u"T"_s}};
        for (const auto& [coloana, tip] : asteptate)
            QCOMPARE(fel.value(coloana), tip);
        // A byte field has no kind (and counts as text).
        QCOMPARE(Fel_Coloana(db::Type::UnsignedTinyInt), QString());
        QCOMPARE(Fel_Coloana(db::Type::Numeric), u"T"_s);
    }

    // The condition as the pickers give it.
    void conditie_data()
    {
        QTest::addColumn<QString>("coloana");
        QTest::addColumn<QString>("fel");
        QTest::addColumn<QString>("semn");
        QTest::addColumn<QString>("valoare");
        QTest::addColumn<QString>("conditie"); // "!" + reason when refused
        QTest::newRow("number") << u"Net"_s << u"N"_s << u"= Valoare"_s << u"5"_s << u" AND [Net] = 5"_s;
        QTest::newRow("decimal comma")
            << u"Net"_s << u"N"_s << u"> Valoare"_s << u"1,5"_s << u" AND [Net] > 1.5"_s;
        QTest::newRow("not a number") << u"Net"_s << u"N"_s << u"= Valoare"_s << u"5 OR 1=1"_s
                                      << u"!Valoarea introdusa nu este un numar"_s;
        QTest::newRow("an amount as the grid shows it") << u"Val_Fiscala"_s << u"N"_s << u">= Valoare"_s
                                                        << u"10.000.000"_s << u" AND [Val_Fiscala] >= 10000000"_s;
        QTest::newRow("an amount grouped, with decimals, not rounded")
            << u"Val_Fiscala"_s << u"N"_s << u"< Valoare"_s << u"1.234,5"_s << u" AND [Val_Fiscala] < 1234.5"_s;
        QTest::newRow("text with a quote") << u"Descriere"_s << u"T"_s << u"LIKE 'Valoare%'"_s << u"O'Neil"_s
                                           << u" AND [Descriere] LIKE 'O''Neil%'"_s;
        QTest::newRow("no kind is text") << u"Cod_NC"_s << QString() << u"= 'Valoare'"_s << u"x' OR '1'='1"_s
                                         << u" AND [Cod_NC] = 'x'' OR ''1''=''1'"_s;
        QTest::newRow("date") << u"Data_Preluare"_s << u"D"_s << u">= #Valoare#"_s << u"2.4.2015"_s
                              << u" AND [Data_Preluare] >= #2015-04-02#"_s;
        QTest::newRow("not a date") << u"Data_Preluare"_s << u"D"_s << u"= #Valoare#"_s << u"ieri"_s
                                    << u"!Valoarea introdusa nu este o data calendaristica"_s;
        QTest::newRow("yes/no") << u"Probleme"_s << u"B"_s << u"= True"_s << u"ignored"_s
                                << u" AND [Probleme] = True"_s;
        QTest::newRow("is null") << u"Cod_UMS"_s << u"T"_s << u"IS NULL"_s << u"ignored'"_s
                                 << u" AND ([Cod_UMS] IS NULL OR [Cod_UMS]=\"\")"_s;
        QTest::newRow("is not null") << u"VAT_ID"_s << u"T"_s << u"IS NOT NULL"_s << QString()
                                     << u" AND [VAT_ID] <> \" \""_s;
        QTest::newRow("is null on a number")
            << u"Net"_s << u"N"_s << u"IS NULL"_s << u"abc"_s << u" AND ([Net] IS NULL OR [Net]=\"\")"_s;
        QTest::newRow("other null") << u"Net"_s << u"N"_s << u"= NULL"_s << u"5"_s << QString();
        QTest::newRow("lower-case placeholder")
            << u"Net"_s << u"N"_s << u"= valoare"_s << u"5"_s << u" AND [Net] = valoare"_s;
        QTest::newRow("empty operator") << u"Net"_s << u"N"_s << u"="_s << u"5"_s << u" AND [Net] ="_s;
    }
    void conditie()
    {
        QFETCH(QString, coloana);
        QFETCH(QString, fel);
        QFETCH(QString, semn);
        QFETCH(QString, valoare);
        QFETCH(QString, conditie);
        const db::Result<QString> c = Conditie_Verificata(coloana, fel, semn, valoare);
        if (conditie.startsWith(u'!')) {
            QVERIFY(!c);
            QCOMPARE(c.error().description, conditie.mid(1));
        } else {
            QVERIFY(c);
            QCOMPARE(*c, conditie);
        }
    }

    // The whole statement: the value by the column's kind, the declaration's
    // clause, a narrower filter kept inside it, the condition.
    void comanda_data()
    {
        QTest::addColumn<QString>("coloana");
        QTest::addColumn<QString>("fel");
        QTest::addColumn<QString>("valoare");
        QTest::addColumn<int>("latime");
        QTest::addColumn<QString>("cheie");
        QTest::addColumn<QString>("filtru");
        QTest::addColumn<QString>("conditie");
        QTest::addColumn<QString>("sql"); // "!" + reason when refused
        QTest::newRow("declaration, no condition")
            << u"Incoterms"_s << u"T"_s << u"EXW"_s << 3 << cheieI << cheieI << QString()
            << u"UPDATE INTRASTAT SET [Incoterms]='EXW' WHERE [TIP]='I' AND [Cod_Fiscal]='RO123' AND "
               u"[Anul]=2015 AND [Luna]=3"_s;
        QTest::newRow("number with a condition")
            << u"Net"_s << u"N"_s << u"0"_s << 0 << cheieO << cheieO << u" AND [Net] = 5"_s
            << u"UPDATE INTRASTAT SET [Net]=0 WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND "
               u"[Luna]=3 AND [Net] = 5"_s;
        QTest::newRow("decimal comma") << u"Cantitate"_s << u"N"_s << u" 1,5 "_s << 0 << cheieO << cheieO
                                       << QString() << u"UPDATE INTRASTAT SET [Cantitate]=1.5"_s + cheieO;
        // An amount as the grid shows it, kept as its column keeps it, as the
        // import and the grid keep it: whole lei and kilograms, 4 decimals.
        QTest::newRow("net mass kept whole") << u"Net"_s << u"N"_s << u"1,5"_s << 0 << cheieO << cheieO
                                             << QString() << u"UPDATE INTRASTAT SET [Net]=2"_s + cheieO;
        QTest::newRow("fiscal value as shown, kept whole")
            << u"Val_Fiscala"_s << u"N"_s << u"1.234,50"_s << 0 << cheieO << cheieO << QString()
            << u"UPDATE INTRASTAT SET [Val_Fiscala]=1234"_s + cheieO;
        QTest::newRow("statistical value in thousands")
            << u"Val_Stat"_s << u"N"_s << u"10.000.000"_s << 0 << cheieO << cheieO << QString()
            << u"UPDATE INTRASTAT SET [Val_Stat]=10000000"_s + cheieO;
        QTest::newRow("currency value to 4 decimals")
            << u"Valoare_Valuta"_s << u"N"_s << u"1.234,56785"_s << 0 << cheieO << cheieO << QString()
            << u"UPDATE INTRASTAT SET [Valoare_Valuta]=1234.5678"_s + cheieO;
        QTest::newRow("not a number as the grid reads it")
            << u"Val_Fiscala"_s << u"N"_s << u"12,3,4"_s << 0 << cheieO << cheieO << QString()
            << u"!Valoarea introdusa nu este un numar"_s;
        QTest::newRow("fiscal value grouped as shown, in whole lei")
            << u"Val_Fiscala"_s << u"N"_s << u"1.234.567,50"_s << 0 << cheieO << cheieO << QString()
            << u"UPDATE INTRASTAT SET [Val_Fiscala]=1234568"_s + cheieO;
        QTest::newRow("statistical value, a half to even")
            << u"Val_Stat"_s << u"N"_s << u"7 500,5"_s << 0 << cheieO << cheieO << QString()
            << u"UPDATE INTRASTAT SET [Val_Stat]=7500"_s + cheieO;
        QTest::newRow("rate to 4 decimals") << u"Curs_Schimb"_s << u"N"_s << u"4,97655"_s << 0 << cheieO
                                            << cheieO << QString()
                                            << u"UPDATE INTRASTAT SET [Curs_Schimb]=4.9766"_s + cheieO;
        QTest::newRow("one file")
            << u"Incoterms"_s << u"T"_s << u"EXW"_s << 3 << cheieO << fisierA << QString()
            << u"UPDATE INTRASTAT SET [Incoterms]='EXW'"_s + cheieO +
                   u" AND (SourceFile='a.xlsx' AND Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3 AND Tip='O')"_s;
        QTest::newRow("no filter") << u"Incoterms"_s << u"T"_s << u"FCA"_s << 3 << cheieO << QString()
                                   << u" AND [Net] > 15"_s
                                   << u"UPDATE INTRASTAT SET [Incoterms]='FCA'"_s + cheieO +
                                          u" AND [Net] > 15"_s;
        QTest::newRow("quote doubled")
            << u"Descriere"_s << u"T"_s << u"x' WHERE 1=1 OR '"_s << 255 << cheieO << cheieO << QString()
            << u"UPDATE INTRASTAT SET [Descriere]='x'' WHERE 1=1 OR '''"_s + cheieO;
        QTest::newRow("no kind is text") << u"Cod_NC"_s << QString() << u"5"_s << 20 << cheieO << cheieO
                                         << QString() << u"UPDATE INTRASTAT SET [Cod_NC]='5'"_s + cheieO;
        QTest::newRow("a date as text")
            << u"Document_Data_Referinta"_s << u"T"_s << u"15/03/2015"_s << 50 << cheieO << cheieO
            << QString() << u"UPDATE INTRASTAT SET [Document_Data_Referinta]='15/03/2015'"_s + cheieO;
        QTest::newRow("date") << u"Data_Preluare"_s << u"D"_s << u"2015-04-02"_s << 0 << cheieO << cheieO
                              << QString() << u"UPDATE INTRASTAT SET [Data_Preluare]=#2015-04-02#"_s + cheieO;
        QTest::newRow("yes/no") << u"Probleme"_s << u"B"_s << u"Da"_s << 0 << cheieO << cheieO << QString()
                                << u"UPDATE INTRASTAT SET [Probleme]=-1"_s + cheieO;
        QTest::newRow("not a number") << u"Net"_s << u"N"_s << u"0 WHERE 1=1"_s << 0 << cheieO << cheieO
                                      << QString() << u"!Valoarea introdusa nu este un numar"_s;
        QTest::newRow("too long") << u"Incoterms"_s << u"T"_s << u"EXWX"_s << 3 << cheieO << cheieO
                                  << QString() << u"!Textul depaseste lungimea admisa a coloanei"_s;
        QTest::newRow("not yes/no") << u"Probleme"_s << u"B"_s << u"poate"_s << 0 << cheieO << cheieO
                                    << QString() << u"!Valoarea introdusa nu este Da sau Nu"_s;
    }
    void comanda()
    {
        QFETCH(QString, coloana);
        QFETCH(QString, fel);
        QFETCH(QString, valoare);
        QFETCH(int, latime);
        QFETCH(QString, cheie);
        QFETCH(QString, filtru);
        QFETCH(QString, conditie);
        QFETCH(QString, sql);
        const db::Result<QString> c = Comanda_Actualizare(coloana, fel, valoare, latime,
                                                          Clauza_Linii_Declaratie(cheie, filtru), conditie);
        if (sql.startsWith(u'!')) {
            QVERIFY(!c);
            QCOMPARE(c.error().description, sql.mid(1));
        } else {
            QVERIFY(c);
            QCOMPARE(*c, sql);
        }
    }

    // What the statements reach: only the lines of the declaration (or the
    // file) that meet the condition; every other line stays as it was.
    void ceAtinge_data()
    {
        QTest::addColumn<QString>("filtru");
        QTest::addColumn<QString>("coloana");
        QTest::addColumn<QString>("valoare");
        QTest::addColumn<QString>("conditie");
        QTest::addColumn<QString>("atinse"); // the lines that must change
        QTest::addColumn<int>("numar");
        QTest::newRow("declaration") << cheieO << u"Incoterms"_s << u"'CPT'"_s << QString()
                                     << u"TIP='O' AND Anul=2015 AND Luna=3 AND Cod_Fiscal='RO123'"_s << 15;
        QTest::newRow("one file") << fisierA << u"Incoterms"_s << u"'CPT'"_s << QString()
                                  << u"TIP='O' AND Anul=2015 AND Luna=3 AND Cod_Fiscal='RO123' AND "
                                     u"SourceFile='a.xlsx'"_s
                                  << 12;
        QTest::newRow("empty filter") << QString() << u"Incoterms"_s << u"'CPT'"_s << QString()
                                      << u"TIP='O' AND Anul=2015 AND Luna=3 AND Cod_Fiscal='RO123'"_s << 15;
        QTest::newRow("a filter that would widen")
            << u" WHERE 1=1 OR 1=1"_s << u"Incoterms"_s << u"'CPT'"_s << QString()
            << u"TIP='O' AND Anul=2015 AND Luna=3 AND "
               u"Cod_Fiscal='RO123'"_s
            << 15;
        // The day of the import, as the date operators write it.
        QTest::newRow("date") << cheieO << u"Incoterms"_s << u"'CPT'"_s
                              << u" AND [Data_Preluare] = #2015-04-02#"_s
                              << u"SourceFile='a.xlsx' AND TIP='O' AND Luna=3 AND Anul=2015"_s << 12;
        // Null and '' units: the file's even lines and one line emptied below.
        QTest::newRow("is null") << fisierA << u"Descriere"_s << u"'fara unitate'"_s
                                 << u" AND ([Cod_UMS] IS NULL OR [Cod_UMS]=\"\")"_s
                                 << u"SourceFile='a.xlsx' AND TIP='O' AND Luna=3 AND Anul=2015 AND "
                                    u"(Cod_UMS IS NULL OR Cod_UMS='')"_s
                                 << 7;
        // Null and ' ' VAT numbers are left.
        QTest::newRow("is not null") << fisierA << u"Descriere"_s << u"'cu TVA'"_s
                                     << u" AND [VAT_ID] <> \" \""_s
                                     << u"SourceFile='a.xlsx' AND TIP='O' AND Luna=3 AND Anul=2015 AND "
                                        u"VAT_ID IS NOT NULL AND VAT_ID <> ' '"_s
                                     << 10;
    }
    void ceAtinge()
    {
        QFETCH(QString, filtru);
        QFETCH(QString, coloana);
        QFETCH(QString, valoare);
        QFETCH(QString, conditie);
        QFETCH(QString, atinse);
        QFETCH(int, numar);
        Firma_Test f;
        QVERIFY(f.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        // One unit emptied to '' (with its quantity), two VAT numbers Null and ' '.
        QVERIFY(
            Conexiune_Firma.execute(u"UPDATE Intrastat SET Cod_UMS='' WHERE SourceFile='a.xlsx' AND TIP='O' "
                                    u"AND Luna=3 AND Pozitia=3"_s));
        QVERIFY(Conexiune_Firma.execute(u"UPDATE Intrastat SET VAT_ID=NULL WHERE SourceFile='a.xlsx' AND "
                                        u"TIP='O' AND Luna=3 AND Pozitia=2"_s));
        QVERIFY(Conexiune_Firma.execute(u"UPDATE Intrastat SET VAT_ID=' ' WHERE SourceFile='a.xlsx' AND "
                                        u"TIP='O' AND Luna=3 AND Pozitia=4"_s));
        const QStringList inainte = instantaneu();
        const QString camp = coloana;
        const QString tinta = valoare.mid(1, valoare.size() - 2);
        const db::Result<qint64> n =
            Actualizeaza_Linii(Conexiune_Firma, u"UPDATE INTRASTAT SET ["_s + camp + u"]="_s + valoare +
                                                    Clauza_Linii_Declaratie(cheieO, filtru) + conditie);
        QVERIFY2(n, qPrintable(n.error().text()));
        QCOMPARE(*n, qint64(numar));
        QCOMPARE(Firma_Test::numar(atinse + u" AND "_s + camp + u"='"_s + tinta + u"'"_s), numar);
        QCOMPARE(Firma_Test::numar(camp + u"='"_s + tinta + u"'"_s), numar);
        // Every other line reads as before.
        const QStringList dupa = instantaneu();
        QCOMPARE(dupa.size(), inainte.size());
        int schimbate = 0;
        for (int i = 0; i < dupa.size(); ++i)
            schimbate += dupa.at(i) != inainte.at(i) ? 1 : 0;
        QCOMPARE(schimbate, numar);
    }

    // A statement the database refuses changes nothing.
    void refuzata()
    {
        Firma_Test f;
        QVERIFY(f.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        const QStringList inainte = instantaneu();
        const db::Result<qint64> n =
            Actualizeaza_Linii(Conexiune_Firma, u"UPDATE INTRASTAT SET [Nu_Exista]=1"_s + cheieO);
        QVERIFY(!n);
        QVERIFY(!n.error().description.isEmpty());
        QCOMPARE(instantaneu(), inainte);
        QVERIFY(!Conexiune_Firma.inTransaction());
    }

    // The filtered view's selection, with and without a filter.
    void filtruSelectie()
    {
        QCOMPARE(Filtru_Selectie(cheieO, u" AND [Net] > 15"_s), cheieO + u" AND [Net] > 15"_s);
        QCOMPARE(Filtru_Selectie(cheieO, QString()), cheieO);
        QCOMPARE(Filtru_Selectie(QString(), u" AND [Net] > 15"_s), u" WHERE [Net] > 15"_s);
        QCOMPARE(Filtru_Selectie(QString(), u" AND ([Cod_UMS] IS NULL OR [Cod_UMS]=\"\")"_s),
                 u" WHERE ([Cod_UMS] IS NULL OR [Cod_UMS]=\"\")"_s);
        QCOMPARE(Filtru_Selectie(QString(), QString()), QString());
        QCOMPARE(SQL_Semne_Fel(u"N"_s), u"SELECT * FROM Semne_Cautare_Selectie WHERE SeAplicaLa='N'"_s);
        // The declaration's clause for a company's own key.
        QCOMPARE(Clauza_Declaratie(u"I"_s, u"RO123"_s, Perioada_Declaratie{2015, 3}), cheieI);
    }
};

QTEST_MAIN(TestModificariCore)
#include "tst_modificari_core.moc"
