#include "Arbore_Test.h"
#include "common/Setari_Regionale.h"
#include "platform/sys/clock.h"
#include "shell/Creare_Firma.h"
#include "shell/Frm_Creare_Firma.h"
#include "shell/Frm_Meniu_Principal.h"
#include "shell/Pornire.h"
#include "shell/Selectie_Firma.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

Frm_Creare_Firma* deschideFereastra(bool nou)
{
    Firma_Noua = nou;
    ui::Forms::show(u"Frm_Creare_Firma"_s);
    return ui::Forms::get<Frm_Creare_Firma>(u"Frm_Creare_Firma"_s);
}

qint64 numar(db::Connection c, const QString& sql, const QVector<db::Variant>& valori = {})
{
    const auto rs = c.openRecordset(sql, valori);
    return rs && !rs->eof() ? rs->value(0).toInt64() : -1;
}

db::Recordset rand(const Arbore_Test& a, const QString& cod)
{
    db::Connection c = a.deschide(u"System/DataBase/Comun.mdb"_s);
    auto rs = c.openRecordset(u"SELECT * FROM Firme WHERE Cod_Fiscal=?"_s, {db::Variant(cod)});
    return rs ? *rs : db::Recordset();
}

qint64 randuriFirme(const Arbore_Test& a)
{
    return numar(a.deschide(u"System/DataBase/Comun.mdb"_s), u"SELECT COUNT(*) FROM Firme"_s);
}

} // namespace

class TestCreareFirma : public QObject
{
    Q_OBJECT
private slots:
    void init() { Inregistreaza_Ferestre_Pornire(); }
    void cleanup() { sys::Clock::reset(); }

    void numeImplicit_data()
    {
        QTest::addColumn<QString>("cod");
        QTest::addColumn<QString>("nume");
        QTest::newRow("blanks, dots, slash") << u"RO 12.345/6"_s << u"RO123456"_s;
        QTest::newRow("all fourteen") << u"a.b,c!d@e%f$g/h\\i+j-k*l&m;n:o"_s << u"abcdefghijklmno"_s;
        QTest::newRow("plain") << u"RO0000002"_s << u"RO0000002"_s;
    }
    void numeImplicit()
    {
        QFETCH(QString, cod);
        QFETCH(QString, nume);
        QCOMPARE(Nume_Baza_Date_Implicit(cod), nume);
    }

    void numeAcceptat_data()
    {
        QTest::addColumn<QString>("nume");
        QTest::addColumn<bool>("acceptat");
        QTest::newRow("letters and digits") << u"RO123456"_s << true;
        QTest::newRow("underscore and dash") << u"Firma_2-b"_s << true;
        QTest::newRow("slash") << u"a/b"_s << false;
        QTest::newRow("parent folder") << u".."_s << false;
        QTest::newRow("quote") << u"x'y"_s << false;
        QTest::newRow("blank") << u"a b"_s << false;
        QTest::newRow("diacritic") << u"Braşov"_s << false;
    }
    void numeAcceptat()
    {
        QFETCH(QString, nume);
        QFETCH(bool, acceptat);
        QCOMPARE(Nume_Baza_Date_Acceptat(nume), acceptat);
    }

