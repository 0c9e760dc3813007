// The first start writes the default settings and the contact card, in
// each back end; later starts complete nothing but AppPath; the readers
// load what the store holds.

#include "common/EU_Registrii_Operatii.h"
#include "common/Globale.h"
#include "common/Public_Citeste_Registrii.h"
#include "common/RegistriiOperatii_Setari.h"
#include "common/Registrii_Setatri_Default.h"
#include "platform/db/db.h"
#include "platform/registry/registry.h"
#include "setari_instalare.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const reg::HKEY HKLM = reg::HKEY_LOCAL_MACHINE;

db::Error porneste()
{
    if (db::Error e = Initializeaza_Registrii_EU())
        return e;
    if (db::Error e = Scrie_Setari_Implicite())
        return e;
    Citeste_Registrii_Culori();
    Citeste_Registrii_Zecimale();
    Citeste_Registrii_FileLocation();
    return db::Error();
}

struct Valoare
{
    QString cheie, nume, text, litera;
};

// Every value the first start writes, in order, for a program folder.
QList<Valoare> asteptate(const QString& program)
{
    QList<Valoare> v;
    for (const auto& [nume, text] : Valori_Implicite_EU())
        v.append({u"Software\\VELMORANT\\EU"_s, nume, text, u"T"_s});
    v.append({Cheie_Produs, u"AppPath"_s, program, u"T"_s});
    const QList<QPair<QString, QStringList>> chei = {
        {Cheie_Culori,
         {u"EvenRowStyle_BackColor=14737632"_s, u"OddRowStyle_BackColor=12648447"_s,
          u"HighlightRowStyle_BackColor=16711680"_s, u"HighlightRowStyle_ForeColor=16777215"_s,
          u"Meniu_Color=12648447"_s}},
        {Cheie_Zecimale,
         {u"UseFormat=1"_s, u"ZecRotCalcule=4"_s, u"ZecRotLEI=0"_s, u"ZecRotValuta=2"_s, u"NrZecTaxare=0"_s}},
        {Cheie_FileLocation,
         {u"DataBase="_s + program + u"/System/DataBase/"_s, u"System="_s + program + u"/System/"_s,
          u"ReportDefinitionPath="_s + program + u"/System/ReportDefinition/"_s,
          u"DirectorSalvare="_s + program + u"/System/IntrastatSave/"_s}},
    };
    for (const auto& [cheie, valori] : chei) {
        for (const QString& nv : valori) {
            const qsizetype eq = nv.indexOf(u'=');
            v.append({cheie, nv.left(eq), nv.mid(eq + 1), cheie == Cheie_Culori ? u"N"_s : u"T"_s});
        }
    }
    return v;
}

QString escape(const QString& s)
{
    QString r = s;
    r.replace(u"\\"_s, u"\\\\"_s).replace(u"\""_s, u"\\\""_s);
    return r;
}

