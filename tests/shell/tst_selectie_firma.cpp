#include "Arbore_Test.h"
#include "shell/Frm_Selectie_Firma.h"
#include "shell/Pornire.h"
#include "shell/Selectie_Firma.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Adds a company row to the register, with a copy of the template as its file.
void adaugaFirma(const Arbore_Test& a, const QString& cod, const QString& nume, const QString& fisier,
                 bool cuFisier = true)
{
    db::Connection c = a.deschide(u"System/DataBase/Comun.mdb"_s);
    const auto r =
        c.execute(u"INSERT INTO Firme (Cod_Fiscal, Nume_Firma, DataBaseFile, Adresa_Firma, Oras_Firma, "
                  "Persoana_Intrastat, Functie_1, Email_Firma) VALUES (?, ?, ?, '', '', '', '', '')"_s,
                  {db::Variant(cod), db::Variant(nume), db::Variant(fisier)});
    QVERIFY2(r.ok(), qPrintable(r.error().text()));
    if (cuFisier)
        QVERIFY(QFile::copy(a.folderBazaDate() + u"goala.mdb"_s, a.folderBazaDate() + fisier));
}

Frm_Selectie_Firma* arataSelectia()
{
    ui::Forms::show(u"Frm_Selectie_Firma"_s);
    return ui::Forms::get<Frm_Selectie_Firma>(u"Frm_Selectie_Firma"_s);
}

// Picks the company with this fiscal code in the list and presses OK.
void alege(Frm_Selectie_Firma* f, const QString& cod)
{
    int rand = -1;
    for (int k = 0; k < f->Cmb_Firma->count(); ++k) {
        if (f->Cmb_Firma->model()->index(k, 1).data().toString() == cod)
            rand = k;
    }
    QVERIFY2(rand >= 0, qPrintable(cod));
    f->Cmb_Firma->setCurrentIndex(rand);
    f->Cmb_Firma_Validate();
    f->CmdOK->click();
}

qint64 numar(db::Connection c, const QString& sql)
{
    const auto rs = c.openRecordset(sql);
    return rs && !rs->eof() ? rs->value(0).toInt64() : -1;
}

} // namespace

class TestSelectieFirma : public QObject
{
    Q_OBJECT
private slots:
    void init() { Inregistreaza_Ferestre_Pornire(); }

    void delte_data()
    {
        QTest::addColumn<int>("inaltime");
        QTest::addColumn<int>("latime");
        QTest::addColumn<int>("dh");
        QTest::addColumn<int>("dl");
        QTest::newRow("low screen, any width") << 9200 << 20000 << 0 << 0;
        QTest::newRow("just high enough, narrow") << 9201 << 11000 << 201 << -1000;
        QTest::newRow("large") << 15000 << 28800 << 6000 << 16800;
    }
    void delte()
    {
        QFETCH(int, inaltime);
        QFETCH(int, latime);
        QFETCH(int, dh);
        QFETCH(int, dl);
        QCOMPARE(Calculeaza_Delte(inaltime, latime), (Delte_Zona_Lucru{dh, dl}));
    }