    void creare()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        sys::Clock::set(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
        Frm_Creare_Firma* f = deschideFereastra(true);
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Creare Firma Noua"_s);
        QVERIFY(!f->CmdCreazaFirma->isHidden());
        QVERIFY(f->CmdRetine->isHidden());
        f->Firma_CF->setText(u"RO 12.345/6"_s);
        f->Firma_CF_Validate();
        QCOMPARE(f->NumeBazaDeDate->text(), u"RO123456"_s);
        f->Firma_Nume->setText(u"Noua SRL"_s);
        f->Functie_1->setText(QString(120, u'F'));
        f->Check_ValStatistica->setChecked(true);
        // That code cannot be the file's VAT number: refused, the window
        // keeps what was typed.
        f->CmdCreazaFirma->click();
        QCOMPARE(Arbore_Test::mesaje(),
                 QStringList{u"CODUL FISCAL : RO 12.345/6 NU POATE FI DECLARAT\r\n"
                             "Codul fiscal are numai cifre, cel mult 10, precedate sau nu de RO."_s});
        QVERIFY(ui::Forms::isLoaded(u"Frm_Creare_Firma"_s));
        QVERIFY(!QFile::exists(a.folderBazaDate() + u"RO123456.mdb"_s));
        QVERIFY(rand(a, u"RO 12.345/6"_s).eof());
        ui::testing::clear();
        f->Firma_CF->setText(u"RO123456"_s);
        f->CmdCreazaFirma->click();

        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m[0].text, u"FIRMA A FOST CREATA"_s);
        QCOMPARE(m[0].icon, ui::Icon::Information);
        QCOMPARE(m[0].title, std::optional<QString>(u"MESAJ"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Creare_Firma"_s));

        const QString fisier = a.folderBazaDate() + u"RO123456.mdb"_s;
        QVERIFY(QFile::exists(fisier));
        QFile sablon(a.folderBazaDate() + u"goala.mdb"_s), copie(fisier);
        QVERIFY(sablon.open(QIODevice::ReadOnly) && copie.open(QIODevice::ReadOnly));
        QCOMPARE(copie.readAll(), sablon.readAll());

        const db::Recordset r = rand(a, u"RO123456"_s);
        QVERIFY(!r.eof());
        QCOMPARE(r.value(u"DataBaseFile"_s).toText(), u"RO123456.mdb"_s);
        QCOMPARE(r.value(u"Nume_Firma"_s).toText(), u"Noua SRL"_s);
        QCOMPARE(r.value(u"MultiFirma"_s).toInt(), 0);
        QCOMPARE(r.value(u"Functie_1"_s).toText(), QString(100, u'F'));
        QCOMPARE(r.value(u"Adresa_Firma"_s).toText(), QString());
        QVERIFY(r.value(u"ValoareStatistica"_s).toBool());
        // Day, month and year joined by the locale's date separator, which is
        // a sign even under the C locale (never "05 03 2024").
        const QString sep = Separator_Data();
        QCOMPARE(r.value(u"CreataLaData"_s).toText(), u"05"_s + sep + u"03"_s + sep + u"2024"_s);
        QVERIFY(!sep.at(0).isSpace());
        // The new company is not the working company.
        QCOMPARE(FirmaCurenta_CodFiscal, QString());

        // ... and the chooser opens it.
        QCOMPARE(Deschide_Firma(u"Noua SRL"_s, u"RO123456.mdb"_s, u"RO123456"_s),
                 Rezultat_Selectie::Deschisa);
        QCOMPARE(FirmaCurenta_Nume, u"Noua SRL"_s);
    }

    // Enter moves from box to box in the order of the form, as Tab does: it
    // is not typed, presses no button and leaves the fiscal code as it
    // leaves it (proposing the file name).
    void enterTreceLaUrmatoareaCaseta()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Frm_Creare_Firma* f = deschideFereastra(true);
        QVERIFY(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
        f->Firma_CF->setFocus();
        QTest::keyClicks(f->Firma_CF, u"RO0000002"_s);
        QStringList drum;
        for (int i = 0; i < 19; ++i) {
            QTest::keyClick(QApplication::focusWidget(), i % 2 ? Qt::Key_Enter : Qt::Key_Return);
            drum << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(drum, (QStringList{u"Firma_Nume"_s, u"Firma_Adresa"_s, u"Firma_Judet"_s, u"Firma_Oras"_s,
                                    u"Firma_CodPostal"_s, u"Firma_Tara"_s, u"Firma_Telefon"_s, u"Firma_Fax"_s,
                                    u"Firma_PersoanaContact"_s, u"Firma_RegComert"_s, u"Firma_Banca"_s,
                                    u"Firma_ContBancar"_s, u"Firma_Email"_s, u"Firma_Observatii"_s,
                                    u"Persoana_Intrastat"_s, u"Functie_1"_s, u"Check_ValStatistica"_s,
                                    u"NumeBazaDeDate"_s, u"CmdCreazaFirma"_s}));
        QCOMPARE(f->Firma_CF->text(), u"RO0000002"_s);
        QCOMPARE(f->NumeBazaDeDate->text(), u"RO0000002"_s);
        QVERIFY(!f->Check_ValStatistica->isChecked());
        QCOMPARE(Arbore_Test::mesaje(), QStringList());
        QVERIFY(rand(a, u"RO0000002"_s).eof());
    }

    void numeTastatNuSeInlocuieste()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Frm_Creare_Firma* f = deschideFereastra(true);
        f->NumeBazaDeDate->setText(u"Alta"_s);
        f->Firma_CF->setText(u"RO77"_s);
        f->Firma_CF_Validate();
        QCOMPARE(f->NumeBazaDeDate->text(), u"Alta"_s);
    }

    void campuriGoale()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const qint64 inainte = randuriFirme(a);
        Frm_Creare_Firma* f = deschideFereastra(true);
        f->CmdCreazaFirma->click();
        QCOMPARE(Arbore_Test::mesaje(), (QStringList{u"Nume Baza De Date  -  Obligatoriu de completat !"_s,
                                                     u"Nume Firma  -  Obligatoriu de completat !"_s,
                                                     u"Cod Fiscal  -  Obligatoriu de completat !"_s}));
        QCOMPARE(randuriFirme(a), inainte);
        QVERIFY(ui::Forms::isLoaded(u"Frm_Creare_Firma"_s));
    }