QByteArray citesteFisier(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestSetariImplicite : public QObject
{
    Q_OBJECT

private:
    Instalare_Setari m_inst;

    void backEnds()
    {
        QTest::addColumn<bool>("registru");
        QTest::newRow("registry") << true;
        QTest::newRow("database") << false;
    }

private slots:
    void cleanup() { QCOMPARE(reg::openKeyCount(), 0); }

    void firstStart_data() { backEnds(); }
    void firstStart()
    {
        QFETCH(bool, registru);
        QVERIFY(m_inst.pregateste(registru));
        const QByteArray seedFile = citesteFisier(m_inst.hklm());
        const db::Error e = porneste();
        QVERIFY2(!e, qPrintable(e.text()));

        QCOMPARE(Culoare_RandPar, 14737632);
        QCOMPARE(Culoare_RandImpar, 12648447);
        QCOMPARE(Culoare_SelectieFundal, 16711680);
        QCOMPARE(Culoare_SelectieText, 16777215);
        QCOMPARE(Culoare_Meniu, 12648447);
        QCOMPARE(Zecimale_Calcule, quint8(4));
        QCOMPARE(Zecimale_Lei, quint8(0));
        QCOMPARE(Zecimale_Valuta, quint8(2));
        QCOMPARE(Zecimale_Taxare, quint8(0));
        QCOMPARE(Folder_BazaDate, m_inst.program + u"/System/DataBase/"_s);
        QCOMPARE(Folder_Sistem, m_inst.program + u"/System/"_s);
        QCOMPARE(Folder_DefinitiiRapoarte, m_inst.program + u"/System/ReportDefinition/"_s);
        QCOMPARE(Folder_Salvare_XML, m_inst.program + u"/System/IntrastatSave/"_s);
        QCOMPARE(Producator_NumeFirma, u"VELMORANT"_s);
        QCOMPARE(Producator_Telefon, u"021 000 0000"_s);
        QCOMPARE(Producator_Email, u"contact@velmorant.example"_s);
        QVERIFY(ui::testing::messages().isEmpty());

        const QList<Valoare> v = asteptate(m_inst.program);
        if (registru) {
            // The seeded keys, then exactly the keys and values of the defaults.
            // Keys below the seeded SOFTWARE key take its spelling.
            QString text = QString::fromUtf8(seedFile).remove(u'\r');
            while (text.endsWith(u'\n'))
                text.chop(1);
            text += u"\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\VELMORANT]\n"_s;
            QString cheie;
            for (const Valoare& x : v) {
                if (x.cheie != cheie) {
                    if (x.cheie == Cheie_Culori)
                        text += u"\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\VELMORANT\\Quorvel\\Setari]\n"_s;
                    text += u"\n[HKEY_LOCAL_MACHINE\\SOFTWARE"_s + x.cheie.mid(8) + u"]\n"_s;
                    cheie = x.cheie;
                }
                const QString data =
                    x.litera == u"N"_s
                        ? QString(u"dword:"_s + QString::number(x.text.toUInt(), 16).rightJustified(8, u'0'))
                        : QString(u"\""_s + escape(x.text) + u"\""_s);
                text += u"\""_s + x.nume + u"\"="_s + data + u"\n"_s;
            }
            text += u"\n"_s;
            QCOMPARE(QString::fromUtf8(citesteFisier(m_inst.hklm())), text);
        } else {
            QStringList rows;
            for (const Valoare& x : v)
                rows << u"-2147483646|"_s + x.cheie + u'|' + x.nume + u'|' + x.text + u'|' + x.litera;
            db::Connection cn;
            QVERIFY(!cn.open(m_inst.regMdb()));
            db::Result<db::Recordset> rs = cn.openRecordset(
                u"SELECT WIN_HKEY_Name, HKEY_Name, String, Value, ValueType FROM RegTable_Value "
                "WHERE String <> 'Drepturi' AND HKEY_Name NOT LIKE 'SOFTWARE\\Microsoft%' "
                "ORDER BY rowid"_s);
            QVERIFY2(rs.ok(), qPrintable(rs.error().text()));
            QStringList got;
            for (db::Recordset& r = rs.value(); !r.eof(); r.moveNext()) {
                QStringList f;
                for (int i = 0; i < r.fieldCount(); ++i)
                    f << r.value(i).toText();
                got << f.join(u'|');
            }
            QCOMPARE(got, rows);
            db::Result<db::Recordset> k =
                cn.openRecordset(u"SELECT HKEY_Name FROM RegTable ORDER BY rowid"_s);
            QVERIFY(k.ok());
            QStringList keys;
            for (db::Recordset& r = k.value(); !r.eof(); r.moveNext())
                keys << r.value(0).toText();
            QCOMPARE(keys, (QStringList{u"Software\\VELMORANT\\EU"_s, Cheie_Produs, Cheie_Culori,
                                        Cheie_Zecimale, Cheie_FileLocation}));
        }
    }

    // A key that exists is never completed; what its reader does with the
    // hole differs between the back ends.
    void existingKeyIsNotCompleted_data() { backEnds(); }
    void existingKeyIsNotCompleted()
    {
        QFETCH(bool, registru);
        QVERIFY(m_inst.pregateste(registru));
        QCOMPARE(Creeaza_Cheie(Cheie_Culori, HKLM), 0);
        for (const Setare_Implicita& s : Setari_Implicite(Cheie_Culori)) {
            if (s.nume != u"Meniu_Color"_s)
                Seteaza_Valoare(HKLM, Cheie_Culori, s.nume, s.valoare, s.tip);
        }
        Culoare_Meniu = 123;
        QVERIFY(!porneste());
        QVERIFY(!porneste()); // a restart
        const db::Variant v = Citeste_Valoare(HKLM, Cheie_Culori, u"Meniu_Color"_s);
        QVERIFY(registru ? v.isEmpty() : v == db::Variant(QString()));
        QCOMPARE(Culoare_Meniu, registru ? 0 : 123);
        QCOMPARE(Culoare_RandPar, 14737632);
        QCOMPARE(Zecimale_Valuta, quint8(2)); // the other keys got their defaults
    }

    void appPathFollowsTheProgram_data() { backEnds(); }
    void appPathFollowsTheProgram()
    {
        QFETCH(bool, registru);
        QVERIFY(m_inst.pregateste(registru, u"first"_s));
        QVERIFY(!porneste());
        const QString first = m_inst.program;
        QVERIFY(m_inst.muta(u"moved o'neil"_s, true));
        Reseteaza_Globale_Setari();
        Drepturi_HKLM = registru;
        QVERIFY(!porneste());
        QCOMPARE(Citeste_Valoare(HKLM, Cheie_Produs, u"AppPath"_s).toText(), m_inst.program);
        QCOMPARE(Folder_BazaDate, first + u"/System/DataBase/"_s);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    void contactCardWrittenOnce_data() { backEnds(); }
    void contactCardWrittenOnce()
    {
        QFETCH(bool, registru);
        QVERIFY(m_inst.pregateste(registru));
        QVERIFY(!Initializeaza_Registrii_EU());
        QCOMPARE(Citeste_Valoare(HKLM, u"SOFTWARE\\VELMORANT\\EU"_s, u"www"_s).toText(), u"xxxxx"_s);
        Seteaza_Valoare(HKLM, u"Software\\VELMORANT\\EU"_s, u"NumeFirma"_s, u"Alta SRL"_s, 1);
        QVERIFY(!Initializeaza_Registrii_EU());
        QCOMPARE(Producator_NumeFirma, u"Alta SRL"_s);
        QCOMPARE(Producator_Email, u"contact@velmorant.example"_s);
    }

    // A value that does not convert leaves the process-wide value alone.
    void badStoredValuesAreSkipped()
    {
        QVERIFY(m_inst.pregateste(false));
        QVERIFY(!porneste());
        Seteaza_Valoare(HKLM, Cheie_Culori, u"EvenRowStyle_BackColor"_s, u"abc"_s, 1);
        Seteaza_Valoare(HKLM, Cheie_Zecimale, u"ZecRotValuta"_s, u"300"_s, 1);
        Culoare_RandPar = 777;
        Zecimale_Valuta = 9;
        Citeste_Registrii_Culori();
        Citeste_Registrii_Zecimale();
        QCOMPARE(Culoare_RandPar, 777);
        QCOMPARE(Culoare_RandImpar, 12648447);
        QCOMPARE(Zecimale_Valuta, quint8(9));
        // The settings database gone: every reader keeps what it had.
        QVERIFY(QFile::remove(m_inst.regMdb()));
        Citeste_Registrii_FileLocation();
        QCOMPARE(Folder_BazaDate, m_inst.program + u"/System/DataBase/"_s);
        QVERIFY(ui::testing::messages().isEmpty());
        QVERIFY(Scrie_Setari_Implicite().isError());
    }

    void saveFolderOfAnEarlierInstallation()
    {
        QVERIFY(m_inst.pregateste(true));
        const QString instalat = m_inst.radacina() + u"/home/Program Files/INTRASTAT/declaratii/"_s;
        QVERIFY(QDir().mkpath(instalat));
        QVERIFY(!porneste());
        QCOMPARE(Folder_Salvare_XML, instalat);
    }
};

QTEST_GUILESS_MAIN(TestSetariImplicite)
#include "tst_setari_implicite.moc"
