// The declaration file, without a screen: three declarations against their
// golden files byte for byte, the file-name rule, the item numbering past a
// 16-bit counter, the code-version choice, the copy into the save folder and
// the failures that must leave the earlier files as they were.

#include "Fixtura_Declaratie.h"
#include "declaration/Fisier_XML_Intrastat.h"

#include <QDir>
#include <QXmlStreamReader>
#include <functional>

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

// The dispatches of December 2015 filed by a representative of the given name.
Date_Fisier_XML Expedieri_Prin_Reprezentant(const QString& nume)
{
    Date_Fisier_XML d = Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s);
    d.declarantTert = true;
    d.codFiscalDeclarant = u"RO765"_s;
    d.numeDeclarant = nume;
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
    // A nature of transaction of another group.
    cu({{u"Tara_Orig"_s, u"IT"_s},
        {u"Tara_Exp"_s, u"IT"_s},
        {u"Nat_Tranz"_s, u"31"_s},
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

// An earlier file of the name and its copy in the save folder (Salvare/),
// which a file not written must leave as they are. Gives the file's path,
// "" when they could not be written.
QString Fisiere_Anterioare(const Fixtura_Declaratie& f, const QString& nume)
{
    Folder_Salvare_XML = f.cale(u"Salvare/"_s);
    const QString fisier = f.cale(u"System/IntrastatSave/"_s) + nume;
    if (!QDir().mkpath(Folder_Salvare_XML) || !Fixtura_Declaratie::scrie(fisier, "fisier bun") ||
        !Fixtura_Declaratie::scrie(Folder_Salvare_XML + nume, "copie buna"))
        return QString();
    return fisier;
}

// The lines flagged with problems in the company database.
int Linii_Marcate()
{
    auto rs = Conexiune_Firma.openRecordset(u"SELECT COUNT(*) FROM Intrastat WHERE Probleme <> 0"_s);
    return rs && !rs->eof() ? rs->value(0).toInt() : -1;
}

} // namespace

Q_DECLARE_METATYPE(Cheie_Declaratie)
Q_DECLARE_METATYPE(std::function<void(Date_Fisier_XML&)>)

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
    void refusedBeforeReading_data();
    void refusedBeforeReading();
    void refusedValues_data();
    void refusedValues();
    void everyForbiddenCharacterIsRefused_data();
    void everyForbiddenCharacterIsRefused();
    void allowedCharactersStayWellFormed();
    void manyRefusalsAreCountedInTheMessage();
    void refusedLineIsTheGridsLine_data();
    void refusedLineIsTheGridsLine();
    void supplementaryQuantityIsNeverZero_data();
    void supplementaryQuantityIsNeverZero();
    void copyIntoTheSaveFolder_data();
    void copyIntoTheSaveFolder();
    void failureLeavesTheEarlierFiles_data();
    void failureLeavesTheEarlierFiles();
    void linesWithProblemsAreAsked_data();
    void linesWithProblemsAreAsked();
};

void TestFisierXml::goldenFiles_data()
{
    QTest::addColumn<int>("caz");
    QTest::addColumn<QString>("fisier");
    QTest::addColumn<QString>("radacina");
    QTest::addColumn<qint64>("articole");
    // What "Verifica Date" says of the lines, written all the same: a
    // delivery term made to need escaping, a partner written with a blank
    // before his VAT number (the file trims it, the check reads it as typed).
    QTest::addColumn<QStringList>("verificare");
    QTest::newRow("arrivals, new, March 2015, statistical value, representative")
        << 0 << u"0001234567_A_20153.xml"_s << u"InsNewArrival"_s << qint64(3)
        << QStringList{u"Pozitia: 3 - Nat_Tranz = 10 ===> NU EXISTA"_s,
                       u"Pozitia: 3 - Incoterms = D&P ===> NU EXISTA"_s};
    QTest::newRow("dispatches, correction, December 2015, partners")
        << 1 << u"0001234567_DR_201512.xml"_s << u"InsRevisedDispatch"_s << qint64(2)
        << QStringList{u"Pozitia: 2 - VAT_ID =  D ===> PREFIX TARA - COD TVA INCORECT "_s};
    QTest::newRow("dispatches, new, December 2014")
        << 2 << u"0001234567_D_201412.xml"_s << u"InsNewDispatch"_s << qint64(2) << QStringList();
}

