// Whole captions: every window the program registers is opened as the user
// opens it (from the menu, or from the window that opens it), with the
// demonstration company chosen and its sample workbook imported through its
// template, at the default font, on a screen of 1366x768 or of the size
// QUORVEL_ECRAN gives ("1600x1000"). In each window, on every page of its
// tab strips and in the open drop-down list of each combo box:
// - the text of every visible label, button, check box, radio button, group
//   box, tab and grid header fits the room its control gives it (wrapped
//   where the control wraps), and that room is in view, not cut by the
//   window or a control holding it;
// - the values of a drop-down list fit their cells on one line; in a grid,
//   the values of the columns that wrap their text fit their cells, and the
//   captions of its text buttons theirs;
// - a column that wraps its text is never wider than its grid's view, and a
//   grid whose columns would fit on the screen shows them all.
// What does not fit is named, with the room it needs and the room it has;
// a window the program registers that the walk does not open is named too.
//
// With QUORVEL_POZE set to a folder, each window and open list is also saved
// there as a picture, so that a run under a virtual display can be looked at
// (QT_QPA_PLATFORM=xcb under xvfb-run: the screen is then the display's).

#include "Ferestre_Test.h"
#include "common/Globale.h"
#include "declaration/Frm_bara_progres.h"
#include "platform/grid/grid.h"
#include "platform/sys/clock.h"
#include "platform/sys/system.h"
#include "platform/ui/forms.h"
#include "shell/Arbore_Test.h"
#include "shell/Meniu_Comenzi.h"
#include "shell/Pornire.h"
#include "shell/Pornire_Pasi.h"
#include "updater/Frm_Update.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// ------------------------------------------------------------ the checks

// A caption as shown: without its mnemonic marks.
QString faraMnemonic(QString text)
{
    text.replace(u"&&"_s, QString(QChar(0xE000)));
    text.remove(u'&');
    text.replace(QChar(0xE000), u'&');
    return text;
}

QString dimensiune(const QSize& s)
{
    return QString::number(s.width()) + u'x' + QString::number(s.height());
}

class Verificare
{
public:
    explicit Verificare(QWidget* fereastra) : m_fereastra(fereastra) {}

    QStringList defecte() const { return m_defecte; }

    // Everything in view now.
    void controale()
    {
        const QList<QWidget*> toate = m_fereastra->findChildren<QWidget*>();
        for (QWidget* c : toate) {
            if (!c->isVisible() || c->window() != m_fereastra)
                continue;
            if (auto* l = qobject_cast<QLabel*>(c))
                eticheta(l);
            else if (auto* b = qobject_cast<QPushButton*>(c))
                buton(b, QStyle::SE_PushButtonContents);
            else if (auto* b = qobject_cast<QCheckBox*>(c))
                buton(b, QStyle::SE_CheckBoxContents);
            else if (auto* b = qobject_cast<QRadioButton*>(c))
                buton(b, QStyle::SE_RadioButtonContents);
            else if (auto* g = qobject_cast<QGroupBox*>(c))
                grup(g);
            else if (auto* t = qobject_cast<QTabBar*>(c))
                taburi(t);
            else if (auto* v = qobject_cast<QAbstractItemView*>(c))
                vedere(v);
            else if (auto* cb = qobject_cast<QComboBox*>(c))
                cutie(cb);
        }
    }

    // The drop-down list of a combo box, open.
    void lista(QComboBox* cb)
    {
        QAbstractItemView* v = cb->view();
        m_prefix = nume(cb) + u" (lista)"_s;
        vedere(v, false);
        m_prefix.clear();
    }

private:
    QString nume(const QWidget* c) const
    {
        if (!m_prefix.isEmpty())
            return m_prefix;
        QString n = c->objectName();
        if (n.isEmpty() || n.startsWith(u"qt_"_s)) {
            // A control without a name of its own: by the named control holding it.
            const QWidget* p = c->parentWidget();
            while (p && p != m_fereastra &&
                   (p->objectName().isEmpty() || p->objectName().startsWith(u"qt_"_s)))
                p = p->parentWidget();
            n = QString::fromLatin1(c->metaObject()->className()) +
                (p && p != m_fereastra ? u" in "_s + p->objectName() : QString());
        }
        return n;
    }

    void adauga(const QString& d)
    {
        if (!m_defecte.contains(d))
            m_defecte << d;
    }

    void defect(const QWidget* c, const QString& text, const QString& ce)
    {
        adauga(nume(c) + (text.isEmpty() ? QString() : u" \""_s + text + u'"') + u": "_s + ce);
    }

