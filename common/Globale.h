#pragma once
// The process-wide values of the program, one group per owning module.
// Each group keeps its values together with a reset function that tests call
// to start from the state the program has before it first sets them.
// Append a group for your module below; keep includes light.

#include <QString>

// --- System queries (common/RegistriiOperatii, Module_UserName,
//     User_WorkStation_Name): the operating system, the user and the computer.
// Version text "<name> version: <major>.<minor>", empty until Versiune_Windows
// succeeds.
inline QString Text_Versiune_Windows;
// The user name as the company chooser keeps it ("N/A" when not readable).
inline QString Utilizator_Windows;
// The computer name read at start-up ("?" when not readable).
inline QString Nume_Calculator;

inline void Reseteaza_Globale_Sistem()
{
    Text_Versiune_Windows.clear();
    Utilizator_Windows.clear();
    Nume_Calculator.clear();
}

// --- Start-up and the working company (shell/Pornire, shell/Frm_Selectie_Firma,
//     shell/Frm_Creare_Firma): the two shared connections, their paths, the
//     working company's values, the screen work area and the viewers.
#include "platform/db/db.h"

#include <cstdint>

// The common database (Comun.mdb), open from the first company list to the
// end of the run, and the working company's database, open from a
// successful OK of the company chooser.
inline db::Connection Conexiune_Comun;
inline db::Connection Conexiune_Firma;
// Full paths of the two databases.
inline QString Cale_Comun;
inline QString Cale_Firma;

// The working company, loaded from its row of Firme when it is chosen.
inline QString FirmaCurenta_CodFiscal;
inline QString FirmaCurenta_Nume;
inline QString FirmaCurenta_Adresa;
inline QString FirmaCurenta_Oras;
inline QString FirmaCurenta_Judet;
inline QString FirmaCurenta_CodPostal;
inline QString FirmaCurenta_Tara;
inline QString FirmaCurenta_Tel;
inline QString FirmaCurenta_Fax;
inline QString FirmaCurenta_RegCom;
inline QString FirmaCurenta_Banca;
inline QString FirmaCurenta_Cont;
inline bool FirmaCurenta_ValoareStatistica = false;
inline QString FirmaCurenta_PersoanaIntrastat;
inline QString FirmaCurenta_Functie;
inline QString FirmaCurenta_Email;

// The screen's work area in twips and how much it exceeds the 9000 x 12000
// twip design size of the resizable windows (both 0 below 9201 twips high).
// Twips of the windows' design, which grow with the font in use
// (platform/ui/twips.h): a larger font leaves less to spare.
inline int Inaltime_Zona_Lucru = 0;
inline int Latime_Zona_Lucru = 0;
inline int Delta_Inaltime = 0;
inline int Delta_Latime = 0;

// The web browser and the PDF reader, from their App Paths entries.
inline QString Cale_IExplore;
inline bool Exista_IExplore = false;
inline QString Cale_AcroRd32;
inline bool Exista_AcroRd32 = false;

// The mode of Frm_Creare_Firma, set by the menu item that opens it: true to
// create a company, false to edit the working company.
inline bool Firma_Noua = true;

inline void Reseteaza_Globale_Firma()
{
    Conexiune_Comun.close();
    Conexiune_Firma.close();
    Conexiune_Comun = db::Connection();
    Conexiune_Firma = db::Connection();
    Cale_Comun.clear();
    Cale_Firma.clear();
    for (QString* v : {&FirmaCurenta_CodFiscal, &FirmaCurenta_Nume, &FirmaCurenta_Adresa, &FirmaCurenta_Oras,
                       &FirmaCurenta_Judet, &FirmaCurenta_CodPostal, &FirmaCurenta_Tara, &FirmaCurenta_Tel,
                       &FirmaCurenta_Fax, &FirmaCurenta_RegCom, &FirmaCurenta_Banca, &FirmaCurenta_Cont,
                       &FirmaCurenta_PersoanaIntrastat, &FirmaCurenta_Functie, &FirmaCurenta_Email})
        v->clear();
    FirmaCurenta_ValoareStatistica = false;
    Inaltime_Zona_Lucru = Latime_Zona_Lucru = Delta_Inaltime = Delta_Latime = 0;
    Cale_IExplore.clear();
    Exista_IExplore = false;
    Cale_AcroRd32.clear();
    Exista_AcroRd32 = false;
    Firma_Noua = true;
}

