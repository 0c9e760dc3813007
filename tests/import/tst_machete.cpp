// Import templates: the template record set, a new template's header and its
// seeded rows, the row of the other flow, the country-of-origin row of old
// templates, names in use or with quotes, and the delete.

#include "Mediu_Preluare.h"
#include "import/Machete.h"
#include "import/Preluare_Fisiere.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using preluare_test::Mediu;

namespace {

// A new template made as the editor makes it: header, save, seeding.
db::Error machetaNoua(const QString& nume, const QString& tip)
{
    auto set = Deschide_Set_Macheta(Conexiune_Firma, QString());
    if (!set)
        return set.error();
    if (db::Error e = Creeaza_Antet(*set))
        return e;
    set->setValue(u"Nume_structura"_s, db::Variant(nume));
    set->setValue(u"TIP"_s, db::Variant(tip));
    if (db::Error e = Salveaza_Antet(*set))
        return e;
    auto schema = Citeste_Schema_Intrastat(Conexiune_Firma);
    if (!schema)
        return schema.error();
    return Initializeaza_Continut_Macheta(Conexiune_Firma, nume, tip, *schema);
}

const QStringList kDescrise{u"Cod_NC"_s,
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
                            u"VAT_ID"_s};

} // namespace

class TestMachete : public QObject
{
    Q_OBJECT

private slots:
    void shapeText()
    {
        QCOMPARE(Conditie_Macheta_Pentru(u"T1"_s), u" WHERE [Nume_structura]='T1'"_s);
        QCOMPARE(
            Text_Set_Macheta(Conditie_Macheta_Pentru(u"T1"_s)),
            u"SHAPE {SELECT * FROM StructuraFisiereAntet  WHERE [Nume_structura]='T1'} AS ParentCMD APPEND "
            u"({SELECT Nume_Structura,Record_ID,Dest_ColumnDescription,Exista_Coloana, Numar_Coloana,"
            u"Valoare_Implicita,Marime_Maxima,Format,Dest_ColumnName FROM StructuraFisiereContinut  WHERE "
            u"[Nume_structura]='T1'ORDER BY Sort_Order} AS ChildCMD RELATE [Nume_Structura] TO "
            u"[Nume_Structura])"_s);
        QCOMPARE(Conditie_Macheta_Pentru(u"D'Arc"_s), u" WHERE [Nume_structura]='D''Arc'"_s);
    }

