#include "codelists/Ferestre_Liste.h"

#include "codelists/Frm_Actualizari_Generale.h"
#include "codelists/Frm_CautareTabele.h"
#include "codelists/Frm_Explicativ.h"
#include "codelists/Frm_HS.h"
#include "codelists/Frm_Lista_tabele.h"
#include "common/BUTOANE.h"
#include "common/Culori_Grila.h"
#include "common/Globale.h"
#include "platform/grid/grid.h"
#include "platform/grid/recordset_source.h"
#include "platform/grid/units.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QLabel>

using namespace Qt::StringLiterals;

QLabel* Eticheta_Cautare_Rapida(QWidget* fereastra, int susTwips)
{
    auto* l = new QLabel(fereastra);
    l->setObjectName(u"Label2"_s);
    l->move(ui::twipsToPixelsX(120), ui::twipsToPixelsY(susTwips));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, grid::fromVbColor(0x00FF00));
    p.setColor(QPalette::Window, Qt::black);
    l->setPalette(p);
    l->adjustSize();
    return l;
}

QLabel* Eticheta_Indiciu(QWidget* fereastra, const QRect& locTwips)
{
    auto* l =
        new QLabel(u"Pentru cautare tastati inceputul de cuvint pe care doriti sa-l gasiti."_s, fereastra);
    l->setObjectName(u"Label4"_s);
    l->setGeometry(ui::twipsToRect(locTwips.x(), locTwips.y(), locTwips.width(), locTwips.height()));
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, grid::fromVbColor(0xFF0000));
    p.setColor(QPalette::Window, grid::fromVbColor(0xFFFF80));
    l->setPalette(p);
    return l;
}

ButonPlat* Buton_Plat(QWidget* fereastra, const QString& nume, const QString& text, const QRect& locTwips)
{
    auto* b = new ButonPlat(text, fereastra);
    b->setObjectName(nume);
    b->setGeometry(ui::twipsToRect(locTwips.x(), locTwips.y(), locTwips.width(), locTwips.height()));
    return b;
}

void Coloreaza_Grila(grid::Grid& grila)
{
    Aplica_Culori_Setari(&grila);
    grila.setAlternatingRows(true);
    grila.setHeadingBold(true);
}

bool Descriere_Pe_Restul_Grilei(grid::Grid& grila, int latimeGrila)
{
    int descriere = -1;
    int ultima = -1;
    for (int c = 0; c < grila.columnCount(); ++c) {
        if (!grila.column(c).visible)
            continue;
        if (grila.column(c).wrap && descriere < 0)
            descriere = c;
        ultima = c;
    }
    if (descriere < 0)
        descriere = ultima;
    if (descriere < 0)
        return false;
    int altele = 0;
    for (int c = 0; c < grila.columnCount(); ++c)
        if (c != descriere && grila.column(c).visible)
            altele += grila.column(c).widthTwips;
    grid::Column& coloana = grila.column(descriere);
    const int rest = latimeGrila - altele - 600;
    if (rest <= coloana.widthTwips)
        return false;
    coloana.widthTwips = rest;
    return true;
}

db::Recordset Randuri_Grila(const grid::Grid& grila)
{
    if (const auto* sursa = dynamic_cast<const grid::RecordsetSource*>(grila.dataSource()))
        return sursa->recordset();
    return db::Recordset();
}

void Coloane_Pastrate::retine(grid::Grid& grila)
{
    m_coloane.clear();
    for (int c = 0; c < grila.columnCount(); ++c)
        m_coloane.append(grila.column(c));
}

void Coloane_Pastrate::aplica(grid::Grid& grila) const
{
    bool schimbat = false;
    for (const grid::Column& pastrata : m_coloane) {
        const int c = grila.columnForField(pastrata.dataField);
        if (c < 0)
            continue;
        grid::Column& coloana = grila.column(c);
        const int camp = coloana.field;
        coloana = pastrata;
        coloana.field = camp;
        schimbat = true;
    }
    if (schimbat)
        grila.refreshColumns();
}

void Inregistreaza_Ferestre_Liste()
{
    Inregistreaza_Ferestre_Cautare();
    ui::Forms::registerWindowIfAbsent(u"Frm_HS"_s, [] { return new Frm_HS; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Lista_tabele"_s, [] { return new Frm_Lista_tabele; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Actualizari_Generale"_s,
                                      [] { return new Frm_Actualizari_Generale; });
    ui::Forms::registerWindowIfAbsent(u"Frm_Explicativ"_s, [] { return new Frm_Explicativ; });
}
