#pragma once
// The tables the generic grid editor edits, by table kind (Tip_Actualizare):
// 1 operation kinds, 2 foreign partners, 3 raw materials, 4 exchange rates,
// 5 packages, 6 invoice series, 7 VAT journals (the company or the common
// database), 13 report names. For each: the caption, the query, the
// database, the grid's shape and columns, the lists attached to code
// columns, how a header click re-sorts and the defaults a row gets before
// it is saved.

#include "platform/db/db.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// The drop-down lists of code columns, read from the common database.
enum class Lista_Coduri
{
    Niciuna,
    Tari,
    Incoterms,
    Monezi
};

// The list's query: code first, description second.
QString Interogare_Lista_Coduri(Lista_Coduri lista);

struct Coloana_Actualizare
{
    enum class Aliniere
    {
        Implicita,
        Stanga,
        Centru
    };

    int index = 0;             // position in the record set
    QString titlu;             // empty: the field name
    int latime = 0;            // twips; 0: the grid's default
    qint64 culoareText = -1;   // &HBBGGRR; -1: the grid's own
    qint64 culoareFundal = -1; // &HBBGGRR; -1: the grid's own
    Aliniere aliniere = Aliniere::Implicita;
    bool bifa = false;   // shown as a check box
    QString format;      // display format ("##,##0.00")
    bool blocat = false; // read-only
    bool incadrat = false;
    bool buton = false; // the code-list button (the tariff codes of kind 3)
    Lista_Coduri lista = Lista_Coduri::Niciuna;
    bool validata = false;     // a typed value must be a code of the list
    bool cautareTarif = false; // a typed value is looked up in the tariff (HS8)
};

struct Configuratie_Actualizare
{
    int tip = 0;
    QString titlu; // window caption
    QString sql;
    bool peFirma = false; // the company database, else the common one
    // The query a header click sorts: the query without its ORDER BY, to which
    // " ORDER BY [field]" is added.
    QString capSortare;
    // Grid shape in twips before the screen adjustment; -1 keeps the design.
    int stangaGrila = -1;
    int latimeGrila = -1;
    int inaltimeRand = -1;
    int liniiTitlu = 1;
    bool adaugare = true;
    bool stergere = true;
    QList<Coloana_Actualizare> coloane;
};

// The configuration of a kind (1 to 7 and 13); nothing for any other value.
std::optional<Configuratie_Actualizare> Configuratie_Tip_Actualizare(std::int32_t tip);

// The kind's query sorted by one field: capSortare & " ORDER BY [" & field & "]".
QString Interogare_Sortata(const Configuratie_Actualizare& config, const QString& camp);

// The values a row takes before it is saved, for the kinds that have
// defaults (1, 3, 6 and 7): (column, value) for each blank cell that gets
// one. celula(i) reads column i of the row, campuri names the columns.
// Kinds 1 and 7 give false to their two check boxes, kind 6 gives 1 to
// "Serie Valida" (blank as Este_Null reads it); kind 3 gives 0 to UM,
// Greutate_Neta, Pret_Unitar and PU_Materiale when they hold no value.
QList<QPair<int, db::Variant>> Valori_Implicite_Rand(std::int32_t tip, const QStringList& campuri,
                                                     const std::function<db::Variant(int)>& celula);