    void fereastra()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Frm_Selectie_Firma* f = arataSelectia();
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), u"Quorvel : Selectare Firma"_s);
        QCOMPARE(f->Label1->text(), u"Selectati Firma :"_s);
        QCOMPARE(f->Label2->text(), u"Quorvel  vers:  2.3.0"_s);
        QVERIFY(f->TxtDBName->isHidden());
        QVERIFY(f->TxtCF->isHidden());
        QCOMPARE(Delta_Inaltime, Calculeaza_Delte(Inaltime_Zona_Lucru, Latime_Zona_Lucru).inaltime);
        QVERIFY(Inaltime_Zona_Lucru > 0);
    }

    void ordineaListei()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        adaugaFirma(a, u"RO2"_s, u"B"_s, u"RO2.mdb"_s);
        adaugaFirma(a, u"RO3"_s, u"a"_s, u"RO3.mdb"_s);
        adaugaFirma(a, u"RO4"_s, u"C"_s, u"RO4.mdb"_s);
        adaugaFirma(a, u"0"_s, u"A0 never listed"_s, u"zero.mdb"_s, false);
        Frm_Selectie_Firma* f = arataSelectia();
        QStringList nume;
        for (int i = 0; i < f->Cmb_Firma->count(); ++i)
            nume << f->Cmb_Firma->itemText(i);
        QCOMPARE(nume, (QStringList{u"a"_s, u"B"_s, u"C"_s, u"FIRMA DEMONSTRATIVA SRL"_s}));
        QCOMPARE(f->Cmb_Firma->model()->index(0, 1).data().toString(), u"RO3"_s);
        // Entering the list changes nothing of the working company.
        QCOMPARE(FirmaCurenta_CodFiscal, QString());
    }

    void deschidereaFirmei()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Frm_Selectie_Firma* f = arataSelectia();
        alege(f, u"RO0000001"_s);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u" | "_s)));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
        QWidget* principala = ui::Forms::get(u"Frm_Meniu_Principal"_s);
        QVERIFY(principala);
        QVERIFY(principala->isVisible());
        QCOMPARE(principala->findChild<QLabel*>(u"Label2"_s)->text(),
                 u"Firma selectata: FIRMA DEMONSTRATIVA SRL"_s);
        QCOMPARE(Cale_Firma, a.folderBazaDate() + u"RO0000001.mdb"_s);
        QVERIFY(Conexiune_Firma.isOpen());
        QCOMPARE(QFileInfo(Conexiune_Firma.path()).canonicalFilePath(),
                 QFileInfo(Cale_Firma).canonicalFilePath());
        QCOMPARE(FirmaCurenta_CodFiscal, u"RO0000001"_s);
        QCOMPARE(FirmaCurenta_Nume, u"FIRMA DEMONSTRATIVA SRL"_s);
        QCOMPARE(FirmaCurenta_PersoanaIntrastat, u"Ion Popescu"_s);
        QCOMPARE(FirmaCurenta_Adresa, u"Str. Republicii nr. 12"_s); // as the seed has it
        QVERIFY(!Utilizator_Windows.isEmpty());
        // The register reaches the company's connection through the link.
        QCOMPARE(numar(Conexiune_Firma, u"SELECT COUNT(*) FROM Firme"_s),
                 numar(Conexiune_Comun, u"SELECT COUNT(*) FROM Firme"_s));
    }

    void valoriImplicite()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        adaugaFirma(a, u"RO5"_s, u"Goala"_s, u"RO5.mdb"_s);
        {
            db::Connection c = a.deschide(u"System/DataBase/Comun.mdb"_s);
            QVERIFY(c.execute(u"UPDATE Firme SET Nume_Firma='', Persoana_Intrastat=NULL, Functie_1='', "
                              "ValoareStatistica=NULL WHERE Cod_Fiscal='RO5'"_s));
        }
        FirmaCurenta_Email = u"old"_s;
        QCOMPARE(Deschide_Firma(u"(fara nume)"_s, u"RO5.mdb"_s, u"RO5"_s), Rezultat_Selectie::Deschisa);
        for (const QString* v :
             {&FirmaCurenta_Nume, &FirmaCurenta_Adresa, &FirmaCurenta_Oras, &FirmaCurenta_Judet,
              &FirmaCurenta_CodPostal, &FirmaCurenta_Tara, &FirmaCurenta_Tel, &FirmaCurenta_Fax,
              &FirmaCurenta_RegCom, &FirmaCurenta_Banca, &FirmaCurenta_Cont})
            QCOMPARE(*v, u"x"_s);
        QCOMPARE(FirmaCurenta_PersoanaIntrastat, u"X X"_s);
        QCOMPARE(FirmaCurenta_Functie, u"Director"_s);
        QCOMPARE(FirmaCurenta_Email, Email_Implicit_Firma());
        QVERIFY(!FirmaCurenta_ValoareStatistica);
    }

    void fisierLipsa()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        const QString caleVeche = Cale_Firma;
        adaugaFirma(a, u"RO6"_s, u"Fara fisier"_s, u"RO6.mdb"_s, false);
        ui::testing::clear();

        Frm_Selectie_Firma* f = arataSelectia();
        alege(f, u"RO6"_s);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"EROARE MAJORA, NU EXISTA FISIERUL : \r\n"_s +
                                                    a.folderBazaDate() + u"RO6.mdb"_s});
        QCOMPARE(ui::testing::messages().first().icon, ui::Icon::None);
        QCOMPARE(ui::testing::messages().first().title, std::nullopt);
        QVERIFY(ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
        // The previous company stays in force, whole.
        QCOMPARE(Cale_Firma, caleVeche);
        QVERIFY(Conexiune_Firma.isOpen());
        QCOMPARE(FirmaCurenta_CodFiscal, u"RO0000001"_s);
    }

    void inchidereFaraOK()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        adaugaFirma(a, u"RO1"_s, u"AAA prima in lista"_s, u"RO1.mdb"_s);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        Frm_Selectie_Firma* f = arataSelectia();
        f->Cmb_Firma_GotFocus(); // entering the list again
        QVERIFY(f->close() || !ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
        QVERIFY(Conexiune_Firma.isOpen());
        QCOMPARE(FirmaCurenta_CodFiscal, u"RO0000001"_s);
        QCOMPARE(FirmaCurenta_Nume, u"FIRMA DEMONSTRATIVA SRL"_s);
        QCOMPARE(Cale_Firma, a.folderBazaDate() + u"RO0000001.mdb"_s);
    }

    void aDouaFirma()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        adaugaFirma(a, u"RO7"_s, u"A doua"_s, u"RO7.mdb"_s);
        alege(arataSelectia(), u"RO0000001"_s);
        db::Connection prima = Conexiune_Firma;
        alege(arataSelectia(), u"RO7"_s);
        QVERIFY2(ui::testing::messages().isEmpty(), qPrintable(Arbore_Test::mesaje().join(u" | "_s)));
        QVERIFY(!prima.isOpen());
        QVERIFY(Conexiune_Firma.isOpen());
        QCOMPARE(Cale_Firma, a.folderBazaDate() + u"RO7.mdb"_s);
        QCOMPARE(ui::Forms::get(u"Frm_Meniu_Principal"_s)->findChild<QLabel*>(u"Label2"_s)->text(),
                 u"Firma selectata: A doua"_s);
    }

    void registruGol()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        {
            db::Connection c = a.deschide(u"System/DataBase/Comun.mdb"_s);
            QVERIFY(c.execute(u"DELETE FROM Firme"_s));
        }
        Frm_Selectie_Firma* f = arataSelectia();
        QCOMPARE(f->Cmb_Firma->count(), 0);
        f->CmdOK->click();
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m[0].text, u"Nume firma  -  Obligatoriu de completat !"_s);
        QCOMPARE(m[0].icon, ui::Icon::Critical);
        QCOMPARE(m[0].title, std::optional<QString>(u"EROARE"_s));
        QVERIFY(ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
    }

    void comunNuSeDeschide()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        Cale_Comun = a.folderBazaDate() + u"lipsa.mdb"_s;
        ui::Forms::show(u"Frm_Selectie_Firma"_s);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QCOMPARE(m.size(), 1);
        QCOMPARE(m[0].icon, ui::Icon::None);
        QVERIFY(m[0].text.contains(u"\r\n"_s));
        QVERIFY(!ui::Forms::isLoaded(u"Frm_Selectie_Firma"_s));
    }

    void codFiscalCuApostrof()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        adaugaFirma(a, u"RO'8"_s, u"D'Arc SRL"_s, u"RO8.mdb"_s);
        QCOMPARE(Deschide_Firma(u"D'Arc SRL"_s, u"RO8.mdb"_s, u"RO'8"_s), Rezultat_Selectie::Deschisa);
        QCOMPARE(FirmaCurenta_Nume, u"D'Arc SRL"_s);
        QVERIFY(ui::testing::messages().isEmpty());
    }

    void bazaFirmeiStricata()
    {
        Arbore_Test a;
        VERIFICA_ARBORE(a);
        QCOMPARE(Deschide_Firma(u"FIRMA DEMONSTRATIVA SRL"_s, u"RO0000001.mdb"_s, u"RO0000001"_s),
                 Rezultat_Selectie::Deschisa);
        adaugaFirma(a, u"RO9"_s, u"Stricata"_s, u"RO9.mdb"_s, false);
        {
            QFile f(a.folderBazaDate() + u"RO9.mdb"_s);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        }
        ui::testing::clear();
        QCOMPARE(Deschide_Firma(u"Stricata"_s, u"RO9.mdb"_s, u"RO9"_s), Rezultat_Selectie::Esuata);
        const QList<ui::testing::Call> m = ui::testing::messages();
        QVERIFY(!m.isEmpty());
        QVERIFY2(m[0].text.startsWith(u"EROARE : "_s), qPrintable(m[0].text));
        QCOMPARE(m[0].icon, ui::Icon::Critical);
        // The open company was not given up for one that does not open.
        QVERIFY(Conexiune_Firma.isOpen());
        QCOMPARE(FirmaCurenta_CodFiscal, u"RO0000001"_s);
    }
};

QTEST_MAIN(TestSelectieFirma)
#include "tst_selectie_firma.moc"
