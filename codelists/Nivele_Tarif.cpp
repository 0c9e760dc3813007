#include "codelists/Nivele_Tarif.h"

#include "platform/db/db.h"

using namespace Qt::StringLiterals;

namespace {

const QString kHs8 = u"SELECT [HS8_COD],[HS12_COD], [DESCRIERE],[UM_SUPL], [AN_START] FROM [HS_8] WHERE "_s;
const QString kTotal = u"Total Inregistrari"_s;

QList<Coloana_Lista> Coloane_Cod_Descriere()
{
    return {{u"COD"_s, 1500, false}, {u"DESCRIERE"_s, -1, true}};
}

} // namespace

std::optional<Nivel_Tarif_HS> Definitie_Nivel_Tarif(quint8 nivel)
{
    switch (nivel) {
    case 1:
        return Nivel_Tarif_HS{1,
                              u"SECTIUNI -"_s,
                              u"SELECT [HS1_COD], [HS1_DESC] FROM [HS_1] ORDER BY [HS1_COD]"_s,
                              u"Legatura Capitole"_s,
                              2,
                              Coloane_Cod_Descriere()};
    case 2:
        return Nivel_Tarif_HS{2,
                              u"CAPITOLE -"_s,
                              u"SELECT [HS2_COD], [HS2_DESC] FROM [HS_2] ORDER BY [HS2_COD]"_s,
                              u"Legatura Grupe"_s,
                              2,
                              Coloane_Cod_Descriere()};
    case 4:
        return Nivel_Tarif_HS{4,
                              u"GRUPE -"_s,
                              u"SELECT [HS4_COD], [HS4_DESC] FROM [HS_4] ORDER BY [HS4_COD]"_s,
                              u"Legatura HS6"_s,
                              2,
                              Coloane_Cod_Descriere()};
    case 6:
        return Nivel_Tarif_HS{6,
                              u"HS 6 -"_s,
                              u"SELECT [HS6_COD], [HS6_DESC] FROM [HS_6] ORDER BY [HS6_COD]"_s,
                              u"Legatura Cod vamal"_s,
                              2,
                              Coloane_Cod_Descriere()};
    case 8:
        return Nivel_Tarif_HS{8,
                              u"Cod Vamal -"_s,
                              kHs8 + u"[AN_END] IS NULL"_s + u" ORDER BY [HS12_COD]"_s,
                              QString(),
                              5,
                              {{u"COD 8"_s, 1200, false},
                               {u"COD 12"_s, 1500, false},
                               {u"DESCRIERE"_s, 8000, true},
                               {u"UM SUPL"_s, 1500, false},
                               {u"AN"_s, 1500, false}}};
    default:
        return std::nullopt;
    }
}

std::optional<Legatura_Tarif> Interogare_Legatura_Tarif(quint8 nivel, const QString& cod)
{
    const QString valoare = db::quote(cod);
    switch (nivel) {
    case 1:
        return Legatura_Tarif{u"SELECT [HS2_COD], [HS2_DESC] FROM [HS_2] WHERE [HS1_COD]='"_s + valoare +
                                  u"'"_s + u" ORDER BY [HS2_COD]"_s,
                              2};
    case 2:
        return Legatura_Tarif{u"SELECT [HS4_COD], [HS4_DESC] FROM [HS_4] WHERE [HS2_COD]='"_s + valoare +
                                  u"'"_s + u" ORDER BY [HS4_COD]"_s,
                              4};
    case 4:
        return Legatura_Tarif{u"SELECT [HS6_COD], [HS6_DESC] FROM [HS_6] WHERE [HS4_COD]='"_s + valoare +
                                  u"'"_s + u" ORDER BY [HS6_COD]"_s,
                              6};
    case 6:
        return Legatura_Tarif{kHs8 + u"HS6_COD ='"_s + valoare + u"'"_s + u" AND [AN_END] IS NULL"_s +
                                  u" ORDER BY [HS12_COD]"_s,
                              8};
    default:
        return std::nullopt;
    }
}

int Latime_Coloana(const Coloana_Lista& coloana, int latimeGrila, int latimePrima)
{
    return coloana.latime >= 0 ? coloana.latime : latimeGrila - latimePrima - 600;
}

QString Titlu_Cu_Total(const QString& titlu, int numar)
{
    const qsizetype p = titlu.indexOf(kTotal);
    if (p >= 1)
        return titlu.left(p) + kTotal + u" :  "_s + QString::number(numar);
    return titlu + u"  "_s + kTotal + u" :  "_s + QString::number(numar);
}