    // The text needs `necesar` and has `loc`, where it is drawn aligned so:
    // named when it does not fit, or when the part of the room it takes is
    // not in view.
    void potriveste(const QWidget* c, const QString& text, const QSize& necesar, const QRect& loc,
                    Qt::Alignment aliniere = Qt::AlignCenter)
    {
        if (necesar.width() > loc.width() || necesar.height() > loc.height())
            defect(c, text, u"needs "_s + dimensiune(necesar) + u" px, has "_s + dimensiune(loc.size()));
        else
            inFereastra(c, text, QStyle::alignedRect(c->layoutDirection(), aliniere, necesar, loc));
    }

    // The room of a text, in the control's own pixels, must be inside every
    // control holding it up to the window (a scrolled view's contents apart).
    void inFereastra(const QWidget* c, const QString& text, const QRect& loc)
    {
        QRect r = loc.translated(c->mapTo(m_fereastra, QPoint(0, 0)));
        for (const QWidget* p = c->parentWidget(); p; p = p->parentWidget()) {
            const bool vedereDerulata =
                qobject_cast<const QAbstractScrollArea*>(p->parentWidget()) &&
                static_cast<const QAbstractScrollArea*>(p->parentWidget())->viewport() == p;
            if (!vedereDerulata) {
                const QRect vizibil(p->mapTo(m_fereastra, QPoint(0, 0)), p->size());
                if (!vizibil.contains(r)) {
                    defect(c, text,
                           u"cut by "_s + (p == m_fereastra ? u"the window"_s : nume(p)) + u" (" +
                               dimensiune((vizibil & r).size()) + u" of " + dimensiune(r.size()) +
                               u" px in view)");
                    return;
                }
            }
            if (p == m_fereastra)
                break;
        }
    }

    void eticheta(QLabel* l)
    {
        if (l->text().isEmpty() || !l->pixmap().isNull())
            return;
        QRect loc = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        int indent = l->indent();
        if (indent < 0 && l->frameWidth() > 0)
            indent = l->fontMetrics().horizontalAdvance(u'x') / 2;
        if (indent > 0) {
            if (l->alignment() & Qt::AlignLeft)
                loc.setLeft(loc.left() + indent);
            else if (l->alignment() & Qt::AlignRight)
                loc.setRight(loc.right() - indent);
        }
        const bool bogat = l->textFormat() == Qt::RichText ||
                           (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
        QSize necesar;
        QString arata = l->text();
        if (bogat) {
            QTextDocument d;
            d.setDefaultFont(l->font());
            d.setDocumentMargin(0);
            d.setHtml(l->text());
            arata = d.toPlainText();
            if (l->wordWrap())
                d.setTextWidth(loc.width());
            necesar = QSize(int(std::ceil(d.idealWidth())), int(std::ceil(d.size().height())));
        } else {
            const int fel = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0) |
                            (l->buddy() ? Qt::TextShowMnemonic : 0) | Qt::TextExpandTabs;
            necesar = l->fontMetrics().boundingRect(QRect(0, 0, loc.width(), 1 << 20), fel, l->text()).size();
            if (l->buddy())
                arata = faraMnemonic(arata);
        }
        potriveste(l, arata.simplified(), necesar, loc, l->alignment());
    }

    void buton(QAbstractButton* b, QStyle::SubElement continut)
    {
        if (b->text().isEmpty())
            return;
        QStyleOptionButton o;
        o.initFrom(b);
        o.text = b->text();
        o.icon = b->icon();
        o.iconSize = b->iconSize();
        if (auto* p = qobject_cast<QPushButton*>(b)) {
            if (p->isFlat())
                o.features |= QStyleOptionButton::Flat;
            if (p->menu())
                o.features |= QStyleOptionButton::HasMenu;
            if (p->autoDefault() || p->isDefault())
                o.features |= QStyleOptionButton::AutoDefaultButton;
            if (p->isDefault())
                o.features |= QStyleOptionButton::DefaultButton;
        }
        QRect loc = b->style()->subElementRect(continut, &o, b);
        if (!o.icon.isNull() && continut == QStyle::SE_PushButtonContents)
            loc.setLeft(loc.left() + o.iconSize.width() + 4);
        const QSize necesar = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
        potriveste(b, faraMnemonic(b->text()), necesar, loc,
                   continut == QStyle::SE_PushButtonContents ? Qt::AlignCenter
                                                             : Qt::AlignLeft | Qt::AlignVCenter);
    }

