#include "import/Frm_Preluare_Excel.h"

#include "common/Globale.h"
#include "common/Selecteaza_Text_control.h"
#include "common/Verifica_Null.h"
#include "import/Culori_Liste.h"
#include "import/Machete.h"
#include "import/Preluare_Contabilitate.h"
#include "import/Preluare_Fisiere.h"
#include "platform/grid/dropdown.h"
#include "platform/grid/recordset_source.h"
#include "platform/sys/clock.h"
#include "platform/ui/forms.h"
#include "platform/ui/mesaj.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

QString pentruAfisare(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

} // namespace

// Shows the import's progress in the message area, the status line and the
// progress bar, repainting them at once (the import runs inside the click).
class Frm_Preluare_Excel::Afisare : public Observator_Preluare
{
public:
    explicit Afisare(Frm_Preluare_Excel& f)
        : m_f(f), m_text(f.TxtMesaj->toPlainText().replace(u'\n', u"\r\n"_s))
    {
    }

    void adauga(const QString& text) override
    {
        m_text += text;
        arataText();
    }
    void inceputCopiere() override
    {
        m_baza = m_text;
        m_f.InstallBar1->show();
        m_f.TxtMesaj->show();
    }
    void progres(const Progres_Preluare& p) override
    {
        m_text = m_baza + p.erori->join(QString()) + u"\r\nSE RETIN DATELE - Inregistrarea : "_s +
                 QString::number(p.salvate);
        m_f.LblBar->setText(u"Copiere date ..."_s);
        m_f.InstallBar1->setValue(p.procent);
        m_f.LblBar->repaint();
        m_f.InstallBar1->repaint();
        arataText();
    }

private:
    void arataText()
    {
        m_f.TxtMesaj->setPlainText(pentruAfisare(m_text));
        m_f.TxtMesaj->verticalScrollBar()->setValue(m_f.TxtMesaj->verticalScrollBar()->maximum());
        m_f.TxtMesaj->repaint();
    }

    Frm_Preluare_Excel& m_f;
    QString m_text;
    QString m_baza;
};

