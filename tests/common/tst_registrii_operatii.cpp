// The settings store on both back ends: the registry files and the settings
// database, behind the same procedures.

#include "common/Globale.h"
#include "common/RegistriiOperatii_Setari.h"
#include "platform/db/db.h"
#include "platform/registry/registry.h"
#include "platform/ui/mesaj.h"
#include "setari_instalare.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const reg::HKEY HKLM = reg::HKEY_LOCAL_MACHINE;

// The rows of one query on the settings database, as "a|b|c" texts.
QStringList randuri(const QString& mdb, const QString& sql)
{
    QStringList out;
    db::Connection cn;
    if (const db::Error e = cn.open(mdb)) {
        out << u"EROARE "_s + e.text();
        return out;
    }
    db::Result<db::Recordset> rs = cn.openRecordset(sql);
    if (!rs.ok()) {
        out << u"EROARE "_s + rs.error().text();
        return out;
    }
    db::Recordset& r = rs.value();
    while (!r.eof()) {
        QStringList campuri;
        for (int i = 0; i < r.fieldCount(); ++i)
            campuri << r.value(i).toText();
        out << campuri.join(u'|');
        r.moveNext();
    }
    return out;
}

QString fel(const db::Variant& v)
{
    switch (v.kind()) {
    case db::Variant::Kind::Empty:
        return u"Empty"_s;
    case db::Variant::Kind::Int:
        return u"Int "_s + v.toText();
    case db::Variant::Kind::Text:
        return u"Text "_s + v.asText();
    default:
        return u"other "_s + v.toText();
    }
}

} // namespace

class TestRegistriiOperatii : public QObject
{
    Q_OBJECT

private:
    Instalare_Setari m_inst;

private slots:
    void cleanup()
    {
        QCOMPARE(reg::openKeyCount(), 0);
        qunsetenv("QUORVEL_REGISTRY_READONLY");
    }