    void grup(QGroupBox* g)
    {
        if (g->title().isEmpty())
            return;
        QStyleOptionGroupBox o;
        o.initFrom(g);
        o.text = g->title();
        o.lineWidth = 1;
        o.midLineWidth = 0;
        o.textAlignment = Qt::Alignment(g->alignment());
        o.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        if (g->isCheckable())
            o.subControls |= QStyle::SC_GroupBoxCheckBox;
        if (g->isFlat())
            o.features |= QStyleOptionFrame::Flat;
        const QRect loc = g->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g);
        const QSize necesar = g->fontMetrics().size(Qt::TextShowMnemonic, g->title());
        potriveste(g, faraMnemonic(g->title()), necesar, loc & g->rect());
    }

    void taburi(QTabBar* t)
    {
        const int spatiu = t->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, t);
        for (int i = 0; i < t->count(); ++i) {
            if (!t->isTabVisible(i) || t->tabText(i).isEmpty())
                continue;
            const QRect r = t->tabRect(i);
            const QString text = faraMnemonic(t->tabText(i));
            const QSize necesar = t->fontMetrics().size(Qt::TextShowMnemonic, t->tabText(i));
            const QRect loc = r.adjusted(spatiu / 2, 0, -(spatiu - spatiu / 2), 0);
            if (necesar.width() > loc.width())
                defect(t, text,
                       u"tab needs "_s + QString::number(necesar.width()) + u" px, has "_s +
                           QString::number(loc.width()));
            else if (!t->rect().contains(r))
                defect(t, text, u"tab outside its strip"_s);
            else
                inFereastra(t, text, loc);
        }
    }

    void cutie(QComboBox* cb)
    {
        if (cb->isEditable() || cb->currentText().isEmpty())
            return;
        QStyleOptionComboBox o;
        o.initFrom(cb);
        o.currentText = cb->currentText();
        o.editable = false;
        o.frame = cb->hasFrame();
        const QRect loc = cb->style()
                              ->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, cb)
                              .adjusted(1, 0, -1, 0);
        const QSize necesar = cb->fontMetrics().size(Qt::TextSingleLine, cb->currentText());
        potriveste(cb, cb->currentText(), necesar, loc, Qt::AlignLeft | Qt::AlignVCenter);
    }

    // A grid, a list or a tree: its header sections and the values of the
    // rows in view.
    void vedere(QAbstractItemView* v, bool inGrila = true)
    {
        QAbstractItemModel* m = v->model();
        if (!m)
            return;
        QHeaderView* antet = nullptr;
        if (auto* tv = qobject_cast<QTableView*>(v))
            antet = tv->horizontalHeader();
        else if (auto* tr = qobject_cast<QTreeView*>(v))
            antet = tr->header();
        if (antet && antet->isVisible())
            sectiuni(v, antet);
        celule(v, antet);
        if (antet && inGrila)
            coloaneInVedere(v, antet);
    }

    void sectiuni(QAbstractItemView* v, QHeaderView* h)
    {
        QAbstractItemModel* m = v->model();
        for (int s = 0; s < h->count(); ++s) {
            if (h->isSectionHidden(s) || h->sectionSize(s) <= 0)
                continue;
            const QString text = m->headerData(s, Qt::Horizontal, Qt::DisplayRole).toString();
            if (text.trimmed().isEmpty())
                continue;
            const int x = h->sectionViewportPosition(s);
            if (x < 0 || x + h->sectionSize(s) > h->viewport()->width())
                continue; // scrolled out of view
            QStyleOptionHeader o;
            o.initFrom(h);
            o.rect = QRect(x, 0, h->sectionSize(s), h->height());
            o.section = s;
            o.text = text;
            o.orientation = Qt::Horizontal;
            const QVariant a = m->headerData(s, Qt::Horizontal, Qt::TextAlignmentRole);
            const Qt::Alignment aliniere = a.isValid() ? Qt::Alignment(a.toInt()) : h->defaultAlignment();
            o.textAlignment = aliniere;
            if (h->isSortIndicatorShown() && h->sortIndicatorSection() == s)
                o.sortIndicator = h->sortIndicatorOrder() == Qt::AscendingOrder ? QStyleOptionHeader::SortDown
                                                                                : QStyleOptionHeader::SortUp;
            QFont f = h->font();
            const QVariant fv = m->headerData(s, Qt::Horizontal, Qt::FontRole);
            if (fv.canConvert<QFont>())
                f = fv.value<QFont>().resolve(f);
            const QFontMetrics fm(f);
            QRect loc = h->style()->subElementRect(QStyle::SE_HeaderLabel, &o, h);
            const QSize necesar =
                (aliniere & Qt::TextWordWrap)
                    ? fm.boundingRect(QRect(0, 0, loc.width(), 1 << 20), int(aliniere), text).size()
                    : fm.size(Qt::TextSingleLine, text);
            if (necesar.width() > loc.width() || necesar.height() > loc.height())
                adauga(nume(v) + u" header \""_s + text.simplified() + u"\": needs "_s + dimensiune(necesar) +
                       u" px, has "_s + dimensiune(loc.size()));
        }
    }

    // The values of the rows and columns wholly in view: every value of a
    // list on its one line; in a grid, the values of the columns that wrap
    // their text and the captions of its text buttons (the other columns of
    // a grid keep their design widths, and show a value
    // they cut whole in its tooltip).
    void celule(QAbstractItemView* v, QHeaderView* h)
    {
        QAbstractItemModel* m = v->model();
        auto* g = qobject_cast<grid::Grid*>(v);
        const QRect vp = v->viewport()->rect();
        const int margine = v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
        for (int c = 0; c < m->columnCount(v->rootIndex()); ++c) {
            if (h && (h->isSectionHidden(c) || h->sectionSize(c) <= 0))
                continue;
            const bool incadrat = g && c < g->columnCount() && g->column(c).wrap;
            const bool buton = g && c < g->columnCount() && g->column(c).textButton;
            if (g && !incadrat && !buton)
                continue;
            for (int r = 0; r < m->rowCount(v->rootIndex()); ++r) {
                const QModelIndex i = m->index(r, c, v->rootIndex());
                const QRect celula = v->visualRect(i);
                if (celula.top() >= vp.bottom())
                    break;
                if (celula.isEmpty() || !vp.contains(celula))
                    continue;
                const QString text = i.data(Qt::DisplayRole).toString();
                if (text.trimmed().isEmpty() || !i.data(Qt::DecorationRole).isNull() ||
                    i.data(Qt::CheckStateRole).isValid())
                    continue;
                QFont f = v->font();
                const QVariant fv = i.data(Qt::FontRole);
                if (fv.canConvert<QFont>())
                    f = fv.value<QFont>().resolve(f);
                const QFontMetrics fm(f);
                const QRect loc = celula.adjusted(margine, 0, -margine, 0);
                const QSize necesar =
                    incadrat
                        ? fm.boundingRect(QRect(0, 0, loc.width(), 1 << 20), Qt::TextWordWrap, text).size()
                        : fm.size(Qt::TextSingleLine, text);
                if (necesar.width() > loc.width() || necesar.height() > loc.height()) {
                    adauga((m_prefix.isEmpty() ? nume(v) : m_prefix) + u" column \""_s +
                           m->headerData(c, Qt::Horizontal).toString().simplified() + u"\" value \""_s +
                           text.simplified().left(60) + u"\": needs "_s + dimensiune(necesar) +
                           u" px, has "_s + dimensiune(loc.size()));
                    break; // one value per column is enough to name it
                }
            }
        }
    }

    // A grid whose columns would fit on the screen shows them all, and a
    // column of a grid that wraps its text (a description) is never wider
    // than the grid's view.
    void coloaneInVedere(QAbstractItemView* v, QHeaderView* h)
    {
        if (auto* g = qobject_cast<grid::Grid*>(v)) {
            for (int c = 0; c < g->columnCount(); ++c) {
                if (!g->column(c).wrap || h->isSectionHidden(c) || h->sectionSize(c) <= 0)
                    continue;
                const int x = h->sectionViewportPosition(c);
                const int dincolo = x + h->sectionSize(c) - h->viewport()->width();
                if (x >= 0 && x < h->viewport()->width() && dincolo > 0)
                    adauga(nume(v) + u" column \""_s + g->column(c).caption.simplified() +
                           u"\" wraps its text but runs "_s + QString::number(dincolo) +
                           u" px beyond the grid's view"_s);
            }
        }
        const int coloane = h->length();
        if (coloane <= h->viewport()->width())
            return;
        const QScreen* ecran = m_fereastra->screen();
        const int cadru = v->width() - v->viewport()->width();
        if (ecran && coloane + cadru + v->verticalScrollBar()->sizeHint().width() <=
                         ecran->availableGeometry().width())
            adauga(nume(v) + u": columns of "_s + QString::number(coloane) + u" px in a view of "_s +
                   QString::number(h->viewport()->width()) + u" px, on a screen with room for them"_s);
    }

    QWidget* m_fereastra;
    QStringList m_defecte;
    QString m_prefix;
};

