// The declaration file, without a screen: three declarations against their
// golden files byte for byte, the file-name rule, the item numbering past a
// 16-bit counter, the code-version choice, the copy into the save folder and
// the failures that must leave the earlier files as they were.

#include "Fixtura_Declaratie.h"
#include "declaration/Fisier_XML_Intrastat.h"

#include <QDir>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

namespace {

QString Golden(const QString& nume)
{
    return qEnvironmentVariable("QUORVEL_SOURCE_DIR") + u"/tests/declaration/golden/"_s + nume;
}

// Parses the whole document; the error text, or "" when it is well-formed.
QString Eroare_XML(const QByteArray& text, QString* radacina = nullptr, QString* spatiu = nullptr)
{
    QXmlStreamReader r(text);
    bool primul = true;
    while (!r.atEnd()) {
        if (r.readNext() == QXmlStreamReader::StartElement && primul) {
            primul = false;
            if (radacina)
                *radacina = r.name().toString();
            if (spatiu)
                *spatiu = r.namespaceUri().toString();
        }
    }
    return r.hasError() ? r.errorString() : QString();
}

// The columns of a over those of b.
QVariantMap Cu(QVariantMap a, const QVariantMap& b)
{
    for (auto it = b.cbegin(); it != b.cend(); ++it)
        a.insert(it.key(), it.value());
    return a;
}

Date_Fisier_XML Sosiri_Martie_2015()
{
    Date_Fisier_XML d;
    d.cheie = Cheie_Declaratie{u"I"_s, u"RO1234567"_s, u"2015"_s, u"3"_s};
    d.numeCompanie = u"A&B <X>"_s;
    d.tipDeclaratie = u"N-Noua"_s;
    d.valoareStatistica = true;
    d.numePrenume = u"Popescu"_s;
    d.telefon = u"0211234567"_s;
    d.fax = u" "_s;
    d.declarantTert = true;
    d.codFiscalDeclarant = u"RO765"_s;
    d.numeDeclarant = u"A & B"_s;
    d.strada = u"Str. Lunga"_s;
    d.numar = u"7"_s;
    d.oras = u"179132"_s;
    d.judet = u"40"_s;
    d.codPostal = u"010101"_s;
    return d;
}

Date_Fisier_XML Expedieri(const QString& anul, const QString& luna, const QString& tipDeclaratie)
{
    Date_Fisier_XML d;
    d.cheie = Cheie_Declaratie{u"O"_s, u"RO1234567"_s, anul, luna};
    d.numeCompanie = u"FIRMA SRL"_s;
    d.tipDeclaratie = tipDeclaratie;
    d.numePrenume = u"Ionescu"_s;
    d.numePersoana = u"Ion"_s;
    d.email = u"ion@firma.ro"_s;
    d.telefon = u"0211234567"_s;
    d.fax = u"0211234568"_s;
    d.pozitieCompanie = u"Director"_s;
    return d;
}

void Linii_Sosiri(Fixtura_Declaratie& f)
{
    const QVariantMap sosire{{u"TIP"_s, u"I"_s},        {u"Anul"_s, 2015},         {u"Luna"_s, 3},
                             {u"Tara_Orig"_s, u"FR"_s}, {u"Tara_Exp"_s, u"FR"_s},  {u"Tara_Dest"_s, u"RO"_s},
                             {u"VAT_ID"_s, QVariant()}, {u"Incoterms"_s, u"DAP"_s}};
    const auto cu = [&](const QVariantMap& peste) { f.linie(Cu(sosire, peste)); };
    // One item from two imported files: amounts summed and rounded.
    const QVariantMap cal{{u"Cod_NC"_s, u"01012100"_s}, {u"Cod_UMS"_s, u"p/st"_s}, {u"Nat_Tranz"_s, u"11"_s}};
    cu(Cu(cal, {{u"Val_Fiscala"_s, 100.4},
                {u"Val_Stat"_s, 110.2},
                {u"Net"_s, 0.3},
                {u"Val_UMS"_s, 2.0},
                {u"SourceFile"_s, u"a.xlsx"_s}}));
    cu(Cu(cal, {{u"Val_Fiscala"_s, 200.3},
                {u"Val_Stat"_s, 220.3},
                {u"Net"_s, 0.1},
                {u"Val_UMS"_s, 3.0},
                {u"SourceFile"_s, u"b.xlsx"_s}}));
    // No unit, transaction 10 (no B code), a delivery term that needs escaping.
    cu({{u"Tara_Orig"_s, u"CN"_s},
        {u"Tara_Exp"_s, u"DE"_s},
        {u"Val_Fiscala"_s, 5000.0},
        {u"Val_Stat"_s, 5100.0},
        {u"Net"_s, 12.5},
        {u"Nat_Tranz"_s, u"10"_s},
        {u"Incoterms"_s, u"D&P"_s},
        {u"Mod_Transp"_s, u"4"_s}});
    // Another month: not in the file.
    cu({{u"Luna"_s, 4}, {u"Cod_NC"_s, u"22222222"_s}});
    // No nature of transaction.
    cu({{u"Tara_Orig"_s, u"IT"_s},
        {u"Tara_Exp"_s, u"IT"_s},
        {u"Nat_Tranz"_s, QVariant()},
        {u"Incoterms"_s, u"EXW"_s},
        {u"Val_Fiscala"_s, 70.0},
        {u"Val_Stat"_s, 70.0},
        {u"Net"_s, 3.0}});
}

void Linii_Expedieri(Fixtura_Declaratie& f, int anul, int luna)
{
    const QVariantMap cheie{{u"Anul"_s, anul}, {u"Luna"_s, luna}};
    const auto cu = [&](const QVariantMap& peste) { f.linie(Cu(cheie, peste)); };
    // One item: the same partner written two ways.
    const QVariantMap cal{{u"Cod_NC"_s, u"01012100"_s}, {u"Cod_UMS"_s, u"p/st"_s},  {u"Val_UMS"_s, 2.0},
                          {u"Incoterms"_s, u"FCA"_s},   {u"Val_Fiscala"_s, 1000.0}, {u"Net"_s, 50.0}};
    cu(Cu(cal, {{u"VAT_ID"_s, u"de123456789"_s}}));
    cu(Cu(cal, {{u"VAT_ID"_s, u" DE123456789"_s}, {u"Val_Fiscala"_s, 500.0}}));
    // A Greek partner.
    cu({{u"Tara_Orig"_s, u"CN"_s},
        {u"Tara_Dest"_s, u"GR"_s},
        {u"VAT_ID"_s, u"EL987654321"_s},
        {u"Nat_Tranz"_s, u"21"_s},
        {u"Val_Fiscala"_s, 300.0},
        {u"Net"_s, 7.0}});
}

} // namespace

