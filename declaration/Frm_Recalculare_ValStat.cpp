#include "declaration/Frm_Recalculare_ValStat.h"

#include "common/BUTOANE.h"
#include "common/Globale.h"
#include "common/Meniu_Culori.h"
#include "common/Tratare_Erori.h"
#include "declaration/Ajustare_Valoare_Statistica.h"
#include "platform/grid/grid.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

// The columns of the groups: 0-3 the key, 4-7 the grouping values, 8 the
// percentage, then the query's own.
constexpr int primaValoare = 4;
constexpr int coloanaProcent = 8;

} // namespace

Frm_Recalculare_ValStat::Frm_Recalculare_ValStat(QWidget* parent)
    : ui::Fereastra(u"Frm_Recalculare_ValStat"_s, u"Ajustare Valoare Statisitica"_s, parent)
{
    const auto caseta = [this](const QString& nume) {
        auto* t = new QLineEdit(this);
        t->setObjectName(nume);
        t->setMaximumWidth(ui::twipsToPixelsX(800));
        return t;
    };
    TXT_Anul = caseta(u"TXT_Anul"_s);
    TXT_Luna = caseta(u"TXT_Luna"_s);
    TXT_Tip = caseta(u"TXT_Tip"_s);
    GridAjustare = new grid::Grid(this);
    GridAjustare->setObjectName(u"GridAjustare"_s);
    CmdAjustare = new ButonPlat(u"Recalculeaza Val Statistica"_s, this);
    CmdAjustare->setObjectName(u"CmdAjustare"_s);

    auto* asezare = new QGridLayout(this);
    auto* cheie = new QHBoxLayout;
    for (QLineEdit* t : {TXT_Tip, TXT_Anul, TXT_Luna})
        cheie->addWidget(t);
    cheie->addStretch();
    cheie->addWidget(CmdAjustare);
    asezare->addLayout(cheie, 0, 0);
    asezare->addWidget(GridAjustare, 1, 0);
    resize(ui::twipsToSize(9000, 6000));

    connect(CmdAjustare, &QPushButton::clicked, this, &Frm_Recalculare_ValStat::CmdAjustare_Click);
}

Frm_Recalculare_ValStat::~Frm_Recalculare_ValStat()
{
    GridAjustare->setDataSource(nullptr);
}

void Frm_Recalculare_ValStat::Form_Activate()
{
    if (m_grupe.isOpen())
        return;
    db::Result<db::Recordset> grupe =
        Deschide_Grupe_Ajustare(Conexiune_Firma, TXT_Tip->text(), Filtru_Intrastat);
    if (!grupe) {
        Arata_Eroare_Baza(grupe.error());
        return;
    }
    m_grupe = *grupe;
    GridAjustare->bind(m_grupe);
    Formateaza_GridAjustare();
}

void Frm_Recalculare_ValStat::Formateaza_GridAjustare()
{
    GridAjustare->setAllowUpdate(true);
    GridAjustare->setAllowAddNew(false);
    GridAjustare->setAllowDelete(false);
    GridAjustare->setRowColours(Culoare_Qt(0x00FFFF), Culoare_Qt(0x00FFFF));
    for (int i = 0; i < GridAjustare->columnCount(); ++i) {
        grid::Column& c = GridAjustare->column(i);
        c.visible = i >= primaValoare && i <= coloanaProcent;
        c.locked = i != coloanaProcent;
    }
    if (coloanaProcent < GridAjustare->columnCount()) {
        grid::Column& procent = GridAjustare->column(coloanaProcent);
        procent.backColor = Culoare_Qt(0xFFFFFF);
        procent.numberFormat = u"##,##0.0000"_s;
    }
    GridAjustare->refreshColumns();
}

void Frm_Recalculare_ValStat::CmdAjustare_Click()
{
    if (Reseteaza_Buton(CmdAjustare) || !m_grupe.isOpen())
        return;
    // A percentage still being typed counts.
    if (!GridAjustare->update())
        return;
    const Rezultat_Ajustare r = Aplica_Ajustarea(Conexiune_Firma, TXT_Tip->text(), m_grupe);
    if (r.stare == Rezultat_Ajustare::Stare::Terminata)
        ui::msgBox(r.mesaj, ui::Icon::Information, ui::Buttons::Ok);
    else
        ui::msgBox(r.mesaj, ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
}

void Frm_Recalculare_ValStat::Form_Unload(bool& cancel)
{
    (void)cancel;
    GridAjustare->setDataSource(nullptr);
    m_grupe.close();
}
