// The verification of a whole declaration, without a screen: the problem log
// against its golden file, the flags and the refreshed tariff columns in the
// table, the messages and the windows asked for, and the refusals.

#include "Ecran_Test.h"
#include "Fixtura_Declaratie.h"
#include "declaration/Verificare_Declaratie.h"
#include "platform/sys/clock.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QString kGol = QString();

// The lines of the fixture with every kind of fault, dispatches of RO123 for
// May 2015. Record_ID is the position in this list, from 1.
void Linii_Cu_Probleme(Fixtura_Declaratie& f)
{
    const QString cuUM = QString::fromUtf16(Fixtura_Declaratie::kCodCuUM);
    const QString lipsa = QString::fromUtf16(Fixtura_Declaratie::kCodLipsa);
    // 1: unit code, no quantity in the unit yet; flagged by an earlier run.
    f.linie({{u"Cod_NC"_s, cuUM}, {u"Cantitate"_s, 7.0}, {u"Probleme"_s, -1}});
    // 2: code without unit, with stale unit columns.
    f.linie({{u"Cod_UMS"_s, u"kg"_s}, {u"Val_UMS"_s, 3.0}, {u"Exista_UMS"_s, -1}});
    // 3: code not in the tariff: its columns stay.
    f.linie({{u"Cod_NC"_s, lipsa}, {u"Cod_UMS"_s, u"p/st"_s}, {u"Val_UMS"_s, 4.0}, {u"Exista_UMS"_s, -1}});
    // 4: blank country of dispatch.
    f.linie({{u"Tara_Exp"_s, QVariant()}});
    // 5: unit code with a quantity of 0.
    f.linie({{u"Cod_NC"_s, cuUM}, {u"Val_UMS"_s, 0.0}});
    // 6: invoice value 0; statistical value and net mass 0 pass.
    f.linie({{u"Val_Fiscala"_s, 0.0}, {u"Val_Stat"_s, 0.0}, {u"Net"_s, 0.0}});
    // 7: negative statistical value and net mass.
    f.linie({{u"Val_Stat"_s, -3.0}, {u"Net"_s, -5.0}});
    // 8: VAT number starting with digits.
    f.linie({{u"VAT_ID"_s, u"12345"_s}});
    // 9: VAT number with an unknown prefix.
    f.linie({{u"VAT_ID"_s, u"xx123"_s}});
    // 10: a Greek VAT number (EL) is valid.
    f.linie({{u"VAT_ID"_s, u"EL123456789"_s}});
    // 11: no VAT number.
    f.linie({{u"VAT_ID"_s, QVariant()}});
    // 12: unknown codes in every code list.
    f.linie({{u"Tara_Orig"_s, u"ZZ"_s},
             {u"Tara_Dest"_s, u"US"_s},
             {u"Nat_Tranz"_s, u"77"_s},
             {u"Incoterms"_s, u"XYZ"_s},
             {u"Mod_Transp"_s, u"6"_s}});
    // 13: values that would change the look-up's SQL if pasted into it.
    f.linie({{u"Cod_NC"_s, u"1' OR '1'='1"_s}, {u"Incoterms"_s, u"D'X"_s}});
    // 14: several blanks on one line, missing code.
    f.linie({{u"Cod_NC"_s, lipsa},
             {u"Descriere_NC"_s, QVariant()},
             {u"Incoterms"_s, QVariant()},
             {u"Mod_Transp"_s, kGol},
             {u"Val_Fiscala"_s, QVariant()}});
    // 15: said to have a unit, but no unit code (the code is not in the tariff).
    f.linie({{u"Cod_NC"_s, lipsa}, {u"Exista_UMS"_s, -1}});
    // 16: another imported file of the same declaration.
    f.linie({{u"SourceFile"_s, u"b.xlsx"_s}, {u"Val_Fiscala"_s, -1.0}});
    // 17, 18: another month, flagged and not, both at fault.
    f.linie({{u"Luna"_s, 4}, {u"Probleme"_s, -1}, {u"Cod_UMS"_s, u"kg"_s}, {u"Val_Fiscala"_s, 0.0}});
    f.linie({{u"Luna"_s, 4}, {u"Val_Fiscala"_s, 0.0}});
    // 19: arrivals of the same month, flagged earlier.
    f.linie({{u"TIP"_s, u"I"_s}, {u"Probleme"_s, -1}, {u"Val_Fiscala"_s, 0.0}});
}