class TestFisierXml : public QObject
{
    Q_OBJECT

private slots:
    void init() { FirmaCurenta_CodFiscal = u"RO1234567"_s; }

    void goldenFiles_data();
    void goldenFiles();
    void fileNames_data();
    void fileNames();
    void itemsPast32766AreNumberedOn();
    void openEndedVersionWhenNoneMatches();
    void longFiscalCodeIsKeptWhole();
    void emptyKeyIsRefused();
    void copyIntoTheSaveFolder_data();
    void copyIntoTheSaveFolder();
    void failureLeavesTheEarlierFiles_data();
    void failureLeavesTheEarlierFiles();
};

void TestFisierXml::goldenFiles_data()
{
    QTest::addColumn<int>("caz");
    QTest::addColumn<QString>("fisier");
    QTest::addColumn<QString>("radacina");
    QTest::addColumn<qint64>("articole");
    QTest::newRow("arrivals, new, March 2015, statistical value, representative")
        << 0 << u"0001234567_A_20153.xml"_s << u"InsNewArrival"_s << qint64(3);
    QTest::newRow("dispatches, correction, December 2015, partners")
        << 1 << u"0001234567_DR_201512.xml"_s << u"InsRevisedDispatch"_s << qint64(2);
    QTest::newRow("dispatches, new, December 2014")
        << 2 << u"0001234567_D_201412.xml"_s << u"InsNewDispatch"_s << qint64(2);
}