// --- The tariff and the code look-ups (codelists/ConexiuneTarif,
//     codelists/Cautare_Tabele): the tariff database of the period and the
//     look-up request a grid fills before a look-up or a pick-list.
#include <array>

namespace grid {
class CallingGrid;
}

// The tariff database of one code version; opened only by Deschide_Conexiune_Tarif.
inline db::Connection Conexiune_CN;

struct Cerere_Cautare_Tabele
{
    QString Cautare_ValoareTastata;                    // the value typed in the calling cell
    grid::CallingGrid* Cautare_GridApelant = nullptr;  // values go into its current row
    bool Cautare_PeFirma = false;                      // company database (else common), unless PeTarif
    QString Cautare_Rezultat;                          // "VALOARE GASITA: ..." / "VALOARE NEGASITA : ..."
    QString Cautare_SQL;                               // the list query (with the condition, for a look-up)
    std::uint8_t Cautare_NrColoane = 0;                // column pairs to copy, 1 to 8
    bool Cautare_Suprascrie = false;                   // callers set it true: every pair is written
    bool Cautare_PeTarif = false;                      // the tariff database (Conexiune_CN)
    std::array<std::int32_t, 9> Cautare_ColoaneDestinatie{}; // 1..8: calling grid column of pair k
    std::array<std::int32_t, 9> Cautare_ColoaneSursa{};      // 1..8: field of the list row of pair k
};
inline Cerere_Cautare_Tabele Parametri_Cautare_Tabele;

inline void Reseteaza_Globale_Tarif()
{
    Conexiune_CN.close();
    Conexiune_CN = db::Connection();
    Parametri_Cautare_Tabele = Cerere_Cautare_Tabele();
}

// --- The column search and the list type-ahead (codelists/FRM_cautare,
//     codelists/Frm_CautareTabele, codelists/Cautare_Rapida): the search
//     block a list window fills before it opens the column search, the
//     narrowed rows, and the prefix typed into a list grid.
#include <QPointer>

namespace grid {
class Grid;
}

inline QString Filtrare_SQL;               // the query of the caller's record set
inline QString Filtrare_Coloana;           // the column searched, "[Tara_DESC]"
inline QPointer<grid::Grid> Filtrare_Grid; // the caller's grid, re-bound to RS_Filtrare
inline bool Filtrare_PeComun = false;      // outside the company database (the tariff when Cautare_PeTarif)
inline std::int32_t Filtrare_LockType = 0;
inline std::int32_t Filtrare_CursorType = 0;
// The narrowed rows of the last search; a grid that shows them holds them too.
inline db::Recordset RS_Filtrare;
// The type-ahead prefix shared by the list grids.
inline QString Prefix_Cautare;

inline void Reseteaza_Globale_Cautare()
{
    Filtrare_SQL.clear();
    Filtrare_Coloana.clear();
    Filtrare_Grid.clear();
    Filtrare_PeComun = false;
    Filtrare_LockType = Filtrare_CursorType = 0;
    RS_Filtrare = db::Recordset();
    Prefix_Cautare.clear();
}

// --- The settings (common/RegistriiOperatii_Setari, Public_Citeste_Registrii,
//     EU_Registrii_Operatii): the store's back end, chosen once at start-up,
//     and the values read from the settings at start-up and after the
//     settings window saves.
// true: the settings live in the registry; false: in the settings database.
inline bool Drepturi_HKLM = false;
// Colours in the 0x00BBGGRR layout.
inline qint32 Culoare_RandPar = 0;
inline qint32 Culoare_RandImpar = 0;
inline qint32 Culoare_SelectieFundal = 0;
inline qint32 Culoare_SelectieText = 0;
inline qint32 Culoare_Meniu = 0;
// Decimal counts.
inline quint8 Zecimale_Calcule = 0;
inline quint8 Zecimale_Lei = 0;
inline quint8 Zecimale_Valuta = 0;
inline quint8 Zecimale_Taxare = 0;
// Folders, each ending with "/" as stored.
inline QString Folder_BazaDate;
inline QString Folder_Sistem;
inline QString Folder_DefinitiiRapoarte;
inline QString Folder_Salvare_XML;
// The publisher's contact card.
inline QString Producator_NumeFirma;
inline QString Producator_Telefon;
inline QString Producator_Email;

