// The seeded databases of the program folder: every table, view and saved
// procedure with its columns in order, the seed facts the program relies on,
// and the views and procedures run on a few rows.

#include "platform/db/db.h"
#include "seedtree.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Columns as "Name TYPE", in table order.
struct Expected
{
    const char* database; // relative to the program folder
    const char* name;
    const char* kind; // "table" or "view"
    const char* columns;
};

const Expected kSchema[] = {
    {"System/Registry/reg.mdb", "RegTable", "table", "WIN_HKEY_Name INTEGER, HKEY_Name TEXT(255)"},
    {"System/Registry/reg.mdb", "RegTable_Value", "table",
     "WIN_HKEY_Name INTEGER, HKEY_Name TEXT(255), String TEXT(255), Value MEMO TEXT, ValueType TEXT(1)"},
    {"System/Registry/reg.mdb", "RegTableToate", "view",
     "WIN_HKEY_Name, HKEY_Name, String, Value, ValueType"},

    {"System/DataBase/Comun.mdb", "Firme", "table",
     "Cod_Fiscal TEXT(30), Nume_Firma TEXT(150), Adresa_Firma TEXT(80), Judet_Firma TEXT(50), Oras_Firma "
     "TEXT(80), "
     "CodPostal_Firma TEXT(30), Tara_Firma TEXT(50), Tel_Firma TEXT(30), Fax_Firma TEXT(30), "
     "Persoana_Contact TEXT(50), Reg_No_Firma TEXT(50), Bank_Firma TEXT(50), Accont_No_Firma TEXT(50), "
     "Email_Firma TEXT(80), Observatii TEXT(50), DataBaseFile TEXT(54), MultiFirma SMALLINT, "
     "Firma_Cod_SIRUTA TEXT(10), Firma_Forma_Juridica TEXT(50), Firma_Forma_Juridica_Cod TEXT(10), "
     "Firma_Forma_Propr TEXT(50), Firma_Forma_Propr_Cod TEXT(10), Firma_Activitate_Principala TEXT(150), "
     "Firma_Cod_CAEN TEXT(10), Persoana_Intrastat TEXT(100), Nume_1 TEXT(100), Functie_1 TEXT(100), "
     "Nume_2 TEXT(100), Functie_2 TEXT(100), CreataLaData TEXT(10), ValoareStatistica YESNO"},
    {"System/DataBase/Comun.mdb", "Erori", "table",
     "Sursa TEXT(50), Nr_Eroare SMALLINT, Descriere TEXT(255)"},
    {"System/DataBase/Comun.mdb", "InsCodeVersions", "table",
     "Anul INTEGER, Luna INTEGER, Anul_End INTEGER, Luna_End INTEGER, CN_File TEXT(64), CountryVer TEXT(20), "
     "EuCountryVer TEXT(20), CnVer TEXT(20), ModeOfTransportVer TEXT(20), DeliveryTermsVer TEXT(20), "
     "NatureOfTransactionAVer TEXT(20), NatureOfTransactionBVer TEXT(20), CountyVer TEXT(20), "
     "LocalityVer TEXT(20), UnitVer TEXT(20)"},
    {"System/DataBase/Comun.mdb", "Tari", "table", "Tara_COD TEXT(2), Tara_DESC TEXT(100)"},
    {"System/DataBase/Comun.mdb", "Tari_UE", "table",
     "COD_TARA TEXT(2), Tara_DESC TEXT(100), DATA_ADERARII DATETIME"},
    {"System/DataBase/Comun.mdb", "Monezi", "table", "Moneda_COD TEXT(3), Moneda_DESC TEXT(100)"},
    {"System/DataBase/Comun.mdb", "Incoterms", "table", "Incoterms_COD TEXT(3), Incoterms_DESC TEXT(150)"},
    {"System/DataBase/Comun.mdb", "MOD_TRANS", "table", "COD_MOD_TRANS TEXT(2), DESC_MOD_TRANS TEXT(100)"},
    {"System/DataBase/Comun.mdb", "Tranzactii", "table",
     "TR1_COD TEXT(1), TR2_COD TEXT(1), TR_DESC TEXT(255)"},
    {"System/DataBase/Comun.mdb", "UM", "table", "UM_COD TEXT(20), UM_DESC TEXT(100)"},
    {"System/DataBase/Comun.mdb", "Judete", "table", "Jud_Code TEXT(10), Jud_NameRo TEXT(50)"},
    {"System/DataBase/Comun.mdb", "Orase", "table",
     "City_Code TEXT(10), City_NameRo TEXT(100), City_RefCode TEXT(10)"},
    {"System/DataBase/Comun.mdb", "UE_Tari", "view", "COD_TARA, Tara_DESC, DATA_ADERARII"},
    {"System/DataBase/Comun.mdb", "Tranzactii_Unit", "view", "COD, TR_DESC"},
    {"System/DataBase/Comun.mdb", "HS_Note_2", "table", "HS_Code TEXT(2), Note_Description MEMO TEXT"},
    {"System/DataBase/Comun.mdb", "HS_Note_4", "table", "HS_Code TEXT(4), Note_Description MEMO TEXT"},
    {"System/DataBase/Comun.mdb", "Reports", "table",
     "REP_ID INTEGER, REP_NAME TEXT(100), REP_DESC TEXT(255)"},
    {"System/DataBase/Comun.mdb", "REPORTS_SEL", "table", "REP_ID INTEGER, REP_DESCRIPTION TEXT(255)"},
    {"System/DataBase/Comun.mdb", "Return_Report", "table",
     "REP_ID INTEGER, XML_DEF SMALLINT, XML_FILE TEXT(255), REP_NAME TEXT(100), ComunDataBase YESNO, "
     "SQL_STR MEMO TEXT, Exista_SUB_Reports YESNO, PageSize SMALLINT, PageOrientation SMALLINT, "
     "ReportCaption TEXT(100)"},
    {"System/DataBase/Comun.mdb", "Return_Report_SUB", "table",
     "REP_ID INTEGER, SUB_ORDER SMALLINT, REP_NAME TEXT(100), SUB_LOCATIE TEXT(50), SUB_NAME TEXT(50), "
     "Link_TEXT TEXT(255)"},
    {"System/DataBase/Comun.mdb", "Semne_Cautare_Selectie", "table",
     "Semn TEXT(100), SeAplicaLa TEXT(1), DescSemn TEXT(50), Nr_Semn INTEGER"},
    {"System/DataBase/Comun.mdb", "Scripts", "table",
     "Script_Name TEXT(50), Script_SQL MEMO TEXT, Script_ID INTEGER"},
    {"System/DataBase/Comun.mdb", "Tip_Operatiune", "table",
     "Cod_OP TEXT(10), Descriere TEXT(100), Intrastat YESNO, Raport_UE YESNO, Non_Transferuri YESNO"},
    {"System/DataBase/Comun.mdb", "Rate_Schimb", "table",
     "Moneda TEXT(3), Data_Valabilitate DATETIME, Curs CURRENCY"},
    {"System/DataBase/Comun.mdb", "Package", "table",
     "Cod_Ambalaj TEXT(20), Descriere_RO TEXT(100), Descriere_EN TEXT(100), Greutate DOUBLE, Lungime DOUBLE, "
     "Latime DOUBLE, Inaltime DOUBLE"},
    {"System/DataBase/Comun.mdb", "Jurnale_TVA", "table",
     "Cod_Jurnal TEXT(10), Descriere TEXT(100), Vanzari YESNO, Cumparari YESNO, Coloana_Jurnal_Vanzari "
     "SMALLINT, "
     "Coloana_Jurnal_Cumparari SMALLINT"},

    {"System/DataBase/goala.mdb", "Intrastat", "table",
     "TIP TEXT(1), Cod_Fiscal TEXT(30), Anul INTEGER, Luna INTEGER, Record_ID INTEGER, Cod_NC TEXT(20), "
     "Descriere_NC TEXT(255), Tara_Orig TEXT(2), Tara_Exp TEXT(2), Tara_Dest TEXT(2), Val_Fiscala DOUBLE, "
     "Val_Stat DOUBLE, Net DOUBLE, Cod_UMS TEXT(20), Val_UMS DOUBLE, Nat_Tranz TEXT(2), Incoterms TEXT(3), "
     "Mod_Transp TEXT(2), Document_Numar_Referinta TEXT(50), Document_Data_Referinta TEXT(50), "
     "Descriere TEXT(255), Cantitate DOUBLE, UM TEXT(20), Valoare_Valuta CURRENCY, Moneda TEXT(3), "
     "Curs_Schimb CURRENCY, VAT_ID TEXT(20), SourceFile TEXT(50), Data_Preluare DATETIME, UserName TEXT(50), "
     "Probleme YESNO, Exista_UMS YESNO, SourceFile_FullPath TEXT(255), Pozitia INTEGER"},
    {"System/DataBase/goala.mdb", "Intrastat_Grup_Recalculare_I", "view",
     "TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp, Nat_Tranz, Tara, Procent, SourceFile, "
     "SourceFile_FullPath, Total_Fiscal, Total_Stat, Nr_Linii"},
    {"System/DataBase/goala.mdb", "Intrastat_Grup_Recalculare_O", "view",
     "TIP, Cod_Fiscal, Anul, Luna, Incoterms, Mod_Transp, Nat_Tranz, Tara, Procent, SourceFile, "
     "SourceFile_FullPath, Total_Fiscal, Total_Stat, Nr_Linii"},
    {"System/DataBase/goala.mdb", "Intrastat_Sursa_Generare", "view",
     "TIP, Cod_Fiscal, Anul, Luna, Pozitia, Cod_NC, Descriere1, Tara_Orig, Tara_Exp, Tara_Dest, "
     "Val_Fiscala1, "
     "Val_Stat1, Net1, Cantitate1, Cod_UMS, Val_UMS1, Nat_Tranz, Incoterms, Mod_Transp"},
    {"System/DataBase/goala.mdb", "Intrastat_Sursa_Generare_O", "view",
     "TIP, Cod_Fiscal, Anul, Luna, Pozitia, Cod_NC, Descriere1, Tara_Orig, Tara_Exp, Tara_Dest, "
     "Val_Fiscala1, "
     "Val_Stat1, Net1, Cantitate1, Cod_UMS, Val_UMS1, Nat_Tranz, Incoterms, Mod_Transp, VAT_ID1, "
     "Country_VAT_ID"},
    {"System/DataBase/goala.mdb", "StructuraFisiereAntet", "table",
     "Nume_structura TEXT(50), TIP TEXT(20), Locatie_Implicita TEXT(255), Work_Sheet_Name TEXT(100), "
     "SampleExcelFile TEXT(255)"},
    {"System/DataBase/goala.mdb", "StructuraFisiereContinut", "table",
     "Nume_Structura TEXT(50), Record_ID INTEGER, Dest_ColumnDescription TEXT(255), Exista_Coloana YESNO, "
     "Numar_Coloana INTEGER, Valoare_Implicita TEXT(255), Marime_Maxima INTEGER, Format TEXT(10), "
     "Dest_ColumnName TEXT(64), Sort_Order INTEGER"},
    {"System/DataBase/goala.mdb", "Furnizori", "table",
     "Cod_Partener TEXT(20), Nume_Partener TEXT(150), VAT_ID TEXT(20), Adresa TEXT(80), Oras TEXT(80), "
     "Regiune TEXT(50), Cod_Postal TEXT(30), Cod_Tara TEXT(2), Tara_Expeditie TEXT(2), Telefon TEXT(30), "
     "Fax TEXT(30), Email TEXT(80), Persoana_Contact TEXT(50), Moneda TEXT(3), Mod_Transp TEXT(2), "
     "Nat_Tranz TEXT(2), Incoterms TEXT(3)"},
    {"System/DataBase/goala.mdb", "MA", "table",
     "Cod_MA_PF TEXT(20), Descriere_RO TEXT(150), Descriere_Alta_Limba TEXT(150), UM TEXT(20), Cod_Vamal "
     "TEXT(8), "
     "Greutate_Neta DOUBLE, Pret_Unitar CURRENCY, Tara_Orig TEXT(2), PU_Materiale CURRENCY"},
    {"System/DataBase/goala.mdb", "SeriiFacturi", "table",
     "Seria TEXT(10), Nr_Inceput INTEGER, Nr_Sfarsit INTEGER, Lungime_Caractere SMALLINT, Serie_Valida "
     "SMALLINT, "
     "Ultimul_Numar INTEGER"},
    {"System/DataBase/goala.mdb", "Intrari_Antet", "table",
     "Document_Intern_Nr TEXT(20), Document_Intern_Data DATETIME, Cod_Partener TEXT(20), Numar_Factura "
     "TEXT(50), "
     "Data_Factura DATETIME, Moneda TEXT(3), Curs_Schimb CURRENCY, Incoterms TEXT(3), Mod_Transp TEXT(2), "
     "Nat_Tranz TEXT(2), Tara_Exp TEXT(2)"},
    {"System/DataBase/goala.mdb", "Intrari_Linii", "table",
     "Record_ID INTEGER, Document_Intern_Nr TEXT(20), Cod_MA_PF TEXT(20), Cantitate DOUBLE, UM TEXT(20), "
     "Valoare_Valuta CURRENCY"},
    {"System/DataBase/goala.mdb", "Factura_Export_Antet", "table",
     "Numar_Factura TEXT(50), Data_Factura DATETIME, Data_Livrarii DATETIME, Cod_Partener TEXT(20), "
     "Moneda TEXT(3), Curs_Schimb CURRENCY, Incoterms TEXT(3), Mod_Transp TEXT(2), Nat_Tranz TEXT(2), "
     "Tara_Dest TEXT(2)"},
    {"System/DataBase/goala.mdb", "Factura_Export_Linii", "table",
     "Record_ID INTEGER, Numar_Factura TEXT(50), Cod_MA_PF TEXT(20), Cantitate DOUBLE, UM TEXT(20), "
     "Valoare_Valuta CURRENCY"},

    {"System/DataBase/CN/CN2026.mdb", "HS_1", "table", "HS1_COD TEXT(2), HS1_DESC MEMO TEXT"},
    {"System/DataBase/CN/CN2026.mdb", "HS_2", "table",
     "HS2_COD TEXT(2), HS2_DESC MEMO TEXT, HS1_COD TEXT(2)"},
    {"System/DataBase/CN/CN2026.mdb", "HS_4", "table",
     "HS4_COD TEXT(4), HS4_DESC MEMO TEXT, HS2_COD TEXT(2)"},
    {"System/DataBase/CN/CN2026.mdb", "HS_6", "table",
     "HS6_COD TEXT(6), HS6_DESC MEMO TEXT, HS4_COD TEXT(4)"},
    {"System/DataBase/CN/CN2026.mdb", "HS_8", "table",
     "HS8_COD TEXT(8), HS12_COD TEXT(12), DESCRIERE MEMO TEXT, UM_SUPL TEXT(20), AN_START SMALLINT, "
     "AN_END SMALLINT, HS6_COD TEXT(6)"},
    {"System/DataBase/CN/CN2026.mdb", "HS8", "view", "HS8_COD, DESCRIERE, UM_SUPL, EXISTA_UMS"},
};