const Cheie_Declaratie kCheie{u"O"_s, u"RO123"_s, u"2015"_s, u"5"_s};

QString Golden(const QString& nume)
{
    return qEnvironmentVariable("QUORVEL_SOURCE_DIR") + u"/tests/declaration/golden/"_s + nume;
}

// The log from its second line on (the first is the date and time).
QByteArray Fara_Prima_Linie(const QByteArray& text)
{
    const qsizetype sfarsit = text.indexOf("\r\n");
    return sfarsit < 0 ? QByteArray() : text.mid(sfarsit + 2);
}

// Every column of every line, as text, in Record_ID order.
QStringList Tabel()
{
    QStringList randuri;
    auto rs = Conexiune_Firma.openRecordset(u"SELECT * FROM Intrastat ORDER BY Record_ID"_s);
    for (; rs && !rs->eof(); rs->moveNext()) {
        QStringList valori;
        for (int c = 0; c < rs->fieldCount(); ++c)
            valori << rs->value(c).toText();
        randuri << valori.join(u'|');
    }
    return randuri;
}

bool Probleme(qint64 id)
{
    return Fixtura_Declaratie::coloana(id, u"Probleme"_s).toBool();
}

} // namespace

Q_DECLARE_METATYPE(Cheie_Declaratie)

class TestVerificareDeclaratie : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        FirmaCurenta_CodFiscal = u"RO123"_s;
        FirmaCurenta_ValoareStatistica = false;
    }
    void cleanup() { sys::Clock::reset(); }

    void logFlagsAndTariffColumns();
    void cleanDeclarationHasNoProblems();
    void vatChecksOnlyForDispatchesAfter2014_data();
    void vatChecksOnlyForDispatchesAfter2014();
    void statisticalValueBlankOnlyWhenDeclared_data();
    void statisticalValueBlankOnlyWhenDeclared();
    void vatNumberForms_data();
    void vatNumberForms();
    void refusesWithoutDeclarationOrTariff_data();
    void refusesWithoutDeclarationOrTariff();
    void failedSaveIsLoggedAndTheRunGoesOn();
    void missingLogFolderStillFlagsTheLines();
    void checksWithoutChangesFindWhatTheLogSays();
    void checksWithoutTariffLeaveTheCodes();
};