// Lets layouts and deferred work run.
void asteapta(int ms = 30)
{
    QCoreApplication::sendPostedEvents();
    QTest::qWait(ms);
}

void fotografiaza(QWidget* w, const QString& eticheta);

// Everything of one window: each page of its tab strips in turn, then the
// drop-down list of each combo box.
QStringList verificaFereastra(QWidget* w, const QString& eticheta)
{
    Verificare v(w);
    v.controale();
    for (QTabWidget* t : w->findChildren<QTabWidget*>()) {
        if (!t->isVisible())
            continue;
        const int inainte = t->currentIndex();
        for (int i = 0; i < t->count(); ++i) {
            if (i == inainte || !t->isTabEnabled(i))
                continue;
            t->setCurrentIndex(i);
            asteapta();
            v.controale();
        }
        t->setCurrentIndex(inainte);
        asteapta();
    }
    for (QComboBox* cb : w->findChildren<QComboBox*>()) {
        if (!cb->isVisible() || !cb->isEnabled() || cb->count() == 0)
            continue;
        cb->showPopup();
        asteapta();
        v.lista(cb);
        fotografiaza(cb->view()->window(), eticheta + u' ' + cb->objectName());
        cb->hidePopup();
        asteapta();
    }
    return v.defecte();
}

// A window, its frame included, within the work area of its screen.
QStringList inEcran(const QWidget* w)
{
    const QRect zona = w->screen()->availableGeometry();
    const QRect cadru = w->frameGeometry();
    if (zona.contains(cadru))
        return {};
    return {u"%1: the window (%2,%3 %4x%5 with its frame) does not fit the work area %6x%7"_s
                .arg(w->objectName())
                .arg(cadru.x())
                .arg(cadru.y())
                .arg(cadru.width())
                .arg(cadru.height())
                .arg(zona.width())
                .arg(zona.height())};
}