void TestFisierXml::goldenFiles()
{
    QFETCH(int, caz);
    QFETCH(QString, fisier);
    QFETCH(QString, radacina);
    QFETCH(qint64, articole);
    QFETCH(QStringList, verificare);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    QVERIFY(f.deschideTarif());
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
    if (!verificare.isEmpty())
        ui::testing::pushAnswer(ui::Answer::Yes);
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date, [&] { ++formatari; });
    QVERIFY2(r.generat, qPrintable(Arbore_Test::mesaje().join(u'\n')));
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

    if (verificare.isEmpty()) {
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"A fost generat fisierul \r\n"_s + r.copie});
        QCOMPARE(ui::testing::messages().first().icon, ui::Icon::Information);
        QCOMPARE(ui::testing::messages().first().title, std::nullopt);
    } else {
        const QStringList mesaje = Arbore_Test::mesaje();
        QCOMPARE(mesaje.size(), 2);
        QVERIFY2(mesaje.first().startsWith(u"LA VERIFICARE, DECLARATIA ARE 1 LINIE CU PROBLEME (DIN "_s +
                                           QString::number(articole == 3 ? 4 : 3) + u"):\r\n"_s +
                                           verificare.join(u"\r\n"_s) + u"\r\n\r\n"_s),
                 qPrintable(mesaje.first()));
        QCOMPARE(mesaje.last(), u"A fost generat fisierul \r\n"_s + r.copie +
                                    u"\r\n\r\nFISIERUL CUPRINDE 1 LINIE CU PROBLEME LA VERIFICARE (vezi "
                                    u"\"Verifica Date\")"_s);
        QCOMPARE(ui::testing::messages().last().icon, ui::Icon::Exclamation);
    }
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
    QVERIFY(f.deschideTarif());
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    constexpr int kArticole = 32800;
    {
        db::Transaction t(Conexiune_Firma);
        for (int i = 0; i < kArticole; ++i)
            f.linie({{u"Cod_NC"_s, QString::number(10000000 + i)}, {u"Anul"_s, 2014}, {u"Luna"_s, 12}});
        QVERIFY(!t.commit());
    }
    // The made-up codes are not in the tariff: the file is written all the same.
    ui::testing::pushAnswer(ui::Answer::Yes);
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2014"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY(r.generat);
    QCOMPARE(r.liniiCuProbleme, kArticole);
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
    QVERIFY(f.deschideTarif());
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    f.linie({{u"Anul"_s, 2013}, {u"Luna"_s, 1}});
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2013"_s, u"1"_s, u"N-Noua"_s));
    QVERIFY(r.generat);
    const QByteArray text = Fixtura_Declaratie::citeste(r.fisier);
    QVERIFY(text.contains("<InsCodeVersions>\r\n"
                          "         <CountryVer>C16</CountryVer>\r\n"));
    QVERIFY(text.contains("         <NatureOfTransactionBVer>B16</NatureOfTransactionBVer>\r\n"));
    QVERIFY(text.contains("        <RefPeriod>2013-01</RefPeriod>\r\n"));
}

// Refused before anything is read: no declaration shown, or one of another
// company than the working one (its items would be the working company's).
void TestFisierXml::refusedBeforeReading_data()
{
    QTest::addColumn<Cheie_Declaratie>("cheie");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("empty key boxes")
        << Cheie_Declaratie{QString(), QString(), QString(), QString()}
        << u"NU ESTE AFISATA NICIO LINIE A DECLARATIEI\r\nTIP = , Anul = , Luna = "_s;
    QTest::newRow("another company's declaration")
        << Cheie_Declaratie{u"O"_s, u"RO999"_s, u"2015"_s, u"12"_s}
        << u"FISIERUL DECLARATIEI NU A FOST GENERAT\r\nDeclaratia afisata este a codului fiscal RO999, iar "
           u"firma de lucru are codul fiscal RO1234567."_s;
}

void TestFisierXml::refusedBeforeReading()
{
    QFETCH(Cheie_Declaratie, cheie);
    QFETCH(QString, mesaj);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    Linii_Expedieri(f, 2015, 12);
    Date_Fisier_XML date = Expedieri(QString(), QString(), u"N-Noua"_s);
    date.cheie = cheie;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
    QVERIFY(!r.generat);
    QCOMPARE(Arbore_Test::mesaje(), QStringList{mesaj});
    QVERIFY(QDir(f.cale(u"System/IntrastatSave"_s)).isEmpty());
}

using Modificare = std::function<void(Date_Fisier_XML&)>;

