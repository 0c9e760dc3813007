// Table Intrastat of the company template and its saved queries: the grid
// query's columns, the line key from the database, Yes/No as -1/0, codes
// compared without regard to case, and the items the declaration file is
// written from, for arrivals, dispatches before 2015 and from 2015.

#include "declaration/Fixture_Declaratii.h"
#include "declaration/Linii_Intrastat.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString selectItemeI =
    u"SELECT TIP,Cod_Fiscal,Anul,Luna,Pozitia,Cod_NC,Descriere1,Tara_Orig,Tara_Exp,Tara_Dest,Val_Fiscala1,"
    u"Val_Stat1,Net1,Cantitate1,Cod_UMS,Val_UMS1,Nat_Tranz,Incoterms,Mod_Transp FROM Intrastat_Sursa_Generare"_s;
const QString selectItemeO =
    u"SELECT TIP,Cod_Fiscal,Anul,Luna,Pozitia,Cod_NC,Descriere1,Tara_Orig,Tara_Exp,Tara_Dest,Val_Fiscala1,"
    u"Val_Stat1,Net1,Cantitate1,Cod_UMS,Val_UMS1,Nat_Tranz,Incoterms,Mod_Transp, VAT_ID1,Country_VAT_ID FROM "
    u"Intrastat_Sursa_Generare_O"_s;

QString filtru(const QString& tip, int anul, int luna)
{
    return u" WHERE [TIP]='"_s + tip + u"' AND [Cod_Fiscal]='RO123' AND [Anul]="_s + QString::number(anul) +
           u" AND [Luna]="_s + QString::number(luna);
}

Linie_Intrastat linie(const QString& tip, int anul, const QString& cod, double vf, double net,
                      const QString& vat = QString())
{
    Linie_Intrastat l;
    l.tip = tip;
    l.anul = anul;
    l.codNC = cod;
    l.descriereNC = u"Cod "_s + cod;
    l.taraExp = tip == u"I" ? u"DE"_s : u"RO"_s;
    l.taraDest = tip == u"I" ? u"RO"_s : u"DE"_s;
    l.valFiscala = vf;
    l.valStat = vf;
    l.net = net;
    l.vatId = vat.isNull() ? db::Variant::null() : db::Variant(vat);
    return l;
}

// The items as "code|fiscal|stat|net|vat" texts, in the order the view gives them.
QStringList iteme(db::Connection& c, const QString& sql, bool cuVat)
{
    QStringList out;
    db::Result<db::Recordset> rs = c.openRecordset(sql, db::CursorType::ForwardOnly, db::LockType::ReadOnly);
    if (!rs) {
        qWarning("%s", qPrintable(rs.error().text()));
        return out;
    }
    for (; !rs->eof(); rs->moveNext()) {
        QString t = rs->value(u"Cod_NC"_s).toText() + u'|' + rs->value(u"Val_Fiscala1"_s).toText() + u'|' +
                    rs->value(u"Val_Stat1"_s).toText() + u'|' + rs->value(u"Net1"_s).toText();
        if (cuVat)
            t += u'|' + rs->value(u"VAT_ID1"_s).toText() + u'|' + rs->value(u"Country_VAT_ID"_s).toText();
        out << t;
    }
    return out;
}

} // namespace

class TestTabelIntrastat : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    db::Connection m_firma;