Frm_Preluare_Excel::Frm_Preluare_Excel(QWidget* parent)
    : ui::Fereastra(u"Frm_Preluare_Excel"_s, u"Preluare date din Excel"_s, parent)
{
    auto* asezare = new QGridLayout(this);
    int rand = 0;
    const auto eticheta = [&](const QString& nume, const QString& text, QWidget* pentru) {
        auto* l = new QLabel(text, this);
        l->setObjectName(nume);
        l->setBuddy(pentru);
        asezare->addWidget(l, rand, 0);
        return l;
    };
    const auto caseta = [&](const QString& nume) {
        auto* t = new QLineEdit(this);
        t->setObjectName(nume);
        return t;
    };

    Combo_NumeMacheta = new grid::ListCombo(this);
    Combo_NumeMacheta->setObjectName(u"Combo_NumeMacheta"_s);
    eticheta(u"Label1"_s, u"Macheta folosita :"_s, Combo_NumeMacheta);
    asezare->addWidget(Combo_NumeMacheta, rand++, 1, 1, 2);

    Combo_Tip = new QComboBox(this);
    Combo_Tip->setObjectName(u"Combo_Tip"_s);
    eticheta(u"Label2"_s, u"Fel Operatiune :"_s, Combo_Tip);
    asezare->addWidget(Combo_Tip, rand++, 1, 1, 2);

    TXT_Anul = caseta(u"TXT_Anul"_s);
    TXT_Luna = caseta(u"TXT_Luna"_s);
    eticheta(u"Label3"_s, u"Anul - Luna :"_s, TXT_Anul);
    auto* perioada = new QHBoxLayout;
    perioada->addWidget(TXT_Anul);
    perioada->addWidget(TXT_Luna);
    perioada->addStretch();
    asezare->addLayout(perioada, rand++, 1, 1, 2);

    TXT_CodFiscal = caseta(u"TXT_CodFiscal"_s);
    eticheta(u"Label4"_s, u"CIF / VAT ID :"_s, TXT_CodFiscal);
    asezare->addWidget(TXT_CodFiscal, rand++, 1, 1, 2);

    Txt_ExcelFile = caseta(u"Txt_ExcelFile"_s);
    auto* lFisier =
        new QLabel(u"Calea completa pana la fisierul excel (pentru a localiza fisierul excel folositi "
                   u"butonul \"Rasfoire\")"_s,
                   this);
    lFisier->setObjectName(u"Label5"_s);
    lFisier->setBuddy(Txt_ExcelFile);
    asezare->addWidget(lFisier, rand++, 0, 1, 3);
    CmdBrowse = new QPushButton(u">>>> (Rasfoire)"_s, this);
    CmdBrowse->setObjectName(u"CmdBrowse"_s);
    asezare->addWidget(Txt_ExcelFile, rand, 0, 1, 2);
    asezare->addWidget(CmdBrowse, rand++, 2);

    Txt_SheetName = new QComboBox(this);
    Txt_SheetName->setObjectName(u"Txt_SheetName"_s);
    Txt_SheetName->setEditable(true);
    Txt_SheetName->setInsertPolicy(QComboBox::NoInsert);
    eticheta(u"Label6"_s, u"Sheet Name :"_s, Txt_SheetName);
    asezare->addWidget(Txt_SheetName, rand++, 1, 1, 2);

    CmdReadFile = new QPushButton(u"1. Preluare Date"_s, this);
    CmdReadFile->setObjectName(u"CmdReadFile"_s);
    CmdExit = new QPushButton(u"2. Vizualizare date"_s, this);
    CmdExit->setObjectName(u"CmdExit"_s);
    CmdExit->hide();
    asezare->addWidget(CmdReadFile, rand, 1);
    asezare->addWidget(CmdExit, rand++, 2);

    auto* nota = new QLabel(
        u"Valoarea fiscala si valoarea statistica se vor rotunji. Valorile vor fi fara zecimale"_s, this);
    nota->setObjectName(u"Label7"_s);
    asezare->addWidget(nota, rand++, 0, 1, 3);

    TxtMesaj = new QPlainTextEdit(this);
    TxtMesaj->setObjectName(u"TxtMesaj"_s);
    TxtMesaj->setReadOnly(true);
    asezare->addWidget(TxtMesaj, rand++, 0, 1, 3);
    asezare->setRowStretch(rand - 1, 1);
    LblBar = new QLabel(this);
    LblBar->setObjectName(u"LblBar"_s);
    asezare->addWidget(LblBar, rand++, 0, 1, 3);
    InstallBar1 = new QProgressBar(this);
    InstallBar1->setObjectName(u"InstallBar1"_s);
    InstallBar1->setRange(0, 100);
    InstallBar1->setValue(0);
    asezare->addWidget(InstallBar1, rand++, 0, 1, 3);
    asezare->setColumnStretch(1, 1);

    // Enter moves on; the text boxes select their text on entry.
    for (QWidget* w : std::initializer_list<QWidget*>{Txt_SheetName, Txt_ExcelFile, TXT_CodFiscal, TXT_Anul,
                                                      TXT_Luna, Combo_NumeMacheta, Combo_Tip})
        w->installEventFilter(this);
    for (QComboBox* c : {static_cast<QComboBox*>(Combo_NumeMacheta), Txt_SheetName})
        c->lineEdit()->installEventFilter(this);

    connect(CmdBrowse, &QPushButton::clicked, this, &Frm_Preluare_Excel::CmdBrowse_Click);
    connect(CmdReadFile, &QPushButton::clicked, this, &Frm_Preluare_Excel::CmdReadFile_Click);
    connect(CmdExit, &QPushButton::clicked, this, &Frm_Preluare_Excel::CmdExit_Click);
    seteazaNumeAccesibile();
}

Frm_Preluare_Excel::~Frm_Preluare_Excel() = default;

void Frm_Preluare_Excel::Form_Load()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    if (QWidget* meniu = ui::Forms::get(u"Frm_Meniu_Principal"_s))
        setWindowIcon(meniu->windowIcon());

    auto machete = Conexiune_Firma.openRecordset(
        u"SELECT [Nume_structura],[TIP],[Locatie_Implicita],[Work_Sheet_Name] FROM [StructuraFisiereAntet]"_s,
        db::CursorType::Static, db::LockType::ReadOnly);
    if (machete) {
        m_machete = std::make_unique<grid::RecordsetSource>(*machete);
        Combo_NumeMacheta->setBoundField(u"Nume_structura"_s);
        Combo_NumeMacheta->setListField(u"Nume_structura"_s);
        Combo_NumeMacheta->setColumnVisible(2, false);
        Combo_NumeMacheta->setColumnVisible(3, false);
        Combo_NumeMacheta->bind(m_machete.get());
        Formateaza_Lista(*Combo_NumeMacheta, Combo_NumeMacheta,
                         {{u"Nume Macheta"_s, 1500}, {u"TIP"_s, 3300}});
    }

    TXT_CodFiscal->setText(FirmaCurenta_CodFiscal);
    const auto [anul, luna] = Luna_Precedenta(sys::Clock::today());
    TXT_Anul->setText(QString::number(anul));
    TXT_Luna->setText(QString::number(luna));
    Combo_Tip->clear();
    Combo_Tip->addItems(Fluxuri_Preluare());
    Combo_Tip->setCurrentIndex(-1);
    Txt_ExcelFile->clear();
    Txt_SheetName->setEditText(u"Sheet1"_s);
}

