#include "platform/ui/fereastra.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextDocumentFragment>

namespace ui {
namespace {

// A caption without its mnemonic marks ("&Salveaza" reads "Salveaza").
QString withoutMnemonic(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            if (i + 1 < caption.size() && caption.at(i + 1) == u'&')
                out.append(u'&');
            else
                continue;
            ++i;
            continue;
        }
        out.append(caption.at(i));
    }
    return out;
}

QString plainText(const QString& text)
{
    if (Qt::mightBeRichText(text))
        return QTextDocumentFragment::fromHtml(text).toPlainText();
    return text;
}

// Whether assistive tools already read the control's own caption as it is
// at each moment: the text of a label, a button or a group box, or the label
// beside it that names it (a label of the same parent). Those get no fixed
// name, so that a caption changed later (a result line) is read as shown.
bool readsItsOwnCaption(QWidget* w, const QList<QLabel*>& labels)
{
    if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w))
        return true;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return !b->text().isEmpty() || b->icon().isNull();
    for (QLabel* l : labels)
        if (l->buddy() == w && l->parentWidget() == w->parentWidget())
            return true;
    return false;
}

// The caption of a label further away that names the control, of a menu,
// or of the tab that shows a page.
QString labelCaption(QWidget* w, const QList<QLabel*>& labels)
{
    if (auto* m = qobject_cast<QMenu*>(w))
        return withoutMnemonic(m->title());
    if (auto* stack = qobject_cast<QStackedWidget*>(w->parentWidget())) {
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()); tabs && tabs->indexOf(w) >= 0)
            return withoutMnemonic(tabs->tabText(tabs->indexOf(w)));
    }
    for (QLabel* l : labels)
        if (l->buddy() == w)
            return withoutMnemonic(plainText(l->text()));
    return QString();
}

} // namespace

Fereastra::Fereastra(const QString& name, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(name);
    setWindowTitle(caption);
}

Fereastra::~Fereastra() = default;

void Fereastra::seteazaButonRenuntare(QAbstractButton* buton)
{
    m_renuntare = buton;
}

bool Fereastra::enterLaUrmatorul(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    focusNextChild();
    return true;
}

void Fereastra::keyPressEvent(QKeyEvent* event)
{
    // A key no control of the window took comes here, as in a dialog box.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && m_renuntare &&
        m_renuntare->isVisible() && m_renuntare->isEnabled()) {
        m_renuntare->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Fereastra::seteazaNumeAccesibile()
{
    ui::seteazaNumeAccesibile(this);
}

void seteazaNumeAccesibile(QWidget* root)
{
    if (!root)
        return;
    const QList<QLabel*> labels = root->findChildren<QLabel*>();
    const QList<QWidget*> children = root->findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (!w->accessibleName().isEmpty() || readsItsOwnCaption(w, labels))
            continue;
        QString name = labelCaption(w, labels).trimmed();
        if (name.isEmpty())
            name = w->objectName();
        // Qt's own inner parts (a spin box's line edit, scroll bars) carry
        // "qt_" names and no caption: leave them alone.
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        w->setAccessibleName(name);
    }
}

} // namespace ui