void TestVerificareDeclaratie::logFlagsAndTariffColumns()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    Linii_Cu_Probleme(f);
    QVERIFY(f.deschideTarif());
    sys::Clock::set(QDateTime(QDate(2015, 6, 3), QTime(14, 5, 9)));

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    QVERIFY(r.efectuata);
    QCOMPARE(r.linii, 16);
    QCOMPARE(r.probleme, 13);
    QCOMPARE(r.jurnal, f.cale(u"System/Verificare/RO123_O_5_2015.txt"_s));
    QVERIFY(r.jurnalScris);

    // The log, whole from its second line on, against the golden file.
    const QByteArray jurnal = Fixtura_Declaratie::citeste(r.jurnal);
    QVERIFY(jurnal.startsWith(QLocale::system().toString(QDate(2015, 6, 3), QLocale::ShortFormat).toUtf8()));
    QVERIFY(jurnal.endsWith("\r\n"));
    QCOMPARE(Fara_Prima_Linie(jurnal), Fixtura_Declaratie::citeste(Golden(u"RO123_O_5_2015.txt"_s)));

    // The flags: exactly the faulty lines of the declaration; the other
    // month and the arrivals keep theirs.
    for (qint64 id = 1; id <= 19; ++id) {
        const bool asteptat = (id >= 3 && id <= 9) || (id >= 11 && id <= 17) || id == 19;
        QVERIFY2(Probleme(id) == asteptat, qPrintable(u"line "_s + QString::number(id)));
    }

    // Pass 1: unit code filled from the quantity, description trimmed.
    QCOMPARE(Fixtura_Declaratie::coloana(1, u"Descriere_NC"_s), db::Variant(u"Reproducatori de rasa pura"_s));
    QCOMPARE(Fixtura_Declaratie::coloana(1, u"Cod_UMS"_s), db::Variant(u"p/st"_s));
    QCOMPARE(Fixtura_Declaratie::coloana(1, u"Val_UMS"_s), db::Variant(7.0));
    QCOMPARE(Fixtura_Declaratie::coloana(1, u"Exista_UMS"_s), db::Variant(true));
    // A code without unit loses its unit columns.
    QCOMPARE(Fixtura_Declaratie::coloana(2, u"Descriere_NC"_s), db::Variant(u"Masini portabile"_s));
    QVERIFY(Fixtura_Declaratie::coloana(2, u"Cod_UMS"_s).isNull());
    QVERIFY(Fixtura_Declaratie::coloana(2, u"Val_UMS"_s).isNull());
    QCOMPARE(Fixtura_Declaratie::coloana(2, u"Exista_UMS"_s), db::Variant(false));
    // A missing code keeps its columns; a quantity of 0 stays 0.
    QCOMPARE(Fixtura_Declaratie::coloana(3, u"Descriere_NC"_s), db::Variant(u"descriere veche"_s));
    QCOMPARE(Fixtura_Declaratie::coloana(3, u"Cod_UMS"_s), db::Variant(u"p/st"_s));
    QCOMPARE(Fixtura_Declaratie::coloana(3, u"Val_UMS"_s), db::Variant(4.0));
    QCOMPARE(Fixtura_Declaratie::coloana(5, u"Val_UMS"_s), db::Variant(0.0));
    // Another month is not touched.
    QCOMPARE(Fixtura_Declaratie::coloana(17, u"Cod_UMS"_s), db::Variant(u"kg"_s));

    QCOMPARE(ecran.cronologie(),
             (QStringList{
                 u"mesaj: SE ACTUALIZEAZA UM SUPLIMENTARE (doar daca este cazul)"_s, u"progres deschis"_s,
                 u"progres inchis"_s, u"grila"_s, u"mesaj: SE VERIFICA FIECARE LINIE IN PARTE"_s,
                 u"progres deschis"_s,
                 u"mesaj: Format incorect Cod TVA: 12345\r\nCodul de TVA trebuie sa inceapa cu codul tarii"_s,
                 u"progres inchis"_s, u"grila"_s, u"probleme"_s}));
    const QList<ui::testing::Call> mesaje = ui::testing::messages();
    QCOMPARE(mesaje.at(0).icon, ui::Icon::Information);
    QCOMPARE(mesaje.at(2).icon, ui::Icon::None);
    QCOMPARE(mesaje.at(2).title, std::nullopt);

    // Each pass starts on the first pass's label at 0 and ends at 100; the
    // bar takes the percentage with halves to even (2/16 is 12.5: 12).
    const auto pas2 = ecran.progres.indexOf(qMakePair(u"ACTUALIZARE UM SUPLIMENTARE"_s, 0), 1);
    QCOMPARE(ecran.progres.first(), qMakePair(u"ACTUALIZARE UM SUPLIMENTARE"_s, 0));
    QVERIFY(pas2 > 0);
    QCOMPARE(ecran.progres.at(pas2 - 1), qMakePair(u"Se verifica UM Supl ..... "_s, 100));
    QCOMPARE(ecran.progres.last(), qMakePair(u"Verificare in detaliu ..... "_s, 100));
    QVERIFY(ecran.progres.contains(qMakePair(u"Se verifica UM Supl ..... "_s, 12)));
    QVERIFY(!ecran.progres.contains(qMakePair(u"Se verifica UM Supl ..... "_s, 13)));
}

