#pragma once
// The import tests' ground: a fresh copy of the seeded program folder with
// the demonstration company chosen (its database and the common database
// open, its fiscal code "RO0000001", user "ion"), templates written row by
// row, and workbooks written with libxlsxwriter.

#include "common/Globale.h"
#include "import/Preluare_Excel.h"
#include "platform/sys/clock.h"
#include "shell/Arbore_Test.h"

#include <QFile>
#include <QVariant>
#include <xlsxwriter.h>
#include <zip.h>

namespace preluare_test {

// One row of a template: the Intrastat column, taken from sheet column
// `numar` (0: not from the sheet), its default and its maximum (null QVariant: none).
struct Rand
{
    QString coloana;
    int numar = 0;
    QVariant implicit;
    QVariant marime;
};

class Mediu : public Arbore_Test
{
public:
    Mediu()
    {
        Reseteaza_Globale_Tarif();
        Reseteaza_Globale_Preluare();
        Reseteaza_Globale_Declaratie();
        m_gata = ok() && !Conexiune_Comun.open(Cale_Comun) &&
                 !Conexiune_Firma.open(Folder_BazaDate + QStringLiteral("RO0000001.mdb"));
        Cale_Firma = Folder_BazaDate + QStringLiteral("RO0000001.mdb");
        FirmaCurenta_CodFiscal = QStringLiteral("RO0000001");
        Utilizator_Windows = QStringLiteral("ion");
        sys::Clock::set(QDateTime(QDate(2026, 4, 20), QTime(9, 30)));
    }
    ~Mediu()
    {
        Reseteaza_Globale_Preluare();
        Reseteaza_Globale_Tarif();
        Reseteaza_Globale_Declaratie();
        sys::Clock::reset();
    }

    bool gata() const { return m_gata; }

    // A template with its header and rows, written straight into the tables.
    static bool macheta(const QString& nume, const QString& tip, const QList<Rand>& randuri,
                        const QString& locatie = QString(), const QString& foaie = QString())
    {
        const auto v = [](const QVariant& q) {
            if (!q.isValid())
                return db::Variant::null();
            if (q.typeId() == QMetaType::Int)
                return db::Variant(q.toInt());
            return db::Variant(q.toString());
        };
        auto a = Conexiune_Firma.execute(
            QStringLiteral("INSERT INTO StructuraFisiereAntet (Nume_structura, TIP, Locatie_Implicita, "
                           "Work_Sheet_Name) VALUES (?, ?, ?, ?)"),
            {db::Variant(nume), db::Variant(tip), v(locatie.isEmpty() ? QVariant() : QVariant(locatie)),
             v(foaie.isEmpty() ? QVariant() : QVariant(foaie))});
        if (!a) {
            qWarning("%s", qPrintable(a.error().text()));
            return false;
        }
        int ordine = 0;
        for (const Rand& r : randuri) {
            auto c = Conexiune_Firma.execute(
                QStringLiteral("INSERT INTO StructuraFisiereContinut (Nume_Structura, Dest_ColumnName, "
                               "Exista_Coloana, Numar_Coloana, Valoare_Implicita, Marime_Maxima, Sort_Order) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {db::Variant(nume), db::Variant(r.coloana), db::Variant(r.numar > 0),
                 r.numar > 0 ? db::Variant(r.numar) : db::Variant::null(), v(r.implicit), v(r.marime),
                 db::Variant(++ordine)});
            if (!c) {
                qWarning("%s", qPrintable(c.error().text()));
                return false;
            }
        }
        return true;
    }