    void refuzuri_data()
    {
        QTest::addColumn<QString>("cod");
        QTest::addColumn<QString>("fisier");
        QTest::addColumn<QString>("inceput"); // of the one message
        QTest::newRow("duplicate code, other case")
            << u"ro0000001"_s << u"Nou1"_s << u"Exista deja firma cu codul fiscal : ro0000001"_s;
        QTest::newRow("file outside the folder") << u"RO55"_s << u"../../x"_s << u"Numele fisierului"_s;
        QTest::newRow("quote in the name") << u"RO56"_s << u"x'y"_s << u"Numele fisierului"_s;
        QTest::newRow("a registered company's file") << u"RO57"_s << u"RO0000001"_s << u"Fisierul :"_s;
        QTest::newRow("code with blanks and signs")
            << u"RO 12.345/6"_s << u"RO123456"_s << u"CODUL FISCAL : RO 12.345/6 NU POATE FI DECLARAT"_s;
        QTest::newRow("eleven digits") << u"RO12345678901"_s << u"RO59"_s << u"CODUL FISCAL : "_s;
        QTest::newRow("letter and quote") << u"012'; DP--"_s << u"RO59"_s << u"CODUL FISCAL : "_s;
    }
    void refuzuri()
    {
        QFETCH(QString, cod);
        QFETCH(QString, fisier);
        QFETCH(QString, inceput);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const qint64 inainte = randuriFirme(a);
        QFile demo(a.folderBazaDate() + u"RO0000001.mdb"_s);
        QVERIFY(demo.open(QIODevice::ReadOnly));
        const QByteArray continut = demo.readAll();
        demo.close();

        Date_Firma_Formular d;
        d.codFiscal = cod;
        d.nume = u"Ceva"_s;
        d.numeBazaDeDate = fisier;
        QVERIFY(!Creeaza_Firma(d));
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QVERIFY2(m[0].text.startsWith(inceput), qPrintable(m[0].text));
        QCOMPARE(m[0].icon, ui::Icon::Critical);
        QCOMPARE(randuriFirme(a), inainte);
        QVERIFY(demo.open(QIODevice::ReadOnly));
        QCOMPARE(demo.readAll(), continut);
        QVERIFY(!QFile::exists(a.folderBazaDate() + fisier + u".mdb"_s) || fisier == u"RO0000001"_s);
    }

