// Writes the sample workbook of the demonstration company's template
// "Exemplu Livrari": a month of dispatches with the columns the template
// reads, so that a new user can try the import at once.
//
//   quorvel_exemple <output .xlsx>

#include <cstdio>
#include <xlsxwriter.h>

namespace {

struct Line
{
    const char* code;
    const char* description;
    const char* destination;
    const char* origin;
    double value;
    double mass;
    double quantity;
    const char* nature;
    const char* incoterms;
    const char* transport;
    const char* vat;
    const char* invoice;
    int day;
};

const Line kLines[] = {
    {"8471 30 00", "Laptop 14 inch", "de", "cn", 12500.50, 35.2, 10, "11", "DAP", "3", "DE123456789",
     "FV-1001", 3},
    {"8418.21.51", "Frigider tip masa", "fr", "ro", 8400, 210.5, 6, "11", "EXW", "3", "FR12345678901",
     "FV-1002", 5},
    {"6109 10 00", "Tricouri bumbac", "it", "", 3150.25, 48, 300, "11", "FCA", "3", "IT12345678901",
     "FV-1003", 9},
    {"8418-61-00", "Pompa de caldura", "hu", "de", 22900, 180, 2, "11", "DAP", "3", "HU12345678", "FV-1004",
     12},
    {"6110 11 10", "Pulovere lana", "at", "ro", 4875.5, 22.4, 150, "11", "CPT", "3", "ATU12345678", "FV-1005",
     16},
    {"8471 30 00", "Laptop 16 inch", "nl", "cn", 9999.99, 18.75, 5, "11", "DAP", "4", "NL123456789B01",
     "FV-1006", 20},
    {"0401 10 10", "Lapte UHT", "bg", "ro", 1840, 960, 0, "11", "EXW", "3", "BG123456789", "FV-1007", 24},
    {"8418 21 51", "Frigider tip masa", "pl", "ro", 2800.5, 70.5, 2, "11", "DAP", "3", "PL1234567890",
     "FV-1008", 28},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output .xlsx>\n", argv[0]);
        return 2;
    }
    lxw_workbook* wb = workbook_new(argv[1]);
    if (!wb)
        return 1;
    lxw_format* date = workbook_add_format(wb);
    format_set_num_format(date, "dd.mm.yyyy");
    lxw_format* bold = workbook_add_format(wb);
    format_set_bold(bold);
    lxw_worksheet* s = workbook_add_worksheet(wb, "Sheet1");
    const char* headings[] = {"Cod vamal",     "Descriere",      "Tara destinatie", "Tara origine",
                              "Valoare (lei)", "Masa neta (kg)", "Cantitate",       "Natura tranzactiei",
                              "Incoterms",     "Mod transport",  "Cod TVA client",  "Factura",
                              "Data factura"};
    for (lxw_col_t c = 0; c < 13; ++c)
        worksheet_write_string(s, 0, c, headings[c], bold);
    worksheet_set_column(s, 0, 12, 16, nullptr);
    lxw_row_t r = 1;
    for (const Line& l : kLines) {
        worksheet_write_string(s, r, 0, l.code, nullptr);
        worksheet_write_string(s, r, 1, l.description, nullptr);
        worksheet_write_string(s, r, 2, l.destination, nullptr);
        if (l.origin[0])
            worksheet_write_string(s, r, 3, l.origin, nullptr);
        worksheet_write_number(s, r, 4, l.value, nullptr);
        worksheet_write_number(s, r, 5, l.mass, nullptr);
        if (l.quantity > 0)
            worksheet_write_number(s, r, 6, l.quantity, nullptr);
        worksheet_write_string(s, r, 7, l.nature, nullptr);
        worksheet_write_string(s, r, 8, l.incoterms, nullptr);
        worksheet_write_string(s, r, 9, l.transport, nullptr);
        worksheet_write_string(s, r, 10, l.vat, nullptr);
        worksheet_write_string(s, r, 11, l.invoice, nullptr);
        lxw_datetime d{2026, 3, l.day, 0, 0, 0};
        worksheet_write_datetime(s, r, 12, &d, date);
        ++r;
    }
    return workbook_close(wb) == LXW_NO_ERROR ? 0 : 1;
}