    // The fixture's dispatch template: Cod_NC <- 1, Tara_Dest <- 2 (max 2),
    // Val_Fiscala <- 3, Net <- 4 (default 0), Cantitate <- 5, Nat_Tranz "11".
    static bool machetaLivrare(const QString& nume = QStringLiteral("Livrari"),
                               const QString& tip = QStringLiteral("LIVRARE"))
    {
        return macheta(nume, tip,
                       {{QStringLiteral("Cod_NC"), 1, {}, {}},
                        {QStringLiteral("Tara_Dest"), 2, {}, 2},
                        {QStringLiteral("Val_Fiscala"), 3, {}, {}},
                        {QStringLiteral("Net"), 4, QStringLiteral("0"), {}},
                        {QStringLiteral("Cantitate"), 5, {}, {}},
                        {QStringLiteral("Nat_Tranz"), 0, QStringLiteral("11"), 2}});
    }

    // A single value of the company database.
    static db::Variant valoare(const QString& sql)
    {
        auto rs = Conexiune_Firma.openRecordset(sql, db::CursorType::Static, db::LockType::ReadOnly);
        if (!rs || rs->eof())
            return db::Variant();
        return rs->value(0);
    }
    static int numarRanduri() { return valoare(QStringLiteral("SELECT COUNT(*) FROM Intrastat")).toInt(); }

    // The accounting documents of the demonstration company, as the
    // accounting program writes them (nothing checks the widths there):
    // arrivals in March 2026 (two lines, the second with Record_ID 70000, a
    // description of 300 characters and a unit of 25), February 2026 and
    // December 2025; dispatches in March 2026 (two lines) and January 2026.
    static bool contabilitate()
    {
        const QStringList comenzi{
            QStringLiteral(
                "INSERT INTO Furnizori (Cod_Partener, Nume_Partener, VAT_ID, Cod_Tara, Tara_Expeditie, "
                "Mod_Transp, Nat_Tranz, Incoterms) VALUES "
                "('P1', 'Furnizor', 'DE123456789', 'DE', 'AT', '3', '11', 'dap')"),
            QStringLiteral(
                "INSERT INTO Furnizori (Cod_Partener, Nume_Partener, VAT_ID, Cod_Tara, Mod_Transp, "
                "Nat_Tranz, Incoterms) VALUES ('C1', 'Client', 'FR12345678901', 'FR', '3', '11', 'exw')"),
            QStringLiteral(
                "INSERT INTO MA (Cod_MA_PF, Descriere_RO, Cod_Vamal, Greutate_Neta, Tara_Orig) VALUES "
                "('M1', 'Laptop', '84713000', 2.25, 'cn')"),
            QStringLiteral("INSERT INTO MA (Cod_MA_PF, Descriere_RO, Cod_Vamal, Greutate_Neta) VALUES "
                           "('M2', '") +
                QString(300, u'x') + QStringLiteral("', '01012100', 400)"),
            QStringLiteral(
                "INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, "
                "Numar_Factura, Data_Factura, Moneda, Curs_Schimb) VALUES "
                "('NIR 1', '2026-03-15', 'P1', 'F100', '2026-03-14', 'EUR', 5)"),
            QStringLiteral(
                "INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, "
                "Numar_Factura, Data_Factura, Moneda, Curs_Schimb, Incoterms, Tara_Exp) VALUES "
                "('NIR 2', '2026-03-31', 'P1', 'F101', '2026-03-30', 'EUR', 5, 'fca', 'de')"),
            QStringLiteral(
                "INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, "
                "Curs_Schimb) VALUES ('NIR 3', '2026-02-10', 'P1', 5)"),
            QStringLiteral(
                "INSERT INTO Intrari_Antet (Document_Intern_Nr, Document_Intern_Data, Cod_Partener, "
                "Curs_Schimb) VALUES ('NIR 4', '2025-12-05', 'P1', 5)"),
            QStringLiteral("INSERT INTO Intrari_Linii (Document_Intern_Nr, Cod_MA_PF, Cantitate, UM, "
                           "Valoare_Valuta) VALUES ('NIR 1', 'M1', 2, 'buc', 100.5)"),
            QStringLiteral(
                "INSERT INTO Intrari_Linii (Record_ID, Document_Intern_Nr, Cod_MA_PF, Cantitate, UM, "
                "Valoare_Valuta) VALUES (70000, 'NIR 2', 'M2', 1, '") +
                QString(25, u'u') + QStringLiteral("', 1000)"),
            QStringLiteral(
                "INSERT INTO Intrari_Linii (Document_Intern_Nr, Cod_MA_PF, Cantitate, Valoare_Valuta) "
                "VALUES ('NIR 3', 'M1', 1, 10)"),
            QStringLiteral(
                "INSERT INTO Intrari_Linii (Document_Intern_Nr, Cod_MA_PF, Cantitate, Valoare_Valuta) "
                "VALUES ('NIR 4', 'M1', 1, 10)"),
            QStringLiteral("INSERT INTO Factura_Export_Antet (Numar_Factura, Data_Factura, Data_Livrarii, "
                           "Cod_Partener, Moneda, Curs_Schimb) VALUES "
                           "('FE 1', '2026-03-01', '2026-03-02', 'C1', 'EUR', 4)"),
            QStringLiteral("INSERT INTO Factura_Export_Antet (Numar_Factura, Data_Livrarii, Cod_Partener, "
                           "Curs_Schimb, Tara_Dest) VALUES ('FE 2', '2026-01-12', 'C1', 4, 'it')"),
            QStringLiteral("INSERT INTO Factura_Export_Linii (Numar_Factura, Cod_MA_PF, Cantitate, UM, "
                           "Valoare_Valuta) VALUES ('FE 1', 'M1', 3, 'buc', 10.5)"),
            QStringLiteral("INSERT INTO Factura_Export_Linii (Numar_Factura, Cod_MA_PF, Cantitate, UM, "
                           "Valoare_Valuta) VALUES ('FE 1', 'M2', 1, 'buc', 20)"),
            QStringLiteral(
                "INSERT INTO Factura_Export_Linii (Numar_Factura, Cod_MA_PF, Cantitate, Valoare_Valuta) "
                "VALUES ('FE 2', 'M1', 1, 1)"),
        };
        for (const QString& sql : comenzi) {
            auto r = Conexiune_Firma.execute(sql);
            if (!r) {
                qWarning("%s", qPrintable(r.error().text()));
                return false;
            }
        }
        return true;
    }