// Saved procedures: parameters as "position name type direction".
struct ExpectedProcedure
{
    const char* database;
    const char* name;
    const char* parameters;
};

const ExpectedProcedure kProcedures[] = {
    {"System/DataBase/Comun.mdb", "Return_Error",
     "0 RETURN_VALUE 3 4, 1 Sursa 202 1, 2 Nr_Eroare 2 1, 3 Descriere 202 3"},
    {"System/DataBase/goala.mdb", "Intrastat_Verifica_Existenta",
     "0 RETURN_VALUE 3 4, 1 TIP 202 1, 2 Cod_Fiscal 202 1, 3 Anul 202 1, 4 Luna 202 1, 5 Exista 11 2"},
    {"System/DataBase/goala.mdb", "Intrastat_I",
     "0 RETURN_VALUE 3 4, 1 TIP 202 1, 2 Cod_Fiscal 202 1, 3 Anul 202 1, 4 Luna 202 1"},
    {"System/DataBase/goala.mdb", "Intrastat_O",
     "0 RETURN_VALUE 3 4, 1 TIP 202 1, 2 Cod_Fiscal 202 1, 3 Anul 202 1, 4 Luna 202 1"},
    {"System/DataBase/goala.mdb", "Return_Nume_Tabele", "0 RETURN_VALUE 3 4"},
    {"System/DataBase/goala.mdb", "Return_Nume_Field_Tabel", "0 RETURN_VALUE 3 4, 1 Nume_Tabel 202 1"},
};

