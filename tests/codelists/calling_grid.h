#pragma once
// A real grid as the calling grid of a pick-list: the declaration grid's 32
// columns, one row, and a record of the cells written and the focus taken.

#include "platform/grid/grid.h"

#include <QList>

// The fields of the declaration grid's 32 columns, in order.
inline QList<grid::MemorySource::Field> Campuri_Grila_Declaratie()
{
    static const char* const coloane[32] = {"TIP",
                                            "Cod_Fiscal",
                                            "Anul",
                                            "Luna",
                                            "Record_ID",
                                            "Cod_NC",
                                            "Descriere_NC",
                                            "Tara_Orig",
                                            "Tara_Exp",
                                            "Tara_Dest",
                                            "Val_Fiscala",
                                            "Val_Stat",
                                            "Net",
                                            "Cod_UMS",
                                            "Val_UMS",
                                            "Nat_Tranz",
                                            "Incoterms",
                                            "Mod_Transp",
                                            "Document_Numar_Referinta",
                                            "Document_Data_Referinta",
                                            "Descriere",
                                            "Cantitate",
                                            "UM",
                                            "Valoare_Valuta",
                                            "Moneda",
                                            "Curs_Schimb",
                                            "VAT_ID",
                                            "SourceFile",
                                            "Data_Preluare",
                                            "UserName",
                                            "Probleme",
                                            "Exista_UMS"};
    QList<grid::MemorySource::Field> campuri;
    for (const char* nume : coloane)
        campuri.append({QString::fromLatin1(nume), 202});
    campuri[31].type = 11;
    return campuri;
}

class GrilaApelant : public grid::Grid
{
public:
    GrilaApelant()
    {
        randuri = new grid::MemorySource(Campuri_Grila_Declaratie(), this);
        randuri->appendRow({db::Variant(QStringLiteral("I"))});
        setDataSource(randuri);
        setCurrentCell(0, 0);
    }

    void setCell(int column, const db::Variant& value) override
    {
        scrise.append(column);
        grid::Grid::setCell(column, value);
    }
    void takeFocus() override
    {
        ++focus;
        grid::Grid::takeFocus();
    }

    grid::MemorySource* randuri = nullptr;
    QList<int> scrise; // the columns written, in order
    int focus = 0;
};
