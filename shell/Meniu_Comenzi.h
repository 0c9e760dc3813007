#pragma once
// The commands of the main menu, as plain procedures: each sets the values
// its target window reads when it loads, closes the other windows where the
// command does, loads the target, adjusts it and shows it.

#include <QString>
#include <QStringList>
#include <optional>

// The code lists of "Tabele Referinta".
enum class Lista_Cod
{
    Tari,
    Tari_UE,
    Monezi,
    Conditii_Livrare,
    Mod_Transport,
    Nat_Tranzactiei,
    UM_Supl
};
// The tariff levels 1, 2, 4, 6 and 8.
enum class Nivel_Tarif : quint8
{
    HS_1 = 1,
    HS_2 = 2,
    HS_4 = 4,
    HS_6 = 6,
    HS_8 = 8
};

// The code-list query, caption and columns (caption, width in twips; a width
// of -1 means the rest of the grid).
struct Definitie_Lista
{
    QString sql;
    QString titlu;
    QList<QPair<QString, int>> coloane;
};
Definitie_Lista Definitie_Lista_Cod(Lista_Cod lista);

void Meniu_Macheta_Noua();
void Meniu_Modificare_Macheta();
void Meniu_Sterge_Macheta();
void Meniu_Preluare_Fisier();
void Meniu_Declaratie_Intrastat();
void Meniu_Lista_Cod(Lista_Cod lista);
void Meniu_Tarif(Nivel_Tarif nivel);
void Meniu_Explicativ_Selectie();
void Meniu_Selectie_Firma();
void Meniu_Creare_Firma();
void Meniu_Date_Firma();
void Meniu_Setari_Generale();
void Meniu_Denumire_Rapoarte();
void Meniu_Despre_Program();

// The document commands: the viewer and its single document argument, or
// nothing when the command does nothing. Ajutor falls back from the PDF
// manual to the HTML one. A document that is there with no viewer found to
// open it comes with `gasit` false, so that it is said, not passed over.
struct Comanda_Document
{
    QString program;
    QStringList argumente;
    bool gasit = true;
};
std::optional<Comanda_Document> Comanda_Ajutor();
std::optional<Comanda_Document> Comanda_Explicativ_Html();
std::optional<Comanda_Document> Comanda_Explicativ_Pdf();
// Hands the document to the viewer and waits for its answer; a document it
// could not open, or that no viewer was found for, is said, with its full
// path (Deschide_Fisier).
void Porneste_Document(const std::optional<Comanda_Document>& comanda);

// "mailto:" + maker's e-mail + "?subject=Quorvel vers:" + major.minor.revision.
QString Adresa_Email_Producator();

// Registers the windows of the code lists, the declaration and the reports,
// which the menu and the declaration window open.
void Inregistreaza_Ferestre_Meniu();
