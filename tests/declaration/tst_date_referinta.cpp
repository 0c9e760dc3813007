// The shipped reference data as a declaration meets it, on a fresh copy of
// the seeded program folder: the tariff of the period (2025 or 2026) with its
// Romanian descriptions and units, the codes of one year refused in the other
// by the verification, and the code versions the declaration file names.

#include "Ecran_Test.h"
#include "codelists/Cautare_Tarif.h"
#include "codelists/ConexiuneTarif.h"
#include "declaration/Fisier_XML_Intrastat.h"
#include "declaration/Verificare_Declaratie.h"
#include "shell/Arbore_Test.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// The company of the test: the demonstration company's database of the tree.
class Firma
{
public:
    Firma()
    {
        m_ok = m_arbore.ok() && !Conexiune_Comun.open(Cale_Comun) &&
               !Conexiune_Firma.open(m_arbore.cale(u"System/DataBase/RO0000001.mdb"_s));
        FirmaCurenta_CodFiscal = u"RO123"_s;
        Folder_Salvare_XML = Folder_Sistem + u"IntrastatSave/"_s;
    }
    ~Firma()
    {
        Elibereaza_Cautare_Tarif();
        Reseteaza_Globale_Tarif();
        Reseteaza_Globale_Declaratie();
    }
    Firma(const Firma&) = delete;
    Firma& operator=(const Firma&) = delete;

    bool ok() const { return m_ok; }

    // A valid dispatch of RO123 with the code, in the period.
    bool linie(int anul, int luna, const QString& cod, int pozitia)
    {
        return Conexiune_Firma
            .execute(u"INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, Tara_Exp, "
                     u"Tara_Dest, Val_Fiscala, Val_Stat, Net, Cantitate, Val_UMS, Nat_Tranz, Incoterms, "
                     u"Mod_Transp, VAT_ID, SourceFile, Probleme, Exista_UMS, Pozitia) VALUES ('O', 'RO123', "
                     u"?1, ?2, ?3, 'RO', 'RO', 'DE', 1000, 1000, 12, 5, 5, '11', 'DAP', '3', 'DE123456789', "
                     u"'a.xlsx', 0, 0, ?4)"_s,
                     {anul, luna, cod, pozitia})
            .ok();
    }

    static QStringList coloana(const QString& sql)
    {
        QStringList l;
        auto rs = Conexiune_Firma.openRecordset(sql);
        if (!rs)
            return {rs.error().text()};
        for (; !rs->eof(); rs->moveNext())
            l << rs->value(0).toText();
        return l;
    }

private:
    Arbore_Test m_arbore;
    bool m_ok = false;
};

} // namespace

class TestDateReferinta : public QObject
{
    Q_OBJECT

private slots:
    void tariffOfThePeriod_data();
    void tariffOfThePeriod();
    void verificationByPeriod();
    void codeVersionsOfTheFile_data();
    void codeVersionsOfTheFile();
};

void TestDateReferinta::tariffOfThePeriod_data()
{
    QTest::addColumn<int>("anul");
    QTest::addColumn<int>("luna");
    QTest::addColumn<QString>("cod");
    QTest::addColumn<QString>("rezultat");
    const QString laptop = u"Mașini automate de prelucrare a datelor, portabile, de o greutate de maximum 10 kg, "
                           u"care conțin cel puțin o unitate centrală de prelucrare, o tastatură și un ecran"_s;
    QTest::newRow("live animals, p/st") << 2026 << 3 << u"01012100"_s << u"Reproducători de rasă pură|p/st|1"_s;
    QTest::newRow("cheese, no unit, cut to 250")
        << 2026 << 3 << u"04063010"_s
        << u"Brânză topită, alta decât cea rasă sau pudră - La fabricarea cărora nu s–au folosit alte brânzeturi "
           u"decât Emmental, Gruyère și Appenzell și care pot avea adăugată brânză Glarus cu ierburi (zisă și "
           u"Schabziger), condiționate pentru vânzarea cu amănuntu||0"_s;
    QTest::newRow("wine, l") << 2026 << 3 << u"22042109"_s
                             << u"Prezentate în recipiente cu un conținut de maximum 2 l - Altele|l|1"_s;
    QTest::newRow("electricity, 1000 kWh") << 2026 << 3 << u"27160000"_s << u"Energie electrică|1000 kWh|1"_s;
    QTest::newRow("sawn wood, m³")
        << 2026 << 3 << u"44071110"_s
        << u"Din pin (Pinus spp.) - Lipite prin îmbinare cap la cap, chiar geluite sau șlefuite|m³|1"_s;
    QTest::newRow("footwear, pa") << 2026 << 3 << u"64039118"_s << u"Care acoperă glezna - Pentru femei|pa|1"_s;
    QTest::newRow("diamonds, c/k") << 2026 << 3 << u"71023100"_s
                                   << u"Neprelucrate sau simplu tăiate, despicate sau degroșate|c/k|1"_s;
    QTest::newRow("laptops, p/st") << 2026 << 3 << u"84713000"_s << laptop + u"|p/st|1"_s;
    QTest::newRow("laptops, 2025") << 2025 << 6 << u"84713000"_s << laptop + u"|p/st|1"_s;
    // The codes of one year only.
    QTest::newRow("2025 only, in 2025")
        << 2025 << 12 << u"85044085"_s
        << u"Convertizoare statice - Having a power handling capacity not exceeding 7,5 kVA||0"_s;
    QTest::newRow("2025 only, in 2026") << 2026 << 1 << u"85044085"_s << QString();
    QTest::newRow("2026 only, in 2026")
        << 2026 << 1 << u"85044084"_s << u"Convertizoare statice - Cu regulator de încărcare MPPT|p/st|1"_s;
    QTest::newRow("2026 only, in 2025") << 2025 << 12 << u"85044084"_s << QString();
}

