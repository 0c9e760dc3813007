#pragma once
// The declaration windows on a fresh copy of the seeded program folder: the
// demonstration company's database holds the standard lines (working
// company RO123), the common database and the tariff are those of the tree,
// the windows are registered and the report window is a recording stand-in.

#include "common/Globale.h"
#include "declaration/Ferestre_Declaratie.h"
#include "declaration/Fixture_Declaratii.h"
#include "platform/ui/fereastra_stub.h"
#include "platform/ui/forms.h"
#include "shell/Arbore_Test.h"

#include <QLocale>
#include <QTest>

class Declaratie_Test
{
public:
    Declaratie_Test()
    {
        if (!m_arbore.ok())
            return;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Reseteaza_Globale_Declaratie();
        Reseteaza_Globale_Editare();
        Reseteaza_Globale_Tarif();
        ui::Forms::resetForTests();
        Inregistreaza_Ferestre_Declaratie();
        ui::FereastraStub::registerStub(QStringLiteral("Frm_Report"), QStringLiteral("Frm_Report"), [] {
            return QVariantMap{{QStringLiteral("Numar_Raport"), Numar_Raport},
                               {QStringLiteral("Mod_Raport"), Mod_Raport},
                               {QStringLiteral("Parametri_Raport"), Parametri_Raport}};
        });
        ui::FereastraStub::clearDeschideri();
        Folder_Salvare_XML = m_arbore.cale(QStringLiteral("System/IntrastatSave/"));
        Cale_Firma = m_arbore.folderBazaDate() + QStringLiteral("RO0000001.mdb");
        m_ok = !Conexiune_Comun.open(Cale_Comun) && !Conexiune_Firma.open(Cale_Firma) &&
               !Populeaza_Firma_Standard(Conexiune_Firma);
        FirmaCurenta_CodFiscal = QStringLiteral("RO123");
        FirmaCurenta_Nume = QStringLiteral("FIRMA TEST SRL");
        FirmaCurenta_PersoanaIntrastat = QStringLiteral("Ion Popescu");
        FirmaCurenta_Functie = QStringLiteral("Director");
        FirmaCurenta_Tel = QStringLiteral("0211");
        FirmaCurenta_Fax = QStringLiteral("0212");
        FirmaCurenta_Email = QStringLiteral("a@b.ro");
    }
    ~Declaratie_Test()
    {
        ui::Forms::resetForTests();
        Reseteaza_Globale_Declaratie();
        Reseteaza_Globale_Editare();
        Reseteaza_Globale_Tarif();
        ui::FereastraStub::clearDeschideri();
    }
    Declaratie_Test(const Declaratie_Test&) = delete;
    Declaratie_Test& operator=(const Declaratie_Test&) = delete;

    bool ok() const { return m_ok; }
    const Arbore_Test& arbore() const { return m_arbore; }

    // Opens the declaration window as its openers do, and lets it activate.
    template <class Fereastra> static Fereastra* deschide(const QString& filtru, const QString& titlu)
    {
        Filtru_Intrastat = filtru;
        auto* f = ui::Forms::load<Fereastra>(QStringLiteral("Frm_INTRASTAT"));
        if (!f)
            return nullptr;
        f->setWindowTitle(titlu);
        ui::Forms::show(QStringLiteral("Frm_INTRASTAT"));
        if (!QTest::qWaitForWindowActive(f))
            qWarning("the declaration window was not activated");
        return f;
    }

    // One value of the first row of a query on the company database.
    static db::Variant valoare(const QString& sql)
    {
        db::Result<db::Recordset> rs = Conexiune_Firma.openRecordset(sql);
        if (!rs || rs->eof())
            return db::Variant::null();
        return rs->value(0);
    }

private:
    Arbore_Test m_arbore;
    bool m_ok = false;
};

#define VERIFICA_DECLARATIA(d)                                                                               \
    do {                                                                                                     \
        if (!(d).ok())                                                                                       \
            QFAIL("the company of the test could not be prepared");                                          \
    } while (false)
