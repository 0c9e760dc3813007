#pragma once
// The report windows on a fresh copy of the seeded program folder: the
// demonstration company's database holds the standard declaration lines
// (working company RO123), the common database is the tree's, the windows
// are registered, and the viewer and the workbook opener are recorded
// instead of started.

#include "common/Globale.h"
#include "common/Transfera_Excel.h"
#include "declaration/Fixture_Declaratii.h"
#include "platform/ui/forms.h"
#include "reports/Exporta_Raport.h"
#include "reports/Ferestre_Rapoarte.h"
#include "shell/Arbore_Test.h"

#include <QLocale>
#include <QStandardPaths>

class Raport_Test
{
public:
    // A program started on the viewer with its arguments.
    struct Pornire
    {
        QString program;
        QStringList argumente;
    };

    Raport_Test()
    {
        if (!m_arbore.ok())
            return;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QStandardPaths::setTestModeEnabled(true);
        Reseteaza_Globale_Declaratie();
        ui::Forms::resetForTests();
        Inregistreaza_Ferestre_Rapoarte();
        pornite().clear();
        Seteaza_Pornire_Vizualizator([](const QString& program, const QStringList& argumente) {
            pornite().append({program, argumente});
            return true;
        });
        exportate().clear();
        Seteaza_Deschidere_Export([](const QString& cale) {
            exportate().append(cale);
            return true;
        });
        Cale_Firma = m_arbore.folderBazaDate() + QStringLiteral("RO0000001.mdb");
        m_ok = !Conexiune_Comun.open(Cale_Comun) && !Conexiune_Firma.open(Cale_Firma) &&
               !Populeaza_Firma_Standard(Conexiune_Firma);
        FirmaCurenta_CodFiscal = QStringLiteral("RO123");
        FirmaCurenta_Nume = QStringLiteral("FIRMA TEST SRL");
        FirmaCurenta_Adresa = QStringLiteral("Str. Lunga 1");
        FirmaCurenta_Oras = QStringLiteral("Brasov");
        FirmaCurenta_CodPostal = QStringLiteral("500001");
        FirmaCurenta_RegCom = QStringLiteral("J08/1/2000");
        FirmaCurenta_Tel = QStringLiteral("0268111222");
        Utilizator_Windows = QStringLiteral("ion");
        Nume_Calculator = QStringLiteral("birou1");
        Producator_NumeFirma = QStringLiteral("VELMORANT SRL");
        Producator_Telefon = QStringLiteral("0700000000");
    }
    ~Raport_Test()
    {
        ui::Forms::resetForTests();
        Reseteaza_Globale_Declaratie();
        Seteaza_Pornire_Vizualizator({});
        Seteaza_Deschidere_Export({});
    }
    Raport_Test(const Raport_Test&) = delete;
    Raport_Test& operator=(const Raport_Test&) = delete;

    bool ok() const { return m_ok; }
    const Arbore_Test& arbore() const { return m_arbore; }
    QString cale(const QString& relativ) const { return m_arbore.cale(relativ); }

    static QList<Pornire>& pornite()
    {
        static QList<Pornire> p;
        return p;
    }
    static QStringList& exportate()
    {
        static QStringList e;
        return e;
    }

    // One value of the first row of a query on a connection.
    static db::Variant valoare(db::Connection& c, const QString& sql)
    {
        db::Result<db::Recordset> rs = c.openRecordset(sql);
        if (!rs || rs->eof())
            return db::Variant::null();
        return rs->value(0);
    }

    static bool executa(db::Connection& c, const QString& sql)
    {
        const db::Result<qint64> r = c.execute(sql);
        if (!r)
            qWarning("%s", qPrintable(r.error().text()));
        return r.ok();
    }

private:
    Arbore_Test m_arbore;
    bool m_ok = false;
};

#define VERIFICA_RAPORT(r)                                                                                   \
    do {                                                                                                     \
        if (!(r).ok())                                                                                       \
            QFAIL("the program folder of the test could not be prepared");                                   \
    } while (false)
