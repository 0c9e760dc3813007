#include "import/Frm_Selectie_Mod_Preluare.h"

#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "import/Culori_Liste.h"
#include "import/Frm_Structura_Fisiere.h"
#include "import/Machete.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/recordset_source.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace Qt::StringLiterals;

Frm_Selectie_Mod_Preluare::Frm_Selectie_Mod_Preluare(QWidget* parent)
    : ui::Fereastra(u"Frm_Selectie_Mod_Preluare"_s, u"Selectie Mod Preluare"_s, parent)
{
    TDBSelectieModPreluare = new grid::ListCombo(this);
    TDBSelectieModPreluare->setObjectName(u"TDBSelectieModPreluare"_s);
    TDBSelectieModPreluare->setMinimumWidth(ui::twipsToPixelsX(3000));
    CmdModifica = new QPushButton(u"Modifica"_s, this);
    CmdModifica->setObjectName(u"CmdModifica"_s);
    CmdSterge = new QPushButton(u"Sterge Macheta"_s, this);
    CmdSterge->setObjectName(u"CmdSterge"_s);

    auto* asezare = new QHBoxLayout(this);
    asezare->addWidget(TDBSelectieModPreluare, 1);
    asezare->addWidget(CmdModifica);
    asezare->addWidget(CmdSterge);

    connect(CmdModifica, &QPushButton::clicked, this, &Frm_Selectie_Mod_Preluare::CmdModifica_Click);
    connect(CmdSterge, &QPushButton::clicked, this, &Frm_Selectie_Mod_Preluare::CmdSterge_Click);
    seteazaNumeAccesibile();
}

Frm_Selectie_Mod_Preluare::~Frm_Selectie_Mod_Preluare()
{
    TDBSelectieModPreluare->setListSource(nullptr);
}

void Frm_Selectie_Mod_Preluare::Form_Load()
{
    if (QWidget* meniu = ui::Forms::get(u"Frm_Meniu_Principal"_s))
        setWindowIcon(meniu->windowIcon());
    auto lista =
        Conexiune_Firma.openRecordset(u"SELECT [Nume_Structura], [TIP] FROM [StructuraFisiereAntet]"_s,
                                      db::CursorType::Static, db::LockType::ReadOnly);
    if (!lista)
        return;
    auto sursa = std::make_unique<grid::RecordsetSource>(*lista);
    TDBSelectieModPreluare->setBoundField(u"Nume_Structura"_s);
    TDBSelectieModPreluare->setListField(u"Nume_Structura"_s);
    TDBSelectieModPreluare->bind(sursa.get());
    m_lista = std::move(sursa);
    TDBSelectieModPreluare->setLimitToList(true);
    TDBSelectieModPreluare->setAutoCompletion(true);
    Formateaza_Lista(*TDBSelectieModPreluare, TDBSelectieModPreluare, {{u"Nume"_s, 1500}, {u"TIP"_s, 3300}});
    if (auto* vedere = qobject_cast<QTableView*>(TDBSelectieModPreluare->view())) {
        vedere->setMinimumWidth(ui::twipsToPixelsX(5000));
        QFont f = vedere->horizontalHeader()->font();
        f.setBold(true);
        vedere->horizontalHeader()->setFont(f);
    }
}

void Frm_Selectie_Mod_Preluare::Form_Unload(bool& cancel)
{
    (void)cancel;
    TDBSelectieModPreluare->setListSource(nullptr);
    m_lista.reset();
}

int Frm_Selectie_Mod_Preluare::Rand_Ales() const
{
    return TDBSelectieModPreluare->rowOfListText(TDBSelectieModPreluare->currentText());
}

void Frm_Selectie_Mod_Preluare::CmdModifica_Click()
{
    Mod_Macheta = 1;
    const int rand = Rand_Ales();
    const QString nume = TDBSelectieModPreluare->listTextAt(rand);
    if (Este_Null(db::Variant(nume), u"Nume structura"_s, true))
        return;
    Conditie_Macheta = Conditie_Macheta_Pentru(nume);
    auto* editor = ui::Forms::load<Frm_Structura_Fisiere>(u"Frm_Structura_Fisiere"_s);
    if (editor) {
        editor->Blocheaza_Nume_Si_Flux();
        editor->Arata_Controale_Fisier();
    }
    ui::Forms::show(u"Frm_Structura_Fisiere"_s);
    ui::Forms::unload(this);
}

void Frm_Selectie_Mod_Preluare::CmdSterge_Click()
{
    const int rand = Rand_Ales();
    const QString nume = TDBSelectieModPreluare->listTextAt(rand);
    if (Este_Null(db::Variant(nume), u"Nume"_s, true))
        return;
    const QString tip = m_lista ? m_lista->value(rand, 1).toText() : QString();
    const ui::Answer raspuns =
        ui::msgBox(u"Stergeti modul de preluare ? "_s + u"\r\n"_s + nume + u" - "_s + tip, ui::Icon::Question,
                   ui::Buttons::YesNoCancel, u"CONFIRMARE STERGERE"_s);
    if (raspuns != ui::Answer::Yes) {
        ui::Forms::unload(this);
        return;
    }
    const db::Result<qint64> sters = Sterge_Macheta(Conexiune_Firma, nume);
    if (!sters) {
        const db::Error& e = sters.error();
        if (e.number == db::ErrorNumber::IntegrityViolation)
            ui::msgBox(u"Exista inregistrari legate"_s + u"\r\n"_s + u"Nu se poate sterge"_s,
                       ui::Icon::Critical, ui::Buttons::Ok, u"MESAJ"_s);
        else
            ui::msgBox(u"Eroare : "_s + QString::number(e.number) + u"\r\n"_s + e.description,
                       ui::Icon::Critical, ui::Buttons::Ok, u"EROARE"_s);
        return;
    }
    ui::msgBox(u"Macheta a fost stearsa"_s);
    ui::Forms::unload(this);
}