// Each value the declaration's structure refuses, from a line of the month
// (named by its Record_ID as the grid shows it, with its record in the
// workbook) or from a box of the window: the file is not written, the
// earlier file and its copy stay, the message names them all.
void TestFisierXml::refusedValues_data()
{
    // Over a fit dispatch line of December 2015: Record_ID 3, the 7th record of a.xlsx.
    QTest::addColumn<QVariantMap>("linie");
    QTest::addColumn<Modificare>("casete");
    QTest::addColumn<QString>("comun"); // a statement on the common database, or ""
    QTest::addColumn<QStringList>("probleme");
    const Modificare nimic = [](Date_Fisier_XML&) {};
    const QString poz =
        u"Pozitia: 3 (inregistrarea 7 din fisierul a.xlsx, articolul 1, cod NC 84713000) - "_s;
    const auto linie = [&](const char* rand, const QVariantMap& peste, const QStringList& probleme) {
        QTest::newRow(rand) << peste << nimic << QString() << probleme;
    };
    const auto casete = [&](const char* rand, const Modificare& m, const QStringList& probleme) {
        QTest::newRow(rand) << QVariantMap() << m << QString() << probleme;
    };

    linie("every value fit", {}, {});
    linie("invoice value blank (the template fed only the currency value)", {{u"Val_Fiscala"_s, QVariant()}},
          {poz + u"InvoiceValue (Val_Fiscala) ESTE GOL"_s});
    linie("invoice value rounding to 0", {{u"Val_Fiscala"_s, 0.4}},
          {poz + u"InvoiceValue (Val_Fiscala) = 0 ===> NU ESTE UN NUMAR INTREG MAI MARE DECAT 0"_s});
    linie("negative invoice value", {{u"Val_Fiscala"_s, -5.0}},
          {poz + u"InvoiceValue (Val_Fiscala) = -5 ===> NU ESTE UN NUMAR INTREG MAI MARE DECAT 0"_s});
    linie("statistical value blank while declared", {{u"Val_Stat"_s, QVariant()}},
          {poz + u"StatisticalValue (Val_Stat) ESTE GOL"_s});
    linie("net mass blank", {{u"Net"_s, QVariant()}}, {poz + u"NetMass (Net) ESTE GOL"_s});
    linie(
        "tariff code of 6 digits", {{u"Cod_NC"_s, u"847130"_s}},
        {u"Pozitia: 3 (inregistrarea 7 din fisierul a.xlsx, articolul 1, cod NC 847130) - Cn8Code (Cod_NC) = "
         u"847130 ===> TREBUIE SA AIBA 8 CIFRE"_s});
    linie("nature of transaction blank", {{u"Nat_Tranz"_s, QVariant()}},
          {poz + u"NatureOfTransactionACode (Nat_Tranz) ESTE GOL"_s});
    linie("nature of transaction of one digit", {{u"Nat_Tranz"_s, u"1"_s}},
          {poz + u"NatureOfTransactionBCode (Nat_Tranz) = 1 ===> TREBUIE SA AIBA 2 CIFRE"_s});
    linie("delivery terms of 2 characters", {{u"Incoterms"_s, u"DA"_s}},
          {poz + u"DeliveryTermsCode (Incoterms) = DA ===> TREBUIE SA AIBA 3 CARACTERE"_s});
    linie("transport mode blank", {{u"Mod_Transp"_s, QVariant()}},
          {poz + u"ModeOfTransportCode (Mod_Transp) ESTE GOL"_s});
    linie("transport mode of 2 digits", {{u"Mod_Transp"_s, u"31"_s}},
          {poz + u"ModeOfTransportCode (Mod_Transp) = 31 ===> TREBUIE SA FIE O CIFRA"_s});
    linie("country of origin blank", {{u"Tara_Orig"_s, QVariant()}},
          {poz + u"CountryOfOrigin (Tara_Orig) ESTE GOL"_s});
    linie("country of destination of 3 letters", {{u"Tara_Dest"_s, u"DEU"_s}},
          {poz + u"CountryOfDestination (Tara_Dest) = DEU ===> TREBUIE SA AIBA 2 LITERE"_s});
    linie("partner VAT number blank", {{u"VAT_ID"_s, QVariant()}},
          {poz + u"PartnerCountryCode (VAT_ID) ESTE GOL"_s, poz + u"PartnerVatNr (VAT_ID) ESTE GOL"_s});
    linie("partner VAT number without its country", {{u"VAT_ID"_s, u"123456789"_s}},
          {poz + u"PartnerCountryCode (VAT_ID) = 12 ===> TREBUIE SA AIBA 2 LITERE"_s});
    linie("supplementary quantity 0", {{u"Cod_UMS"_s, u"p/st"_s}, {u"Val_UMS"_s, 0.0}},
          {poz + u"QtyInSupplUnits (Val_UMS) = 0 ===> NU ESTE UN NUMAR INTREG MAI MARE DECAT 0"_s});
    linie("supplementary quantity blank", {{u"Cod_UMS"_s, u"p/st"_s}, {u"Val_UMS"_s, QVariant()}},
          {poz + u"QtyInSupplUnits (Val_UMS) ESTE GOL"_s});
    linie("control character from an imported cell", {{u"Incoterms"_s, u"D\u0001P"_s}},
          {poz + u"DeliveryTermsCode (Incoterms) = D?P ===> CONTINE UN CARACTER NEPERMIS IN XML (U+0001)"_s});
    QTest::newRow("no item") << QVariantMap{{u"Luna"_s, 11}} << nimic << QString()
                             << QStringList{u"Declaratia nu are niciun articol: nu exista linii TIP = O, "
                                            u"Cod_Fiscal = RO1234567, Anul = 2015, Luna = 12"_s};
    QTest::newRow("code version blank")
        << QVariantMap() << nimic << u"UPDATE InsCodeVersions SET CnVer = NULL WHERE Anul = 2015"_s
        << QStringList{u"InsCodeVersions - CnVer ESTE GOL"_s};

    casete("fiscal code typed with a letter and a quote",
           [](Date_Fisier_XML& d) { d.cheie.codFiscal = u"012'; DP--"_s; },
           {u"Caseta CUI / VAT ID - VatNr = 012'; DP-- ===> TREBUIE SA AIBA 10 CIFRE"_s});
    casete("fiscal code of 11 digits", [](Date_Fisier_XML& d) { d.cheie.codFiscal = u"RO12345678901"_s; },
           {u"Caseta CUI / VAT ID - VatNr = 12345678901 ===> TREBUIE SA AIBA 10 CIFRE"_s});
    casete("fiscal code in lower case", [](Date_Fisier_XML& d) { d.cheie.codFiscal = u"ro1234567"_s; },
           {u"Caseta CUI / VAT ID - VatNr = 0ro1234567 ===> TREBUIE SA AIBA 10 CIFRE"_s});
    casete("company name blank", [](Date_Fisier_XML& d) { d.numeCompanie = u"  "_s; },
           {u"Caseta nume firma - FirmName ESTE GOL"_s});
    casete("month 13", [](Date_Fisier_XML& d) { d.cheie.luna = u"13"_s; },
           {u"Caseta Tip - Anul - Luna - RefPeriod = 2015-13 ===> TREBUIE SA FIE ANUL (4 CIFRE) SI LUNA "
            u"(1 - 12)"_s});
    casete(
        "control character in a text box",
        [](Date_Fisier_XML& d) { d.email = u"ion\u0007@firma\U0001F600.ro"_s; },
        {u"Caseta Email - Email = ion?@firma\U0001F600.ro ===> CONTINE UN CARACTER NEPERMIS IN XML (U+0007)"_s});
    casete("half of a surrogate pair", [](Date_Fisier_XML& d) { d.fax = QString(QChar(0xD83D)); },
           {u"Caseta Fax - Fax = ? ===> CONTINE UN CARACTER NEPERMIS IN XML (U+D83D)"_s});
    casete("representative's fiscal code with letters",
           [](Date_Fisier_XML& d) {
               d = Expedieri_Prin_Reprezentant(u"Reprezentant SRL"_s);
               d.codFiscalDeclarant = u"ABC"_s;
           },
           {u"Caseta Declarant Tert - CUI - VatNr = 0000000ABC ===> TREBUIE SA AIBA 10 CIFRE"_s});
    casete("representative's name blank",
           [](Date_Fisier_XML& d) { d = Expedieri_Prin_Reprezentant(QString()); },
           {u"Caseta Declarant Tert - Nume - FirmName ESTE GOL"_s});
}