const char* const kDatabases[] = {"System/Registry/reg.mdb", "System/DataBase/Comun.mdb",
                                  "System/DataBase/goala.mdb", "System/DataBase/RO0000001.mdb",
                                  "System/DataBase/CN/CN2025.mdb", "System/DataBase/CN/CN2026.mdb"};

} // namespace

class TestInstallDatabases : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_shared;
    std::unique_ptr<QTemporaryDir> m_fresh;
    QTemporaryDir* m_tree = nullptr;

    QString path(const QString& relative) const { return m_tree->path() + u'/' + relative; }

    db::Connection open(const QString& relative)
    {
        db::Connection c;
        const db::Error e = c.open(path(relative));
        if (e)
            qWarning("%s: %s", qPrintable(relative), qPrintable(e.text()));
        return c;
    }

    // The first column of every row.
    static QStringList column(db::Connection& c, const QString& sql, const QVector<db::Variant>& values = {})
    {
        QStringList out;
        auto rs = c.openRecordset(sql, values);
        if (!rs) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(rs.error().text()));
            return {u"<error>"_s};
        }
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            out << rs->value(0).toText();
        return out;
    }

    static QString scalar(db::Connection& c, const QString& sql, const QVector<db::Variant>& values = {})
    {
        const QStringList l = column(c, sql, values);
        return l.isEmpty() ? u"<no row>"_s : l.first();
    }

    static void exec(db::Connection& c, const QString& sql)
    {
        auto r = c.execute(sql);
        QVERIFY2(r.ok(), qPrintable(sql + u": "_s + r.error().text()));
    }

private slots:
    // Read-only checks share one copy; a test that writes gets a fresh one.
    void initTestCase()
    {
        QVERIFY2(!installtest::seedTree().isEmpty(), "QUORVEL_SEED_TREE is not set");
        m_shared = installtest::copySeedTree();
        QVERIFY2(m_shared, "cannot copy the seeded program folder");
        m_tree = m_shared.get();
    }
    void init()
    {
        static const QSet<QByteArray> writers{"reportsSeed", "declarationItemsView",
                                              "dispatchItemsGroupByPartnerVat", "statisticalValueGroups",
                                              "takeOverProcedures"};
        m_tree = m_shared.get();
        if (writers.contains(QTest::currentTestFunction())) {
            m_fresh = installtest::copySeedTree();
            QVERIFY2(m_fresh, "cannot copy the seeded program folder");
            m_tree = m_fresh.get();
        }
    }
    void cleanup() { m_fresh.reset(); }

    void objects_data();
    void objects();
    void everyTextColumnIgnoresCase_data();
    void everyTextColumnIgnoresCase();
    void procedures_data();
    void procedures();

    void tariffs_data();
    void tariffs();
    void countriesAndCodeLists();
    void errorsAndProcedureReturnError();
    void codeVersionsNameAnExistingTariff();
    void demonstrationCompany();
    void operatorsInOrder();
    void reportsSeed();
    void registrySeed();
    void columnDescriptions();

    void declarationItemsView();
    void dispatchItemsGroupByPartnerVat();
    void statisticalValueGroups();
    void takeOverProcedures();
    void tableAndFieldListProcedures();
};

void TestInstallDatabases::objects_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("columns");
    for (const Expected& e : kSchema) {
        const QString db = QString::fromLatin1(e.database);
        QTest::addRow("%s %s", e.database, e.name)
            << db << QString::fromLatin1(e.name) << QString::fromLatin1(e.kind)
            << QString::fromLatin1(e.columns);
        // The demonstration company is a copy of the template; the tariffs of
        // both years have one schema.
        if (db.endsWith(u"goala.mdb"))
            QTest::addRow("RO0000001.mdb %s", e.name)
                << u"System/DataBase/RO0000001.mdb"_s << QString::fromLatin1(e.name)
                << QString::fromLatin1(e.kind) << QString::fromLatin1(e.columns);
        if (db.endsWith(u"CN2026.mdb"))
            QTest::addRow("CN2025.mdb %s", e.name)
                << u"System/DataBase/CN/CN2025.mdb"_s << QString::fromLatin1(e.name)
                << QString::fromLatin1(e.kind) << QString::fromLatin1(e.columns);
    }
}

void TestInstallDatabases::objects()
{
    QFETCH(QString, database);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, columns);
    db::Connection c = open(database);
    QVERIFY(c.isOpen());
    QCOMPARE(scalar(c, u"SELECT type FROM sqlite_master WHERE name = ?1"_s, {name}), kind);

    QStringList actual;
    auto rs = c.openRecordset(u"SELECT name, type FROM pragma_table_info(?1) ORDER BY cid"_s, {name});
    QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const QString type = rs->value(1).toText();
        actual << (kind == u"view" ? rs->value(0).toText() : rs->value(0).toText() + u' ' + type);
    }
    QCOMPARE(actual.join(u", "_s), columns);
}

void TestInstallDatabases::everyTextColumnIgnoresCase_data()
{
    QTest::addColumn<QString>("database");
    for (const char* d : kDatabases)
        QTest::newRow(d) << QString::fromLatin1(d);
}

// Text compares without regard to case everywhere, except the tariff code,
// which compares exactly so that a look-up by code uses its index.
void TestInstallDatabases::everyTextColumnIgnoresCase()
{
    QFETCH(QString, database);
    db::Connection c = open(database);
    QVERIFY(c.isOpen());
    auto rs = c.openRecordset(
        u"SELECT m.name, m.sql, p.name, p.type FROM sqlite_master AS m, pragma_table_info(m.name) AS p "
        u"WHERE m.type = 'table' AND (p.type LIKE 'TEXT%' OR p.type LIKE 'MEMO%')"_s);
    QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
    int checked = 0;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const QString table = rs->value(0).toText();
        const QString column = rs->value(2).toText();
        const QString expected = table == u"HS_8" && column == u"HS8_COD" ? u"BINARY"_s : u"NOCASE"_s;
        const QRegularExpression definition(u"(^|[(,\\s])"_s + QRegularExpression::escape(column) +
                                            u"\\s+(TEXT\\(\\d+\\)|MEMO TEXT)\\s+COLLATE\\s+(\\w+)"_s);
        const QRegularExpressionMatch m = definition.match(rs->value(1).toText());
        QVERIFY2(m.hasMatch(), qPrintable(table + u'.' + column + u" has no collation"_s));
        QVERIFY2(m.captured(3).compare(expected, Qt::CaseInsensitive) == 0,
                 qPrintable(table + u'.' + column + u" collates " + m.captured(3)));
        ++checked;
    }
    QVERIFY(checked > 0);
}

