#include "platform/ui/forms.h"

#include "platform/ui/accesibilitate.h"
#include "platform/ui/ecran.h"
#include "platform/ui/fereastra.h"

#include <QComboBox>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QScreen>
#include <algorithm>

namespace ui {
namespace {

struct Entry
{
    QString key; // upper-case name
    QPointer<QWidget> window;
    Formular* routines = nullptr;
    bool unloading = false;
};

// Watches the loaded windows for activation, closing by the user and hiding.
class WindowWatcher : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

struct Registry
{
    QHash<QString, Forms::Factory> factories; // by upper-case name
    QHash<QString, QString> names;            // the name as registered, by upper-case name
    QList<Entry> loaded;                      // load order
    QHash<QWidget*, QEventLoop*> modalLoops;
    QPointer<QWidget> lastActive;
    WindowWatcher* watcher = nullptr;
    QString mainWindowKey;
};

Registry& registry()
{
    static Registry r;
    if (!r.watcher)
        r.watcher = new WindowWatcher; // lives as long as the process
    return r;
}

QString keyOf(const QString& name)
{
    return name.toUpper();
}

Entry* findByKey(const QString& key)
{
    for (Entry& e : registry().loaded)
        if (e.key == key && e.window)
            return &e;
    return nullptr;
}

Entry* findByWindow(const QWidget* w)
{
    for (Entry& e : registry().loaded)
        if (e.window == w)
            return &e;
    return nullptr;
}

void dropEntry(const QWidget* w)
{
    QList<Entry>& list = registry().loaded;
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).window == w) {
            list.removeAt(i);
            return;
        }
    }
}

// Forgets entries whose window was destroyed by someone else.
void pruneDestroyed()
{
    QList<Entry>& list = registry().loaded;
    list.removeIf([](const Entry& e) { return e.window.isNull(); });
}

void quitModalLoop(QWidget* w)
{
    if (QEventLoop* loop = registry().modalLoops.value(w))
        loop->quit();
}

// A window that chose no place of its own opens centred over the main
// window; every window is kept, its frame included, inside the screen's
// work area, made smaller where it is larger. Its frame is not known before
// it shows: that of the program's other windows stands for it, and the
// inner areas are centred one on the other.
void placeCentred(QWidget* w)
{
    const Qt::WindowStates placed = Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized;
    if (w->windowState() & placed)
        return;
    // The size it will show with, as showing it would make it.
    w->ensurePolished();
    if (!w->testAttribute(Qt::WA_Resized))
        w->adjustSize();
    if (w->testAttribute(Qt::WA_Moved)) {
        fitToScreen(w); // its own place, its size kept within the screen
        return;
    }
    Entry* main = findByKey(registry().mainWindowKey);
    QWidget* over = main && main->window != w && main->window->isVisible() && !main->window->isMinimized()
                        ? main->window.data()
                        : nullptr;
    QScreen* screen = over ? over->screen() : w->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect r(QPoint(0, 0), w->size());
    r.moveCenter(over ? over->geometry().center() : area.center());
    r = fitInto(area, frameMargins(w), r);
    allowSize(w, r.size());
    w->setGeometry(r);
}

// Shows, raises and activates; the offscreen platform of the tests cannot raise.
void present(QWidget* w)
{
    placeCentred(w);
    w->show();
    fitToScreen(w); // its own frame may be known now
    if (QGuiApplication::platformName() != u"offscreen")
        w->raise();
    w->activateWindow();
}

void noteActivated(QWidget* w)
{
    Registry& r = registry();
    Entry* e = findByWindow(w);
    if (!e || e->unloading)
        return; // a message box, a dialog or a window being unloaded
    if (r.lastActive == w)
        return; // back from its own box, or from another program
    r.lastActive = w;
    if (e->routines)
        e->routines->Form_Activate();
}

bool WindowWatcher::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w)
        return false;
    switch (event->type()) {
    case QEvent::WindowActivate:
        noteActivated(w);
        break;
    case QEvent::Close: {
        Entry* e = findByWindow(w);
        if (!e || e->unloading)
            break;
        // Closing by the user goes through the unload routine, which may
        // refuse; unload() itself hides and destroys the window.
        event->ignore();
        Forms::unload(w);
        return true;
    }
    case QEvent::Hide:
        if (!event->spontaneous())
            quitModalLoop(w);
        break;
    default:
        break;
    }
    return false;
}

} // namespace

void Forms::registerWindow(const QString& name, Factory factory)
{
    registry().factories.insert(keyOf(name), std::move(factory));
    registry().names.insert(keyOf(name), name);
}

