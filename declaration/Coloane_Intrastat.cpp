#include "declaration/Coloane_Intrastat.h"

using namespace Qt::StringLiterals;

namespace {

Coloana_Intrastat ascunsa()
{
    Coloana_Intrastat c;
    c.blocata = true;
    c.vizibila = false;
    return c;
}

Coloana_Intrastat col(const QString& titlu, int latime, Qt::Alignment aliniere = Qt::AlignLeft,
                      const QString& format = QString(), bool buton = false)
{
    Coloana_Intrastat c;
    c.titlu = titlu;
    c.latime = latime;
    c.aliniere = aliniere;
    c.format = format;
    c.buton = buton;
    return c;
}

Coloana_Intrastat blocata(Coloana_Intrastat c)
{
    c.blocata = true;
    c.legenda = true;
    return c;
}

} // namespace

const QList<Coloana_Intrastat>& Coloane_GridIntrastat()
{
    static const QList<Coloana_Intrastat> coloane = [] {
        const Qt::Alignment dreapta = Qt::AlignRight;
        const Qt::Alignment centru = Qt::AlignHCenter;
        const QString intreg = u"##,##0"_s;
        const QString doua = u"##,##0.00"_s;
        return QList<Coloana_Intrastat>{
            ascunsa(),                                                   // 0 TIP
            ascunsa(),                                                   // 1 Cod_Fiscal
            ascunsa(),                                                   // 2 Anul
            ascunsa(),                                                   // 3 Luna
            blocata(col(u"Poz"_s, 700)),                                 // 4 Record_ID
            col(u"Cod NC"_s, 1200, Qt::AlignLeft, QString(), true),      // 5
            col(u"Descriere cod NC"_s, 2500),                            // 6
            col(u"Tara Orig"_s, 600, Qt::AlignLeft, QString(), true),    // 7
            col(u"Tara Exp"_s, 600, Qt::AlignLeft, QString(), true),     // 8
            col(u"Tara Dest"_s, 600, Qt::AlignLeft, QString(), true),    // 9
            col(u"Valoare Fiscala"_s, 1400, dreapta, intreg),            // 10
            col(u"Valoare Statistica"_s, 1400, dreapta, intreg),         // 11
            col(u"Net [Kg]"_s, 1000, dreapta, doua),                     // 12
            col(u"UM Supl"_s, 800, Qt::AlignLeft, QString(), true),      // 13
            col(u"Cantitate Supl"_s, 1100, dreapta, doua),               // 14
            col(u"Nat Tranz"_s, 800, Qt::AlignLeft, QString(), true),    // 15
            col(u"Cond livrare"_s, 900, Qt::AlignLeft, QString(), true), // 16
            col(u"Mod transp"_s, 800, Qt::AlignLeft, QString(), true),   // 17
            col(u"Document Numar"_s, 1000),                              // 18
            col(u"Document Data"_s, 1000),                               // 19
            col(u"Descriere bunuri"_s, 1600),                            // 20
            col(u"Cantitate"_s, 1000, dreapta, doua),                    // 21
            col(u"UM"_s, 600),                                           // 22
            col(u"Valoare Valuta"_s, 1000, dreapta, doua),               // 23
            col(u"Moneda"_s, 800, centru),                               // 24
            col(u"Curs schimb"_s, 800, dreapta, u"##,##0.0000"_s),       // 25
            col(u"VAT ID"_s, 1200),                                      // 26
            blocata(col(u"Fisier Excel"_s, 1400)),                       // 27
            blocata(col(u"Data preluare"_s, 1000, centru)),              // 28
            blocata(col(u"Utilizator"_s, 1000)),                         // 29
            ascunsa(),                                                   // 30 Probleme
            ascunsa(),                                                   // 31 Exista_UMS
        };
    }();
    return coloane;
}

Coloana_Intrastat Coloana_Tara(int coloana, const QString& tip)
{
    Coloana_Intrastat c = Coloane_GridIntrastat().value(coloana);
    const bool romania =
        (coloana == Coloana_Tara_Exp && tip == u"O") || (coloana == Coloana_Tara_Dest && tip == u"I");
    c.buton = !romania;
    c.blocata = romania;
    c.legenda = romania;
    return c;
}