void TestInstallDatabases::procedures_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parameters");
    for (const ExpectedProcedure& p : kProcedures)
        QTest::addRow("%s", p.name) << QString::fromLatin1(p.database) << QString::fromLatin1(p.name)
                                    << QString::fromLatin1(p.parameters);
    QTest::addRow("Intrastat_I in the company") << u"System/DataBase/RO0000001.mdb"_s << u"Intrastat_I"_s
                                                << QString::fromLatin1(kProcedures[2].parameters);
}

void TestInstallDatabases::procedures()
{
    QFETCH(QString, database);
    QFETCH(QString, name);
    QFETCH(QString, parameters);
    db::Connection c = open(database);
    QVERIFY(c.isOpen());
    QVERIFY(c.hasProcedure(name));
    auto params = c.parameters(name);
    QVERIFY2(params.ok(), qPrintable(params.error().text()));
    QStringList actual;
    for (const db::Parameter& p : *params)
        actual << u"%1 %2 %3 %4"_s.arg(p.position).arg(p.name).arg(p.type).arg(p.direction);
    QCOMPARE(actual.join(u", "_s), parameters);
}

void TestInstallDatabases::tariffs_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("codes");
    QTest::addColumn<int>("withUnit");
    QTest::newRow("2025") << u"CN2025.mdb"_s << 2025 << 9778 << 2709;
    QTest::newRow("2026") << u"CN2026.mdb"_s << 2026 << 9791 << 2711;
}

// The whole combined nomenclature of each shipped year.
void TestInstallDatabases::tariffs()
{
    QFETCH(QString, file);
    QFETCH(int, year);
    QFETCH(int, codes);
    QFETCH(int, withUnit);
    db::Connection cn = open(u"System/DataBase/CN/"_s + file);
    db::Connection comun = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(cn.isOpen() && comun.isOpen());

    // All sections, numbered so that they sort in order, and all chapters.
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS_1"_s), u"21"_s);
    QCOMPARE(scalar(cn, u"SELECT MIN(HS1_COD) || '-' || MAX(HS1_COD) FROM HS_1"_s), u"01-21"_s);
    QCOMPARE(scalar(cn, u"SELECT HS1_DESC FROM HS_1 WHERE HS1_COD = '11'"_s),
             u"Sectiunea XI - MATERIALE TEXTILE ȘI ARTICOLE DIN ACESTE MATERIALE"_s);
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS_1 WHERE HS1_DESC NOT LIKE 'Sectiunea % - %'"_s), u"0"_s);
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS_2"_s), u"97"_s);

    // Every parent a child names exists, and every heading and sub-heading has codes.
    const char* const kLegaturi[][3] = {{"HS_2", "HS1_COD", "HS_1"}, {"HS_4", "HS2_COD", "HS_2"},
                                        {"HS_6", "HS4_COD", "HS_4"}, {"HS_8", "HS6_COD", "HS_6"},
                                        {"HS_6", "HS6_COD", "HS_8"}, {"HS_4", "HS4_COD", "HS_6"}};
    for (const auto& l : kLegaturi)
        QVERIFY2(scalar(cn, u"SELECT COUNT(*) FROM %1 WHERE %2 NOT IN (SELECT %2 FROM %3)"_s.arg(
                                QLatin1StringView(l[0]), QLatin1StringView(l[1]), QLatin1StringView(l[2]))) ==
                     u"0"_s,
                 l[0]);
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS_8 WHERE SUBSTR(HS8_COD, 1, 6) <> HS6_COD"_s), u"0"_s);

    // Every code of the year, each once, in force, with its unit when it has one.
    QCOMPARE(scalar(cn, u"SELECT COUNT(DISTINCT HS8_COD) FROM HS_8"_s).toInt(), codes);
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS8"_s).toInt(), codes);
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS8 WHERE UM_SUPL IS NOT NULL"_s).toInt(), withUnit);
    QCOMPARE(scalar(cn, u"SELECT COUNT(DISTINCT SUBSTR(HS8_COD, 1, 2)) FROM HS_8"_s), u"96"_s);

    // Codes are eight digits, the national code adds "0000", the year is open.
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS_8 WHERE LENGTH(HS8_COD) <> 8 OR HS8_COD GLOB '*[^0-9]*' "
                        u"OR HS12_COD <> HS8_COD || '0000' OR AN_START <> ?1 OR AN_END IS NOT NULL"_s,
                    {year}),
             u"0"_s);

    // A unit is Null or a unit of the common list, never "" or "-".
    QCOMPARE(scalar(cn, u"SELECT COUNT(*) FROM HS_8 WHERE UM_SUPL IN ('', '-')"_s), u"0"_s);
    const QStringList units = column(cn, u"SELECT DISTINCT UM_SUPL FROM HS_8 WHERE UM_SUPL IS NOT NULL"_s);
    const QStringList known = column(comun, u"SELECT UM_COD FROM UM"_s);
    QVERIFY(!units.isEmpty());
    for (const QString& u : units)
        QVERIFY2(known.contains(u), qPrintable(u));

    // Romanian texts; the label of a heading stands before an "Other" of it,
    // the label of a sub-heading before each of its subdivisions.
    QCOMPARE(scalar(cn, u"SELECT HS4_DESC FROM HS_4 WHERE HS4_COD = '0101'"_s),
             u"Cai, măgari, catâri și bardoi, vii"_s);
    QCOMPARE(scalar(cn, u"SELECT DESCRIERE FROM HS_8 WHERE HS8_COD = '01019000'"_s),
             u"Cai, măgari, catâri și bardoi, vii - Altele"_s);
    QCOMPARE(scalar(cn, u"SELECT DESCRIERE FROM HS_8 WHERE HS8_COD = '39011010'"_s),
             u"Polietilenă cu densitate sub 0,94 - Polietilenă liniară"_s);
    // A label written with other quotes in the year's list keeps its Romanian text.
    QCOMPARE(scalar(cn, u"SELECT DESCRIERE FROM HS_8 WHERE HS8_COD = '60011000'"_s), u"Materiale așa-zise cu păr lung"_s);
    // A label that has no Romanian text keeps its English one.
    QVERIFY(scalar(cn, u"SELECT DESCRIERE FROM HS_8 WHERE HS8_COD = '84715000'"_s)
                .startsWith(u"Processing units other than those of subheading 847141 or 847149"_s));

    // Codes the other tests rely on.
    QCOMPARE(scalar(cn, u"SELECT UM_SUPL || '|' || EXISTA_UMS FROM HS8 WHERE HS8_COD = '84713000'"_s),
             u"p/st|-1"_s);
    QCOMPARE(
        scalar(cn,
               u"SELECT IFNULL(UM_SUPL, 'Null') || '|' || EXISTA_UMS FROM HS8 WHERE HS8_COD = '39011010'"_s),
        u"Null|0"_s);
    // A long description is cut to 250 characters by the view.
    QVERIFY(scalar(cn, u"SELECT LENGTH(DESCRIERE) FROM HS_8 WHERE HS8_COD = '04063010'"_s).toInt() > 250);
    QCOMPARE(scalar(cn, u"SELECT LENGTH(DESCRIERE) FROM HS8 WHERE HS8_COD = '04063010'"_s), u"250"_s);
}