void TestFisierXml::goldenFiles()
{
    QFETCH(int, caz);
    QFETCH(QString, fisier);
    QFETCH(QString, radacina);
    QFETCH(qint64, articole);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    Folder_Salvare_XML = f.cale(u"Salvare/"_s);
    QVERIFY(QDir().mkpath(Folder_Salvare_XML));

    Date_Fisier_XML date;
    switch (caz) {
    case 0:
        Linii_Sosiri(f);
        date = Sosiri_Martie_2015();
        break;
    case 1:
        Linii_Expedieri(f, 2015, 12);
        date = Expedieri(u"2015"_s, u"12"_s, u"C-Corectie"_s);
        break;
    default:
        Linii_Expedieri(f, 2014, 12);
        date = Expedieri(u"2014"_s, u"12"_s, u"N-Noua"_s);
        // A representative with a locality but no county.
        date.declarantTert = true;
        date.codFiscalDeclarant = u"1234567890"_s;
        date.numeDeclarant = u"Reprezentant SRL"_s;
        date.oras = u"179132"_s;
        date.judet = u" "_s;
        date.codPostal = u"010101"_s;
        break;
    }
    int formatari = 0;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date, [&] { ++formatari; });
    QVERIFY(r.generat);
    QCOMPARE(formatari, 1);
    QCOMPARE(r.numeFisier, fisier);
    QCOMPARE(r.articole, articole);
    QCOMPARE(r.fisier, f.cale(u"System/IntrastatSave/"_s) + fisier);
    QCOMPARE(r.copie, Folder_Salvare_XML + fisier);
    QCOMPARE(r.caleAfisata, r.copie);

    const QByteArray text = Fixtura_Declaratie::citeste(r.fisier);
    QCOMPARE(text, Fixtura_Declaratie::citeste(Golden(fisier)));
    QCOMPARE(Fixtura_Declaratie::citeste(r.copie), text);
    QString numeRadacina;
    QString spatiu;
    QCOMPARE(Eroare_XML(text, &numeRadacina, &spatiu), QString());
    QCOMPARE(numeRadacina, radacina);
    QCOMPARE(spatiu, u"http://www.intrastat.ro/xml/InsSchema"_s);

    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"A fost generat fisierul \r\n"_s + r.copie});
    QCOMPARE(ui::testing::messages().first().icon, ui::Icon::Information);
    QCOMPARE(ui::testing::messages().first().title, std::nullopt);
    if (caz == 0)
        QCOMPARE(r.numeCompanie, u"A-B -X-"_s);
}

void TestFisierXml::fileNames_data()
{
    QTest::addColumn<QString>("cod");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<QString>("fel");
    QTest::addColumn<QString>("anul");
    QTest::addColumn<QString>("luna");
    QTest::addColumn<QString>("nume");
    QTest::newRow("arrivals, new") << u"RO1234567"_s << u"I"_s << u"N-Noua"_s << u"2015"_s << u"3"_s
                                   << u"0001234567_A_20153.xml"_s;
    QTest::newRow("arrivals, correction")
        << u"RO1234567"_s << u"I"_s << u"C-Corectie"_s << u"2015"_s << u"3"_s << u"0001234567_AR_20153.xml"_s;
    QTest::newRow("dispatches, new, no RO")
        << u"1234567"_s << u"O"_s << u"N-Noua"_s << u"2014"_s << u"12"_s << u"0001234567_D_201412.xml"_s;
    QTest::newRow("dispatches, correction") << u"RO1234567"_s << u"O"_s << u"C-Corectie"_s << u"2015"_s
                                            << u"12"_s << u"0001234567_DR_201512.xml"_s;
    QTest::newRow("ten characters") << u"1234567890"_s << u"O"_s << u"N-Noua"_s << u"2015"_s << u"1"_s
                                    << u"1234567890_D_20151.xml"_s;
    QTest::newRow("longer code kept whole")
        << u"RO12345678901"_s << u"I"_s << u"N-Noua"_s << u"2015"_s << u"1"_s << u"12345678901_A_20151.xml"_s;
    QTest::newRow("lower-case type is a dispatch")
        << u"RO1"_s << u"i"_s << u"N-Noua"_s << u"2015"_s << u"1"_s << u"0000000001_D_20151.xml"_s;
    QTest::newRow("every RO removed")
        << u"RO12RO3"_s << u"I"_s << u"n-noua"_s << u"2015"_s << u"05"_s << u"0000000123_AR_201505.xml"_s;
}

void TestFisierXml::fileNames()
{
    QFETCH(QString, cod);
    QFETCH(QString, tip);
    QFETCH(QString, fel);
    QFETCH(QString, anul);
    QFETCH(QString, luna);
    QFETCH(QString, nume);
    QCOMPARE(Nume_Fisier_XML(cod, tip, fel, anul, luna), nume);
}

