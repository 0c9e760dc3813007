#include "platform/ui/fereastra.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
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

QString shownCaption(QWidget* w, const QList<QLabel*>& labels)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return withoutMnemonic(b->text());
    if (auto* l = qobject_cast<QLabel*>(w))
        return withoutMnemonic(plainText(l->text()));
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return withoutMnemonic(g->title());
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
        if (!w->accessibleName().isEmpty())
            continue;
        QString name = shownCaption(w, labels).trimmed();
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