void TestVerificareDeclaratie::cleanDeclarationHasNoProblems()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    f.linie({{u"Probleme"_s, -1}});
    f.linie({{u"Cod_NC"_s, QString::fromUtf16(Fixtura_Declaratie::kCodCuUM)}, {u"Val_UMS"_s, 2.0}});
    QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    QCOMPARE(r.probleme, 0);
    QVERIFY(!Probleme(1));
    QCOMPARE(ecran.cronologie().last(), u"mesaj: NU SUNT PROBLEME"_s);
    QVERIFY(!ecran.cronologie().contains(u"probleme"_s));
    QCOMPARE(ui::testing::messages().last().icon, ui::Icon::Information);
    // The log holds its header only.
    QCOMPARE(Fara_Prima_Linie(Fixtura_Declaratie::citeste(r.jurnal)),
             QByteArray("TIP = O\r\nCod_Fiscal= RO123\r\nAnul=2015\r\nLuna=5\r\n") + QByteArray(62, '*') +
                 "\r\n\r\n");
}

void TestVerificareDeclaratie::vatChecksOnlyForDispatchesAfter2014_data()
{
    QTest::addColumn<QString>("tip");
    QTest::addColumn<int>("anul");
    QTest::addColumn<bool>("verificat");
    QTest::newRow("dispatches 2015") << u"O"_s << 2015 << true;
    QTest::newRow("dispatches 2014") << u"O"_s << 2014 << false;
    QTest::newRow("arrivals 2015") << u"I"_s << 2015 << false;
    QTest::newRow("lower-case type 2015") << u"o"_s << 2015 << false;
}

void TestVerificareDeclaratie::vatChecksOnlyForDispatchesAfter2014()
{
    QFETCH(QString, tip);
    QFETCH(int, anul);
    QFETCH(bool, verificat);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    for (const QVariant& vat : {QVariant(), QVariant(u"12345"_s), QVariant(u"xx123"_s)})
        f.linie({{u"TIP"_s, tip}, {u"Anul"_s, anul}, {u"VAT_ID"_s, vat}, {u"Tara_Dest"_s, u"RO"_s}});
    QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r =
        Verifica_Declaratie(Cheie_Declaratie{tip, u"RO123"_s, QString::number(anul), u"5"_s}, ecran);
    QVERIFY(r.efectuata);
    const QString jurnal = QString::fromUtf8(Fixtura_Declaratie::citeste(r.jurnal));
    QCOMPARE(jurnal.contains(u"VAT_ID"_s), verificat);
    QCOMPARE(r.probleme, verificat ? 3 : 0);
    bool casetaTva = false;
    for (const ui::testing::Call& c : ui::testing::messages())
        casetaTva = casetaTva || c.text.startsWith(u"Format incorect Cod TVA"_s);
    QCOMPARE(casetaTva, verificat);
}

void TestVerificareDeclaratie::statisticalValueBlankOnlyWhenDeclared_data()
{
    QTest::addColumn<bool>("declarata");
    QTest::newRow("company declares it") << true;
    QTest::newRow("company does not") << false;
}

// A blank statistical value is a problem only for a company that declares
// it; a negative one is a problem for every company.
void TestVerificareDeclaratie::statisticalValueBlankOnlyWhenDeclared()
{
    QFETCH(bool, declarata);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    FirmaCurenta_ValoareStatistica = declarata;
    f.linie({{u"Val_Stat"_s, QVariant()}});
    f.linie({{u"Val_Stat"_s, -3.0}});
    f.linie();
    QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    QCOMPARE(r.probleme, declarata ? 2 : 1);
    QStringList asteptat;
    if (declarata)
        asteptat << u"Pozitia: 1 - Val_Stat ESTE GOL"_s;
    asteptat << u"Pozitia: 2 - Val_Stat = -3 ===> ESTE NULL - ZERO SAU VALOARE NEGATIVA"_s;
    const QStringList jurnal = QString::fromUtf8(Fixtura_Declaratie::citeste(r.jurnal)).split(u"\r\n"_s);
    QCOMPARE(jurnal.mid(7, jurnal.size() - 8), asteptat);
    QCOMPARE(Probleme(1), declarata);
}

