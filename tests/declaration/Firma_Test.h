#pragma once
// A company database for one test: a copy of the seeded template in a
// temporary folder, open as Conexiune_Firma, the working company RO123.

#include "common/Globale.h"
#include "declaration/Fixture_Declaratii.h"

#include <QTemporaryDir>
#include <QTest>

class Firma_Test
{
public:
    Firma_Test()
    {
        Reseteaza_Globale_Firma();
        Reseteaza_Globale_Declaratie();
        m_cale = m_dir.filePath(QStringLiteral("firma.mdb"));
        m_ok = Creeaza_Firma_Din_Sablon(qEnvironmentVariable("QUORVEL_SEED_TREE") +
                                            QStringLiteral("/System/DataBase/goala.mdb"),
                                        m_cale) &&
               !Conexiune_Firma.open(m_cale);
        FirmaCurenta_CodFiscal = QStringLiteral("RO123");
    }
    ~Firma_Test()
    {
        Reseteaza_Globale_Declaratie();
        Reseteaza_Globale_Firma();
    }
    Firma_Test(const Firma_Test&) = delete;
    Firma_Test& operator=(const Firma_Test&) = delete;

    bool ok() const { return m_ok; }
    QString cale() const { return m_cale; }

    // One value of the first row of a query on the company database.
    static db::Variant valoare(const QString& sql)
    {
        db::Result<db::Recordset> rs = Conexiune_Firma.openRecordset(sql);
        if (!rs || rs->eof())
            return db::Variant::null();
        return rs->value(0);
    }
    static int numar(const QString& conditie)
    {
        return valoare(QStringLiteral("SELECT COUNT(*) FROM Intrastat WHERE ") + conditie).toInt();
    }

private:
    QTemporaryDir m_dir;
    QString m_cale;
    bool m_ok = false;
};