void TestFisierXml::refusedValues()
{
    QFETCH(QVariantMap, linie);
    QFETCH(Modificare, casete);
    QFETCH(QString, comun);
    QFETCH(QStringList, probleme);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    QVERIFY(f.deschideTarif());
    Date_Fisier_XML date = Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s);
    date.valoareStatistica = true;
    casete(date);
    // The lines are the company's whose declaration the window shows; two
    // of another month come first.
    FirmaCurenta_CodFiscal = date.cheie.codFiscal;
    for (int i = 0; i < 2; ++i)
        f.linie({{u"Anul"_s, 2015}, {u"Luna"_s, 10}, {u"Pozitia"_s, 7}});
    f.linie(
        Cu({{u"Anul"_s, date.cheie.anul.toInt()}, {u"Luna"_s, date.cheie.luna.toInt()}, {u"Pozitia"_s, 7}},
           linie));
    if (!comun.isEmpty())
        QVERIFY(Conexiune_Comun.execute(comun));
    const QString nume = Nume_Fisier_XML(date.cheie.codFiscal, date.cheie.tip, date.tipDeclaratie,
                                         date.cheie.anul, date.cheie.luna);
    const QString fisier = Fisiere_Anterioare(f, nume);
    QVERIFY(!fisier.isEmpty());

    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
    if (probleme.isEmpty()) {
        QVERIFY2(r.generat, qPrintable(Arbore_Test::mesaje().join(u'\n')));
        QCOMPARE(Eroare_XML(Fixtura_Declaratie::citeste(fisier)), QString());
        return;
    }
    QVERIFY(!r.generat);
    QCOMPARE(r.probleme, probleme);
    QCOMPARE(Arbore_Test::mesaje(),
             QStringList{u"FISIERUL DECLARATIEI NU A FOST GENERAT\r\nValori pe care declaratia nu le poate "
                         u"cuprinde:\r\n"_s +
                         probleme.join(u"\r\n"_s)});
    QCOMPARE(ui::testing::messages().first().icon, ui::Icon::Critical);
    QCOMPARE(Fixtura_Declaratie::citeste(fisier), QByteArray("fisier bun"));
    QCOMPARE(Fixtura_Declaratie::citeste(Folder_Salvare_XML + nume), QByteArray("copie buna"));
    QCOMPARE(QDir(f.cale(u"System/IntrastatSave"_s)).entryList(QDir::Files | QDir::Hidden),
             QStringList{nume});
}