inline void Reseteaza_Globale_Setari()
{
    Drepturi_HKLM = false;
    Culoare_RandPar = Culoare_RandImpar = Culoare_SelectieFundal = Culoare_SelectieText = Culoare_Meniu = 0;
    Zecimale_Calcule = Zecimale_Lei = Zecimale_Valuta = Zecimale_Taxare = 0;
    Folder_BazaDate.clear();
    Folder_Sistem.clear();
    Folder_DefinitiiRapoarte.clear();
    Folder_Salvare_XML.clear();
    Producator_NumeFirma.clear();
    Producator_Telefon.clear();
    Producator_Email.clear();
}

// --- The main menu's hand-over values (shell/Meniu_Comenzi): what a menu
//     command leaves for the window it opens to read when it loads.
// The code-list window's query on Conexiune_Comun.
inline QString SQL_Lista;
// The tariff browser's query on Conexiune_CN, its column count (2, or 5 at
// level 8), its comments mode (always false) and the level shown (1..8).
inline QString HS_SQL;
inline quint8 HS_NrColoane = 0;
inline bool HS_Comentarii = false;
inline quint8 HS_Nivel = 0;
// The generic grid editor's table kind (13 = report names).
inline qint32 Tip_Actualizare = 0;
// The import-template editor: 1 modify a template, 2 start a new one, and
// the WHERE fragment of its queries ("" = no filter).
inline quint8 Mod_Macheta = 0;
inline QString Conditie_Macheta;

inline void Reseteaza_Globale_Meniu()
{
    SQL_Lista.clear();
    HS_SQL.clear();
    HS_NrColoane = 0;
    HS_Comentarii = false;
    HS_Nivel = 0;
    Tip_Actualizare = 0;
    Mod_Macheta = 0;
    Conditie_Macheta.clear();
}

// --- The declaration grid's editing (declaration/Frm_INTRASTAT): the order
//     of the last header-click sort and the answer of the last question box.
// "[column],[POZITIA]" of the last sort by a clicked column.
inline QString Ordine_Intrastat;
// The button of the last question (ui::Answer: 6 = Yes).
inline qint32 Raspuns_Mesaj = 0;

inline void Reseteaza_Globale_Editare()
{
    Ordine_Intrastat.clear();
    Raspuns_Mesaj = 0;
}

// --- The declaration's hand-over values (declaration/, import/, reports/):
//     what an opener leaves for the declaration window and the report window.
#include <QVariant>
#include <QVariantList>

// The WHERE clause (beginning with " WHERE ") of the lines the declaration
// window shows; set by its opener, emptied when the window closes.
inline QString Filtru_Intrastat;
// The report window: the report's REP_ID, its mode ("0" builds the report)
// and the opener's values (type, fiscal code, year, month, N/C letter).
inline qint32 Numar_Raport = 0;
inline QString Mod_Raport;
inline QVariantList Parametri_Raport;

inline void Reseteaza_Globale_Declaratie()
{
    Filtru_Intrastat.clear();
    Numar_Raport = 0;
    Mod_Raport.clear();
    Parametri_Raport.clear();
}

// --- The import (import/Preluare_Fisiere, import/Frm_Preluare_Excel): the
//     worksheet rows last read, by the template editor's sample preview or by
//     the import. Whoever fills it closes the previous record set first.
inline db::Recordset RS_Preluare;

inline void Reseteaza_Globale_Preluare()
{
    RS_Preluare.close();
    RS_Preluare = db::Recordset();
}