bool Frm_Preluare_Excel::eventFilter(QObject* obiect, QEvent* eveniment)
{
    QObject* control = obiect;
    if (obiect == Combo_NumeMacheta->lineEdit())
        control = Combo_NumeMacheta;
    else if (obiect == Txt_SheetName->lineEdit())
        control = Txt_SheetName;
    switch (eveniment->type()) {
    case QEvent::FocusIn:
        if (control != Combo_Tip && obiect == control)
            Selecteaza_Text(static_cast<QWidget*>(control));
        break;
    case QEvent::FocusOut:
        if (control == Combo_NumeMacheta && obiect == control &&
            static_cast<QFocusEvent*>(eveniment)->reason() != Qt::PopupFocusReason)
            Combo_NumeMacheta_Validate();
        break;
    case QEvent::KeyPress:
        if (enterLaUrmatorul(eveniment))
            return true;
        break;
    default:
        break;
    }
    return ui::Fereastra::eventFilter(obiect, eveniment);
}

void Frm_Preluare_Excel::Combo_NumeMacheta_Validate()
{
    const int r = Combo_NumeMacheta->rowOfListText(Combo_NumeMacheta->currentText());
    if (r < 0 || !m_machete)
        return;
    Combo_NumeMacheta->setCurrentIndex(r);
    const auto valoare = [&](int camp) { return m_machete->value(r, camp); };
    // Arrivals are the first flow of the list, dispatches the second.
    Combo_Tip->setCurrentIndex(valoare(1).toText() == u"ACHIZITIE" ? 0 : 1);
    // A template without a folder proposes the user's home folder.
    Txt_ExcelFile->setText(
        Cale_Fisier_Macheta(Null_La_Valoare(valoare(2), db::Variant(QDir::homePath() + u'/')).toText()));
    Txt_SheetName->setEditText(Null_La_Valoare(valoare(3), db::Variant(u"Sheet1"_s)).toText());
}

void Frm_Preluare_Excel::CmdBrowse_Click()
{
    const QString initial = Este_Null(db::Variant(Txt_ExcelFile->text())) ? QString() : Txt_ExcelFile->text();
    const QString cale = ui::openFileName(QString(), initial, Filtru_Fisiere_Excel());
    if (cale.isEmpty())
        return;
    Txt_ExcelFile->setText(cale);
    Incarca_Foi_Excel();
}

void Frm_Preluare_Excel::Incarca_Foi_Excel()
{
    const QString pastrat =
        Txt_SheetName->currentText().isEmpty() ? u"Sheet1"_s : Txt_SheetName->currentText();
    Txt_SheetName->clear();
    Txt_SheetName->addItems(Foi_Excel(Txt_ExcelFile->text()));
    Txt_SheetName->setEditText(pastrat);
}

void Frm_Preluare_Excel::CmdReadFile_Click()
{
    // No second import can start from this button while one runs.
    CmdReadFile->setEnabled(false);
    Intrari_Preluare in;
    in.anul = TXT_Anul->text();
    in.luna = TXT_Luna->text();
    in.cale = Txt_ExcelFile->text();
    in.foaie = Txt_SheetName->currentText();
    in.codFiscal = TXT_CodFiscal->text();
    in.macheta = Combo_NumeMacheta->currentText();
    in.tip = Combo_Tip->currentText();
    Afisare afisare(*this);
    m_rezultat = Preia_Fisier_Excel(in, afisare);
    if (!m_rezultat.terminata) {
        // Nothing was imported: the window is as it was, ready for another try.
        LblBar->clear();
        InstallBar1->setValue(0);
        CmdReadFile->setEnabled(true);
        return;
    }
    LblBar->setText(Stare_Preluare(m_rezultat));
    LblBar->setStyleSheet(u"color: rgb(255, 0, 0);"_s);
    LblBar->repaint();
    CmdExit->show();
    CmdExit->setFocus();
    ui::msgBox(u"Preluare Terminata"_s, ui::Icon::Information);
    CmdReadFile->hide();
}

void Frm_Preluare_Excel::CmdExit_Click()
{
    Filtru_Intrastat = Filtru_Preluare(m_rezultat);
    if (QWidget* declaratie = ui::Forms::load(u"Frm_INTRASTAT"_s)) {
        declaratie->setWindowTitle(Titlu_Declaratie_Preluare(m_rezultat));
        ui::Forms::show(u"Frm_INTRASTAT"_s);
    }
    ui::Forms::unload(this);
}