// Every character XML 1.0 forbids, in a box that takes any text, is refused
// by its code.
void TestFisierXml::everyForbiddenCharacterIsRefused_data()
{
    QTest::addColumn<int>("cod");
    for (int c = 0; c < 0x20; ++c)
        if (c != 0x09 && c != 0x0A && c != 0x0D)
            QTest::addRow("U+%04X", c) << c;
    QTest::newRow("U+FFFE") << 0xFFFE;
    QTest::newRow("U+FFFF") << 0xFFFF;
    QTest::newRow("U+DC00 alone") << 0xDC00;
}

void TestFisierXml::everyForbiddenCharacterIsRefused()
{
    QFETCH(int, cod);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    Linii_Expedieri(f, 2015, 12);
    Date_Fisier_XML date = Expedieri_Prin_Reprezentant(u"Reprezentant SRL"_s);
    date.strada = u"Str"_s + QChar(static_cast<char16_t>(cod)) + u"Lunga"_s;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(date);
    QVERIFY(!r.generat);
    QCOMPARE(r.probleme, QStringList{u"Caseta Declarant Tert - Strada - Street = Str?Lunga ===> CONTINE UN "
                                     u"CARACTER NEPERMIS IN XML (U+"_s +
                                     QString::number(cod, 16).toUpper().rightJustified(4, u'0') + u')'});
    QVERIFY(QDir(f.cale(u"System/IntrastatSave"_s)).isEmpty());
}

// What XML allows is written, escaped where it must be, and reads back as
// typed: a tab, a letter with a diacritic, a character outside the basic
// plane, the characters that have entities.
void TestFisierXml::allowedCharactersStayWellFormed()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    QVERIFY(f.deschideTarif());
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    for (int i = 0; i < 2; ++i)
        f.linie({{u"Anul"_s, 2015}, {u"Luna"_s, 12}});
    const QString nume = u"A & B <C> \"D\" \u021B\t\U0001F600 'E'"_s;
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri_Prin_Reprezentant(nume));
    QVERIFY(r.generat);
    QXmlStreamReader xml(Fixtura_Declaratie::citeste(r.fisier));
    QStringList firme;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"FirmName")
            firme << xml.readElementText();
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(firme, (QStringList{u"FIRMA SRL"_s, nume}));
}

// Past the first twenty values refused, the message counts the rest.
void TestFisierXml::manyRefusalsAreCountedInTheMessage()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    for (int i = 0; i < 25; ++i)
        f.linie({{u"Anul"_s, 2015},
                 {u"Luna"_s, 12},
                 {u"Cod_NC"_s, QString::number(10000000 + i)},
                 {u"Val_Fiscala"_s, QVariant()},
                 {u"Pozitia"_s, i + 2}});
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY(!r.generat);
    QCOMPARE(r.probleme.size(), 20);
    QCOMPARE(r.probleme.first(),
             u"Pozitia: 1 (inregistrarea 2 din fisierul a.xlsx, articolul 1, cod NC 10000000) - InvoiceValue "
             u"(Val_Fiscala) ESTE GOL"_s);
    QVERIFY(Arbore_Test::mesaje().first().endsWith(
        u"Pozitia: 20 (inregistrarea 21 din fisierul a.xlsx, articolul 20, cod NC 10000019) - InvoiceValue "
        u"(Val_Fiscala) ESTE GOL\r\n... si inca 5"_s));
}

