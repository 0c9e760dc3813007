#include "codelists/Tiparire_Grila.h"

#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "platform/grid/grid.h"

#include <QScopeGuard>

using namespace Qt::StringLiterals;

grid::PrintSettings Setari_Tiparire_Grila(const QString& titlu, const Margini_Tiparire& margini)
{
    grid::PrintSettings s;
    s.pageHeader = u"Quorvel"_s + u"  REPORT - "_s + titlu.toUpper();
    s.pageHeaderFont = QFont(u"Times New Roman"_s, 10);
    s.pageHeaderFont.setBold(true);
    const QString utilizator = Este_Null(db::Variant(Utilizator_Windows)) ? u"N/A"_s : Utilizator_Windows;
    s.pageFooter = u"Pagina : \\p din \\P"_s + u"   / User Name:"_s + utilizator + QString(9, u'\t') +
                   Producator_NumeFirma + u"  Telefon : "_s + Producator_Telefon + u"  E-mail : "_s +
                   Producator_Email;
    s.pageFooterFont = QFont(u"Times New Roman"_s, 7);
    s.previewCaption = titlu.toUpper();
    s.marginLeft = margini.stanga;
    s.marginRight = margini.dreapta;
    s.marginTop = margini.sus;
    s.marginBottom = margini.jos;
    s.paper = QPageSize::A4;
    s.orientation = QPageLayout::Portrait;
    s.zoomPercent = 80;
    s.captions = {{grid::PreviewItem::PageSetup, u"Setare Pagina"_s},
                  {grid::PreviewItem::Print, u"Tipareste"_s},
                  {grid::PreviewItem::Exit, u"Iesire"_s},
                  {grid::PreviewItem::ZoomIn, u"Marire"_s},
                  {grid::PreviewItem::ZoomOut, u"Micsorare"_s},
                  {grid::PreviewItem::View, u"Vizualizari"_s}};
    return s;
}

void Tipareste_Grila(grid::Grid& grila, const QString& titlu, const Margini_Tiparire& margini)
{
    const QFont ecran = grila.font();
    const auto refacere = qScopeGuard([&] {
        grila.setAlternatingRows(true);
        grila.setFont(ecran);
    });
    grila.setAlternatingRows(false);
    QFont tiparire = ecran;
    tiparire.setFamily(u"Times New Roman"_s);
    grila.setFont(tiparire);
    grid::printPreview(grila, Setari_Tiparire_Grila(titlu, margini));
}