private slots:
    void init()
    {
        m_firma.close();
        const QString tinta = m_dir.filePath(u"firma.mdb"_s);
        QVERIFY(Creeaza_Firma_Din_Sablon(
            qEnvironmentVariable("QUORVEL_SEED_TREE") + u"/System/DataBase/goala.mdb"_s, tinta));
        QVERIFY(!m_firma.open(tinta));
    }
    void cleanup() { m_firma.close(); }

    // The grid query gives the 32 columns in their order, updatable.
    void interogareaGrilei()
    {
        QVERIFY(!Populeaza_Firma_Standard(m_firma));
        db::Result<db::Recordset> rs = Deschide_Linii(m_firma, Sursa_Grila(SQL_Grila_Intrastat, QString()));
        QVERIFY2(rs, qPrintable(rs.error().text()));
        const QStringList asteptate{u"TIP"_s,
                                    u"Cod_Fiscal"_s,
                                    u"Anul"_s,
                                    u"Luna"_s,
                                    u"Record_ID"_s,
                                    u"Cod_NC"_s,
                                    u"Descriere_NC"_s,
                                    u"Tara_Orig"_s,
                                    u"Tara_Exp"_s,
                                    u"Tara_Dest"_s,
                                    u"Val_Fiscala"_s,
                                    u"Val_Stat"_s,
                                    u"Net"_s,
                                    u"Cod_UMS"_s,
                                    u"Val_UMS"_s,
                                    u"Nat_Tranz"_s,
                                    u"Incoterms"_s,
                                    u"Mod_Transp"_s,
                                    u"Document_Numar_Referinta"_s,
                                    u"Document_Data_Referinta"_s,
                                    u"Descriere"_s,
                                    u"Cantitate"_s,
                                    u"UM"_s,
                                    u"Valoare_Valuta"_s,
                                    u"Moneda"_s,
                                    u"Curs_Schimb"_s,
                                    u"VAT_ID"_s,
                                    u"SourceFile"_s,
                                    u"Data_Preluare"_s,
                                    u"UserName"_s,
                                    u"Probleme"_s,
                                    u"Exista_UMS"_s};
        QStringList nume;
        for (int i = 0; i < rs->fieldCount(); ++i)
            nume << rs->field(i).name;
        QCOMPARE(nume, asteptate);
        QVERIFY(rs->canUpdate());
        int total = 0;
        for (const Fisier_Test& f : Fisiere_Standard())
            total += f.nrLinii;
        QCOMPARE(rs->recordCount(), total);
        // In line order.
        qint64 anterior = 0;
        for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
            QVERIFY(rs->value(u"Record_ID"_s).toInt64() > anterior);
            anterior = rs->value(u"Record_ID"_s).toInt64();
        }
    }

    // A new line gets a key higher than every key given before, even after
    // the highest line was deleted; Yes/No columns hold -1 and 0.
    void cheieSiDaNu()
    {
        QVERIFY(
            !Adauga_Linii(m_firma, {linie(u"O"_s, 2015, u"1"_s, 1, 1), linie(u"O"_s, 2015, u"2"_s, 1, 1)}));
        QVERIFY(m_firma.execute(u"DELETE FROM Intrastat WHERE Cod_NC='2'"_s));
        db::Result<db::Recordset> rs = Deschide_Linii(m_firma, Sursa_Grila(SQL_Grila_Intrastat, QString()));
        QVERIFY(rs);
        QVERIFY(!rs->addNew());
        for (const auto& [camp, valoare] : QList<QPair<QString, db::Variant>>{{u"TIP"_s, u"O"_s},
                                                                              {u"Cod_Fiscal"_s, u"RO123"_s},
                                                                              {u"Anul"_s, 2015},
                                                                              {u"Luna"_s, 3},
                                                                              {u"Probleme"_s, true},
                                                                              {u"Exista_UMS"_s, false}})
            QVERIFY(!rs->setValue(camp, valoare));
        QVERIFY(!rs->update());
        QCOMPARE(rs->value(u"Record_ID"_s).toInt(), 3);
        db::Result<db::Recordset> brut = m_firma.openRecordset(
            u"SELECT CAST(Probleme AS INTEGER) AS p, CAST(Exista_UMS AS INTEGER) AS e FROM Intrastat "
            u"WHERE Record_ID=3"_s);
        QVERIFY(brut);
        QCOMPARE(brut->valueAt(0, 0).toInt(), -1);
        QCOMPARE(brut->valueAt(0, 1).toInt(), 0);
    }

    // Key and code columns compare without regard to case.
    void comparatieFaraMajuscule()
    {
        QVERIFY(!Populeaza_Firma_Standard(m_firma));
        db::Result<db::Recordset> rs =
            Deschide_Linii(m_firma, Sursa_Grila(SQL_Grila_Intrastat,
                                                u" WHERE [TIP]='o' AND [Cod_Fiscal]='ro123' AND [Anul]=2015 "
                                                u"AND [Luna]=3"_s));
        QVERIFY(rs);
        QCOMPARE(rs->recordCount(), 15);
    }

    // Arrivals: one item per code, countries, unit, transaction, terms and
    // transport; sums rounded half to even; under 1 kg declared as 1; by code.
    void itemeSosiri()
    {
        QList<Linie_Intrastat> l{
            linie(u"I"_s, 2015, u"84713000"_s, 100.5, 0.2), linie(u"I"_s, 2015, u"01012100"_s, 2.5, 3.5),
            linie(u"I"_s, 2015, u"84713000"_s, 1.0, 0.2), linie(u"I"_s, 2015, u"01012100"_s, 1.0, 1.0)};
        l[3].incoterms = u"DAP"_s;                     // another item
        l << linie(u"O"_s, 2015, u"01012100"_s, 7, 7); // another type
        l << linie(u"I"_s, 2015, u"01012100"_s, 9, 9); // another month
        l.last().luna = 4;
        QVERIFY(!Adauga_Linii(m_firma, l));
        QCOMPARE(iteme(m_firma, selectItemeI + filtru(u"I"_s, 2015, 3), false),
                 (QStringList{u"01012100|2|2|4"_s, u"01012100|1|1|1"_s, u"84713000|102|102|1"_s}));
    }

    // Dispatches before 2015 are read from the same query: the partner's VAT
    // number does not split an item. From 2015 they are read from the other
    // one, which splits by the number (trimmed, in capitals) and gives its
    // country prefix.
    void itemeExpedieri_data()
    {
        QTest::addColumn<int>("anul");
        QTest::addColumn<QString>("select");
        QTest::addColumn<bool>("cuVat");
        QTest::addColumn<QStringList>("asteptate");
        QTest::newRow("2014") << 2014 << selectItemeI << false
                              << QStringList{u"01013000|30|30|3"_s, u"84713000|600|600|6"_s};
        QTest::newRow("2015") << 2015 << selectItemeO << true
                              << QStringList{u"01013000|30|30|3|FR777|FR"_s, u"84713000|300|300|3|DE111|DE"_s,
                                             u"84713000|300|300|3|DE222|DE"_s};
    }
    void itemeExpedieri()
    {
        QFETCH(int, anul);
        QFETCH(QString, select);
        QFETCH(bool, cuVat);
        QFETCH(QStringList, asteptate);
        QVERIFY(!Adauga_Linii(m_firma, {linie(u"O"_s, anul, u"84713000"_s, 100, 1, u"DE111"_s),
                                        linie(u"O"_s, anul, u"84713000"_s, 200, 2, u" de111 "_s),
                                        linie(u"O"_s, anul, u"84713000"_s, 300, 3, u"DE222"_s),
                                        linie(u"O"_s, anul, u"01013000"_s, 30, 3, u"FR777"_s)}));
        QCOMPARE(iteme(m_firma, select + filtru(u"O"_s, anul, 3), cuVat), asteptate);
    }
};

QTEST_GUILESS_MAIN(TestTabelIntrastat)
#include "tst_tabel_intrastat.moc"