// A refused item is named by the line the user finds in the grid's "Poz"
// column: of two workbooks of the month that both have a second record, of
// an item whose lines sum to less than 0 the one below 0, of a line added in
// the grid its Record_ID alone. The item view of a company database made
// before, which gives no Record_ID, names the same lines; one that gives
// other values than the lines' names the item alone.
void TestFisierXml::refusedLineIsTheGridsLine_data()
{
    QTest::addColumn<QString>("coloane"); // the item view's columns from Cod_NC to Cod_UMS, or ""
    QTest::addColumn<QStringList>("probleme");
    const QString negativ =
        u" - InvoiceValue (Val_Fiscala) = -100 ===> NU ESTE UN NUMAR INTREG MAI MARE DECAT 0"_s;
    const QString livrare = u" - DeliveryTermsCode (Incoterms) = DA ===> TREBUIE SA AIBA 3 CARACTERE"_s;
    const QStringList liniile{
        u"Pozitia: 3 (inregistrarea 3 din fisierul b.xlsx, articolul 2, cod NC 84713000)"_s + negativ,
        u"Pozitia: 4 (articolul 3, cod NC 84713000)"_s + livrare};
    QTest::newRow("item view of the template") << QString() << liniile;
    QTest::newRow("item view of a company made before")
        << u"Cod_NC, MAX(Descriere_NC) AS Descriere1, Tara_Orig, Tara_Exp, Tara_Dest, "
           u"ROUND(SUM(Val_Fiscala), 0) "
           u"AS Val_Fiscala1, ROUND(SUM(Val_Stat), 0) AS Val_Stat1, CASE WHEN ROUND(SUM(Net), 0) < 1 THEN 1 "
           u"ELSE "
           u"ROUND(SUM(Net), 0) END AS Net1, SUM(Cantitate) AS Cantitate1, Cod_UMS, "
           u"ROUND(SUM(Val_UMS), 0) AS Val_UMS1"_s
        << liniile;
    QTest::newRow("item view giving other values")
        << u"Cod_NC, MAX(Descriere_NC) AS Descriere1, Tara_Orig, Tara_Exp, Tara_Dest, "
           u"ROUND(SUM(Val_Fiscala), 0) "
           u"AS Val_Fiscala1, ROUND(SUM(Val_Stat), 0) AS Val_Stat1, ROUND(SUM(Net), 0) AS Net1, "
           u"SUM(Cantitate) AS Cantitate1, IFNULL(Cod_UMS, '') AS Cod_UMS, ROUND(SUM(Val_UMS), 0) AS Val_UMS1"_s
        << QStringList{u"Articolul 2 (cod NC 84713000)"_s + negativ,
                       u"Articolul 3 (cod NC 84713000)"_s + livrare};
}

void TestFisierXml::refusedLineIsTheGridsLine()
{
    QFETCH(QString, coloane);
    QFETCH(QStringList, probleme);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    if (!coloane.isEmpty()) {
        QVERIFY(Conexiune_Firma.execute(u"DROP VIEW Intrastat_Sursa_Generare_O"_s));
        QVERIFY(Conexiune_Firma.execute(
            u"CREATE VIEW Intrastat_Sursa_Generare_O AS SELECT TIP, Cod_Fiscal, Anul, Luna, MIN(Pozitia) AS "
            u"Pozitia, "_s +
            coloane +
            u", Nat_Tranz, Incoterms, Mod_Transp, UPPER(TRIM(VAT_ID)) AS VAT_ID1, UPPER(SUBSTR(TRIM(VAT_ID), "
            u"1, "
            u"2)) AS Country_VAT_ID FROM Intrastat GROUP BY TIP, Cod_Fiscal, Anul, Luna, Cod_NC, Tara_Orig, "
            u"Tara_Exp, Tara_Dest, Cod_UMS, Nat_Tranz, Incoterms, Mod_Transp, UPPER(TRIM(VAT_ID)) ORDER BY "
            u"Cod_NC, MIN(Record_ID)"_s));
    }
    const QVariantMap luna{{u"Anul"_s, 2015}, {u"Luna"_s, 12}};
    const QVariantMap franta{{u"Tara_Dest"_s, u"FR"_s}, {u"VAT_ID"_s, u"FR12345678901"_s}};
    QCOMPARE(f.linie(Cu(luna, {{u"SourceFile"_s, u"a.xlsx"_s}, {u"Pozitia"_s, 2}})), qint64(1));
    QCOMPARE(f.linie(Cu(Cu(luna, franta),
                        {{u"SourceFile"_s, u"b.xlsx"_s}, {u"Pozitia"_s, 2}, {u"Val_Fiscala"_s, 500.0}})),
             qint64(2));
    QCOMPARE(f.linie(Cu(Cu(luna, franta),
                        {{u"SourceFile"_s, u"b.xlsx"_s}, {u"Pozitia"_s, 3}, {u"Val_Fiscala"_s, -600.0}})),
             qint64(3));
    QCOMPARE(
        f.linie(
            Cu(luna, {{u"SourceFile"_s, QVariant()}, {u"Pozitia"_s, QVariant()}, {u"Incoterms"_s, u"DA"_s}})),
        qint64(4));

    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY(!r.generat);
    QCOMPARE(r.probleme, probleme);
}