void TestInstallDatabases::countriesAndCodeLists()
{
    db::Connection c = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(c.isOpen());
    QCOMPARE(scalar(c, u"SELECT Tara_DESC FROM Tari WHERE Tara_COD = 'XI'"_s), u"Irlanda de Nord"_s);
    QCOMPARE(scalar(c, u"SELECT Tara_DESC FROM Tari WHERE Tara_COD = 'de'"_s), u"Germania"_s);
    QCOMPARE(scalar(c, u"SELECT Tara_DESC FROM Tari WHERE Tara_COD = 'RO'"_s), u"România"_s);
    QVERIFY(scalar(c, u"SELECT COUNT(*) FROM Tari"_s).toInt() >= 249);

    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Tari_UE"_s), u"28"_s);
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM UE_Tari"_s), u"28"_s);
    QCOMPARE(
        column(c, u"SELECT COD_TARA FROM Tari_UE WHERE COD_TARA IN ('GR', 'EL', 'GB', 'XI') ORDER BY 1"_s),
        (QStringList{u"GR"_s, u"XI"_s}));
    QCOMPARE(scalar(c, u"SELECT DATA_ADERARII FROM Tari_UE WHERE COD_TARA = 'HR'"_s), u"2013-07-01"_s);
    QCOMPARE(scalar(c, u"SELECT DATA_ADERARII FROM Tari_UE WHERE COD_TARA = 'RO'"_s), u"2007-01-01"_s);
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Tari_UE AS u JOIN Tari AS t ON t.Tara_COD = u.COD_TARA "
                       u"WHERE t.Tara_DESC IS u.Tara_DESC AND u.DATA_ADERARII IS NOT NULL"_s),
             u"28"_s);

    QVERIFY(column(c, u"SELECT Moneda_COD FROM Monezi"_s).contains(u"RON"_s));
    QVERIFY(column(c, u"SELECT Moneda_COD FROM Monezi"_s).contains(u"EUR"_s));

    QCOMPARE(column(c, u"SELECT Incoterms_COD FROM Incoterms ORDER BY 1"_s).join(u' '),
             u"CFR CIF CIP CPT DAP DDP DPU EXW FAS FCA FOB XXX"_s);
    QCOMPARE(column(c, u"SELECT COD_MOD_TRANS FROM MOD_TRANS ORDER BY 1"_s).join(u' '), u"1 2 3 4 5 7 8 9"_s);
    QCOMPARE(column(c, u"SELECT COD FROM Tranzactii_Unit ORDER BY 1"_s).join(u' '),
             u"11 12 21 22 23 31 32 33 34 41 42 51 52 60 71 72 80 91 99"_s);
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Tranzactii_Unit WHERE COD = '11' AND TR_DESC <> ''"_s), u"1"_s);

    // The counties by their codes 1 to 40, 51 and 52, and every administrative
    // unit by its SIRUTA code, named as written ("MUNICIPIUL CLUJ-NAPOCA" is
    // "Cluj-Napoca").
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Judete"_s), u"42"_s);
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Judete WHERE CAST(Jud_Code AS INTEGER) BETWEEN 1 AND 40 "
                       u"OR Jud_Code IN ('51', '52')"_s),
             u"42"_s);
    QCOMPARE(column(c, u"SELECT Jud_Code || ' ' || Jud_NameRo FROM Judete WHERE Jud_Code IN "
                       u"('6', '12', '40', '51') ORDER BY 1"_s),
             (QStringList{u"12 Cluj"_s, u"40 București"_s, u"51 Călărași"_s, u"6 Bistrița-Năsăud"_s}));
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Orase"_s), u"3181"_s);
    QCOMPARE(
        scalar(c, u"SELECT COUNT(*) FROM Orase WHERE City_RefCode NOT IN (SELECT Jud_Code FROM Judete)"_s),
        u"0"_s);
    QCOMPARE(column(c, u"SELECT City_Code || ' ' || City_NameRo || ' ' || City_RefCode FROM Orase WHERE "
                       u"City_Code IN ('54975', '179132', '2915', '12') ORDER BY CAST(City_Code AS INTEGER)"_s),
             (QStringList{u"2915 Baia de Arieș 1"_s, u"54975 Cluj-Napoca 12"_s, u"179132 București 40"_s}));
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Orase WHERE City_NameRo GLOB '*[A-Z][A-Z]*'"_s), u"0"_s);
    for (const QString& unit : {u"p/st"_s, u"100 p/st"_s, u"1000 p/st"_s, u"l alc. 100 %"_s, u"m²"_s, u"m³"_s,
                                u"kg 90 % sdt"_s, u"1000 kWh"_s})
        QVERIFY2(scalar(c, u"SELECT COUNT(*) FROM UM WHERE UM_COD = ?1"_s, {unit}) == u"1", qPrintable(unit));
}

void TestInstallDatabases::errorsAndProcedureReturnError()
{
    db::Connection c = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(c.isOpen());
    QCOMPARE(column(c, u"SELECT Nr_Eroare FROM Erori WHERE Sursa = 'TDBGrid' ORDER BY 1"_s).join(u' '),
             u"1 2 3 4 5 6 7 8"_s);

    auto found = c.runProcedure(u"Return_Error"_s, {db::Variant(), u"TDBGrid"_s, 4, 0});
    QVERIFY2(found.ok(), qPrintable(found.error().text()));
    QCOMPARE(found->size(), 4);
    QCOMPARE(found->at(3).toText(), u"Exista deja o inregistrare cu aceasta cheie"_s);

    // The source compares without regard to case; an unknown number gives Null.
    auto lower = c.runProcedure(u"Return_Error"_s, {db::Variant(), u"tdbgrid"_s, 1, 0});
    QVERIFY(lower.ok());
    QCOMPARE(lower->at(3).toText(), u"Textul depaseste lungimea admisa a coloanei"_s);
    auto missing = c.runProcedure(u"Return_Error"_s, {db::Variant(), u"TDBGrid"_s, 99, 0});
    QVERIFY(missing.ok());
    QVERIFY(missing->at(3).isNull());
}

// One version a year: 2025 closed at its December, 2026 open-ended, each
// naming its own tariff file and its year's labels.
void TestInstallDatabases::codeVersionsNameAnExistingTariff()
{
    db::Connection c = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(c.isOpen());
    auto rs = c.openRecordset(u"SELECT * FROM InsCodeVersions ORDER BY Anul, Luna"_s);
    QVERIFY(rs.ok());
    QCOMPARE(rs->recordCount(), 2);
    QStringList rows;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        const QString file = rs->value(u"CN_File"_s).toText();
        QVERIFY2(QFileInfo(path(u"System/DataBase/CN/"_s + file)).isFile(), qPrintable(file));
        for (int i = rs->fieldIndex(u"CountryVer"_s); i < rs->fieldCount(); ++i)
            QVERIFY2(!rs->value(i).toText().isEmpty(), qPrintable(rs->field(i).name));
        rows << u"%1-%2 %3-%4 %5 %6"_s.arg(rs->value(u"Anul"_s).toText(), rs->value(u"Luna"_s).toText(),
                                            rs->value(u"Anul_End"_s).toText(), rs->value(u"Luna_End"_s).toText(),
                                            file, rs->value(u"CnVer"_s).toText());
    }
    QCOMPARE(rows, (QStringList{u"2025-1 2025-12 CN2025.mdb 2025"_s, u"2026-1 - CN2026.mdb 2026"_s}));
}