    void fisierulFirmeiDeschise()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        // An open working company whose file the register no longer names.
        QVERIFY(QFile::copy(a.folderBazaDate() + u"goala.mdb"_s, a.folderBazaDate() + u"Deschisa.mdb"_s));
        Cale_Firma = a.folderBazaDate() + u"Deschisa.mdb"_s;
        Date_Firma_Formular d;
        d.codFiscal = u"RO58"_s;
        d.nume = u"Ceva"_s;
        d.numeBazaDeDate = u"Deschisa"_s;
        QVERIFY(!Creeaza_Firma(d));
        QCOMPARE(ui::testing::messages().size(), 1);
        QVERIFY(ui::testing::messages().first().text.startsWith(u"Fisierul :"_s + Cale_Firma));
        QCOMPARE(rand(a, u"RO58"_s).eof(), true);
    }

    void fisierExistent_data()
    {
        QTest::addColumn<int>("raspuns");
        QTest::addColumn<bool>("creata");
        QTest::newRow("No") << int(ui::Answer::No) << false;
        QTest::newRow("Yes") << int(ui::Answer::Yes) << true;
    }
    void fisierExistent()
    {
        QFETCH(int, raspuns);
        QFETCH(bool, creata);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        const QString tinta = a.folderBazaDate() + u"Orfan.mdb"_s;
        {
            QFile f(tinta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("orfan");
        }
        ui::testing::pushAnswer(static_cast<ui::Answer>(raspuns));
        Date_Firma_Formular d;
        d.codFiscal = u"RO60"_s;
        d.nume = u"Orfan"_s;
        d.numeBazaDeDate = u"Orfan"_s;
        QCOMPARE(Creeaza_Firma(d), creata);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m[0].text, u"Fisierul :"_s + tinta +
                                u" EXISTA DEJA. RESCRIETI SI PIERDETI DATELE AFERENTE ?\r\nRASPUNDETI"_s);
        QCOMPARE(m[0].icon, ui::Icon::Question);
        QCOMPARE(m[0].buttons, ui::Buttons::YesNo);
        QCOMPARE(m[0].title, std::nullopt);
        QCOMPARE(rand(a, u"RO60"_s).eof(), !creata);
        QFile f(tinta);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll() == "orfan", !creata);
    }

    void sablonLipsa()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QVERIFY(QFile::remove(a.folderBazaDate() + u"goala.mdb"_s));
        Date_Firma_Formular d;
        d.codFiscal = u"RO61"_s;
        d.nume = u"Fara sablon"_s;
        d.numeBazaDeDate = u"RO61"_s;
        QVERIFY(!Creeaza_Firma(d));
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Fisierul :"_s + a.folderBazaDate() +
                                                    u"goala.mdb NU EXISTA.\r\nEROARE MAJORA"_s});
        QCOMPARE(ui::testing::messages().first().icon, ui::Icon::None);
        QVERIFY(!QFile::exists(a.folderBazaDate() + u"RO61.mdb"_s));
        QVERIFY(rand(a, u"RO61"_s).eof());
    }

    void editare()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        auto* principala = ui::Forms::load<Frm_Meniu_Principal>(u"Frm_Meniu_Principal"_s);
        principala->Label2->setText(u"Firma selectata: "_s + FirmaCurenta_Nume);

        Frm_Creare_Firma* f = deschideFereastra(false);
        QVERIFY(f->CmdCreazaFirma->isHidden());
        QVERIFY(f->NumeBazaDeDate->isHidden());
        QVERIFY(!f->CmdRetine->isHidden());
        QCOMPARE(f->Firma_CF->text(), u"RO0000001"_s);
        QVERIFY(f->Firma_CF->isReadOnly());
        QVERIFY(!f->Firma_CF->isEnabled());
        QCOMPARE(f->Persoana_Intrastat->text(), u"Ion Popescu"_s);

        f->Firma_Nume->setText(u"Nume Nou SRL"_s);
        f->Firma_Banca->setText(u"Banca O'Neil"_s);
        QCOMPARE(f->Firma_Adresa->text(), u"Str. Republicii nr. 12"_s);
        f->Firma_Adresa->clear(); // a box emptied: its default again
        f->Check_ValStatistica->setChecked(true);
        f->CmdRetine->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Actualizare Terminata"_s});
        QCOMPARE(ui::testing::messages().first().icon, ui::Icon::Information);
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Creare_Firma"_s));

        const db::Recordset r = rand(a, u"RO0000001"_s);
        QCOMPARE(r.value(u"Nume_Firma"_s).toText(), u"Nume Nou SRL"_s);
        QCOMPARE(r.value(u"Bank_Firma"_s).toText(), u"Banca O'Neil"_s);
        QCOMPARE(r.value(u"DataBaseFile"_s).toText(), u"RO0000001.mdb"_s);
        QCOMPARE(r.value(u"Adresa_Firma"_s).toText(), QString());
        QCOMPARE(FirmaCurenta_Nume, u"Nume Nou SRL"_s);
        QCOMPARE(FirmaCurenta_Banca, u"Banca O'Neil"_s);
        QCOMPARE(FirmaCurenta_Adresa, u"x"_s);
        QVERIFY(FirmaCurenta_ValoareStatistica);
        QCOMPARE(FirmaCurenta_CodFiscal, u"RO0000001"_s);
        QCOMPARE(principala->Label2->text(), u"Firma selectata: FIRMA DEMONSTRATIVA SRL"_s);
    }

    // Without the working company's row the window would offer empty boxes
    // that OK writes over it: it closes on the error instead.
    void editareFaraRand_data()
    {
        QTest::addColumn<bool>("registruLipsa");
        QTest::newRow("register cannot be opened") << true;
        QTest::newRow("row removed by another user") << false;
    }
    void editareFaraRand()
    {
        QFETCH(bool, registruLipsa);
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        if (registruLipsa) {
            Conexiune_Comun.close();
            Cale_Comun = a.folderBazaDate() + u"Lipsa.mdb"_s;
        } else {
            QVERIFY(a.deschide(u"System/DataBase/Comun.mdb"_s)
                        .execute(u"DELETE FROM Firme WHERE Cod_Fiscal='RO0000001'"_s));
        }
        ui::testing::clear();
        Firma_Noua = false;
        ui::Forms::show(u"Frm_Creare_Firma"_s);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QVERIFY2(m[0].text.startsWith(u"Eroare: "_s), qPrintable(m[0].text));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Creare_Firma"_s));
        QCOMPARE(FirmaCurenta_Nume, u"FIRMA DEMONSTRATIVA SRL"_s);
    }

    // The register keeps 100 characters of the Intrastat person, the box
    // takes 30: a longer stored name shows whole and OK writes it back whole.
    void persoanaIntrastatLunga()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        const QString lunga = u"Maria-Magdalena Ionescu-Dumitrescu Popovici"_s; // 43
        QVERIFY(a.deschide(u"System/DataBase/Comun.mdb"_s)
                    .execute(u"UPDATE Firme SET Persoana_Intrastat=? WHERE Cod_Fiscal='RO0000001'"_s,
                             {db::Variant(lunga)}));
        Frm_Creare_Firma* f = deschideFereastra(false);
        QCOMPARE(f->Persoana_Intrastat->text(), lunga);
        f->CmdRetine->click();
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Actualizare Terminata"_s});
        QCOMPARE(rand(a, u"RO0000001"_s).value(u"Persoana_Intrastat"_s).toText(), lunga);
        QCOMPARE(FirmaCurenta_PersoanaIntrastat, lunga);
        // A new company's box still takes 30.
        ui::Forms::unloadAllForTests();
        QCOMPARE(deschideFereastra(true)->Persoana_Intrastat->maxLength(), 30);
    }

    void editareEsuata()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        Date_Firma_Formular d = *Citeste_Firma_Curenta();
        d.nume = u"Alt nume"_s;
        d.judet = QString(80, u'J'); // wider than the column
        QVERIFY(!Salveaza_Firma_Curenta(d));
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QVERIFY2(m[0].text.startsWith(u"Eroare: "_s), qPrintable(m[0].text));
        QVERIFY(m[0].text.contains(u"\r\n"_s));
        QCOMPARE(FirmaCurenta_Nume, u"FIRMA DEMONSTRATIVA SRL"_s);
        QCOMPARE(rand(a, u"RO0000001"_s).value(u"Nume_Firma"_s).toText(), u"FIRMA DEMONSTRATIVA SRL"_s);
        // The window's own box keeps to the column's width.
        Frm_Creare_Firma* f = deschideFereastra(false);
        QCOMPARE(f->Firma_Judet->maxLength(), 50);
    }
};

QTEST_MAIN(TestCreareFirma)
#include "tst_creare_firma.moc"