void Forms::registerWindowIfAbsent(const QString& name, Factory factory)
{
    if (!isRegistered(name))
        registerWindow(name, std::move(factory));
}

void Forms::setMainWindowName(const QString& name)
{
    registry().mainWindowKey = keyOf(name);
}

bool Forms::isRegistered(const QString& name)
{
    return registry().factories.contains(keyOf(name));
}

QStringList Forms::registeredNames()
{
    QStringList names = registry().names.values();
    names.sort(Qt::CaseInsensitive);
    return names;
}

QWidget* Forms::load(const QString& name)
{
    pruneDestroyed();
    const QString key = keyOf(name);
    if (Entry* e = findByKey(key))
        return e->window;
    Registry& r = registry();
    const auto it = r.factories.constFind(key);
    if (it == r.factories.constEnd() || !*it)
        return nullptr;
    QWidget* w = (*it)();
    if (!w)
        return nullptr;
    if (w->objectName().isEmpty())
        w->setObjectName(name);
    if (!w->isWindow())
        w->setWindowFlag(Qt::Window, true);

    // The window counts as loaded while its load routine runs, so that the
    // routine can find it (and unload it) by name.
    Entry entry;
    entry.key = key;
    entry.window = w;
    entry.routines = dynamic_cast<Formular*>(w);
    r.loaded.append(entry);
    w->installEventFilter(r.watcher);

    if (entry.routines)
        entry.routines->Form_Load();
    if (!findByKey(key))
        return nullptr; // the load routine unloaded its own window
    seteazaNumeAccesibile(w);
    for (QComboBox* c : w->findChildren<QComboBox*>())
        alegereAccesibila(c);
    inchidereDinTastatura(w);
    aspectDoarCitire(w);
    return w;
}

bool Forms::show(const QString& name, bool modal)
{
    QWidget* w = load(name);
    if (!w)
        return false;
    QPointer<QWidget> guard(w);
    if (!modal) {
        present(w);
        return true;
    }
    if (registry().modalLoops.contains(w)) {
        // Already shown modal further up the call chain: just bring it forward.
        present(w);
        return true;
    }
    if (w->isVisible())
        w->hide(); // modality changes only while hidden
    w->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    registry().modalLoops.insert(w, &loop);
    QObject::connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    present(w);
    if (guard && guard->isVisible())
        loop.exec(QEventLoop::DialogExec);
    registry().modalLoops.remove(w);
    if (guard)
        guard->setWindowModality(Qt::NonModal);
    return true;
}

bool Forms::unload(const QString& name)
{
    pruneDestroyed();
    Entry* e = findByKey(keyOf(name));
    if (!e)
        return true;
    return unload(e->window.data());
}

bool Forms::unload(QWidget* w)
{
    Entry* e = findByWindow(w);
    if (!w || !e)
        return true;
    if (e->unloading)
        return false; // already inside its unload routine
    e->unloading = true;
    bool cancel = false;
    if (Formular* routines = e->routines)
        routines->Form_Unload(cancel);
    // The routine may have loaded or unloaded other windows: look again.
    e = findByWindow(w);
    if (!e)
        return true;
    if (cancel) {
        e->unloading = false;
        return false;
    }
    dropEntry(w);
    w->removeEventFilter(registry().watcher);
    w->hide();
    quitModalLoop(w);
    w->deleteLater();
    return true;
}

bool Forms::isLoaded(const QString& name)
{
    return findByKey(keyOf(name)) != nullptr;
}

QWidget* Forms::get(const QString& name)
{
    Entry* e = findByKey(keyOf(name));
    return e ? e->window.data() : nullptr;
}

QStringList Forms::openNames()
{
    pruneDestroyed();
    QStringList names;
    for (const Entry& e : registry().loaded)
        names.append(e.window->objectName());
    return names;
}

QWidget* Forms::activeWindow()
{
    return registry().lastActive.data();
}

void Forms::unloadAllForTests()
{
    Registry& r = registry();
    const QList<Entry> entries = r.loaded;
    r.loaded.clear();
    for (const Entry& e : entries) {
        if (QWidget* w = e.window.data()) {
            w->removeEventFilter(r.watcher);
            quitModalLoop(w);
            delete w;
        }
    }
    r.lastActive = nullptr;
}

void Forms::resetForTests()
{
    unloadAllForTests();
    registry().factories.clear();
    registry().mainWindowKey.clear();
    registry().names.clear();
}

} // namespace ui