void TestInstallDatabases::demonstrationCompany()
{
    db::Connection c = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(c.isOpen());
    auto rs = c.openRecordset(u"SELECT * FROM Firme"_s);
    QVERIFY(rs.ok());
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->value(u"Cod_Fiscal"_s).toText(), u"RO0000001"_s);
    QCOMPARE(rs->value(u"Nume_Firma"_s).toText(), u"FIRMA DEMONSTRATIVA SRL"_s);
    QCOMPARE(rs->value(u"Persoana_Intrastat"_s).toText(), u"Ion Popescu"_s);
    QCOMPARE(rs->value(u"Functie_1"_s).toText(), u"Director"_s);
    QCOMPARE(rs->value(u"MultiFirma"_s).toInt(), 0);
    QCOMPARE(rs->value(u"ValoareStatistica"_s).toInt(), 0);
    QVERIFY(QDate::fromString(rs->value(u"CreataLaData"_s).toText(), u"dd/MM/yyyy"_s).isValid());
    // A whole address and contact, so that nothing prints or declares as "x".
    for (const QString& coloana : {u"Adresa_Firma"_s, u"CodPostal_Firma"_s, u"Tara_Firma"_s, u"Tel_Firma"_s,
                                   u"Fax_Firma"_s, u"Reg_No_Firma"_s, u"Email_Firma"_s})
        QVERIFY2(!rs->value(coloana).toText().trimmed().isEmpty(), qPrintable(coloana));
    QVERIFY(rs->value(u"CodPostal_Firma"_s).toText().contains(QRegularExpression(u"^\\d{6}$"_s)));
    // Its locality is a unit of the shipped list, in its county, by its SIRUTA code.
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Firme f JOIN Orase o ON o.City_Code = f.Firma_Cod_SIRUTA "
                     "JOIN Judete j ON j.Jud_Code = o.City_RefCode "
                     "WHERE o.City_NameRo = f.Oras_Firma AND j.Jud_NameRo = f.Judet_Firma"_s),
             u"1"_s);
    // Empty boxes hold empty text, not Null.
    QVERIFY(rs->value(u"Observatii"_s).isText());
    QCOMPARE(rs->value(u"Observatii"_s).toText(), QString());

    // Its database is a copy of the template, ready to open.
    const QString file = rs->value(u"DataBaseFile"_s).toText();
    QCOMPARE(file, u"RO0000001.mdb"_s);
    db::Connection company = open(u"System/DataBase/"_s + file);
    QVERIFY(company.isOpen());
    QCOMPARE(scalar(company, u"SELECT COUNT(*) FROM Intrastat"_s), u"0"_s);
    QCOMPARE(scalar(company, u"SELECT COUNT(*) FROM _Legaturi"_s), u"0"_s);
    QVERIFY(!company.tableExists(u"Firme"_s));
}

void TestInstallDatabases::operatorsInOrder()
{
    db::Connection c = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(c.isOpen());
    auto rs = c.openRecordset(u"SELECT * FROM Semne_Cautare_Selectie"_s);
    QVERIFY(rs.ok());
    QCOMPARE(rs->recordCount(), 24);
    // Table order is Nr_Semn order, which both readers rely on.
    QStringList numbers;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        numbers << rs->value(u"Nr_Semn"_s).toText();
    QStringList expected;
    for (int i = 1; i <= 24; ++i)
        expected << QString::number(i);
    QCOMPARE(numbers, expected);

    QCOMPARE(column(c, u"SELECT SeAplicaLa || COUNT(*) FROM Semne_Cautare_Selectie GROUP BY SeAplicaLa "
                       u"ORDER BY MIN(Nr_Semn)"_s)
                 .join(u' '),
             u"N8 D7 T7 B2"_s);
    QCOMPARE(scalar(c, u"SELECT Semn || '|' || DescSemn FROM Semne_Cautare_Selectie WHERE Nr_Semn = 16"_s),
             u"= 'Valoare'|= egal cu"_s);
    QCOMPARE(scalar(c, u"SELECT Semn FROM Semne_Cautare_Selectie WHERE Nr_Semn = 10"_s), u">= #Valoare#"_s);
    QCOMPARE(scalar(c, u"SELECT Semn FROM Semne_Cautare_Selectie WHERE Nr_Semn = 19"_s),
             u"LIKE '%Valoare%'"_s);
    QCOMPARE(scalar(c, u"SELECT Semn || '|' || DescSemn FROM Semne_Cautare_Selectie WHERE Nr_Semn = 24"_s),
             u"= False|nebifat (Nu)"_s);
}

void TestInstallDatabases::reportsSeed()
{
    db::Connection c = open(u"System/DataBase/Comun.mdb"_s);
    QVERIFY(c.isOpen());
    QCOMPARE(scalar(c, u"SELECT r.REP_NAME || '|' || s.REP_DESCRIPTION FROM Reports AS r "
                       u"JOIN REPORTS_SEL AS s ON s.REP_ID = r.REP_ID WHERE r.REP_ID = 10001"_s),
             u"Declaratie_Intrastat|Se tipareste din fereastra declaratiei, butonul Tipareste"_s);
    auto rs = c.openRecordset(u"SELECT * FROM Return_Report"_s);
    QVERIFY(rs.ok());
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->value(u"REP_ID"_s).toInt(), 10001);
    QCOMPARE(rs->value(u"XML_FILE"_s).toText(), u"UE_Reports.xml"_s);
    QCOMPARE(rs->value(u"REP_NAME"_s).toText(), u"Declaratie_Intrastat"_s);
    QCOMPARE(rs->value(u"PageSize"_s).toInt(), 9);
    QCOMPARE(rs->value(u"PageOrientation"_s).toInt(), 2);
    QCOMPARE(rs->value(u"ReportCaption"_s).toText(), u"Declaratie Intrastat"_s);
    QVERIFY(QFileInfo(path(u"System/ReportDefinition/UE_Reports.xml"_s)).isFile());
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Return_Report_SUB"_s), u"0"_s);

    // The report's query runs on a company database with the declaration's key appended.
    db::Connection company = open(u"System/DataBase/RO0000001.mdb"_s);
    QVERIFY(company.isOpen());
    exec(company, u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Document_Numar_Referinta) "
                  u"VALUES ('I', 'RO0000001', 2026, 3, '84713000', 'F1')"_s);
    const QString sql = rs->value(u"SQL_STR"_s).toText();
    QVERIFY(!sql.contains(u"WHERE"_s, Qt::CaseInsensitive));
    auto report =
        company.openRecordset(sql + u" WHERE TIP = 'I' AND Cod_Fiscal = 'RO0000001' AND Anul = 2026 "
                                    u"AND Luna = 3"_s);
    QVERIFY2(report.ok(), qPrintable(report.error().text()));
    QCOMPARE(report->recordCount(), 1);
    QCOMPARE(report->value(u"Document_Numar"_s).toText(), u"F1"_s);
}

void TestInstallDatabases::registrySeed()
{
    db::Connection c = open(u"System/Registry/reg.mdb"_s);
    QVERIFY(c.isOpen());
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM RegTable"_s), u"0"_s);
    QCOMPARE(
        scalar(c,
               u"SELECT COUNT(*) FROM RegTableToate WHERE WIN_HKEY_Name = -2147483646 AND ValueType = 'T'"_s),
        u"3"_s);
    // The key matches without regard to case, as the start-up writes it.
    QCOMPARE(scalar(c, u"SELECT Value FROM RegTableToate WHERE HKEY_Name = 'Software\\VELMORANT\\Quorvel' "
                       u"AND String = 'Drepturi'"_s),
             u"0"_s);
    const QStringList viewers =
        column(c, u"SELECT Value FROM RegTable_Value WHERE String = '' AND HKEY_Name IN "
                  u"('SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE', "
                  u"'SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\AcroRd32.exe')"_s);
    QCOMPARE(viewers.size(), 2);
    QCOMPARE(viewers[0], viewers[1]);
    QVERIFY2(viewers[0].endsWith(u"/xdg-open"_s), qPrintable(viewers[0]));
}