void fotografiaza(QWidget* w, const QString& eticheta)
{
    const QString dosar = qEnvironmentVariable("QUORVEL_POZE");
    if (dosar.isEmpty() || !w)
        return;
    QString nume = eticheta;
    nume.replace(QRegularExpression(u"[^A-Za-z0-9_]+"_s), u"_"_s);
    w->grab().save(dosar + u'/' + nume + u".png"_s);
    if (QScreen* s = w->screen(); s && w->windowType() != Qt::Popup)
        s->grabWindow(0).save(dosar + u'/' + nume + u"_ecran.png"_s);
}

// ------------------------------------------------------------ the walk

template <typename T = QWidget> T* control(const QString& fereastra, const QString& nume)
{
    QWidget* w = ui::Forms::get(fereastra);
    return w ? w->findChild<T*>(nume) : nullptr;
}

void apasa(const QString& fereastra, const QString& nume)
{
    if (auto* b = control<QAbstractButton>(fereastra, nume))
        b->click();
}

// A combo box's text chosen as the user does.
void alege(const QString& fereastra, const QString& nume, const QString& text)
{
    if (auto* c = control<QComboBox>(fereastra, nume))
        ferestre_test::Alege_In_Combo(c, text);
    asteapta();
}

void scrie(const QString& fereastra, const QString& nume, const QString& text)
{
    if (auto* e = control<QLineEdit>(fereastra, nume))
        e->setText(text);
}

// The other windows closed, as the menu's commands close them.
void inchideToate()
{
    for (const QString& n : ui::Forms::openNames())
        if (n.compare(u"Frm_Meniu_Principal"_s, Qt::CaseInsensitive) != 0)
            ui::Forms::unload(n);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    asteapta();
}

// The declaration of the sample, opened through the declaration chooser.
void deschideDeclaratia()
{
    Meniu_Declaratie_Intrastat();
    asteapta();
    auto* lista = control<grid::Grid>(u"Frm_Intrastat_Selectie"_s, u"ListaIntrastat"_s);
    if (!lista || lista->dataRowCount() == 0)
        return;
    lista->setCurrentCell(0, 0);
    apasa(u"Frm_Intrastat_Selectie"_s, u"Cmd_Open_File"_s);
    asteapta();
}

// One window (and one way of showing it) of the walk.
struct Pas
{
    QString eticheta; // the row's name
    QString fereastra;
    std::function<void()> deschide;
};

