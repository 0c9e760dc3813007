#pragma once
// The report windows on the declaration tests' company: a fresh copy of the
// seeded program folder whose demonstration company holds the standard
// declaration lines (working company RO123), with the real report windows
// registered over the stand-in, the working company's address filled, and
// the viewer and the workbook opener recorded instead of started.

#include "common/Transfera_Excel.h"
#include "declaration/Declaratie_Test.h"
#include "reports/Exporta_Raport.h"
#include "reports/Ferestre_Rapoarte.h"

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
        if (!m_declaratie.ok())
            return;
        QStandardPaths::setTestModeEnabled(true);
        Inregistreaza_Ferestre_Rapoarte();
        pornite().clear();
        Seteaza_Pornire_Vizualizator([](const QString& program, const QStringList& argumente) {
            pornite().append({program, argumente});
            return std::nullopt;
        });
        exportate().clear();
        Seteaza_Deschidere_Export([](const QString& cale) {
            exportate().append(cale);
            return std::nullopt;
        });
        FirmaCurenta_Adresa = QStringLiteral("Str. Lunga 1");
        FirmaCurenta_Oras = QStringLiteral("Brasov");
        FirmaCurenta_CodPostal = QStringLiteral("500001");
        FirmaCurenta_RegCom = QStringLiteral("J08/1/2000");
        FirmaCurenta_Tel = QStringLiteral("0268111222");
        Utilizator_Windows = QStringLiteral("ion");
        Nume_Calculator = QStringLiteral("birou1");
        Producator_NumeFirma = QStringLiteral("VELMORANT SRL");
        Producator_Telefon = QStringLiteral("0700000000");
        m_ok = true;
    }
    ~Raport_Test()
    {
        Seteaza_Pornire_Vizualizator({});
        Seteaza_Deschidere_Export({});
    }
    Raport_Test(const Raport_Test&) = delete;
    Raport_Test& operator=(const Raport_Test&) = delete;

    bool ok() const { return m_ok; }
    const Arbore_Test& arbore() const { return m_declaratie.arbore(); }
    QString cale(const QString& relativ) const { return arbore().cale(relativ); }

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
    Declaratie_Test m_declaratie;
    bool m_ok = false;
};

#define VERIFICA_RAPORT(r)                                                                                   \
    do {                                                                                                     \
        if (!(r).ok())                                                                                       \
            QFAIL("the program folder of the test could not be prepared");                                   \
    } while (false)
