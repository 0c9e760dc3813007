// The declaration's plain procedures: the chooser's checked period, its
// filters and the deletion of one imported file; the totals of the footers;
// the caption's count; the declarant's names, the file name and the control
// defaults file.

#include "Firma_Test.h"
#include "declaration/Coloane_Intrastat.h"
#include "declaration/Date_Declarant.h"
#include "declaration/Fisier_XML_Intrastat.h"
#include "declaration/Linii_Intrastat.h"
#include "declaration/Selectie_Intrastat.h"
#include "declaration/Valori_Implicite.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

class TestSelectieCore : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void perioadaVerificata_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("anul");
        QTest::addColumn<QString>("luna");
        QTest::addColumn<QString>("filtru"); // empty: refused
        QTest::addColumn<QString>("mesaj");
        QTest::newRow("as listed")
            << u"O"_s << u"2015"_s << u"3"_s
            << u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s << QString();
        QTest::newRow("small type, blanks, leading zero")
            << u" i "_s << u" 2015 "_s << u"03"_s
            << u" WHERE [TIP]='I' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s << QString();
        QTest::newRow("month pasted with SQL")
            << u"O"_s << u"2015"_s << u"3 OR 1=1"_s << QString()
            << u"LUNA  -  Trebuie sa fie un numar intreg intre 1 si 12 !"_s;
        QTest::newRow("month 13") << u"O"_s << u"2015"_s << u"13"_s << QString()
                                  << u"LUNA  -  Trebuie sa fie un numar intreg intre 1 si 12 !"_s;
        QTest::newRow("month 0") << u"O"_s << u"2015"_s << u"0"_s << QString()
                                 << u"LUNA  -  Trebuie sa fie un numar intreg intre 1 si 12 !"_s;
        QTest::newRow("two-digit year") << u"O"_s << u"15"_s << u"3"_s << QString()
                                        << u"ANUL  -  Trebuie sa fie un numar intreg de 4 cifre !"_s;
        QTest::newRow("year with SQL") << u"O"_s << u"2015 OR 1=1"_s << u"3"_s << QString()
                                       << u"ANUL  -  Trebuie sa fie un numar intreg de 4 cifre !"_s;
        QTest::newRow("type X") << u"X"_s << u"2015"_s << u"3"_s << QString()
                                << u"TIP  -  Trebuie sa fie I sau O !"_s;
        QTest::newRow("type with quote")
            << u"O' OR '1'='1"_s << u"2015"_s << u"3"_s << QString() << u"TIP  -  Trebuie sa fie I sau O !"_s;
    }
    void perioadaVerificata()
    {
        QFETCH(QString, tip);
        QFETCH(QString, anul);
        QFETCH(QString, luna);
        QFETCH(QString, filtru);
        QFETCH(QString, mesaj);
        const Perioada_Verificata v = Verifica_Perioada(tip, anul, luna);
        QCOMPARE(v.perioada.has_value(), !filtru.isEmpty());
        QCOMPARE(v.mesaj, mesaj);
        if (v.perioada)
            QCOMPARE(Filtru_Perioada(*v.perioada, u"RO123"_s), filtru);
    }

    void perioadaDinLista_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("bucati"); // empty list: nothing chosen
        QTest::newRow("item") << u"O - 2015 - 3"_s << QStringList{u"O"_s, u"2015"_s, u"3"_s};
        QTest::newRow("blank") << u" "_s << QStringList();
        QTest::newRow("no separator") << u"O 2015 3"_s << QStringList();
        QTest::newRow("two pieces") << u"I - 2016"_s << QStringList{u"I"_s, u"2016"_s};
    }
    void perioadaDinLista()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, bucati);
        const std::optional<QStringList> b = Imparte_Perioada(text);
        QCOMPARE(b.has_value(), !bucati.isEmpty());
        if (b)
            QCOMPARE(*b, bucati);
    }

    // Newest year first, newest month first, then the type; every company.
    void perioadeSiFisiere()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        const db::Result<QStringList> p = Perioade_Intrastat(Conexiune_Firma);
        QVERIFY(p);
        QCOMPARE(*p, (QStringList{u"O - 2016 - 1"_s, u"I - 2015 - 12"_s, u"O - 2015 - 12"_s,
                                  u"O - 2015 - 4"_s, u"I - 2015 - 3"_s, u"O - 2015 - 3"_s}));
        db::Result<db::Recordset> lista = Conexiune_Firma.openRecordset(SQL_Fisiere_Intrastat);
        QVERIFY(lista);
        QCOMPARE(lista->recordCount(), Fisiere_Standard().size());
        QCOMPARE(lista->field(lista->fieldCount() - 1).name, u"STREGE"_s);
        QCOMPARE(lista->valueAt(0, lista->fieldIndex(u"STREGE"_s)).toText(), u"STERGE"_s);
    }

    // The filter of one file doubles the quote of its name and finds its lines.
    void filtruFisier()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        db::Result<db::Recordset> lista = Conexiune_Firma.openRecordset(SQL_Fisiere_Intrastat);
        QVERIFY(lista);
        int rand = -1;
        for (int r = 0; r < lista->rowCount(); ++r)
            if (Fisier_Din_Lista(*lista, r).fisier.toText() == u"O'Neil.xlsx")
                rand = r;
        QVERIFY(rand >= 0);
        const Fisier_Preluat f = Fisier_Din_Lista(*lista, rand);
        QCOMPARE(
            Filtru_Fisier(f),
            u" WHERE SourceFile='O''Neil.xlsx' AND Cod_Fiscal='RO123' AND Anul=2015 AND Luna=3 AND Tip='O'"_s);
        db::Result<db::Recordset> linii =
            Deschide_Linii(Conexiune_Firma, Sursa_Grila(SQL_Grila_Intrastat, Filtru_Fisier(f)));
        QVERIFY2(linii, qPrintable(linii.error().text()));
        QCOMPARE(linii->recordCount(), 3);
        QCOMPARE(Intrebare_Stergere(f),
                 u"Stergeti toate cele 3 inregistrari aferente fisierului preluat ?"_s);
    }

    // The deletion removes exactly the lines of the row: the same file
    // imported again by another user, of another month or of another type
    // stays; a name with a quote and lines without user work as well.
    void stergereFisier_data()
    {
        QTest::addColumn<QString>("fisier");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("luna");
        QTest::addColumn<QString>("utilizator");
        QTest::addColumn<int>("sterse");
        QTest::newRow("imported twice") << u"ian.xlsx"_s << u"O"_s << 1 << u"ion"_s << 3;
        QTest::newRow("same name, other month and type") << u"a.xlsx"_s << u"O"_s << 3 << u"ion"_s << 12;
        QTest::newRow("quote in the name") << u"O'Neil.xlsx"_s << u"O"_s << 3 << u"ion"_s << 3;
        QTest::newRow("no user") << u"Factura_Export_Antet"_s << u"O"_s << 3 << QString() << 2;
    }
    void stergereFisier()
    {
        QFETCH(QString, fisier);
        QFETCH(QString, tip);
        QFETCH(int, luna);
        QFETCH(QString, utilizator);
        QFETCH(int, sterse);
        Firma_Test firma;
        QVERIFY(firma.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        Linie_Intrastat preluata;
        preluata.sourceFile = u"Factura_Export_Antet"_s;
        preluata.userName = db::Variant::null();
        QVERIFY(!Adauga_Linii(Conexiune_Firma, {preluata, preluata}));
        const int inainte = Firma_Test::numar(u"1=1"_s);
        db::Result<db::Recordset> lista = Conexiune_Firma.openRecordset(SQL_Fisiere_Intrastat);
        QVERIFY(lista);
        int rand = -1;
        for (int r = 0; r < lista->rowCount(); ++r) {
            const Fisier_Preluat f = Fisier_Din_Lista(*lista, r);
            if (f.fisier.toText() == fisier && f.tip == tip && f.luna == luna &&
                f.utilizator.toText() == utilizator && f.codFiscal == u"RO123")
                rand = r;
        }
        QVERIFY(rand >= 0);
        const Fisier_Preluat f = Fisier_Din_Lista(*lista, rand);
        QCOMPARE(f.nrInregistrari, sterse);
        const db::Result<qint64> n = Sterge_Fisier_Preluat(Conexiune_Firma, f);
        QVERIFY2(n, qPrintable(n.error().text()));
        QCOMPARE(*n, qint64(sterse));
        QCOMPARE(Firma_Test::numar(u"1=1"_s), inainte - sterse);
        QCOMPARE(Firma_Test::numar(u"SourceFile="_s + db::quoted(fisier) + u" AND Tip='"_s + tip +
                                   u"' AND Luna="_s + QString::number(luna) + u" AND Cod_Fiscal='RO123'"_s),
                 0 + (fisier == u"ian.xlsx" ? 2 : 0));
    }

    // A row that no longer matches the table deletes nothing.
    void stergereRefuzata()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        QVERIFY(!Populeaza_Firma_Standard(Conexiune_Firma));
        db::Result<db::Recordset> lista = Conexiune_Firma.openRecordset(SQL_Fisiere_Intrastat);
        QVERIFY(lista);
        Fisier_Preluat f = Fisier_Din_Lista(*lista, 0);
        QVERIFY(
            Conexiune_Firma.execute(u"DELETE FROM Intrastat WHERE Record_ID = (SELECT MAX(Record_ID) FROM "
                                    u"Intrastat WHERE SourceFile="_s +
                                    db::quoted(f.fisier.toText()) + u")"_s));
        const int inainte = Firma_Test::numar(u"1=1"_s);
        const db::Result<qint64> n = Sterge_Fisier_Preluat(Conexiune_Firma, f);
        QVERIFY(!n);
        QVERIFY(n.error().description.contains(u"NU S-A STERS NIMIC"_s));
        QCOMPARE(Firma_Test::numar(u"1=1"_s), inainte);
    }

    // Sums in double precision, 0 for no lines, the further condition.
    void totaluri()
    {
        Firma_Test firma;
        QVERIFY(firma.ok());
        Linie_Intrastat a;
        a.valFiscala = 123456788.0;
        a.valStat = 0.4;
        a.net = 1.25;
        Linie_Intrastat b;
        b.codNC = u"01012100"_s;
        b.valFiscala = 1.0;
        b.valStat = 0.4;
        b.net = db::Variant();
        QVERIFY(!Adauga_Linii(Conexiune_Firma, {a, b}));
        const QString filtru = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
        db::Result<Totaluri_Intrastat> t = Calculeaza_Totaluri_Linii(Conexiune_Firma, filtru);
        QVERIFY(t);
        QCOMPARE(t->valFiscala, 123456789.0);
        QCOMPARE(Text_Total(t->valFiscala), u"123,456,789"_s);
        QCOMPARE(Text_Total(t->valStat), u"1"_s);
        QCOMPARE(Text_Total(t->net), u"1"_s);
        t = Calculeaza_Totaluri_Linii(Conexiune_Firma, filtru, u" AND [Cod_NC] LIKE '0101%'"_s);
        QVERIFY(t);
        QCOMPARE(t->valFiscala, 1.0);
        t = Calculeaza_Totaluri_Linii(Conexiune_Firma, QString(filtru).replace(u"2015"_s, u"2016"_s));
        QVERIFY(t);
        QCOMPARE(Text_Total(t->valFiscala), u"0"_s);
        QCOMPARE(SQL_Totaluri(u" WHERE X"_s, u" "_s),
                 u"SELECT SUM (Val_Fiscala), SUM(Val_Stat), SUM(Net) FROM INTRASTAT WHERE X"_s);
    }

    // The widest text of each amount column of the grid's lines as its cells
    // show it, at the column's place in the grid: of the largest and the
    // smallest value, the longer; a blank one counts for none. Columns
    // without a number format have none.
    void celeMaiLateTexte_data()
    {
        QTest::addColumn<QString>("camp");
        QTest::addColumn<int>("coloana");
        QTest::addColumn<QStringList>("valori"); // one line each, as SQL writes them
        QTest::addColumn<QString>("cel_mai_lat");
        QTest::newRow("net, blank") << u"Net"_s << 12 << QStringList{u"NULL"_s} << QString();
        QTest::newRow("net, small") << u"Net"_s << 12 << QStringList{u"NULL"_s, u"1.25"_s} << u"1.25"_s;
        QTest::newRow("net, millions and a negative")
            << u"Net"_s << 12 << QStringList{u"1.25"_s, u"8765432.1"_s, u"-12"_s} << u"8,765,432.10"_s;
        QTest::newRow("net, negative the widest")
            << u"Net"_s << 12 << QStringList{u"8765432.1"_s, u"-98765432"_s} << u"-98,765,432.00"_s;
        QTest::newRow("fiscal value, trillions")
            << u"Val_Fiscala"_s << 10 << QStringList{u"987654321"_s, u"1234567890123"_s, u"NULL"_s}
            << u"1,234,567,890,123"_s;
        QTest::newRow("statistical value, 10^12")
            << u"Val_Stat"_s << 11 << QStringList{u"2999999999"_s, u"1000000000000"_s}
            << u"1,000,000,000,000"_s;
        QTest::newRow("supplementary quantity")
            << u"Val_UMS"_s << 14 << QStringList{u"3"_s, u"12345678"_s, u"NULL"_s} << u"12,345,678.00"_s;
        QTest::newRow("quantity") << u"Cantitate"_s << 21 << QStringList{u"12345678.25"_s, u"2"_s}
                                  << u"12,345,678.25"_s;
        QTest::newRow("currency value")
            << u"Valoare_Valuta"_s << 23 << QStringList{u"1.5"_s, u"600000000.25"_s} << u"600,000,000.25"_s;
        QTest::newRow("exchange rate")
            << u"Curs_Schimb"_s << 25 << QStringList{u"4.9765"_s, u"25000.1234"_s} << u"25,000.1234"_s;
    }
    void celeMaiLateTexte()
    {
        QFETCH(QString, camp);
        QFETCH(int, coloana);
        QFETCH(QStringList, valori);
        QFETCH(QString, cel_mai_lat);
        Firma_Test firma;
        QVERIFY(firma.ok());
        const QString filtru = u" WHERE [TIP]='O' AND [Cod_Fiscal]='RO123' AND [Anul]=2015 AND [Luna]=3"_s;
        const auto texte = [&] {
            db::Result<db::Recordset> linii =
                Deschide_Linii(Conexiune_Firma, Sursa_Grila(SQL_Grila_Intrastat, filtru));
            if (!linii)
                return QStringList{u"eroare"_s};
            return linii->fieldIndex(camp) == coloana ? Texte_Cele_Mai_Late(*linii)
                                                      : QStringList{u"alta coloana"_s};
        };
        QCOMPARE(texte().value(coloana), QString());
        // The lines' other columns as the builder makes them, one more line
        // with a blank; a line of another period is none of the grid's.
        Linie_Intrastat alta;
        alta.luna = 4;
        QVERIFY(!Adauga_Linii(Conexiune_Firma, QList<Linie_Intrastat>(valori.size() + 1)));
        QVERIFY(!Adauga_Linii(Conexiune_Firma, {alta}));
        QVERIFY(Conexiune_Firma.execute(u"UPDATE Intrastat SET ["_s + camp +
                                        u"] = 9876543210987 WHERE Luna = 4"_s));
        QVERIFY(Conexiune_Firma.execute(u"UPDATE Intrastat SET ["_s + camp + u"] = NULL WHERE Luna = 3"_s));
        for (int i = 0; i < valori.size(); ++i)
            QVERIFY(Conexiune_Firma.execute(u"UPDATE Intrastat SET ["_s + camp + u"] = "_s + valori.at(i) +
                                            u" WHERE Record_ID = (SELECT MIN(Record_ID) + "_s +
                                            QString::number(i) + u" FROM Intrastat)"_s));
        const QStringList t = texte();
        QCOMPARE(t.size(), Coloane_GridIntrastat().size());
        QCOMPARE(t.at(coloana), cel_mai_lat);
        for (int c = 0; c < t.size(); ++c) {
            if (Coloane_GridIntrastat().at(c).format.isEmpty())
                QVERIFY2(t.at(c).isEmpty(), qPrintable(QString::number(c) + u": "_s + t.at(c)));
        }
        QCOMPARE(Texte_Cele_Mai_Late(db::Recordset()).value(coloana), QString());
    }

    void titlu()
    {
        const QString t = Titlu_Intrastat(u"2015"_s, u"3"_s);
        QCOMPARE(t, u"INTRASTAT -  ANUL: 2015   LUNA: 3"_s);
        QCOMPARE(Titlu_Intrastat(u"2015"_s, u"3"_s, u"a.xlsx"_s),
                 u"INTRASTAT -  ANUL: 2015   LUNA: 3   FISIER: a.xlsx"_s);
        QString c = t;
        for (int i = 0; i < 5; ++i)
            c = Titlu_Cu_Inregistrari(c, 12 + i);
        QCOMPARE(c, u"INTRASTAT -  ANUL: 2015   LUNA: 3  INREGISTRARI : 16"_s);
        QCOMPARE(Titlu_Cu_Inregistrari(u"INTRASTAT"_s, 0), u"INTRASTAT  INREGISTRARI : 0"_s);
    }

    void persoana_data()
    {
        QTest::addColumn<QString>("persoana");
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QString>("prenume");
        QTest::newRow("two names") << u"Ion Popescu"_s << u"Ion "_s << u" Popescu"_s;
        QTest::newRow("blanks around") << u"  Ion Popescu "_s << u"Ion "_s << u" Popescu"_s;
        QTest::newRow("three names") << u"Ion Maria Pop"_s << u"Ion "_s << u" Maria Pop"_s;
        QTest::newRow("one name") << u"Popescu"_s << QString() << u"Popescu"_s;
    }
    void persoana()
    {
        QFETCH(QString, persoana);
        QFETCH(QString, nume);
        QFETCH(QString, prenume);
        const Nume_Declarant n = Imparte_Persoana(persoana);
        QCOMPARE(n.nume, nume);
        QCOMPARE(n.prenume, prenume);
    }

    void numeFisier_data()
    {
        QTest::addColumn<QString>("cod");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("fel");
        QTest::addColumn<QString>("luna");
        QTest::addColumn<QString>("nume");
        QTest::newRow("arrivals, new")
            << u"RO1234567"_s << u"I"_s << u"N-Noua"_s << u"3"_s << u"0001234567_A_20153.xml"_s;
        QTest::newRow("arrivals, correction")
            << u"RO1234567"_s << u"I"_s << u"C-Corectie"_s << u"3"_s << u"0001234567_AR_20153.xml"_s;
        QTest::newRow("dispatches, December")
            << u"1234567"_s << u"O"_s << u"N-Noua"_s << u"12"_s << u"0001234567_D_201512.xml"_s;
        QTest::newRow("dispatches, correction, long code")
            << u"RO12345678901"_s << u"O"_s << u"C-Corectie"_s << u"3"_s << u"12345678901_DR_20153.xml"_s;
    }
    void numeFisier()
    {
        QFETCH(QString, cod);
        QFETCH(QString, tip);
        QFETCH(QString, fel);
        QFETCH(QString, luna);
        QFETCH(QString, nume);
        QCOMPARE(Nume_Fisier_XML(cod, tip, fel, u"2015"_s, luna), nume);
    }

    // Lines ended by CR LF, line breaks inside values as "|"; read back with
    // LF lines too; a missing folder writes nothing.
    void valoriImplicite()
    {
        QTemporaryDir dir;
        const QString cale = dir.filePath(u"Frm_Test.txt"_s);
        QVERIFY(Scrie_Valori_Implicite(cale, {{u"TXT_Tel"_s, u"0211"_s},
                                              {u"TXT_Strada_Dec"_s, u"a\r\nb\nc"_s},
                                              {u"Check_Dec_Tert"_s, u"1"_s}}));
        QFile f(cale);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("TXT_Tel=0211\r\nTXT_Strada_Dec=a|b|c\r\nCheck_Dec_Tert=1\r\n"));
        f.close();
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("A=1=2\nfara egal\nB=\n");
        f.close();
        QCOMPARE(Citeste_Valori_Implicite(cale), (Valori_Controale{{u"A"_s, u"1=2"_s}, {u"B"_s, QString()}}));
        QVERIFY(!Scrie_Valori_Implicite(dir.filePath(u"Lipsa/Frm_Test.txt"_s), {{u"A"_s, u"1"_s}}));
        QVERIFY(!QFile::exists(dir.filePath(u"Lipsa"_s)));
        QVERIFY(Citeste_Valori_Implicite(dir.filePath(u"nu.txt"_s)).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSelectieCore)
#include "tst_selectie_core.moc"