void TestFisierXml::itemsPast32766AreNumberedOn()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    constexpr int kArticole = 32800;
    {
        db::Transaction t(Conexiune_Firma);
        for (int i = 0; i < kArticole; ++i)
            f.linie({{u"Cod_NC"_s, QString::number(10000000 + i)}, {u"Anul"_s, 2014}, {u"Luna"_s, 12}});
        QVERIFY(!t.commit());
    }
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2014"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY(r.generat);
    QCOMPARE(r.articole, qint64(kArticole));
    const QByteArray text = Fixtura_Declaratie::citeste(r.fisier);
    QCOMPARE(Eroare_XML(text), QString());
    QCOMPARE(text.count("<InsDispatchItem OrderNr="), qsizetype(kArticole));
    QVERIFY(text.contains("        <InsDispatchItem OrderNr=\"32767\">\r\n"
                          "                <Cn8Code>10032766</Cn8Code>\r\n"));
    QVERIFY(text.contains("        <InsDispatchItem OrderNr=\"32800\">\r\n"
                          "                <Cn8Code>10032799</Cn8Code>\r\n"));
    QVERIFY(text.endsWith("        </InsDispatchItem>\r\n</InsNewDispatch>\r\n"));
}

void TestFisierXml::openEndedVersionWhenNoneMatches()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2013"_s, u"1"_s, u"N-Noua"_s));
    QVERIFY(r.generat);
    const QByteArray text = Fixtura_Declaratie::citeste(r.fisier);
    QVERIFY(text.contains("<InsCodeVersions>\r\n"
                          "         <CountryVer>C16</CountryVer>\r\n"));
    QVERIFY(text.contains("         <NatureOfTransactionBVer></NatureOfTransactionBVer>\r\n"));
    QVERIFY(text.contains("        <RefPeriod>2013-01</RefPeriod>\r\n"));
    // No item: the root's end tag follows the header.
    QVERIFY(text.endsWith("    </InsDeclarationHeader>\r\n</InsNewDispatch>\r\n"));
}

void TestFisierXml::longFiscalCodeIsKeptWhole()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO12345678901"_s;
    Date_Fisier_XML date = Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s);
    date.cheie.codFiscal = u"RO12345678901"_s;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
    QVERIFY(r.generat);
    QCOMPARE(r.numeFisier, u"12345678901_D_201512.xml"_s);
    QVERIFY(Fixtura_Declaratie::citeste(r.fisier).contains("        <VatNr>12345678901</VatNr>\r\n"));
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(mesaje.size(), 2);
    QCOMPARE(mesaje.first().icon, ui::Icon::Exclamation);
    QVERIFY(mesaje.first().text.contains(u"RO12345678901"_s));
}

void TestFisierXml::emptyKeyIsRefused()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    Date_Fisier_XML date = Expedieri(QString(), QString(), u"N-Noua"_s);
    date.cheie.tip.clear();
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
    QVERIFY(!r.generat);
    QCOMPARE(Arbore_Test::mesaje(),
             QStringList{u"NU ESTE AFISATA NICIO LINIE A DECLARATIEI\r\nTIP = , Anul = , Luna = "_s});
    QVERIFY(QDir(f.cale(u"System/IntrastatSave"_s)).isEmpty());
}

void TestFisierXml::copyIntoTheSaveFolder_data()
{
    QTest::addColumn<QString>("salvare"); // the save folder, relative to the tree
    QTest::addColumn<bool>("existaSalvare");
    QTest::addColumn<bool>("copie");
    QTest::addColumn<bool>("mesajCopie"); // the message names the save folder's path
    QTest::newRow("save folder present") << u"Salvare/"_s << true << true << true;
    QTest::newRow("save folder missing") << u"Lipsa/"_s << false << false << false;
    QTest::newRow("save folder is IntrastatSave") << u"System/IntrastatSave/"_s << true << false << true;
    QTest::newRow("save folder is IntrastatSave by another path")
        << u"System/../System/IntrastatSave/"_s << true << false << true;
}