    void seeding_data()
    {
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QString>("lipsa");
        QTest::newRow("dispatches") << u"LIVRARE"_s << u"Tara_Exp"_s;
        QTest::newRow("arrivals") << u"ACHIZITIE"_s << u"Tara_Dest"_s;
        QTest::newRow("dispatches in small letters") << u"livrare"_s << u"Tara_Exp"_s;
    }
    void seeding()
    {
        QFETCH(QString, tip);
        QFETCH(QString, lipsa);
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s)); // the demonstration's own
        const QString nume = u"Macheta D'Arc"_s;
        const db::Error e = machetaNoua(nume, tip);
        QVERIFY2(!e, qPrintable(e.text()));
        QStringList asteptat = kDescrise;
        asteptat.removeAll(lipsa);
        QCOMPARE(Mediu::coloaneMacheta(nume), asteptat);
        QCOMPARE(Mediu::valoare(u"SELECT TIP FROM StructuraFisiereAntet"_s).toText(), tip);
        QCOMPARE(Mediu::valoare(u"SELECT Work_Sheet_Name FROM StructuraFisiereAntet"_s).toText(),
                 u"Sheet1"_s);

        // The rows' values from the schema.
        auto rs = Conexiune_Firma.openRecordset(
            u"SELECT * FROM StructuraFisiereContinut WHERE Dest_ColumnName IN ('Cod_NC', 'Val_Fiscala', "
            u"'Document_Data_Referinta') ORDER BY Sort_Order"_s);
        QVERIFY(rs);
        QCOMPARE(rs->value(u"Dest_ColumnDescription"_s).toText(), u"Cod NC (cod vamal 8 cifre)"_s);
        QCOMPARE(rs->value(u"Marime_Maxima"_s).toInt(), 20);
        QCOMPARE(rs->value(u"Format"_s).toText(), u"TEXT"_s);
        QCOMPARE(rs->value(u"Sort_Order"_s).toInt(), 6);
        QVERIFY(rs->value(u"Valoare_Implicita"_s).isNull());
        QCOMPARE(rs->value(u"Exista_Coloana"_s).toBool(), false);
        QVERIFY(rs->value(u"Numar_Coloana"_s).isNull());
        rs->moveNext();
        QCOMPARE(rs->value(u"Format"_s).toText(), u"NUMERIC"_s);
        QVERIFY(rs->value(u"Marime_Maxima"_s).isNull());

        // Saving again adds no rows.
        auto schema = Citeste_Schema_Intrastat(Conexiune_Firma);
        QVERIFY(schema);
        QVERIFY(!Initializeaza_Continut_Macheta(Conexiune_Firma, nume, tip, *schema));
        QCOMPARE(Mediu::coloaneMacheta(nume).size(), asteptat.size());
    }

    // The seeding rules on schema rows of every kind.
    void seedingRules()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s)); // the demonstration's own
        QVERIFY(m.macheta(u"S"_s, u"LIVRARE"_s, {}));
        db::Recordset schema = db::Recordset::createInMemory();
        for (const auto& [camp, tip] : std::initializer_list<std::pair<QString, int>>{
                 {u"COLUMN_NAME"_s, db::Type::VarWChar},
                 {u"ORDINAL_POSITION"_s, db::Type::Integer},
                 {u"COLUMN_DEFAULT"_s, db::Type::VarWChar},
                 {u"CHARACTER_MAXIMUM_LENGTH"_s, db::Type::Integer},
                 {u"NUMERIC_PRECISION"_s, db::Type::Integer},
                 {u"DATETIME_PRECISION"_s, db::Type::Integer},
                 {u"DESCRIPTION"_s, db::Type::VarWChar}})
            schema.appendField(camp, tip);
        QVERIFY(!schema.open());
        const auto rand = [&](const QList<db::Variant>& v) {
            schema.addNew();
            for (int i = 0; i < v.size(); ++i)
                schema.setValue(i, v.at(i));
            return !schema.update();
        };
        const db::Variant n = db::Variant::null();
        QVERIFY(rand({u"Tara_Orig"_s, 8, u"\"RO\""_s, 2, n, n, u"Tara Origine"_s}));
        QVERIFY(rand({u"Net"_s, 13, u"0"_s, n, 15, n, u""_s}));
        QVERIFY(rand({u"Data"_s, 20, u" "_s, n, n, 0, u"Data"_s}));
        QVERIFY(rand({u"Tara_Exp"_s, 9, n, 2, n, n, u"Tara Expeditie"_s}));
        QVERIFY(!Initializeaza_Continut_Macheta(Conexiune_Firma, u"S"_s, u"Livrare"_s, schema));
        auto rs = Conexiune_Firma.openRecordset(
            u"SELECT Dest_ColumnName, Dest_ColumnDescription, Valoare_Implicita, Marime_Maxima, Format, "
            u"Sort_Order FROM StructuraFisiereContinut ORDER BY Sort_Order"_s);
        QVERIFY(rs);
        QStringList randuri;
        for (; !rs->eof(); rs->moveNext()) {
            QStringList r;
            for (int i = 0; i < rs->fieldCount(); ++i)
                r << (rs->value(i).isNull() ? u"-"_s : rs->value(i).toText());
            randuri << r.join(u'|');
        }
        QCOMPARE(randuri, (QStringList{u"Tara_Orig|Tara Origine|RO|2|TEXT|8"_s, u"Net|Net|0|-|NUMERIC|13"_s,
                                       u"Data|Data|-|-|DATETIME|20"_s}));
    }

    // A name in use, whatever its letters, or a blank name: the header is
    // refused and stays pending; no row is written.
    void headerRefused()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s)); // the demonstration's own
        QVERIFY(!machetaNoua(u"Livrari"_s, u"LIVRARE"_s));
        const int randuri = Mediu::valoare(u"SELECT COUNT(*) FROM StructuraFisiereContinut"_s).toInt();
        for (const QString& nume : {u"LIVRARI"_s, u" "_s}) {
            auto set = Deschide_Set_Macheta(Conexiune_Firma, QString());
            QVERIFY(set);
            QVERIFY(!Creeaza_Antet(*set));
            set->setValue(u"Nume_structura"_s, db::Variant(nume));
            set->setValue(u"TIP"_s, db::Variant(u"LIVRARE"_s));
            QVERIFY(Salveaza_Antet(*set).isError());
            QCOMPARE(set->editMode(), db::EditMode::Add);
        }
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s).toInt(), 1);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM StructuraFisiereContinut"_s).toInt(), randuri);
    }

    // An old template gets the country-of-origin row once.
    void originRow()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s)); // the demonstration's own
        QVERIFY(m.macheta(u"Veche'"_s, u"ACHIZITIE"_s, {{u"Cod_NC"_s, 1, {}, {}}}));
        auto adaugat = Adauga_Rand_Tara_Origine(Conexiune_Firma, u"Veche'"_s);
        QVERIFY2(adaugat, qPrintable(adaugat.error().text()));
        QVERIFY(*adaugat);
        QVERIFY(!*Adauga_Rand_Tara_Origine(Conexiune_Firma, u"Veche'"_s));
        auto rs = Conexiune_Firma.openRecordset(
            u"SELECT * FROM StructuraFisiereContinut WHERE Dest_ColumnName = 'Tara_Orig'"_s);
        QVERIFY(rs);
        QCOMPARE(rs->recordCount(), 1);
        QCOMPARE(rs->value(u"Nume_Structura"_s).toText(), u"Veche'"_s);
        QCOMPARE(rs->value(u"Exista_Coloana"_s).toBool(), false);
        QCOMPARE(rs->value(u"Dest_ColumnDescription"_s).toText(), u"Tara Origine"_s);
        QCOMPARE(rs->value(u"Marime_Maxima"_s).toInt(), 2);
        QCOMPARE(rs->value(u"Format"_s).toText(), u"TEXT"_s);
        QCOMPARE(rs->value(u"Sort_Order"_s).toInt(), 17);
        QVERIFY(rs->value(u"Numar_Coloana"_s).isNull());
        QVERIFY(rs->value(u"Valoare_Implicita"_s).isNull());
    }

    // The set pointed at a saved template, and the delete of a template.
    void pointAndDelete()
    {
        Mediu m;
        QVERIFY(m.gata());
        QVERIFY(Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s)); // the demonstration's own
        QVERIFY(!machetaNoua(u"A'1"_s, u"LIVRARE"_s));
        QVERIFY(!machetaNoua(u"B"_s, u"ACHIZITIE"_s));
        auto set = Deschide_Set_Macheta(Conexiune_Firma, QString());
        QVERIFY(set);
        QCOMPARE(set->recordCount(), 2);
        QVERIFY(!Indreapta_Set_Spre_Macheta(*set, u"A'1"_s));
        QCOMPARE(set->recordCount(), 1);
        QCOMPARE(set->chapter(u"ChildCMD"_s).recordCount(), 21);
        auto sters = Sterge_Macheta(Conexiune_Firma, u"A'1"_s);
        QVERIFY(sters);
        QCOMPARE(*sters, 1);
        QCOMPARE(Mediu::coloaneMacheta(u"A'1"_s), QStringList());
        QCOMPARE(Mediu::coloaneMacheta(u"B"_s).size(), 21);
    }

    // "Retine Modificari" on a new template: the header, its rows once, the
    // set pointed at it; a name in use is refused with its message.
    void saveNewTemplate()
    {
        Mediu m;
        QVERIFY(m.gata());
        auto schema = Citeste_Schema_Intrastat(Conexiune_Firma);
        QVERIFY(schema);
        const auto salveaza = [&](const QString& nume) {
            auto set = Deschide_Set_Macheta(Conexiune_Firma, QString());
            if (!set || Creeaza_Antet(*set))
                return std::make_pair(db::Error(db::Error::Kind::General, 1, u"set"_s), db::Recordset());
            set->setValue(u"Nume_structura"_s, db::Variant(nume));
            set->setValue(u"TIP"_s, db::Variant(u"Achizitie"_s));
            const db::Error e = Retine_Macheta(Conexiune_Firma, *set, true, *schema);
            return std::make_pair(e, *set);
        };
        auto [e, set] = salveaza(u"Noua"_s);
        QVERIFY2(!e, qPrintable(e.text()));
        QCOMPARE(set.recordCount(), 1);
        QCOMPARE(set.value(u"Nume_structura"_s).toText(), u"Noua"_s);
        QCOMPARE(set.chapter(u"ChildCMD"_s).recordCount(), 21);
        QVERIFY(!Mediu::coloaneMacheta(u"Noua"_s).contains(u"Tara_Dest"_s));
        // Again: nothing more.
        QVERIFY(!Retine_Macheta(Conexiune_Firma, set, true, *schema));
        QCOMPARE(Mediu::coloaneMacheta(u"Noua"_s).size(), 21);

        const int randuri = Mediu::valoare(u"SELECT COUNT(*) FROM StructuraFisiereContinut"_s).toInt();
        auto [dublura, altSet] = salveaza(u"EXEMPLU livrari"_s);
        QCOMPARE(dublura.kind, db::Error::Kind::Duplicate);
        QCOMPARE(dublura.description,
                 u"Exista deja o macheta cu numele : EXEMPLU livrari\r\nAlegeti alt nume."_s);
        QCOMPARE(altSet.editMode(), db::EditMode::Add);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM StructuraFisiereAntet"_s).toInt(), 2);
        QCOMPARE(Mediu::valoare(u"SELECT COUNT(*) FROM StructuraFisiereContinut"_s).toInt(), randuri);
        QCOMPARE(Mediu::valoare(u"SELECT TIP FROM StructuraFisiereAntet WHERE Nume_structura = 'Exemplu "
                                u"Livrari'"_s)
                     .toText(),
                 u"LIVRARE"_s);
    }

    // The delete takes the rows with the header or leaves both.
    void deleteIsOneAction()
    {
        Mediu m;
        QVERIFY(m.gata());
        const int randuri = Mediu::coloaneMacheta(u"Exemplu Livrari"_s).size();
        QVERIFY(randuri > 0);
        QVERIFY(Conexiune_Firma.execute(u"CREATE TRIGGER refuz BEFORE DELETE ON StructuraFisiereAntet "
                                        u"BEGIN SELECT RAISE(ABORT, 'refuzat'); END"_s));
        QVERIFY(!Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s));
        QCOMPARE(Mediu::coloaneMacheta(u"Exemplu Livrari"_s).size(), randuri);
        QVERIFY(Conexiune_Firma.execute(u"DROP TRIGGER refuz"_s));
        auto sters = Sterge_Macheta(Conexiune_Firma, u"Exemplu Livrari"_s);
        QVERIFY(sters);
        QCOMPARE(*sters, 1);
        QCOMPARE(Mediu::coloaneMacheta(u"Exemplu Livrari"_s), QStringList());
    }

    // The columns of a sample sheet: number, heading (named by the reader
    // when empty, cut to the list's width) and first value.
    void sheetColumns()
    {
        Mediu m;
        QVERIFY(m.gata());
        QTemporaryDir dir;
        const QString lung = QString(150, u'L');
        const QString cale = dir.filePath(u"mostra.xlsx"_s);
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, QVariant(), u"Masa"_s, lung},
                                                {u"84713000"_s, QVariant(), 12.5, QString(300, u'v')},
                                                {u"x"_s, u"y"_s, 1, 2}}));
        db::Recordset foaie = Deschide_Sheet_Excel(cale, u"Sheet1"_s);
        db::Recordset l = Lista_Coloane_Din_Foaie(foaie);
        QStringList randuri;
        for (l.moveFirst(); !l.eof(); l.moveNext())
            randuri << l.value(0).toText() + u'|' + l.value(1).toText() + u'|' +
                           (l.value(2).isNull() ? u"-"_s : l.value(2).toText());
        QCOMPARE(randuri, (QStringList{u"1|Cod|84713000"_s, u"2|F2|-"_s, u"3|Masa|12.5"_s,
                                       u"4|"_s + lung.left(100) + u'|' + QString(200, u'v')}));

        // A heading row alone gives the columns without values; a sheet that
        // cannot be read gives none.
        QVERIFY(preluare_test::scrieXlsx(cale, {{u"Cod"_s, u"Masa"_s}}));
        l = Lista_Coloane_Din_Foaie(Deschide_Sheet_Excel(cale, u"Sheet1"_s));
        QCOMPARE(l.recordCount(), 2);
        QVERIFY(l.value(2).isNull());
        QCOMPARE(Lista_Coloane_Din_Foaie(Deschide_Sheet_Excel(cale, u"Alta"_s)).recordCount(), 0);
        QCOMPARE(Lista_Coloane_Din_Foaie(db::Recordset()).recordCount(), 0);
        QCOMPARE(Arbore_Test::mesaje().size(), 1); // the reader's own message for the missing sheet
    }

    void comboItems_data()
    {
        QTest::addColumn<QByteArray>("continut");
        QTest::addColumn<QStringList>("elemente");
        QTest::newRow("CR LF") << QByteArray("ACHIZITIE\r\nLIVRARE\r\n")
                               << QStringList{u"ACHIZITIE"_s, u"LIVRARE"_s};
        QTest::newRow("LF, no end") << QByteArray("ACHIZITIE\nLIVRARE")
                                    << QStringList{u"ACHIZITIE"_s, u"LIVRARE"_s};
        QTest::newRow("CR") << QByteArray("ACHIZITIE\rLIVRARE\r")
                            << QStringList{u"ACHIZITIE"_s, u"LIVRARE"_s};
        QTest::newRow("kept as written")
            << QByteArray("A\r\n\r\n B \n") << QStringList{u"A"_s, QString(), u" B "_s};
        QTest::newRow("empty") << QByteArray() << QStringList();
    }
    void comboItems()
    {
        QFETCH(QByteArray, continut);
        QFETCH(QStringList, elemente);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(u"ComboBox"_s)));
        Folder_Sistem = dir.path() + u'/';
        QFile f(dir.filePath(u"ComboBox/Frm_X.Lista.txt"_s));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(continut);
        f.close();
        QCOMPARE(Elemente_Combo(u"Frm_X"_s, u"Lista"_s), elemente);
        QCOMPARE(Elemente_Combo(u"Frm_X"_s, u"Alta"_s), QStringList());
        Folder_Sistem.clear();
    }

    void sheetColumnList()
    {
        db::Recordset l = Lista_Coloane_Foaie();
        QVERIFY(l.isOpen());
        QCOMPARE(l.recordCount(), 0);
        QCOMPARE(l.field(0).name, u"Numar Coloana"_s);
        QCOMPARE(l.field(0).type, int(db::Type::Integer));
        QCOMPARE(l.field(1).definedSize, 100);
        QCOMPARE(l.field(2).name, u"Prima Valoare"_s);
        QCOMPARE(l.field(2).definedSize, 250);
    }
};

QTEST_MAIN(TestMachete)
#include "tst_machete.moc"