void TestVerificareDeclaratie::vatNumberForms_data()
{
    QTest::addColumn<QString>("vat");
    QTest::addColumn<QString>("problema"); // the rest of the log line, "" for none
    const QString format = u" - VAT_ID FORMAT INCORECT"_s;
    QTest::newRow("digits") << u"12345"_s << format;
    QTest::newRow("digit and point") << u"1.345"_s << format;
    QTest::newRow("minus sign") << u"-1345"_s << format;
    QTest::newRow("blank and digit") << u" 1345"_s << format;
    QTest::newRow("digit and letter")
        << u"1A345"_s << u" - VAT_ID = 1A ===> PREFIX TARA - COD TVA INCORECT "_s;
    QTest::newRow("lower-case member state") << u"fr123"_s << QString();
    QTest::newRow("Greece as EL") << u"EL123"_s << QString();
    QTest::newRow("Greece as GR") << u"GR123"_s << QString();
    QTest::newRow("Northern Ireland") << u"XI123"_s << QString();
    QTest::newRow("not a member state")
        << u"US123"_s << u" - VAT_ID = US ===> PREFIX TARA - COD TVA INCORECT "_s;
}

void TestVerificareDeclaratie::vatNumberForms()
{
    QFETCH(QString, vat);
    QFETCH(QString, problema);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    f.linie({{u"VAT_ID"_s, vat}});
    QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    const QStringList jurnal = QString::fromUtf8(Fixtura_Declaratie::citeste(r.jurnal)).split(u"\r\n"_s);
    QCOMPARE(jurnal.mid(7, jurnal.size() - 8),
             problema.isEmpty() ? QStringList() : QStringList{u"Pozitia: 1"_s + problema});
}

void TestVerificareDeclaratie::refusesWithoutDeclarationOrTariff_data()
{
    QTest::addColumn<Cheie_Declaratie>("cheie");
    QTest::addColumn<bool>("tarif");
    QTest::addColumn<QString>("mesaj");
    QTest::newRow("no tariff open")
        << kCheie << false << u"Nu se poate identifica tabela tarif vamal\r\npentru luna 5, anul 2015"_s;
    QTest::newRow("empty key boxes")
        << Cheie_Declaratie() << true
        << u"NU ESTE AFISATA NICIO LINIE A DECLARATIEI\r\nTIP = , Anul = , Luna = "_s;
    QTest::newRow("year not a number")
        << Cheie_Declaratie{u"O"_s, u"RO123"_s, u"2O15"_s, u"5"_s} << true
        << u"NU ESTE AFISATA NICIO LINIE A DECLARATIEI\r\nTIP = O, Anul = 2O15, Luna = 5"_s;
    // The lines read are the working company's: another company's
    // declaration shown would be answered from lines it does not hold.
    QTest::newRow("declaration of another fiscal code")
        << Cheie_Declaratie{u"O"_s, u"RO999"_s, u"2015"_s, u"5"_s} << true
        << u"VERIFICAREA NU A FOST FACUTA\r\nDeclaratia afisata este a codului fiscal RO999, iar firma de "
           u"lucru are codul fiscal RO123."_s;
    QTest::newRow("no line read") << Cheie_Declaratie{u"O"_s, u"RO123"_s, u"2015"_s, u"7"_s} << true
                                  << u"VERIFICAREA NU A FOST FACUTA\r\nNu exista nicio linie a declaratiei "
                                     u"TIP = O, Cod_Fiscal = RO123, "
                                     u"Anul = 2015, Luna = 7"_s;
}

