#pragma once
// The list windows on a fresh copy of the seeded program folder: the common
// database and the tariff of the tree open, the code-list windows
// registered, the main window and another work window as recording
// stand-ins, so that a test can see which windows an opening closed.

#include "codelists/ConexiuneTarif.h"
#include "codelists/Ferestre_Liste.h"
#include "common/Globale.h"
#include "common/Transfera_Excel.h"
#include "platform/grid/print.h"
#include "platform/sys/clock.h"
#include "platform/ui/fereastra_stub.h"
#include "platform/ui/forms.h"
#include "shell/Arbore_Test.h"

#include <QApplication>
#include <QPageLayout>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

class Liste_Test
{
public:
    Liste_Test()
    {
        if (!m_arbore.ok())
            return;
        ui::Forms::resetForTests();
        Reseteaza_Globale_Meniu();
        Reseteaza_Globale_Tarif();
        Reseteaza_Globale_Cautare();
        sys::Clock::set(QDateTime(QDate(2026, 6, 15), QTime(10, 0)));
        ui::FereastraStub::registerStub(QStringLiteral("Frm_Meniu_Principal"), QStringLiteral("Quorvel"));
        ui::FereastraStub::registerStub(QStringLiteral("Frm_INTRASTAT"), QStringLiteral("Frm_INTRASTAT"));
        Inregistreaza_Ferestre_Liste();
        Cale_Firma = m_arbore.folderBazaDate() + QStringLiteral("RO0000001.mdb");
        m_ok = !Conexiune_Comun.open(Cale_Comun) && !Conexiune_Firma.open(Cale_Firma) &&
               Deschide_Conexiune_Tarif(6, 2026);
        Seteaza_Deschidere_Export([this](const QString& cale) {
            m_exportat = cale;
            return std::nullopt;
        });
    }
    ~Liste_Test()
    {
        Seteaza_Deschidere_Export({});
        if (!m_exportat.isEmpty())
            QFile::remove(m_exportat);
        ui::Forms::resetForTests();
        Reseteaza_Globale_Meniu();
        Reseteaza_Globale_Cautare();
        Reseteaza_Globale_Tarif();
        ui::FereastraStub::clearDeschideri();
        sys::Clock::reset();
    }
    Liste_Test(const Liste_Test&) = delete;
    Liste_Test& operator=(const Liste_Test&) = delete;

    bool ok() const { return m_ok; }
    const Arbore_Test& arbore() const { return m_arbore; }
    // The workbook of the last export (the desktop does not open it).
    QString exportat() const { return m_exportat; }

    // Shows the main window and another work window, as the menu finds them.
    static bool ferestreDeschise()
    {
        return ui::Forms::show(QStringLiteral("Frm_Meniu_Principal")) &&
               ui::Forms::show(QStringLiteral("Frm_INTRASTAT"));
    }

    // Makes the window the active one, coming from another of the program's
    // windows, so that its activation runs.
    static bool activeaza(QWidget* fereastra)
    {
        QWidget* alta = ui::Forms::get(QStringLiteral("Frm_Meniu_Principal"));
        if (!alta)
            alta = ui::Forms::load(QStringLiteral("Frm_Meniu_Principal"));
        alta->show();
        alta->activateWindow();
        if (!QTest::qWaitForWindowActive(alta))
            return false;
        fereastra->activateWindow();
        return QTest::qWaitForWindowActive(fereastra);
    }

    // Runs the check while the grid's print preview is up, then closes it.
    static void laPrevizualizare(QObject* context, bool* vazut,
                                 std::function<void(grid::PrintPreview&)> verifica)
    {
        QTimer::singleShot(0, context, [vazut, verifica] {
            auto* preview = qobject_cast<grid::PrintPreview*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            *vazut = true;
            const auto inchide = qScopeGuard([preview] { preview->reject(); });
            verifica(*preview);
        });
    }

    // The top and bottom margins of the preview's page, in twips.
    static QPair<int, int> margini(grid::PrintPreview& preview)
    {
        const QMarginsF m = preview.printer().pageLayout().margins(QPageLayout::Point);
        return {qRound(m.top() * 20), qRound(m.bottom() * 20)};
    }

    // One value of the first row of a query.
    static db::Variant valoare(db::Connection& c, const QString& sql)
    {
        db::Result<db::Recordset> rs = c.openRecordset(sql);
        if (!rs || rs->eof())
            return db::Variant::null();
        return rs->value(0);
    }

private:
    Arbore_Test m_arbore;
    bool m_ok = false;
    QString m_exportat;
};

#define VERIFICA_LISTE(t)                                                                                    \
    do {                                                                                                     \
        if (!(t).ok())                                                                                       \
            QFAIL("the seeded program folder could not be opened");                                          \
    } while (false)