QList<Pas> pasi()
{
    const auto lista = [](const QString& n, Lista_Cod l) {
        return Pas{u"Frm_Lista_tabele "_s + n, u"Frm_Lista_tabele"_s, [l] { Meniu_Lista_Cod(l); }};
    };
    const auto tarif = [](const QString& n, Nivel_Tarif t) {
        return Pas{u"Frm_HS "_s + n, u"Frm_HS"_s, [t] { Meniu_Tarif(t); }};
    };
    const auto direct = [](const QString& n) { return Pas{n, n, [n] { ui::Forms::show(n); }}; };
    return {
        direct(u"Frm_Inceput"_s),
        {u"Frm_Selectie_Firma"_s, u"Frm_Selectie_Firma"_s, [] { Meniu_Selectie_Firma(); }},
        {u"Frm_Meniu_Principal"_s, u"Frm_Meniu_Principal"_s, [] {}},
        {u"Frm_Creare_Firma noua"_s, u"Frm_Creare_Firma"_s, [] { Meniu_Creare_Firma(); }},
        {u"Frm_Creare_Firma date"_s, u"Frm_Creare_Firma"_s, [] { Meniu_Date_Firma(); }},
        {u"Frm_Setari"_s, u"Frm_Setari"_s, [] { Meniu_Setari_Generale(); }},
        {u"FRM_About"_s, u"FRM_About"_s, [] { Meniu_Despre_Program(); }},
        {u"Frm_Structura_Fisiere noua"_s, u"Frm_Structura_Fisiere"_s, [] { Meniu_Macheta_Noua(); }},
        {u"Frm_Selectie_Mod_Preluare modificare"_s, u"Frm_Selectie_Mod_Preluare"_s,
         [] {
             Meniu_Modificare_Macheta();
             alege(u"Frm_Selectie_Mod_Preluare"_s, u"TDBSelectieModPreluare"_s, u"Exemplu Livrari"_s);
         }},
        {u"Frm_Selectie_Mod_Preluare stergere"_s, u"Frm_Selectie_Mod_Preluare"_s,
         [] { Meniu_Sterge_Macheta(); }},
        {u"Frm_Structura_Fisiere Exemplu Livrari"_s, u"Frm_Structura_Fisiere"_s,
         [] {
             Meniu_Modificare_Macheta();
             alege(u"Frm_Selectie_Mod_Preluare"_s, u"TDBSelectieModPreluare"_s, u"Exemplu Livrari"_s);
             apasa(u"Frm_Selectie_Mod_Preluare"_s, u"CmdModifica"_s);
         }},
        {u"Frm_Preluare_Excel"_s, u"Frm_Preluare_Excel"_s,
         [] {
             Meniu_Preluare_Fisier();
             alege(u"Frm_Preluare_Excel"_s, u"Combo_NumeMacheta"_s, u"Exemplu Livrari"_s);
         }},
        direct(u"Frm_Intrastat_Preluare"_s),
        {u"Frm_Intrastat_Selectie"_s, u"Frm_Intrastat_Selectie"_s, [] { Meniu_Declaratie_Intrastat(); }},
        {u"Frm_INTRASTAT"_s, u"Frm_INTRASTAT"_s, [] { deschideDeclaratia(); }},
        {u"Frm_CautareTabele"_s, u"Frm_CautareTabele"_s,
         [] {
             deschideDeclaratia();
             if (auto* g = control<grid::Grid>(u"Frm_INTRASTAT"_s, u"GridIntrastat"_s)) {
                 const int c = g->columnForField(u"Tara_Dest"_s);
                 g->setCurrentCell(0, c);
                 emit g->buttonClick(c);
             }
         }},
        {u"Frm_Recalculare_ValStat"_s, u"Frm_Recalculare_ValStat"_s,
         [] {
             deschideDeclaratia();
             if (auto* c = control<QCheckBox>(u"Frm_INTRASTAT"_s, u"Check_ValStatistica"_s);
                 c && !c->isChecked())
                 c->click();
             apasa(u"Frm_INTRASTAT"_s, u"CmdRecalcValStat"_s);
         }},
        {u"Frm_Report"_s, u"Frm_Report"_s,
         [] {
             deschideDeclaratia();
             apasa(u"Frm_INTRASTAT"_s, u"Cmd_Print"_s);
         }},
        {u"Frm_bara_progres"_s, u"Frm_bara_progres"_s,
         [] {
             deschideDeclaratia();
             ui::Forms::show(u"Frm_bara_progres"_s);
             if (auto* b = ui::Forms::get<Frm_bara_progres>(u"Frm_bara_progres"_s))
                 b->Arata(u"Verificare coduri vamale"_s, 40);
         }},
        {u"Frm_Intrastat_Probleme"_s, u"Frm_Intrastat_Probleme"_s,
         [] {
             // A partner's VAT number of a country other than the line's.
             Conexiune_Firma.execute(
                 u"UPDATE Intrastat SET VAT_ID = 'UK12345678901' WHERE Record_ID = (SELECT MIN(Record_ID) "
                 u"FROM Intrastat)"_s);
             deschideDeclaratia();
             apasa(u"Frm_INTRASTAT"_s, u"Cmd_Verifica"_s);
         }},
        direct(u"Frm_Cautare_Selectie"_s),
        lista(u"Tari"_s, Lista_Cod::Tari),
        lista(u"Tari UE"_s, Lista_Cod::Tari_UE),
        lista(u"Monezi"_s, Lista_Cod::Monezi),
        lista(u"Conditii livrare"_s, Lista_Cod::Conditii_Livrare),
        lista(u"Mod transport"_s, Lista_Cod::Mod_Transport),
        lista(u"Natura tranzactiei"_s, Lista_Cod::Nat_Tranzactiei),
        lista(u"UM suplimentare"_s, Lista_Cod::UM_Supl),
        tarif(u"Sectiuni"_s, Nivel_Tarif::HS_1),
        tarif(u"Capitole"_s, Nivel_Tarif::HS_2),
        tarif(u"Grupe"_s, Nivel_Tarif::HS_4),
        tarif(u"HS6"_s, Nivel_Tarif::HS_6),
        tarif(u"Cod vamal"_s, Nivel_Tarif::HS_8),
        {u"FRM_cautare"_s, u"FRM_cautare"_s,
         [] {
             Meniu_Tarif(Nivel_Tarif::HS_2);
             apasa(u"Frm_HS"_s, u"CmdCautare"_s);
         }},
        {u"Frm_Explicativ"_s, u"Frm_Explicativ"_s, [] { Meniu_Explicativ_Selectie(); }},
        {u"Frm_Actualizari_Generale"_s, u"Frm_Actualizari_Generale"_s, [] { Meniu_Denumire_Rapoarte(); }},
        direct(u"Frm_Update"_s),
    };
}

} // namespace