// A supplementary quantity above 0 that would round to 0 is declared as 1;
// the others round half to even.
void TestFisierXml::supplementaryQuantityIsNeverZero_data()
{
    QTest::addColumn<QVariantList>("cantitati"); // the lines of one item
    QTest::addColumn<QString>("declarata");
    QTest::newRow("0.3") << QVariantList{0.3} << u"1"_s;
    QTest::newRow("0.2 and 0.2 of one item") << QVariantList{0.2, 0.2} << u"1"_s;
    QTest::newRow("0.5, halves to even") << QVariantList{0.5} << u"1"_s;
    QTest::newRow("1.5") << QVariantList{1.5} << u"2"_s;
    QTest::newRow("2.5") << QVariantList{2.5} << u"2"_s;
}

void TestFisierXml::supplementaryQuantityIsNeverZero()
{
    QFETCH(QVariantList, cantitati);
    QFETCH(QString, declarata);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    QVERIFY(f.deschideTarif());
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    for (const QVariant& c : cantitati)
        f.linie({{u"Anul"_s, 2015},
                 {u"Luna"_s, 12},
                 {u"Cod_NC"_s, QString::fromUtf16(Fixtura_Declaratie::kCodCuUM)},
                 {u"Cod_UMS"_s, u"p/st"_s},
                 {u"Val_UMS"_s, c}});
    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s));
    QVERIFY2(r.generat, qPrintable(Arbore_Test::mesaje().join(u'\n')));
    QCOMPARE(r.articole, qint64(1));
    const QByteArray element =
        "                      <QtyInSupplUnits>" + declarata.toUtf8() + "</QtyInSupplUnits>\r\n";
    QVERIFY(Fixtura_Declaratie::citeste(r.fisier).contains(element));
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
    QVERIFY(f.deschideTarif());
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    f.linie({{u"Anul"_s, 2015}, {u"Luna"_s, 12}});
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
    QVERIFY2(r.generat, qPrintable(Arbore_Test::mesaje().join(u'\n')));
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
    const QString nume = u"0001234567_D_201512.xml"_s;
    const QString fisier = Fisiere_Anterioare(f, nume);
    QVERIFY(!fisier.isEmpty());
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

// Lines that "Verifica Date" would list are named before the file is
// written, as its log names them, and the user decides: No writes nothing
// and keeps the earlier files, Yes writes the file as it would be written
// anyway and says that it holds lines with problems. Nothing is flagged.
void TestFisierXml::linesWithProblemsAreAsked_data()
{
    // Over a fit dispatch line of December 2015, Record_ID 3 (the first of copii).
    QTest::addColumn<QVariantMap>("linie");
    QTest::addColumn<int>("copii");
    QTest::addColumn<bool>("tarif");
    QTest::addColumn<QStringList>("probleme"); // the question's lines before the prompt; none: no question
    QTest::addColumn<bool>("da");
    QTest::addColumn<QString>("final"); // the final message after the path, "" for plain success
    const QString ue = u" - Tara_Dest = ZZ ===> NU EXISTA SAU NU ESTE TARA UE"_s;
    const QString antet = u"LA VERIFICARE, DECLARATIA ARE 1 LINIE CU PROBLEME (DIN 1):"_s;
    const QString cuProbleme =
        u"FISIERUL CUPRINDE 1 LINIE CU PROBLEME LA VERIFICARE (vezi \"Verifica Date\")"_s;
    const QString faraTarif =
        u"Nu se poate identifica tabela tarif vamal pentru luna 12, anul 2015: codurile NC nu au fost verificate."_s;
    QTest::newRow("every line fit") << QVariantMap() << 1 << true << QStringList() << false << QString();
    QTest::newRow("a country outside the EU, answered No")
        << QVariantMap{{u"Tara_Dest"_s, u"ZZ"_s}} << 1 << true << QStringList{antet, u"Pozitia: 3"_s + ue}
        << false << QString();
    QTest::newRow("a country outside the EU, answered Yes")
        << QVariantMap{{u"Tara_Dest"_s, u"ZZ"_s}} << 1 << true << QStringList{antet, u"Pozitia: 3"_s + ue}
        << true << cuProbleme;
    QTest::newRow("two problems of one line")
        << QVariantMap{{u"Tara_Dest"_s, u"ZZ"_s}, {u"Incoterms"_s, u"XYZ"_s}} << 1 << true
        << QStringList{antet, u"Pozitia: 3"_s + ue, u"Pozitia: 3 - Incoterms = XYZ ===> NU EXISTA"_s} << true
        << cuProbleme;
    QStringList doisprezece{u"LA VERIFICARE, DECLARATIA ARE 12 LINII CU PROBLEME (DIN 12):"_s};
    for (int id = 3; id < 13; ++id)
        doisprezece << u"Pozitia: "_s + QString::number(id) + ue;
    doisprezece << u"... si inca 2 probleme"_s;
    QTest::newRow("twelve lines, the first ten named")
        << QVariantMap{{u"Tara_Dest"_s, u"ZZ"_s}} << 12 << true << doisprezece << true
        << u"FISIERUL CUPRINDE 12 LINII CU PROBLEME LA VERIFICARE (vezi \"Verifica Date\")"_s;
    QTest::newRow("no tariff to look the codes up in")
        << QVariantMap() << 1 << false << QStringList{faraTarif} << true
        << u"CODURILE NC NU AU FOST VERIFICATE IN TARIFUL VAMAL"_s;
}