void TestInstallDatabases::columnDescriptions()
{
    db::Connection c = open(u"System/DataBase/goala.mdb"_s);
    QVERIFY(c.isOpen());
    // The 22 columns a worksheet can feed, Cod_NC to VAT_ID, and no others.
    const QStringList described = column(c, u"SELECT d.Coloana FROM _Descrieri AS d JOIN "
                                            u"pragma_table_info('Intrastat') AS p ON p.name = d.Coloana "
                                            u"WHERE d.Tabel = 'Intrastat' ORDER BY p.cid"_s);
    const QStringList all = column(c, u"SELECT name FROM pragma_table_info('Intrastat') ORDER BY cid"_s);
    QCOMPARE(described, all.mid(all.indexOf(u"Cod_NC"_s), 22));
    QCOMPARE(described.last(), u"VAT_ID"_s);
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM _Descrieri"_s), u"22"_s);
    QCOMPARE(scalar(c, u"SELECT Descriere FROM _Descrieri WHERE Coloana = 'Net'"_s), u"Masa Neta [Kg]"_s);
    // None of them has a default, so a new template starts without default values.
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM pragma_table_info('Intrastat') AS p JOIN _Descrieri AS d "
                       u"ON d.Coloana = p.name WHERE p.dflt_value IS NOT NULL"_s),
             u"0"_s);
    for (const char* other :
         {"System/DataBase/Comun.mdb", "System/Registry/reg.mdb", "System/DataBase/CN/CN2026.mdb"}) {
        db::Connection o = open(QString::fromLatin1(other));
        QCOMPARE(scalar(o, u"SELECT COUNT(*) FROM _Descrieri"_s), u"0"_s);
    }
}

void TestInstallDatabases::declarationItemsView()
{
    db::Connection c = open(u"System/DataBase/RO0000001.mdb"_s);
    QVERIFY(c.isOpen());
    const QString insert =
        u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Descriere_NC, Tara_Orig, "
        u"Tara_Exp, Tara_Dest, Val_Fiscala, Val_Stat, Net, Cod_UMS, Val_UMS, Nat_Tranz, "
        u"Incoterms, Mod_Transp, Cantitate, Pozitia) VALUES "_s;
    // Two lines of one item (masses under 1 kg), one line of a second item of
    // the same code with another country, and a code that sorts first.
    exec(c, insert +
                u"('I', 'RO0000001', 2026, 3, '84713000', 'Laptop', 'CN', 'DE', 'RO', 100.25, 110.25, 0.2, "
                u"'p/st', 1, '11', 'DAP', '3', 1, 5)"_s);
    exec(c, insert +
                u"('I', 'RO0000001', 2026, 3, '84713000', 'Laptop', 'CN', 'DE', 'RO', 100.25, 110.25, 0.1, "
                u"'p/st', 1, '11', 'DAP', '3', 1, 2)"_s);
    exec(c, insert + u"('I', 'RO0000001', 2026, 3, '84713000', 'Laptop', 'CN', 'FR', 'RO', 10, 10, 1204.5, "
                     u"'p/st', 2.5, '11', 'DAP', '3', 2, 7)"_s);
    exec(c, insert +
                u"('I', 'RO0000001', 2026, 3, '39011010', 'Polietilena', 'DE', 'DE', 'RO', 1203.5, 1203.5, "
                u"1205.5, NULL, NULL, '11', 'EXW', '3', 3, 9)"_s);
    // Another month stays out.
    exec(c, insert +
                u"('I', 'RO0000001', 2026, 4, '39011010', 'Polietilena', 'DE', 'DE', 'RO', 1, 1, 1, NULL, "
                u"NULL, '11', 'EXW', '3', 1, 1)"_s);

    auto rs = c.openRecordset(
        u"SELECT * FROM Intrastat_Sursa_Generare WHERE TIP = 'I' AND Cod_Fiscal = 'RO0000001' "
        u"AND Anul = 2026 AND Luna = 3"_s);
    QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
    QStringList items;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
        items << u"%1 %2 pos%3 fisc%4 stat%5 net%6 ums%7"_s.arg(
            rs->value(u"Cod_NC"_s).toText(), rs->value(u"Tara_Exp"_s).toText(),
            rs->value(u"Pozitia"_s).toText(), rs->value(u"Val_Fiscala1"_s).toText(),
            rs->value(u"Val_Stat1"_s).toText(), rs->value(u"Net1"_s).toText(),
            rs->value(u"Val_UMS1"_s).toText());
    }
    // Amounts round half to even: 200.5 -> 200, 1204.5 -> 1204, 1203.5 -> 1204,
    // 1205.5 -> 1206, 2.5 -> 2; a net mass under 1 kg is declared as 1.
    QCOMPARE(items, (QStringList{u"39011010 DE pos9 fisc1204 stat1204 net1206 ums"_s,
                                 u"84713000 DE pos2 fisc200 stat220 net1 ums2"_s,
                                 u"84713000 FR pos7 fisc10 stat10 net1204 ums2"_s}));
}

void TestInstallDatabases::dispatchItemsGroupByPartnerVat()
{
    db::Connection c = open(u"System/DataBase/RO0000001.mdb"_s);
    QVERIFY(c.isOpen());
    const QString insert =
        u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, "
        u"Tara_Dest, Val_Fiscala, Val_Stat, Net, Nat_Tranz, Incoterms, Mod_Transp, VAT_ID, "
        u"Pozitia) VALUES "_s;
    exec(c, insert +
                u"('O', 'RO0000001', 2026, 3, '61091000', 'RO', 'RO', 'DE', 10, 10, 2, '11', 'FCA', '3', "
                u"' de123456789 ', 1)"_s);
    exec(c, insert +
                u"('O', 'RO0000001', 2026, 3, '61091000', 'RO', 'RO', 'DE', 20, 20, 3, '11', 'FCA', '3', "
                u"'DE123456789', 2)"_s);
    exec(c, insert + u"('O', 'RO0000001', 2026, 3, '61091000', 'RO', 'RO', 'DE', 5, 5, 1, '11', 'FCA', '3', "
                     u"'DE999999999', 3)"_s);
    auto rs =
        c.openRecordset(u"SELECT VAT_ID1, Country_VAT_ID, Val_Fiscala1, Net1 FROM Intrastat_Sursa_Generare_O "
                        u"WHERE TIP = 'O' AND Anul = 2026 AND Luna = 3"_s);
    QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
    QStringList items;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        items << u"%1 %2 %3 %4"_s.arg(rs->value(0).toText(), rs->value(1).toText(), rs->value(2).toText(),
                                      rs->value(3).toText());
    QCOMPARE(items, (QStringList{u"DE123456789 DE 30 5"_s, u"DE999999999 DE 5 1"_s}));
}

void TestInstallDatabases::statisticalValueGroups()
{
    db::Connection c = open(u"System/DataBase/RO0000001.mdb"_s);
    QVERIFY(c.isOpen());
    const QString insert =
        u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Tara_Exp, Tara_Dest, Val_Fiscala, "
        u"Val_Stat, Incoterms, Mod_Transp, Nat_Tranz, SourceFile, SourceFile_FullPath) VALUES "_s;
    // One group spread over two files; its percentage is over both files.
    exec(c,
         insert +
             u"('I', 'RO0000001', 2026, 3, 'DE', 'RO', 100, 110, 'DAP', '3', '11', 'a.xls', '/d/a.xls')"_s);
    exec(c,
         insert +
             u"('I', 'RO0000001', 2026, 3, 'DE', 'RO', 100, NULL, 'DAP', '3', '11', 'b.xls', '/d/b.xls')"_s);
    // Incoterms Null forms a group of its own; a zero fiscal total gives 0 %.
    exec(c,
         insert + u"('I', 'RO0000001', 2026, 3, 'DE', 'RO', 0, 5, NULL, '3', '11', 'a.xls', '/d/a.xls')"_s);

    // The take-over's quoted year still finds the rows.
    auto rs =
        c.openRecordset(u"SELECT SourceFile, IFNULL(Incoterms, '-'), Procent, Nr_Linii "
                        u"FROM Intrastat_Grup_Recalculare_I WHERE TIP = 'I' AND [Anul] = '2026' AND Luna = 3 "
                        u"ORDER BY 2, 1"_s);
    QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
    QStringList groups;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        groups << u"%1 %2 %3 %4"_s.arg(rs->value(0).toText(), rs->value(1).toText(), rs->value(2).toText(),
                                       rs->value(3).toText());
    QCOMPARE(groups, (QStringList{u"a.xls - 0 1"_s, u"a.xls DAP 5 2"_s, u"b.xls DAP 5 2"_s}));

    // The dispatch view groups by the destination country.
    QCOMPARE(scalar(c, u"SELECT COUNT(*) FROM Intrastat_Grup_Recalculare_O WHERE Tara = 'RO'"_s), u"3"_s);
}

