#include "declaration/Frm_Intrastat_Probleme.h"

#include "common/RTF_Operatii.h"
#include "declaration/Verificare_Declaratie.h"
#include "platform/ui/forms.h"
#include "platform/ui/imprimanta.h"
#include "platform/ui/twips.h"

#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

// The text a box of another window shows: a text box's text, a combo box's
// current text.
QString Text_Caseta(const QWidget* fereastra, const QString& nume)
{
    const QWidget* caseta = fereastra->findChild<QWidget*>(nume);
    if (!caseta)
        return QString();
    const QVariant text = caseta->property("text");
    return text.isValid() ? text.toString() : caseta->property("currentText").toString();
}

} // namespace

Cheie_Declaratie Cheie_Fereastra_Declaratie()
{
    const QWidget* fereastra = ui::Forms::get(u"Frm_INTRASTAT"_s);
    if (!fereastra)
        return Cheie_Declaratie();
    return Cheie_Declaratie{Text_Caseta(fereastra, u"TXT_Tip"_s), Text_Caseta(fereastra, u"TXT_CodFiscal"_s),
                            Text_Caseta(fereastra, u"TXT_Anul"_s), Text_Caseta(fereastra, u"TXT_Luna"_s)};
}

Frm_Intrastat_Probleme::Frm_Intrastat_Probleme(QWidget* parent)
    : ui::Fereastra(u"Frm_Intrastat_Probleme"_s, u"Verificare Probleme"_s, parent)
{
    setFixedSize(ui::twipsToSize(11205, 7635));
    Label1 = new QLabel(u"LISTA ERORILOR"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setGeometry(ui::twipsToRect(360, 360, 10455, 255));
    RichTextBox1 = new QTextEdit(this);
    RichTextBox1->setObjectName(u"RichTextBox1"_s);
    RichTextBox1->setGeometry(ui::twipsToRect(360, 600, 10455, 6135));
    RichTextBox1->setReadOnly(true);
    CmdClose = new QPushButton(u"Inchide fereastra"_s, this);
    CmdClose->setObjectName(u"CmdClose"_s);
    CmdClose->setGeometry(ui::twipsToRect(960, 6960, 2415, 375));
    CmdPrint = new QPushButton(u"Tipareste"_s, this);
    CmdPrint->setObjectName(u"CmdPrint"_s);
    CmdPrint->setGeometry(ui::twipsToRect(8160, 6960, 1575, 375));
    connect(CmdClose, &QPushButton::clicked, this, &Frm_Intrastat_Probleme::CmdClose_Click);
    connect(CmdPrint, &QPushButton::clicked, this, &Frm_Intrastat_Probleme::CmdPrint_Click);
    seteazaButonRenuntare(CmdClose);
    seteazaNumeAccesibile();
}

void Frm_Intrastat_Probleme::Form_Load()
{
    Incarca_Jurnal();
}

void Frm_Intrastat_Probleme::Incarca_Jurnal()
{
    const Cheie_Declaratie cheie = Cheie_Fereastra_Declaratie();
    QFile jurnal(Cale_Jurnal_Verificare(cheie.codFiscal, cheie.tip, cheie.luna, cheie.anul));
    QString text;
    if (jurnal.open(QIODevice::ReadOnly))
        text = QString::fromUtf8(jurnal.readAll()).replace(u"\r\n"_s, u"\n"_s);
    RichTextBox1->setPlainText(text);
}

void Frm_Intrastat_Probleme::CmdPrint_Click()
{
    QPrinter imprimanta(QPrinter::HighResolution);
    if (!ui::choosePrinter(imprimanta, this))
        return;
    Tipareste_RTF(RichTextBox1, imprimanta, 1440, 1440, 1440, 1440);
}

void Frm_Intrastat_Probleme::CmdClose_Click()
{
    ui::Forms::unload(this);
}