void TestFisierXml::copyIntoTheSaveFolder()
{
    QFETCH(QString, salvare);
    QFETCH(bool, existaSalvare);
    QFETCH(bool, copie);
    QFETCH(bool, mesajCopie);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    Linii_Expedieri(f, 2015, 12);
    Folder_Salvare_XML = f.cale(salvare);
    const QString nume = u"0001234567_D_201512.xml"_s;
    const QString fisier = f.cale(u"System/IntrastatSave/"_s) + nume;
    // Older files of the same name, both read-only.
    QVERIFY(Fixtura_Declaratie::scrie(fisier, "vechi"));
    QVERIFY(QFile::setPermissions(fisier, QFileDevice::ReadOwner));
    if (existaSalvare && copie) {
        QVERIFY(QDir().mkpath(Folder_Salvare_XML));
        QVERIFY(Fixtura_Declaratie::scrie(Folder_Salvare_XML + nume, "copie veche"));
        QVERIFY(QFile::setPermissions(Folder_Salvare_XML + nume, QFileDevice::ReadOwner));
    }

    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY(r.generat);
    const QByteArray text = Fixtura_Declaratie::citeste(fisier);
    QVERIFY(text.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<InsNewDispatch "));
    QCOMPARE(r.copie, copie ? Folder_Salvare_XML + nume : QString());
    if (copie)
        QCOMPARE(Fixtura_Declaratie::citeste(r.copie), text);
    QVERIFY(!QDir(f.cale(u"Lipsa"_s)).exists());
    const QString numit = mesajCopie ? Folder_Salvare_XML + nume : fisier;
    QVERIFY(QFile::exists(numit));
    QCOMPARE(Arbore_Test::mesaje(), QStringList{u"A fost generat fisierul \r\n"_s + numit});
}

void TestFisierXml::failureLeavesTheEarlierFiles_data()
{
    QTest::addColumn<QString>(
        "defect"); // a statement on the company or common database, or a folder to remove
    QTest::addColumn<bool>("peComun");
    QTest::addColumn<QString>("cauza");
    QTest::newRow("missing IntrastatSave folder") << QString() << false << u"Nu exista directorul "_s;
    QTest::newRow("item view missing")
        << u"DROP VIEW Intrastat_Sursa_Generare_O"_s << false
        << u"Nu se pot citi articolele declaratiei (Intrastat_Sursa_Generare_O)"_s;
    QTest::newRow("no code-version row") << u"DELETE FROM InsCodeVersions"_s << true
                                         << u"Nu exista versiunile nomenclatoarelor (InsCodeVersions)"_s;
}

void TestFisierXml::failureLeavesTheEarlierFiles()
{
    QFETCH(QString, defect);
    QFETCH(bool, peComun);
    QFETCH(QString, cauza);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    Linii_Expedieri(f, 2015, 12);
    Folder_Salvare_XML = f.cale(u"Salvare/"_s);
    QVERIFY(QDir().mkpath(Folder_Salvare_XML));
    const QString nume = u"0001234567_D_201512.xml"_s;
    const QString fisier = f.cale(u"System/IntrastatSave/"_s) + nume;
    QVERIFY(Fixtura_Declaratie::scrie(fisier, "fisier bun"));
    QVERIFY(Fixtura_Declaratie::scrie(Folder_Salvare_XML + nume, "copie buna"));
    if (defect.isEmpty())
        QVERIFY(QDir(f.cale(u"System/IntrastatSave"_s)).removeRecursively());
    else
        QVERIFY((peComun ? Conexiune_Comun : Conexiune_Firma).execute(defect));

    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY(!r.generat);
    const QStringList mesaje = Arbore_Test::mesaje();
    QCOMPARE(mesaje.size(), 1);
    QVERIFY2(mesaje.first().startsWith(u"FISIERUL DECLARATIEI NU A FOST GENERAT\r\n"_s + cauza),
             qPrintable(mesaje.first()));
    QCOMPARE(ui::testing::messages().first().icon, ui::Icon::Critical);
    QCOMPARE(Fixtura_Declaratie::citeste(Folder_Salvare_XML + nume), QByteArray("copie buna"));
    if (!defect.isEmpty())
        QCOMPARE(Fixtura_Declaratie::citeste(fisier), QByteArray("fisier bun"));
    QCOMPARE(QDir(Folder_Salvare_XML).entryList(QDir::Files), QStringList{nume});
}

QTEST_GUILESS_MAIN(TestFisierXml)
#include "tst_fisier_xml.moc"
