#include "codelists/FRM_cautare.h"

#include "common/BUTOANE.h"
#include "common/Globale.h"
#include "platform/grid/grid.h"
#include "platform/grid/units.h"
#include "platform/ui/mesaj.h"
#include "platform/ui/twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

void Mesaj(const QString& text)
{
    ui::msgBox(text, ui::Icon::Critical, ui::Buttons::Ok, u"Mesaj"_s);
}

} // namespace

QString Text_Mod_Cautare(Mod_Cautare mod)
{
    switch (mod) {
    case Mod_Cautare::Identic:
        return u"Returneaza inregistrarile care sunt IDENTICE cu expresia de cautat"_s;
    case Mod_Cautare::IncepeCu:
        return u"Returneaza inregistrarile care INCEP cu expresia de cautat"_s;
    case Mod_Cautare::Contine:
        return u"Returneaza inregistrarile care CONTIN cu expresia de cautat"_s;
    case Mod_Cautare::Avansat:
        return u"Aparate + electice  returneaza inregistrarile care CONTIN Aparate SI electrice"_s +
               u"\r\n"_s +
               u"Aparate - electice   returneaza inregistrarile care CONTIN Aparate SAU electrice"_s;
    }
    return QString();
}

FRM_cautare::FRM_cautare(QWidget* parent) : ui::Fereastra(u"FRM_cautare"_s, u"Cautare"_s, parent)
{
    const auto eticheta = [this](const QString& nume, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(nume);
        return l;
    };
    Label1 = eticheta(u"Label1"_s, u"Expresie de cautat"_s);
    Label1->setGeometry(ui::twipsToRect(120, 1080, 1695, 255));
    StringDeCautat = new QLineEdit(this);
    StringDeCautat->setObjectName(u"StringDeCautat"_s);
    StringDeCautat->setGeometry(ui::twipsToRect(1800, 1080, 4935, 285));
    Label1->setBuddy(StringDeCautat);

    Frame1 = new QGroupBox(u"Optiuni de cautare"_s, this);
    Frame1->setObjectName(u"Frame1"_s);
    Frame1->setGeometry(ui::twipsToRect(1440, 1800, 3375, 1815));
    const auto optiune = [this](const QString& nume, const QString& text, const QRect& loc, Mod_Cautare mod) {
        auto* o = new QRadioButton(text, Frame1);
        o->setObjectName(nume);
        o->setGeometry(loc);
        connect(o, &QRadioButton::clicked, this, [this, mod] { Option_Click(mod); });
        return o;
    };
    Option1 = optiune(u"Option1"_s, u"Doar textul respectiv"_s, ui::twipsToRect(240, 360, 3015, 195),
                      Mod_Cautare::Identic);
    Option2 = optiune(u"Option2"_s, u"Incepe cu textul respectiv"_s, ui::twipsToRect(240, 720, 2895, 195),
                      Mod_Cautare::IncepeCu);
    Option3 = optiune(u"Option3"_s, u"Contine textul respectiv"_s, ui::twipsToRect(240, 1080, 2895, 195),
                      Mod_Cautare::Contine);
    Option4 = optiune(u"Option4"_s, u"Cautare avansata"_s, ui::twipsToRect(240, 1440, 1935, 255),
                      Mod_Cautare::Avansat);

    CmdCautare = new ButonPlat(u"Cautare"_s, this);
    CmdCautare->setObjectName(u"CmdCautare"_s);
    CmdCautare->setGeometry(ui::twipsToRect(5040, 1920, 1455, 435));
    CmdRenuntaCautare = new ButonPlat(u"Renunta"_s, this);
    CmdRenuntaCautare->setObjectName(u"CmdRenuntaCautare"_s);
    CmdRenuntaCautare->setGeometry(ui::twipsToRect(5040, 3120, 1455, 375));

    LblInfo = eticheta(u"LblInfo"_s, QString());
    LblInfo->setGeometry(ui::twipsToRect(120, 4080, 6615, 615));
    LblInfo->setWordWrap(true);
    LblInfo->setAutoFillBackground(true);
    QPalette p = LblInfo->palette();
    p.setColor(QPalette::WindowText, grid::fromVbColor(0xFF));
    p.setColor(QPalette::Window, grid::fromVbColor(0xFFFFFF));
    LblInfo->setPalette(p);
    // Decoration without text.
    Label2 = eticheta(u"Label2"_s, QString());
    Label3 = eticheta(u"Label3"_s, QString());
    Label4 = eticheta(u"Label4"_s, QString());
    for (QLabel* l : {Label2, Label3, Label4})
        l->hide();

    setFixedSize(ui::twipsToSize(6885, 4740));
    setTabOrder(StringDeCautat, Option1);
    connect(CmdCautare, &QPushButton::clicked, this, &FRM_cautare::CmdCautare_Click);
    connect(CmdRenuntaCautare, &QPushButton::clicked, this, &FRM_cautare::CmdRenuntaCautare_Click);
    seteazaButonRenuntare(CmdRenuntaCautare);
    seteazaNumeAccesibile();
}