    // One declaration line with the key, as another import would have left it.
    static bool linie(const QString& tip, const QString& codFiscal, int anul, int luna,
                      const QString& fisier = QStringLiteral("martie.xlsx"))
    {
        auto r = Conexiune_Firma.execute(
            QStringLiteral("INSERT INTO Intrastat (TIP, Cod_Fiscal, Anul, Luna, Cod_NC, SourceFile) "
                           "VALUES (?, ?, ?, ?, '84713000', ?)"),
            {db::Variant(tip), db::Variant(codFiscal), db::Variant(anul), db::Variant(luna),
             db::Variant(fisier)});
        if (!r)
            qWarning("%s", qPrintable(r.error().text()));
        return r.ok();
    }

    // The Intrastat columns a template's rows fill, in their display order.
    static QStringList coloaneMacheta(const QString& nume)
    {
        QStringList c;
        auto rs = Conexiune_Firma.openRecordset(
            QStringLiteral("SELECT Dest_ColumnName FROM StructuraFisiereContinut WHERE Nume_Structura = ? "
                           "ORDER BY Sort_Order"),
            {db::Variant(nume)});
        for (; rs && !rs->eof(); rs->moveNext())
            c << rs->value(0).toText();
        return c;
    }

private:
    bool m_gata = false;
};

// A formula cell, with the result the workbook keeps for it.
struct Formula
{
    QString text; // "=C2*D2"
    double rezultat = 0;
};

} // namespace preluare_test

Q_DECLARE_METATYPE(preluare_test::Formula)