void TestVerificareDeclaratie::refusesWithoutDeclarationOrTariff()
{
    QFETCH(Cheie_Declaratie, cheie);
    QFETCH(bool, tarif);
    QFETCH(QString, mesaj);
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    f.linie({{u"Probleme"_s, -1}, {u"Cod_UMS"_s, u"kg"_s}});
    if (tarif)
        QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(cheie, ecran);
    QVERIFY(!r.efectuata);
    QCOMPARE(ecran.cronologie(), QStringList{u"mesaj: "_s + mesaj});
    QCOMPARE(ui::testing::messages().first().icon, ui::Icon::Critical);
    // Nothing changed: the earlier flag and the stale unit stay, no log.
    QVERIFY(Probleme(1));
    QCOMPARE(Fixtura_Declaratie::coloana(1, u"Cod_UMS"_s), db::Variant(u"kg"_s));
    QCOMPARE(QDir(f.cale(u"System/Verificare"_s)).entryList(QDir::Files), QStringList());
}

void TestVerificareDeclaratie::failedSaveIsLoggedAndTheRunGoesOn()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    const qint64 primaBuna = f.linie({{u"Cod_NC"_s, QString::fromUtf16(Fixtura_Declaratie::kCodCuUM)}});
    const qint64 blocatPas1 = f.linie({{u"Cod_UMS"_s, u"kg"_s}, {u"Val_UMS"_s, 3.0}, {u"Exista_UMS"_s, -1}});
    const qint64 blocatPas2 = f.linie({{u"Val_Fiscala"_s, 0.0}});
    const qint64 ultimaBuna = f.linie({{u"Cod_UMS"_s, u"kg"_s}});
    // The database refuses the tariff columns of one line and the flag of another.
    QVERIFY(!Conexiune_Firma.executeScript(
        u"CREATE TRIGGER refuza_um BEFORE UPDATE OF Cod_UMS ON Intrastat WHEN OLD.Record_ID = %1 "
        "BEGIN SELECT RAISE(ABORT, 'linie blocata'); END;"
        "CREATE TRIGGER refuza_marcaj BEFORE UPDATE OF Probleme ON Intrastat "
        "WHEN OLD.Record_ID = %2 AND NEW.Probleme <> 0 BEGIN SELECT RAISE(ABORT, 'marcaj blocat'); END;"_s
            .arg(blocatPas1)
            .arg(blocatPas2)));
    QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    QCOMPARE(r.probleme, 2);
    QCOMPARE(ecran.cronologie().last(), u"probleme"_s);

    const QStringList jurnal = QString::fromUtf8(Fixtura_Declaratie::citeste(r.jurnal)).split(u"\r\n"_s);
    const QStringList probleme = jurnal.mid(7, jurnal.size() - 8);
    QCOMPARE(probleme.size(), 3);
    QVERIFY(probleme.at(0).startsWith(u"Pozitia: 2 - LINIA NU A PUTUT FI SALVATA: "_s));
    QVERIFY(probleme.at(0).contains(u"linie blocata"_s));
    QCOMPARE(probleme.at(1), u"Pozitia: 3 - Val_Fiscala = 0 ===> ESTE NULL - ZERO SAU VALOARE NEGATIVA"_s);
    QVERIFY(probleme.at(2).startsWith(u"Pozitia: 3 - LINIA NU A PUTUT FI SALVATA: "_s));
    QVERIFY(probleme.at(2).contains(u"marcaj blocat"_s));

    // The refused line is as it was; the lines around it are saved.
    QCOMPARE(Fixtura_Declaratie::coloana(blocatPas1, u"Cod_UMS"_s), db::Variant(u"kg"_s));
    QCOMPARE(Fixtura_Declaratie::coloana(primaBuna, u"Cod_UMS"_s), db::Variant(u"p/st"_s));
    QVERIFY(Fixtura_Declaratie::coloana(ultimaBuna, u"Cod_UMS"_s).isNull());
    QVERIFY(!Probleme(blocatPas2));
}