class TestLegende : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_arbore = std::make_unique<Arbore_Test>();
        VERIFICA_ARBORE(*m_arbore);
        sys::Clock::set(QDateTime(QDate(2026, 4, 20), QTime(9, 30)));
        sys::testing::setUserName(u"ion"_s);
        const db::Result<Stare_Initializare> stare = Initializeaza_Aplicatia();
        QVERIFY2(stare && *stare == Stare_Initializare::Gata, qPrintable(Arbore_Test::mesaje().join(u'\n')));
        Inregistreaza_Ferestre_Pornire();
        Inregistreaza_Ferestre_Update();

        // The demonstration company, chosen in the chooser as the program starts.
        QVERIFY(ui::Forms::show(u"Frm_Selectie_Firma"_s));
        asteapta();
        alege(u"Frm_Selectie_Firma"_s, u"Cmb_Firma"_s, u"FIRMA DEMONSTRATIVA SRL"_s);
        apasa(u"Frm_Selectie_Firma"_s, u"CmdOK"_s);
        asteapta();
        QVERIFY(ui::Forms::isLoaded(u"Frm_Meniu_Principal"_s));
        QCOMPARE(FirmaCurenta_Nume, u"FIRMA DEMONSTRATIVA SRL"_s);

        // Its sample workbook, imported through its template.
        Meniu_Preluare_Fisier();
        alege(u"Frm_Preluare_Excel"_s, u"Combo_NumeMacheta"_s, u"Exemplu Livrari"_s);
        scrie(u"Frm_Preluare_Excel"_s, u"Txt_ExcelFile"_s, m_arbore->cale(u"Exemple/Exemplu_Livrari.xlsx"_s));
        ui::testing::clear();
        apasa(u"Frm_Preluare_Excel"_s, u"CmdReadFile"_s);
        QCOMPARE(Arbore_Test::mesaje(), QStringList{u"Preluare Terminata"_s});
        inchideToate();
        ui::testing::clear();
    }

    void cleanupTestCase()
    {
        ui::Forms::unloadAllForTests();
        m_arbore.reset();
        sys::Clock::reset();
    }

    void fereastra_data()
    {
        QTest::addColumn<int>("pas");
        const QList<Pas> toti = pasi();
        for (int i = 0; i < toti.size(); ++i)
            QTest::newRow(qPrintable(toti.at(i).eticheta)) << i;
    }

    void fereastra()
    {
        QFETCH(int, pas);
        const Pas p = pasi().at(pas);
        inchideToate();
        ui::testing::clear();
        m_ferestreVazute << p.fereastra.toUpper();

        // The window is checked when it shows: a modal one while its
        // opener waits, then it is closed.
        QStringList defecte;
        bool vazuta = false;
        int batai = 0;
        QTimer ceas;
        ceas.setInterval(20);
        connect(&ceas, &QTimer::timeout, this, [&] {
            QWidget* w = ui::Forms::get(p.fereastra);
            if (vazuta || !w || !w->isVisible() || ++batai < 3)
                return;
            vazuta = true;
            ceas.stop();
            // On a bare virtual display no window manager maximises a
            // window: the walk does it, as the desktop would.
            if ((w->windowState() & Qt::WindowMaximized) && w->screen() &&
                w->frameGeometry() != w->screen()->availableGeometry()) {
                w->setGeometry(w->screen()->availableGeometry());
                asteapta(100);
            }
            defecte = verificaFereastra(w, p.eticheta);
            defecte << inEcran(w);
            fotografiaza(w, p.eticheta);
            if (w->isModal())
                ui::Forms::unload(w);
        });
        ceas.start();
        p.deschide();
        QTRY_VERIFY2_WITH_TIMEOUT(
            vazuta,
            qPrintable(p.fereastra + u" did not show; messages: "_s + Arbore_Test::mesaje().join(u" | "_s)),
            10000);
        inchideToate();
        QVERIFY2(defecte.isEmpty(), qPrintable(u"\n  "_s + defecte.join(u"\n  "_s)));
    }

    void previzualizare_data()
    {
        QTest::addColumn<QString>("fereastra");
        QTest::newRow("Frm_Lista_tabele") << u"Frm_Lista_tabele"_s;
        QTest::newRow("Frm_HS") << u"Frm_HS"_s;
    }

    // The grid's print preview ("Tipareste") opens whole within the screen.
    void previzualizare()
    {
        QFETCH(QString, fereastra);
        inchideToate();
        ui::testing::clear();
        fereastra == u"Frm_HS"_s ? Meniu_Tarif(Nivel_Tarif::HS_8) : Meniu_Lista_Cod(Lista_Cod::Tari);
        asteapta();
        QStringList defecte;
        bool vazuta = false;
        QTimer ceas; // goes with the test, never firing after it
        ceas.setSingleShot(true);
        connect(&ceas, &QTimer::timeout, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w)
                return;
            asteapta(100);
            vazuta = w->objectName() == u"PrintPreview"_s;
            defecte << inEcran(w);
            fotografiaza(w, fereastra + u" Tipareste"_s);
            w->close();
        });
        ceas.start(100);
        apasa(fereastra, u"CmdPrint"_s);
        QVERIFY2(vazuta, qPrintable(u"no print preview; messages: "_s + Arbore_Test::mesaje().join(u" | "_s)));
        inchideToate();
        QVERIFY2(defecte.isEmpty(), qPrintable(u"\n  "_s + defecte.join(u"\n  "_s)));
    }

    // Every window the program registers has its step in the walk.
    void toateFerestrele()
    {
        QStringList neumblate;
        for (const QString& n : ui::Forms::registeredNames())
            if (!m_ferestreVazute.contains(n.toUpper()))
                neumblate << n;
        QVERIFY2(neumblate.isEmpty(), qPrintable(u"not walked: "_s + neumblate.join(u", "_s)));
    }

private:
    std::unique_ptr<Arbore_Test> m_arbore;
    QSet<QString> m_ferestreVazute;
};

int main(int argc, char** argv)
{
    ferestre_test::Liniste_Offscreen();
    // The offscreen screen of the tests, of the size asked for.
    const QTemporaryDir dosar;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QStringList m = qEnvironmentVariable("QUORVEL_ECRAN", u"1366x768"_s).split(u'x');
        const int latime = m.value(0).toInt() > 0 ? m.value(0).toInt() : 1366;
        const int inaltime = m.value(1).toInt() > 0 ? m.value(1).toInt() : 768;
        if (!ferestre_test::Ecran_Offscreen(dosar.path(), latime, inaltime))
            return 1;
    }
    QApplication app(argc, argv);
    TestLegende t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_legende.moc"