namespace preluare_test {

// Writes an .xlsx whose first sheet holds the rows (the first is the heading
// row): numbers as numbers, texts as texts, dates as dates, formulas with
// their results, invalid values left empty. Further sheets by name, heading
// "X" only.
inline bool scrieXlsx(const QString& cale, const QList<QVariantList>& randuri,
                      const QString& foaie = QStringLiteral("Sheet1"), const QStringList& alteFoi = {})
{
    const QByteArray fisier = QFile::encodeName(cale);
    lxw_workbook* wb = workbook_new(fisier.constData());
    if (!wb)
        return false;
    lxw_format* data = workbook_add_format(wb);
    format_set_num_format(data, "dd/mm/yyyy");
    lxw_worksheet* s = workbook_add_worksheet(wb, foaie.toUtf8().constData());
    for (int r = 0; r < randuri.size(); ++r) {
        for (int c = 0; c < randuri.at(r).size(); ++c) {
            const QVariant& v = randuri.at(r).at(c);
            const auto rr = lxw_row_t(r);
            const auto cc = lxw_col_t(c);
            if (!v.isValid())
                continue;
            if (v.typeId() == QMetaType::QString)
                worksheet_write_string(s, rr, cc, v.toString().toUtf8().constData(), nullptr);
            else if (v.typeId() == qMetaTypeId<Formula>()) {
                const Formula f = v.value<Formula>();
                worksheet_write_formula_num(s, rr, cc, f.text.toUtf8().constData(), nullptr, f.rezultat);
            } else if (v.typeId() == QMetaType::QDate) {
                const QDate d = v.toDate();
                lxw_datetime dt{d.year(), d.month(), d.day(), 0, 0, 0};
                worksheet_write_datetime(s, rr, cc, &dt, data);
            } else
                worksheet_write_number(s, rr, cc, v.toDouble(), nullptr);
        }
    }
    for (const QString& alta : alteFoi) {
        lxw_worksheet* a = workbook_add_worksheet(wb, alta.toUtf8().constData());
        worksheet_write_string(a, 0, 0, "X", nullptr);
    }
    return workbook_close(wb) == LXW_NO_ERROR;
}

// Gives a sheet of an .xlsx another name, one the writer would refuse
// (a "]" in it): the name in the workbook part is replaced.
inline bool redenumesteFoaie(const QString& cale, const QString& vechi, const QString& nou)
{
    int cod = 0;
    zip_t* z = zip_open(QFile::encodeName(cale).constData(), 0, &cod);
    if (!z)
        return false;
    QByteArray parte;
    zip_stat_t st;
    if (zip_stat(z, "xl/workbook.xml", 0, &st) == 0) {
        if (zip_file_t* f = zip_fopen(z, "xl/workbook.xml", 0)) {
            parte.resize(qsizetype(st.size));
            parte.resize(qsizetype(std::max<zip_int64_t>(0, zip_fread(f, parte.data(), st.size))));
            zip_fclose(f);
        }
    }
    const QByteArray din = "name=\"" + vechi.toUtf8() + '"';
    if (!parte.contains(din)) {
        zip_discard(z);
        return false;
    }
    parte.replace(din, QByteArray("name=\"" + nou.toHtmlEscaped().toUtf8() + '"'));
    zip_source_t* sursa = zip_source_buffer(z, parte.constData(), zip_uint64_t(parte.size()), 0);
    if (!sursa || zip_file_add(z, "xl/workbook.xml", sursa, ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(sursa);
        zip_discard(z);
        return false;
    }
    return zip_close(z) == 0;
}

// An observer of the import that keeps nothing it is told.
class Tacut : public Observator_Preluare
{
public:
    void adauga(const QString&) override {}
    void inceputCopiere() override {}
    void progres(const Progres_Preluare&) override {}
};

inline QString fixtura(const QString& nume)
{
    return qEnvironmentVariable("QUORVEL_SOURCE_DIR") + QStringLiteral("/tests/fixtures/") + nume;
}

} // namespace preluare_test