void TestInstallDatabases::takeOverProcedures()
{
    db::Connection c = open(u"System/DataBase/RO0000001.mdb"_s);
    QVERIFY(c.isOpen());
    exec(c, u"INSERT INTO Furnizori (Cod_Partener, VAT_ID, Cod_Tara, Tara_Expeditie, Mod_Transp, Nat_Tranz, "
            u"Incoterms) "
            u"VALUES ('P1', 'DE123456789', 'DE', 'AT', '3', '11', 'dap')"_s);
    exec(c, u"INSERT INTO MA (Cod_MA_PF, Descriere_RO, Cod_Vamal, Greutate_Neta, Tara_Orig) "
            u"VALUES ('M1', 'Laptop', '84713000', 2.25, 'cn')"_s);
    exec(
        c,
        u"INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, Numar_Factura, "
        u"Data_Factura, Moneda, Curs_Schimb) VALUES ('N1', '2026-03-15', 'P1', 'F100', '2026-03-14', 'EUR', 5)"_s);
    exec(c,
         u"INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, Curs_Schimb) "
         u"VALUES ('N2', '2026-04-01', 'P1', 5)"_s);
    exec(c, u"INSERT INTO Intrari_Linii (Document_Intern_Nr, Cod_MA_PF, Cantitate, UM, Valoare_Valuta) "
            u"VALUES ('N1', 'M1', 2, 'buc', 100.5)"_s);
    exec(c, u"INSERT INTO Intrari_Linii (Document_Intern_Nr, Cod_MA_PF, Cantitate, UM, Valoare_Valuta) "
            u"VALUES ('N2', 'M1', 1, 'buc', 1)"_s);

    const QVector<db::Variant> key{db::Variant(), u"I"_s, u"RO0000001"_s, u"2026"_s, u"3"_s};
    auto before = c.runProcedure(u"Intrastat_Verifica_Existenta"_s, key + QVector<db::Variant>{0});
    QVERIFY2(before.ok(), qPrintable(before.error().text()));
    QCOMPARE(before->at(5).toInt(), 0);

    // Run twice: the second run replaces the month's lines.
    for (int run = 0; run < 2; ++run) {
        auto r = c.runProcedure(u"Intrastat_I"_s, key);
        QVERIFY2(r.ok(), qPrintable(r.error().text()));
    }
    auto rs = c.openRecordset(u"SELECT * FROM Intrastat"_s);
    QVERIFY(rs.ok());
    QCOMPARE(rs->recordCount(), 1);
    QCOMPARE(rs->value(u"Anul"_s).toInt(), 2026);
    QCOMPARE(rs->value(u"Cod_NC"_s).toText(), u"84713000"_s);
    QCOMPARE(rs->value(u"Tara_Orig"_s).toText(), u"CN"_s);
    QCOMPARE(rs->value(u"Tara_Exp"_s).toText(), u"AT"_s);
    QCOMPARE(rs->value(u"Tara_Dest"_s).toText(), u"RO"_s);
    QCOMPARE(rs->value(u"Val_Fiscala"_s).toText(), u"502"_s); // 100.5 * 5 = 502.5, half to even
    QCOMPARE(rs->value(u"Net"_s).toText(), u"4"_s);           // 2 * 2.25 = 4.5, half to even
    QCOMPARE(rs->value(u"Incoterms"_s).toText(), u"DAP"_s);
    QCOMPARE(rs->value(u"VAT_ID"_s).toText(), u"DE123456789"_s);
    QCOMPARE(rs->value(u"SourceFile"_s).toText(), u"Intrari_Antet"_s);
    QVERIFY(rs->value(u"Cod_UMS"_s).isNull());

    auto after = c.runProcedure(u"Intrastat_Verifica_Existenta"_s, key + QVector<db::Variant>{0});
    QVERIFY(after.ok());
    QCOMPARE(after->at(5).toInt(), -1);

    // Dispatches: the destination comes from the invoice, else from the partner.
    exec(c, u"INSERT INTO Factura_Export_Antet (Numar_Factura, Data_Livrarii, Cod_Partener, Curs_Schimb) "
            u"VALUES ('E1', '2026-03-02', 'P1', 4)"_s);
    exec(c, u"INSERT INTO Factura_Export_Linii (Numar_Factura, Cod_MA_PF, Cantitate, Valoare_Valuta) "
            u"VALUES ('E1', 'M1', 1, 10)"_s);
    auto o = c.runProcedure(u"Intrastat_O"_s, {db::Variant(), u"O"_s, u"RO0000001"_s, u"2026"_s, u"3"_s});
    QVERIFY2(o.ok(), qPrintable(o.error().text()));
    QCOMPARE(scalar(c, u"SELECT Tara_Orig || Tara_Exp || Tara_Dest || '|' || SourceFile FROM Intrastat "
                       u"WHERE TIP = 'O'"_s),
             u"CNRODE|Factura_Export_Antet"_s);
    QCOMPARE(scalar(c, u"SELECT Val_Fiscala FROM Intrastat WHERE TIP = 'O'"_s), u"40"_s);
}

void TestInstallDatabases::tableAndFieldListProcedures()
{
    db::Connection c = open(u"System/DataBase/RO0000001.mdb"_s);
    QVERIFY(c.isOpen());
    auto tables = c.openProcedure(u"Return_Nume_Tabele"_s);
    QVERIFY2(tables.ok(), qPrintable(tables.error().text()));
    QStringList names;
    for (tables->moveFirst(); !tables->eof(); tables->moveNext())
        names << tables->value(0).toText();
    QVERIFY(names.contains(u"Intrastat"_s));
    QVERIFY(names.contains(u"StructuraFisiereAntet"_s));
    for (const QString& n : names)
        QVERIFY2(!n.startsWith(u'_') && !n.startsWith(u"sqlite"_s, Qt::CaseInsensitive), qPrintable(n));

    auto fields = c.openProcedure(u"Return_Nume_Field_Tabel"_s, {db::Variant(), u"Intrastat"_s});
    QVERIFY2(fields.ok(), qPrintable(fields.error().text()));
    QCOMPARE(fields->recordCount(), 34);
    QMap<QString, QString> kinds;
    for (fields->moveFirst(); !fields->eof(); fields->moveNext()) {
        kinds.insert(fields->value(u"FieldName"_s).toText(), fields->value(u"DataType"_s).toText());
        QCOMPARE(fields->value(u"TableName"_s).toText(), u"Intrastat"_s);
    }
    QCOMPARE(kinds.value(u"TIP"_s), u"T"_s);
    QCOMPARE(kinds.value(u"Anul"_s), u"N"_s);
    QCOMPARE(kinds.value(u"Valoare_Valuta"_s), u"N"_s);
    QCOMPARE(kinds.value(u"Data_Preluare"_s), u"D"_s);
    QCOMPARE(kinds.value(u"Probleme"_s), u"B"_s);
    QCOMPARE(kinds.value(u"Descriere_NC"_s), u"T"_s);
}

QTEST_GUILESS_MAIN(TestInstallDatabases)
#include "tst_install_databases.moc"