FRM_cautare::~FRM_cautare() = default;

void FRM_cautare::Form_Load()
{
    Option1->setChecked(false);
    Option3->setChecked(false);
    Option4->setChecked(false);
    Option2->setChecked(true);
    Option_Click(Mod_Cautare::IncepeCu);
}

void FRM_cautare::Option_Click(Mod_Cautare mod)
{
    LblInfo->setText(Text_Mod_Cautare(mod));
    StringDeCautat->setFocus();
}

Mod_Cautare FRM_cautare::Mod_Ales() const
{
    if (Option1->isChecked())
        return Mod_Cautare::Identic;
    if (Option3->isChecked())
        return Mod_Cautare::Contine;
    if (Option4->isChecked())
        return Mod_Cautare::Avansat;
    return Mod_Cautare::IncepeCu;
}

void FRM_cautare::CmdCautare_Click()
{
    switch (Cauta_In_Coloana(StringDeCautat->text(), Mod_Ales())) {
    case Rezultat_Cautare_Coloana::Gasit:
        if (Filtrare_Grid)
            Filtrare_Grid->bind(RS_Filtrare);
        ui::Forms::unload(this);
        break;
    case Rezultat_Cautare_Coloana::Negasit:
        Mesaj(u"Nici o inregistrare NU corespunde criteriului de cautare"_s);
        break;
    case Rezultat_Cautare_Coloana::Eroare:
        Mesaj(u"Eroare in criteriul de cautare"_s);
        break;
    }
}

void FRM_cautare::CmdRenuntaCautare_Click()
{
    ui::Forms::unload(this);
}

void Arata_Cautare_Coloana(grid::Grid& grila, const db::Recordset& rs, bool peComun)
{
    Filtrare_SQL = rs.source();
    Filtrare_CursorType = static_cast<std::int32_t>(rs.cursorType());
    Filtrare_LockType = static_cast<std::int32_t>(rs.lockType());
    Filtrare_PeComun = peComun;
    Filtrare_Grid = &grila;
    const int coloana = grila.col() < 0 ? 0 : grila.col();
    if (coloana >= grila.columnCount())
        return;
    if (!db::isTextType(grila.gridModel()->fieldType(coloana)))
        Mesaj(u"In aceasta coloana cautarea nu se poate realiza, rezultate obtinute inexacte"_s);
    Filtrare_Coloana = u'[' + grila.column(coloana).dataField + u']';
    QWidget* cautare = ui::Forms::load(u"FRM_cautare"_s);
    if (!cautare)
        return;
    cautare->setWindowTitle(u"Caut in coloana: "_s + Filtrare_Coloana);
    ui::Forms::show(u"FRM_cautare"_s, true);
}
