#include "platform/ui/ecran.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {
namespace {

// Known once the window has its platform window (for most window managers
// only once it shows).
QMargins ownFrame(const QWidget* w)
{
    return w->windowHandle() ? w->windowHandle()->frameMargins() : QMargins();
}

// A window that shows before its window manager has framed it was fitted
// with the frame of another window, which may be a maximised one's, drawn
// without borders. Its own frame is known a moment later (the window
// manager tells it without an event to the window): it is looked for a few
// times, and the window fitted again with it, once.
class FrameWatch : public QObject
{
public:
    static constexpr const char* kName = "quorvel-frame-watch";

    explicit FrameWatch(QWidget* w) : QObject(w), m_window(w)
    {
        setObjectName(QLatin1String(kName));
        m_timer.setInterval(50);
        connect(&m_timer, &QTimer::timeout, this, &FrameWatch::look);
        m_timer.start();
    }

private:
    void look()
    {
        const bool known = !ownFrame(m_window).isNull();
        if (!known && ++m_looks < 40 && m_window->isVisible())
            return;
        m_timer.stop();
        deleteLater();
        if (known && m_window->isVisible())
            fitToScreen(m_window);
    }

    QWidget* m_window;
    QTimer m_timer;
    int m_looks = 0;
};

} // namespace

QMargins frameMargins(const QWidget* w)
{
    if (w) {
        const QMargins own = ownFrame(w);
        if (!own.isNull())
            return own;
    }
    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (const QWidget* other : windows) {
        if (other == w || (other->windowFlags() & Qt::FramelessWindowHint) || other->isMinimized())
            continue;
        const Qt::WindowType type = other->windowType();
        if (type != Qt::Window && type != Qt::Dialog)
            continue; // menus, tooltips: no frame
        const QMargins m = other->isVisible() ? ownFrame(other) : QMargins();
        if (!m.isNull())
            return m;
    }
    return QMargins();
}

QRect fitInto(const QRect& area, const QMargins& frame, QRect inner)
{
    const QRect room = area.marginsRemoved(frame);
    if (room.isEmpty())
        return inner;
    inner.setWidth(std::min(inner.width(), room.width()));
    inner.setHeight(std::min(inner.height(), room.height()));
    inner.moveLeft(std::clamp(inner.left(), room.left(), room.right() + 1 - inner.width()));
    inner.moveTop(std::clamp(inner.top(), room.top(), room.bottom() + 1 - inner.height()));
    return inner;
}

void allowSize(QWidget* w, const QSize& size)
{
    if (size.width() < w->minimumWidth() || size.height() < w->minimumHeight())
        w->setMinimumSize(std::min(w->minimumWidth(), size.width()), std::min(w->minimumHeight(), size.height()));
}

void fitToScreen(QWidget* w)
{
    if (!w || !w->isWindow() || (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect now = w->geometry();
    if (w->isVisible() && ownFrame(w).isNull() &&
        !w->findChild<QObject*>(QLatin1String(FrameWatch::kName), Qt::FindDirectChildrenOnly))
        new FrameWatch(w);
    QRect fit = fitInto(screen->availableGeometry(), frameMargins(w), now);
    if (!w->isVisible())
        fit.moveTopLeft(now.topLeft()); // placed when it shows (a dialog over its parent, ...)
    if (fit == now)
        return;
    allowSize(w, fit.size());
    if (fit.topLeft() == now.topLeft())
        w->resize(fit.size());
    else
        w->setGeometry(fit);
}

} // namespace ui
