#pragma once
// A company with declaration lines: a fresh copy of the seeded program folder,
// the demonstration company's database open as the company connection,
// Comun.mdb as the common one, and a tariff file CN2015.mdb of our own
// (a code with a supplementary unit, one without) open as the tariff.
// The code versions are replaced by three of our own:
//   July 2014 to June 2015 (labels ending in "14"), July to December 2015
//   ("15"), and the open-ended one from January 2016 ("16").

#include "codelists/Cautare_Tarif.h"
#include "common/Globale.h"
#include "shell/Arbore_Test.h"

#include <QVariantMap>

class Fixtura_Declaratie
{
public:
    // The codes of the test tariff.
    static constexpr char16_t kCodCuUM[] = u"01012100";   // unit "p/st"
    static constexpr char16_t kCodFaraUM[] = u"84713000"; // no unit
    static constexpr char16_t kCodLipsa[] = u"99999999";  // not in the tariff

    Fixtura_Declaratie()
    {
        if (!m_arbore.ok())
            return;
        m_ok = !Conexiune_Comun.open(m_arbore.cale(QStringLiteral("System/DataBase/Comun.mdb"))) &&
               !Conexiune_Firma.open(m_arbore.cale(QStringLiteral("System/DataBase/RO0000001.mdb"))) &&
               faTarif() && versiuni();
        Folder_Salvare_XML = Folder_Sistem + QStringLiteral("IntrastatSave/");
    }
    ~Fixtura_Declaratie()
    {
        Elibereaza_Cautare_Tarif();
        Reseteaza_Globale_Tarif();
        Reseteaza_Globale_Declaratie();
    }
    Fixtura_Declaratie(const Fixtura_Declaratie&) = delete;
    Fixtura_Declaratie& operator=(const Fixtura_Declaratie&) = delete;

    bool ok() const { return m_ok; }
    const Arbore_Test& arbore() const { return m_arbore; }
    QString cale(const QString& relativ) const { return m_arbore.cale(relativ); }

    // Opens the test tariff as Conexiune_CN.
    bool deschideTarif() { return !Conexiune_CN.open(cale(QStringLiteral("System/DataBase/CN/CN2015.mdb"))); }

    // Adds a line: a valid dispatch of FirmaCurenta_CodFiscal for May 2015 (a
    // code without unit, every code list satisfied), with the given columns
    // set over it (an invalid QVariant stores Null). Gives its Record_ID.
    qint64 linie(const QVariantMap& coloane = {})
    {
        QVariantMap v{{QStringLiteral("TIP"), QStringLiteral("O")},
                      {QStringLiteral("Cod_Fiscal"), FirmaCurenta_CodFiscal},
                      {QStringLiteral("Anul"), 2015},
                      {QStringLiteral("Luna"), 5},
                      {QStringLiteral("Cod_NC"), QString::fromUtf16(kCodFaraUM)},
                      {QStringLiteral("Descriere_NC"), QStringLiteral("descriere veche")},
                      {QStringLiteral("Tara_Orig"), QStringLiteral("RO")},
                      {QStringLiteral("Tara_Exp"), QStringLiteral("RO")},
                      {QStringLiteral("Tara_Dest"), QStringLiteral("DE")},
                      {QStringLiteral("Val_Fiscala"), 1000.0},
                      {QStringLiteral("Val_Stat"), 1100.0},
                      {QStringLiteral("Net"), 12.0},
                      {QStringLiteral("Cod_UMS"), QVariant()},
                      {QStringLiteral("Val_UMS"), QVariant()},
                      {QStringLiteral("Nat_Tranz"), QStringLiteral("11")},
                      {QStringLiteral("Incoterms"), QStringLiteral("DAP")},
                      {QStringLiteral("Mod_Transp"), QStringLiteral("3")},
                      {QStringLiteral("Cantitate"), 5.0},
                      {QStringLiteral("VAT_ID"), QStringLiteral("DE123456789")},
                      {QStringLiteral("SourceFile"), QStringLiteral("a.xlsx")},
                      {QStringLiteral("Probleme"), 0},
                      {QStringLiteral("Exista_UMS"), 0},
                      {QStringLiteral("Pozitia"), 1}};
        for (auto it = coloane.cbegin(); it != coloane.cend(); ++it)
            v.insert(it.key(), it.value());
        QStringList nume;
        QStringList semne;
        QVector<db::Variant> valori;
        for (auto it = v.cbegin(); it != v.cend(); ++it) {
            nume << it.key();
            semne << QStringLiteral("?%1").arg(valori.size() + 1);
            valori << valoare(it.value());
        }
        const auto r = Conexiune_Firma.execute(QStringLiteral("INSERT INTO Intrastat (") + nume.join(u',') +
                                                   QStringLiteral(") VALUES (") + semne.join(u',') + u')',
                                               valori);
        if (!r)
            qWarning("%s", qPrintable(r.error().text()));
        return Conexiune_Firma.lastInsertRowId();
    }

