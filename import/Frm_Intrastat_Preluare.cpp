#include "import/Frm_Intrastat_Preluare.h"

#include "common/Globale.h"
#include "common/Verifica_Null.h"
#include "import/Preluare_Contabilitate.h"
#include "import/Preluare_Excel.h"
#include "platform/ui/forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

Frm_Intrastat_Preluare::Frm_Intrastat_Preluare(QWidget* parent)
    : ui::Fereastra(u"Frm_Intrastat_Preluare"_s, u"Intrastat preluare date"_s, parent)
{
    auto* asezare = new QGridLayout(this);
    const auto eticheta = [&](const QString& nume, const QString& text, QWidget* pentru, int rand) {
        auto* l = new QLabel(text, this);
        l->setObjectName(nume);
        l->setBuddy(pentru);
        asezare->addWidget(l, rand, 0);
    };
    const auto combo = [&](const QString& nume) {
        auto* c = new QComboBox(this);
        c->setObjectName(nume);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->installEventFilter(this);
        return c;
    };

    Combo_Tip = combo(u"Combo_Tip"_s);
    eticheta(u"Label1"_s, u"Fel Operatiune :"_s, Combo_Tip, 0);
    asezare->addWidget(Combo_Tip, 0, 1, 1, 3);

    Combo_Anul = combo(u"Combo_Anul"_s);
    eticheta(u"Label2"_s, u"Anul - luna : "_s, Combo_Anul, 1);
    asezare->addWidget(Combo_Anul, 1, 1);
    TXT_Anul = new QLineEdit(this);
    TXT_Anul->setObjectName(u"TXT_Anul"_s);
    asezare->addWidget(TXT_Anul, 1, 2);
    TXT_Luna = new QLineEdit(this);
    TXT_Luna->setObjectName(u"TXT_Luna"_s);
    asezare->addWidget(TXT_Luna, 1, 3);

    Exista_Intrastat = new QCheckBox(u"EXISTA DEJA PRELUATE DATELE"_s, this);
    Exista_Intrastat->setObjectName(u"Exista_Intrastat"_s);
    Exista_Intrastat->hide();
    asezare->addWidget(Exista_Intrastat, 2, 1, 1, 3);

    Cmd_Preluare = new QPushButton(u"OK - Preluare Date"_s, this);
    Cmd_Preluare->setObjectName(u"Cmd_Preluare"_s);
    asezare->addWidget(Cmd_Preluare, 3, 1, 1, 3);
    asezare->setColumnStretch(1, 1);

    connect(Cmd_Preluare, &QPushButton::clicked, this, &Frm_Intrastat_Preluare::Cmd_Preluare_Click);
    seteazaNumeAccesibile();
}

void Frm_Intrastat_Preluare::Form_Load()
{
    if (QWidget* meniu = ui::Forms::get(u"Frm_Meniu_Principal"_s))
        setWindowIcon(meniu->windowIcon());
    Combo_Tip->clear();
    Combo_Tip->addItems(Fluxuri_Preluare());
    Combo_Tip->setCurrentIndex(-1);
}

bool Frm_Intrastat_Preluare::eventFilter(QObject* obiect, QEvent* eveniment)
{
    if (eveniment->type() == QEvent::FocusOut && (obiect == Combo_Tip || obiect == Combo_Anul)) {
        // A list dropping down or another window taking over is no leaving.
        const Qt::FocusReason motiv = static_cast<QFocusEvent*>(eveniment)->reason();
        if (motiv != Qt::PopupFocusReason && motiv != Qt::ActiveWindowFocusReason) {
            if (obiect == Combo_Tip)
                Combo_Tip_Validate();
            else
                Combo_Anul_Validate();
        }
    }
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

void Frm_Intrastat_Preluare::Combo_Tip_Validate()
{
    if (Este_Null(db::Variant(Combo_Tip->currentText())))
        return;
    const QStringList perioade = Perioade_Contabile(Litera_Flux(Combo_Tip->currentText()));
    Combo_Anul->clear();
    Combo_Anul->addItems(perioade);
}

void Frm_Intrastat_Preluare::Combo_Anul_Validate()
{
    const auto [anul, luna] = Imparte_Perioada_Contabila(Combo_Anul->currentText());
    TXT_Anul->setText(anul);
    TXT_Luna->setText(luna);
    // A period that is no whole year and month has no declaration to find:
    // OK refuses it.
    const auto perioada = Perioada_Intreaga(anul, luna);
    const bool exista = perioada && Exista_Declaratie_Contabila(Litera_Flux(Combo_Tip->currentText()),
                                                                QString::number(perioada->first),
                                                                QString::number(perioada->second))
                                        .value_or(true);
    Exista_Intrastat->setChecked(exista);
    Exista_Intrastat->setVisible(exista);
}

void Frm_Intrastat_Preluare::Cmd_Preluare_Click()
{
    Cmd_Preluare->setEnabled(false);
    Cerere_Preluare_Contabila cerere;
    cerere.flux = Combo_Tip->currentText();
    cerere.anul = TXT_Anul->text();
    cerere.luna = TXT_Luna->text();
    cerere.existaDeclaratie = Exista_Intrastat->isChecked();
    const Rezultat_Preluare_Contabila rezultat = Preia_Luna_Contabila(cerere);
    QWidget* declaratie = nullptr;
    if (rezultat.deschide) {
        Filtru_Intrastat = Filtru_Preluare_Contabila(rezultat);
        declaratie = ui::Forms::load(u"Frm_INTRASTAT"_s);
    }
    if (!declaratie) {
        Cmd_Preluare->setEnabled(true);
        return;
    }
    const std::pair<const char*, QString> chei[] = {{"TXT_Tip", rezultat.tip},
                                                    {"TXT_CodFiscal", rezultat.codFiscal},
                                                    {"TXT_Anul", rezultat.anul},
                                                    {"TXT_Luna", rezultat.luna}};
    for (const auto& [nume, valoare] : chei)
        if (auto* caseta = declaratie->findChild<QLineEdit*>(QLatin1String(nume)))
            caseta->setText(valoare);
    ui::Forms::unload(this);
    ui::Forms::show(u"Frm_INTRASTAT"_s);
}