// Each period's tariff holds its year's codes with their Romanian texts and units.
void TestDateReferinta::tariffOfThePeriod()
{
    QFETCH(int, anul);
    QFETCH(int, luna);
    QFETCH(QString, cod);
    QFETCH(QString, rezultat);
    Firma f;
    QVERIFY(f.ok());
    QVERIFY(Deschide_Conexiune_Tarif(static_cast<short>(luna), static_cast<short>(anul)));
    QVERIFY2(Conexiune_CN.path().endsWith(u"CN/CN%1.mdb"_s.arg(anul)), qPrintable(Conexiune_CN.path()));
    QCOMPARE(Cauta_Cod_Tarif(cod), rezultat);
    QVERIFY(ui::testing::messages().isEmpty());
}

// December 2025 is verified against the 2025 tariff, January 2026 against the
// 2026 one: the code of the other year alone is flagged, and the lines take
// their Romanian descriptions and units from their own year.
void TestDateReferinta::verificationByPeriod()
{
    Firma f;
    QVERIFY(f.ok());
    const QStringList coduri{u"85044085"_s, u"85044084"_s, u"61091000"_s};
    for (int i = 0; i < coduri.size(); ++i)
        QVERIFY(f.linie(2025, 12, coduri.at(i), i + 1) && f.linie(2026, 1, coduri.at(i), i + 1));

    struct Caz
    {
        int anul;
        int luna;
        QString respins;
    };
    for (const Caz& caz : {Caz{2025, 12, u"85044084"_s}, Caz{2026, 1, u"85044085"_s}}) {
        QVERIFY(Deschide_Conexiune_Tarif(static_cast<short>(caz.luna), static_cast<short>(caz.anul)));
        Ecran_Test ecran;
        const Rezultat_Verificare r = Verifica_Declaratie(
            Cheie_Declaratie{u"O"_s, u"RO123"_s, QString::number(caz.anul), QString::number(caz.luna)}, ecran);
        QVERIFY(r.efectuata);
        QCOMPARE(r.linii, 3);
        QCOMPARE(r.probleme, 1);
        const QString perioada = u" FROM Intrastat WHERE Anul = %1 AND Luna = %2"_s.arg(caz.anul).arg(caz.luna);
        QCOMPARE(Firma::coloana(u"SELECT Cod_NC"_s + perioada + u" AND Probleme <> 0"_s),
                 QStringList{caz.respins});
        QFile jurnal(r.jurnal);
        QVERIFY(jurnal.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(jurnal.readAll());
        QVERIFY2(text.contains(u"Cod_NC = "_s + caz.respins + u" ===> NU EXISTA"_s), qPrintable(text));
        QCOMPARE(text.count(u"NU EXISTA"_s), 1);
        QCOMPARE(Firma::coloana(u"SELECT Descriere_NC || '|' || IFNULL(Cod_UMS, '')"_s + perioada +
                                u" AND Cod_NC = '61091000'"_s),
                 QStringList{u"Din bumbac|p/st"_s});
    }
    QCOMPARE(Firma::coloana(u"SELECT Descriere_NC FROM Intrastat WHERE Anul = 2026 AND Cod_NC = '85044084'"_s),
             QStringList{u"Convertizoare statice - Cu regulator de încărcare MPPT"_s});
}

void TestDateReferinta::codeVersionsOfTheFile_data()
{
    QTest::addColumn<int>("anul");
    QTest::addColumn<int>("luna");
    QTest::addColumn<QString>("versiune");
    QTest::newRow("January 2025") << 2025 << 1 << u"2025"_s;
    QTest::newRow("December 2025") << 2025 << 12 << u"2025"_s;
    QTest::newRow("January 2026") << 2026 << 1 << u"2026"_s;
    QTest::newRow("a later year") << 2027 << 5 << u"2026"_s;
}

// The declaration file of a period names the code versions of its year.
void TestDateReferinta::codeVersionsOfTheFile()
{
    QFETCH(int, anul);
    QFETCH(int, luna);
    QFETCH(QString, versiune);
    Firma f;
    QVERIFY(f.ok());
    QVERIFY(f.linie(anul, luna, u"61091000"_s, 1));
    // As the declaration window has it: the tariff of the period, in which the code is checked.
    QVERIFY(Deschide_Conexiune_Tarif(static_cast<short>(luna), static_cast<short>(anul)));
    Date_Fisier_XML date;
    date.cheie = Cheie_Declaratie{u"O"_s, u"RO123"_s, QString::number(anul), QString::number(luna)};
    date.numeCompanie = u"FIRMA SRL"_s;
    date.tipDeclaratie = u"N-Noua"_s;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
    QVERIFY2(r.generat, qPrintable(Arbore_Test::mesaje().join(u'\n')));
    QFile fisier(r.fisier);
    QVERIFY(fisier.open(QIODevice::ReadOnly));
    const QString xml = QString::fromUtf8(fisier.readAll());
    QVERIFY2(xml.contains(u"<CnVer>"_s + versiune + u"</CnVer>"_s), qPrintable(xml.left(600)));
    QVERIFY(xml.contains(u"<LocalityVer>"_s + versiune + u"</LocalityVer>"_s));
}

QTEST_GUILESS_MAIN(TestDateReferinta)
#include "tst_date_referinta.moc"