    // One column of one line, read back from the company database.
    static db::Variant coloana(qint64 recordId, const QString& nume)
    {
        auto rs = Conexiune_Firma.openRecordset(QStringLiteral("SELECT ") + nume +
                                                QStringLiteral(" FROM Intrastat WHERE Record_ID = ") +
                                                QString::number(recordId));
        if (!rs || rs->eof())
            return db::Variant();
        return rs->value(0);
    }

    static QByteArray citeste(const QString& cale)
    {
        QFile f(cale);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static bool scrie(const QString& cale, const QByteArray& continut)
    {
        QFile f(cale);
        return f.open(QIODevice::WriteOnly) && f.write(continut) == continut.size();
    }

private:
    static db::Variant valoare(const QVariant& v)
    {
        if (!v.isValid() || v.isNull())
            return db::Variant::null();
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
            return db::Variant(v.toLongLong());
        case QMetaType::Double:
            return db::Variant(v.toDouble());
        default:
            return db::Variant(v.toString());
        }
    }

    bool faTarif()
    {
        const QString tarif = cale(QStringLiteral("System/DataBase/CN/CN2015.mdb"));
        QFile schema(qEnvironmentVariable("QUORVEL_SOURCE_DIR") +
                     QStringLiteral("/install/sql/cn_schema.sql"));
        if (db::Connection::createDatabase(tarif) || !schema.open(QIODevice::ReadOnly))
            return false;
        db::Connection c;
        if (c.open(tarif))
            return false;
        return ruleaza(
            c, QString::fromUtf8(schema.readAll()) +
                   QStringLiteral("INSERT INTO HS_8 (HS8_COD, HS12_COD, DESCRIERE, UM_SUPL, AN_START, "
                                  "AN_END, HS6_COD) VALUES "
                                  "('01012100', '010121000000', '  Reproducatori de rasa pura  ', "
                                  "'p/st', 2015, NULL, '010121'), "
                                  "('84713000', '847130000000', 'Masini portabile', NULL, 2015, NULL, "
                                  "'847130'), "
                                  "('55555555', '555555550000', 'Cod expirat', NULL, 2010, 2012, "
                                  "'555555');"));
    }

    bool versiuni()
    {
        return ruleaza(
            Conexiune_Comun,
            QStringLiteral(
                "DELETE FROM InsCodeVersions;"
                "INSERT INTO InsCodeVersions (Anul, Luna, Anul_End, Luna_End, CN_File, CountryVer, "
                "EuCountryVer, "
                "CnVer, ModeOfTransportVer, DeliveryTermsVer, NatureOfTransactionAVer, "
                "NatureOfTransactionBVer, "
                "CountyVer, LocalityVer, UnitVer) VALUES "
                "(2014, 7, 2015, 6, 'CN2015.mdb', 'C14', 'E14', 'N14', 'M14', 'D14', 'A14', 'B14', 'J14', "
                "'L14', "
                "'U14'), "
                "(2015, 7, 2015, 12, 'CN2015.mdb', 'C15', 'E15', 'N15', 'M15', 'D15', 'A15', 'B15', 'J15', "
                "'L15', "
                "'U15'), "
                "(2016, 1, NULL, NULL, 'CN2015.mdb', 'C16', 'E16', 'N16', 'M16', 'D16', 'A16', 'B16', 'J16', "
                "'L16', "
                "'U16');"));
    }

    static bool ruleaza(db::Connection& c, const QString& script)
    {
        const db::Error e = c.executeScript(script);
        if (e)
            qWarning("%s", qPrintable(e.text()));
        return !e;
    }

    Arbore_Test m_arbore;
    bool m_ok = false;
};

#define VERIFICA_FIXTURA(f)                                                                                  \
    do {                                                                                                     \
        if (!(f).ok())                                                                                       \
            QFAIL("the company fixture could not be built");                                                 \
    } while (false)