    void returnHkey_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<uint>("handle");
        QTest::newRow("classes") << u"HKEY_CLASSES_ROOT"_s << 0x80000000u;
        QTest::newRow("user") << u"HKEY_CURRENT_USER"_s << 0x80000001u;
        QTest::newRow("machine") << u"HKEY_LOCAL_MACHINE"_s << 0x80000002u;
        QTest::newRow("users") << u"HKEY_USERS"_s << 0x80000003u;
        QTest::newRow("performance") << u"HKEY_PERFORMANCE_DATA"_s << 0x80000004u;
        QTest::newRow("config") << u"HKEY_CURRENT_CONFIG"_s << 0x80000005u;
        QTest::newRow("dyn") << u"HKEY_DYN_DATA"_s << 0x80000006u;
        QTest::newRow("lower case") << u"hkey_local_machine"_s << 0u;
        QTest::newRow("blank around") << u" HKEY_LOCAL_MACHINE"_s << 0u;
        QTest::newRow("empty") << QString() << 0u;
    }
    void returnHkey()
    {
        QFETCH(QString, nume);
        QFETCH(uint, handle);
        QCOMPARE(uint(Return_HKEY(nume)), handle);
    }

    // Written one way, read back another, on each back end.
    void roundTrip_data()
    {
        QTest::addColumn<bool>("registru");
        QTest::addColumn<QString>("cheieScrisa");
        QTest::addColumn<QString>("cheieCitita");
        QTest::addColumn<QString>("nume");
        QTest::addColumn<QString>("valoare");
        QTest::addColumn<int>("tip");
        QTest::addColumn<QString>("asteptat");

        const QString k = u"Software\\VELMORANT\\Quorvel\\Setari\\Culori"_s;
        for (const bool r : {true, false}) {
            const QString b = r ? u"registry: "_s : u"database: "_s;
            QTest::newRow(qPrintable(b + u"text"_s))
                << r << k << k << u"Nume"_s << u"VELMORANT"_s << 1 << u"Text VELMORANT"_s;
            QTest::newRow(qPrintable(b + u"number"_s)) << r << k << k << u"Meniu_Color"_s << u"12648447"_s
                                                       << 4 << (r ? u"Int 12648447"_s : u"Text 12648447"_s);
            QTest::newRow(qPrintable(b + u"missing value"_s))
                << r << k << k << QString() << QString() << 0 << (r ? u"Empty"_s : u"Text "_s);
            QTest::newRow(qPrintable(b + u"missing key"_s)) << r << k << u"Software\\Nowhere"_s << u"Nume"_s
                                                            << u"x"_s << 1 << (r ? u"Empty"_s : u"Text "_s);
            QTest::newRow(qPrintable(b + u"key and name without case"_s))
                << r << u"Software\\VELMORANT\\Quorvel"_s << u"SOFTWARE\\velmorant\\QUORVEL"_s << u"AppPath"_s
                << u"/opt/q"_s << 1 << u"Text /opt/q"_s;
            QTest::newRow(qPrintable(b + u"quotes everywhere"_s))
                << r << u"Software\\O'Neil"_s << u"software\\o'neil"_s << u"it's"_s << u"/home/o'neil/q"_s
                << 1 << u"Text /home/o'neil/q"_s;
            QTest::newRow(qPrintable(b + u"empty text"_s))
                << r << k << k << u"Gol"_s << QString() << 1 << u"Text "_s;
        }
    }
    void roundTrip()
    {
        QFETCH(bool, registru);
        QFETCH(QString, cheieScrisa);
        QFETCH(QString, cheieCitita);
        QFETCH(QString, nume);
        QFETCH(QString, valoare);
        QFETCH(int, tip);
        QFETCH(QString, asteptat);
        QVERIFY(m_inst.pregateste(registru));

        QCOMPARE(Creeaza_Cheie(cheieScrisa, HKLM), 0);
        QCOMPARE(Exista_Cheie(HKLM, cheieCitita), !cheieCitita.contains(u"Nowhere"_s));
        db::Error e;
        if (tip != 0) {
            Seteaza_Valoare(HKLM, cheieScrisa, nume,
                            tip == 4 ? db::Variant(valoare.toInt()) : db::Variant(valoare), tip, &e);
            QVERIFY2(!e, qPrintable(e.text()));
        }
        const QString lookup = tip == 0 ? u"NuExista"_s : nume;
        QCOMPARE(fel(Citeste_Valoare(HKLM, cheieCitita, lookup.toUpper(), &e)), asteptat);
        QVERIFY2(!e, qPrintable(e.text()));
        QVERIFY(ui::testing::messages().isEmpty());
    }

    // The type letter stays as first written; the value follows the last
    // write; no key row is needed or made.
    void databaseRows()
    {
        QVERIFY(m_inst.pregateste(false));
        const QString k = u"Software\\VELMORANT\\Quorvel\\Setari\\Culori"_s;
        Seteaza_Valoare(HKLM, k, u"Meniu_Color"_s, 12648447, 4);
        const QString sql =
            u"SELECT WIN_HKEY_Name, Value, ValueType FROM RegTable_Value WHERE String='Meniu_Color'"_s;
        QCOMPARE(randuri(m_inst.regMdb(), sql), QStringList{u"-2147483646|12648447|N"_s});
        QCOMPARE(randuri(m_inst.regMdb(), u"SELECT * FROM RegTable"_s), QStringList());
        Seteaza_Valoare(HKLM, k.toUpper(), u"meniu_color"_s, u"255"_s, 1);
        QCOMPARE(randuri(m_inst.regMdb(), sql), QStringList{u"-2147483646|255|N"_s});

        QCOMPARE(Creeaza_Cheie(k, HKLM), 0);
        QCOMPARE(Creeaza_Cheie(k, HKLM), 0);
        QCOMPARE(Creeaza_Cheie(k.toLower(), HKLM), 0);
        QCOMPARE(randuri(m_inst.regMdb(), u"SELECT WIN_HKEY_Name, HKEY_Name FROM RegTable"_s),
                 QStringList{u"-2147483646|"_s + k});
        QVERIFY(!Exista_Cheie(HKLM, u"Software\\VELMORANT\\Quorvel\\Setari"_s)); // no parent rows
        QVERIFY(ui::testing::messages().isEmpty());
    }

    // Start-up's record of the chosen back end finds the seeded row however
    // the key is spelled.
    void drepturiRowIgnoresCase_data()
    {
        QTest::addColumn<QString>("cheie");
        QTest::newRow("as seeded") << u"SOFTWARE\\VELMORANT\\Quorvel"_s;
        QTest::newRow("as the defaults spell it") << u"Software\\VELMORANT\\Quorvel"_s;
    }
    void drepturiRowIgnoresCase()
    {
        QFETCH(QString, cheie);
        QVERIFY(m_inst.pregateste(false));
        db::Connection cn;
        QVERIFY(!cn.open(m_inst.regMdb()));
        const db::Result<qint64> n =
            cn.execute(u"UPDATE [RegTable_Value] SET [Value]='1' WHERE [WIN_HKEY_Name]="_s +
                       u"-2147483646 AND [HKEY_Name]='"_s + cheie + u"' AND [String]='Drepturi'"_s);
        QVERIFY2(n.ok(), qPrintable(n.error().text()));
        QCOMPARE(n.value(), 1);
        cn.close();
        QCOMPARE(fel(Citeste_Valoare(HKLM, cheie, u"DREPTURI"_s)), u"Text 1"_s);
    }

    // The start-up write test.
    void scrieRegistruWindows_data()
    {
        QTest::addColumn<bool>("refuzat");
        QTest::addColumn<QString>("cheie");
        QTest::addColumn<bool>("scris");
        const QString cv = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion"_s;
        QTest::newRow("allowed") << false << cv << true;
        QTest::newRow("refused") << true << cv << false;
        QTest::newRow("missing key") << false << u"SOFTWARE\\Nowhere"_s << false;
    }
    void scrieRegistruWindows()
    {
        QFETCH(bool, refuzat);
        QFETCH(QString, cheie);
        QFETCH(bool, scris);
        QVERIFY(m_inst.pregateste(false)); // whatever the back end, it writes to the registry
        if (refuzat)
            qputenv("QUORVEL_REGISTRY_READONLY", "HKEY_LOCAL_MACHINE");
        QCOMPARE(Scrie_Registru_Windows(HKLM, cheie, u"Can_Be_Deleted"_s, u"No Value"_s, 1), scris);
        QVERIFY(ui::testing::messages().isEmpty());
        Drepturi_HKLM = true;
        QCOMPARE(fel(Citeste_Valoare(HKLM, cheie, u"Can_Be_Deleted"_s)),
                 scris ? u"Text No Value"_s : u"Empty"_s);
        // Neither another type nor a value that is no number is written.
        QVERIFY(!Scrie_Registru_Windows(HKLM, cheie, u"x"_s, u"1"_s, 2));
        QVERIFY(!Scrie_Registru_Windows(HKLM, cheie, u"y"_s, u"abc"_s, 4));
    }

    void openKeyReads()
    {
        QVERIFY(m_inst.pregateste(true));
        const QString k = u"Software\\VELMORANT\\Quorvel"_s;
        QCOMPARE(Creeaza_Cheie(k, HKLM), 0);
        reg::HKEY h = 0;
        QCOMPARE(reg::openKey(HKLM, k, reg::KEY_ALL_SPECIFIC, &h), reg::ERROR_SUCCESS);
        QCOMPARE(Scrie_Valoare_Cheie_Deschisa(h, u"abc"_s, 1, u"abc"_s), 0L);
        QCOMPARE(Scrie_Valoare_Cheie_Deschisa(h, u"n"_s, 4, -5), 0L);
        QCOMPARE(reg::setRawValue(h, u"e"_s, u"hex(2):25,00,00,00"_s), reg::ERROR_SUCCESS);
        std::uint32_t tip = 0, marime = 0;
        QCOMPARE(reg::queryValue(h, u"abc"_s, &tip, &marime), reg::ERROR_SUCCESS);
        QCOMPARE(marime, 4u); // three letters and the NUL
        db::Variant v = u"before"_s;
        QCOMPARE(Citeste_Valoare_Cheie_Deschisa(h, u"abc"_s, v), 0L);
        QCOMPARE(fel(v), u"Text abc"_s);
        QCOMPARE(Citeste_Valoare_Cheie_Deschisa(h, u"n"_s, v), 0L);
        QCOMPARE(fel(v), u"Int -5"_s);
        v = u"kept"_s;
        QCOMPARE(Citeste_Valoare_Cheie_Deschisa(h, u"e"_s, v), -1L);
        QCOMPARE(fel(v), u"Text kept"_s);
        QCOMPARE(Citeste_Valoare_Cheie_Deschisa(h, u"none"_s, v), reg::ERROR_FILE_NOT_FOUND);
        QCOMPARE(fel(v), u"Text kept"_s);
        reg::closeKey(h);
        // Expandable text reads as Empty through the store.
        QCOMPARE(fel(Citeste_Valoare(HKLM, k, u"e"_s)), u"Empty"_s);
    }

    // A missing settings database is an error for the caller, never a new file.
    void missingDatabase()
    {
        QVERIFY(m_inst.pregateste(false));
        QVERIFY(QFile::remove(m_inst.regMdb()));
        db::Error e;
        QVERIFY(!Exista_Cheie(HKLM, u"Software"_s, &e));
        QVERIFY(e.isError());
        QVERIFY(Creeaza_Cheie(u"Software"_s, HKLM) != 0);
        e = db::Error();
        Citeste_Valoare(HKLM, u"Software"_s, u"x"_s, &e);
        QVERIFY(e.isError());
        QVERIFY(!QFile::exists(m_inst.regMdb()));
        QVERIFY(ui::testing::messages().isEmpty());
        // Without a place to hand it, the error is shown.
        Seteaza_Valoare(HKLM, u"Software"_s, u"x"_s, u"1"_s, 1);
        QCOMPARE(ui::testing::messages().size(), 1);
        QVERIFY(ui::testing::messages().at(0).text.startsWith(u"EROARE : "_s));
    }

    void conversions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("empty");
        QTest::addColumn<QString>("lng");
        QTest::addColumn<QString>("byte");
        QTest::newRow("empty value") << QString() << true << u"0"_s << u"0"_s;
        QTest::newRow("empty text") << QString() << false << u"-"_s << u"-"_s;
        QTest::newRow("digits") << u"14737632"_s << false << u"14737632"_s << u"-"_s;
        QTest::newRow("blanks") << u" 4 "_s << false << u"4"_s << u"4"_s;
        QTest::newRow("half down to even") << u"2.5"_s << false << u"2"_s << u"2"_s;
        QTest::newRow("half up to even") << u"3.5"_s << false << u"4"_s << u"4"_s;
        QTest::newRow("byte top") << u"255.4"_s << false << u"255"_s << u"255"_s;
        QTest::newRow("byte over") << u"256"_s << false << u"256"_s << u"-"_s;
        QTest::newRow("negative") << u"-1"_s << false << u"-1"_s << u"-"_s;
        QTest::newRow("letters") << u"abc"_s << false << u"-"_s << u"-"_s;
        QTest::newRow("long over") << u"2147483648"_s << false << u"-"_s << u"-"_s;
    }
    void conversions()
    {
        QFETCH(QString, text);
        QFETCH(bool, empty);
        QFETCH(QString, lng);
        QFETCH(QString, byte);
        const db::Variant v = empty ? db::Variant() : db::Variant(text);
        const std::optional<qint32> l = Valoare_La_Long(v);
        const std::optional<quint8> b = Valoare_La_Byte(v);
        QCOMPARE(l ? QString::number(*l) : u"-"_s, lng);
        QCOMPARE(b ? QString::number(*b) : u"-"_s, byte);
        QVERIFY(!Valoare_La_Long(db::Variant::null()));
    }
};

QTEST_GUILESS_MAIN(TestRegistriiOperatii)
#include "tst_registrii_operatii.moc"