void TestFisierXml::linesWithProblemsAreAsked()
{
    QFETCH(QVariantMap, linie);
    QFETCH(int, copii);
    QFETCH(bool, tarif);
    QFETCH(QStringList, probleme);
    QFETCH(bool, da);
    QFETCH(QString, final);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    if (tarif)
        QVERIFY(f.deschideTarif());
    FirmaCurenta_CodFiscal = u"RO1234567"_s;
    for (int i = 0; i < 2; ++i)
        f.linie({{u"Anul"_s, 2015}, {u"Luna"_s, 10}});
    for (int i = 0; i < copii; ++i)
        f.linie(Cu({{u"Anul"_s, 2015}, {u"Luna"_s, 12}}, linie));
    const QString nume = u"0001234567_D_201512.xml"_s;
    const QString fisier = Fisiere_Anterioare(f, nume);
    QVERIFY(!fisier.isEmpty());
    if (!probleme.isEmpty())
        ui::testing::pushAnswer(da ? ui::Answer::Yes : ui::Answer::No);

    const Rezultat_Fisier_XML r = Genereaza_Fisier_XML(Expedieri(u"2015"_s, u"12"_s, u"N-Noua"_s));
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(ui::testing::pendingAnswers(), 0);
    qsizetype urmatorul = 0;
    if (!probleme.isEmpty()) {
        const ui::testing::Call& intrebare = mesaje.first();
        QCOMPARE(intrebare.text, probleme.join(u"\r\n"_s) +
                                     u"\r\n\r\nUn fisier cu aceste probleme poate fi refuzat la depunere; "
                                     u"\"Verifica Date\" marcheaza liniile si le arata pe toate.\r\n"
                                     u"Generati totusi fisierul ?"_s);
        QCOMPARE(intrebare.icon, ui::Icon::Question);
        QCOMPARE(intrebare.buttons, ui::Buttons::YesNo);
        QCOMPARE(intrebare.title, std::optional<QString>(u"RASPUNDETI"_s));
        QCOMPARE(intrebare.defaultButton, ui::DefaultButton::Second);
        urmatorul = 1;
    }
    // Nothing of the lines changes, whatever the answer.
    QCOMPARE(Linii_Marcate(), 0);
    if (!probleme.isEmpty() && !da) {
        QVERIFY(!r.generat);
        QCOMPARE(mesaje.size(), 1);
        QCOMPARE(Fixtura_Declaratie::citeste(fisier), QByteArray("fisier bun"));
        QCOMPARE(Fixtura_Declaratie::citeste(Folder_Salvare_XML + nume), QByteArray("copie buna"));
        return;
    }
    QVERIFY(r.generat);
    QCOMPARE(mesaje.size(), urmatorul + 1);
    const QByteArray text = Fixtura_Declaratie::citeste(fisier);
    QCOMPARE(Eroare_XML(text), QString());
    QCOMPARE(Fixtura_Declaratie::citeste(Folder_Salvare_XML + nume), text);
    QCOMPARE(text.contains("<CountryOfDestination>ZZ</CountryOfDestination>"),
             linie.contains(u"Tara_Dest"_s));
    const QString generat = u"A fost generat fisierul \r\n"_s + Folder_Salvare_XML + nume;
    if (final.isEmpty()) {
        QCOMPARE(mesaje.at(urmatorul).text, generat);
        QCOMPARE(mesaje.at(urmatorul).icon, ui::Icon::Information);
    } else {
        QCOMPARE(mesaje.at(urmatorul).text, generat + u"\r\n\r\n"_s + final);
        QCOMPARE(mesaje.at(urmatorul).icon, ui::Icon::Exclamation);
    }
    QCOMPARE(r.liniiCuProbleme, copii > 1 || linie.contains(u"Tara_Dest"_s) ? copii : 0);
    QCOMPARE(r.verificat, tarif);
}

QTEST_GUILESS_MAIN(TestFisierXml)
#include "tst_fisier_xml.moc"