void TestVerificareDeclaratie::missingLogFolderStillFlagsTheLines()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    f.linie({{u"Val_Fiscala"_s, 0.0}});
    QVERIFY(QDir(f.cale(u"System/Verificare"_s)).removeRecursively());
    QVERIFY(f.deschideTarif());

    Ecran_Test ecran;
    const Rezultat_Verificare r = Verifica_Declaratie(kCheie, ecran);
    QVERIFY(!r.jurnalScris);
    QVERIFY(Probleme(1));
    const QStringList cronologie = ecran.cronologie();
    QVERIFY(cronologie.at(cronologie.size() - 3)
                .startsWith(u"mesaj: NU SE POATE SCRIE JURNALUL VERIFICARII\r\n"_s + r.jurnal));
    QCOMPARE(cronologie.last(), u"probleme"_s);
}

// The checks that run before the declaration file is written find, line by
// line and in the same words, what the verification writes into its log,
// and change nothing: no flag, no tariff column, no log, no box (not even
// the one of a VAT number that begins with digits).
void TestVerificareDeclaratie::checksWithoutChangesFindWhatTheLogSays()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    Linii_Cu_Probleme(f);
    QVERIFY(f.deschideTarif());
    const QStringList tabel = Tabel();
    const QString jurnal = f.cale(u"System/Verificare/RO123_O_5_2015.txt"_s);

    const Probleme_Declaratie p = Probleme_Liniilor(kCheie, Perioada_Declaratie{2015, 5}, 1000);
    QVERIFY(p.citite);
    QVERIFY(p.tarif);
    QCOMPARE(p.linii, 16);
    QCOMPARE(p.liniiCuProbleme, 13);
    QStringList logate;
    for (const QByteArray& linie : Fixtura_Declaratie::citeste(Golden(u"RO123_O_5_2015.txt"_s)).split('\n'))
        if (linie.startsWith("Pozitia: "))
            logate << QString::fromUtf8(linie).chopped(1);
    QCOMPARE(p.primele, logate);
    QCOMPARE(p.probleme, logate.size());
    QCOMPARE(Tabel(), tabel);
    QVERIFY(!QFile::exists(jurnal));
    QCOMPARE(ui::testing::messages().size(), 0);

    // Only the first ones are kept, all are counted.
    const Probleme_Declaratie primele = Probleme_Liniilor(kCheie, Perioada_Declaratie{2015, 5}, 3);
    QCOMPARE(primele.primele, logate.mid(0, 3));
    QCOMPARE(primele.probleme, logate.size());
    QCOMPARE(primele.liniiCuProbleme, 13);
}

// With no tariff open the codes are not said to be missing from it, and the
// tariff columns are checked as the lines hold them.
void TestVerificareDeclaratie::checksWithoutTariffLeaveTheCodes()
{
    Fixtura_Declaratie f;
    VERIFICA_FIXTURA(f);
    FirmaCurenta_CodFiscal = u"RO123"_s;
    Linii_Cu_Probleme(f);
    QVERIFY(!Conexiune_CN.isOpen());
    const Probleme_Declaratie p = Probleme_Liniilor(kCheie, Perioada_Declaratie{2015, 5}, 1000);
    QVERIFY(p.citite);
    QVERIFY(!p.tarif);
    QCOMPARE(p.linii, 16);
    for (const QString& linie : p.primele)
        QVERIFY2(!linie.contains(u"Cod_NC = "_s), qPrintable(linie));
    // Line 1 holds no unit yet: only the tariff would give it one.
    QVERIFY(!p.primele.join(u'\n').contains(u"Pozitia: 1 "_s));
    QVERIFY(p.primele.contains(u"Pozitia: 12 - Tara_Orig = ZZ ===> NU EXISTA"_s));
}

QTEST_GUILESS_MAIN(TestVerificareDeclaratie)
#include "tst_verificare_declaratie.moc"
