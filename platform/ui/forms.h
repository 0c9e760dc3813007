#pragma once
// The program's windows by name: the collection of the loaded windows,
// through which the windows load, show and unload one another.
//
// Each window name has a factory. Loading creates the window and runs its
// load routine without showing it; showing loads it first when needed;
// unloading runs its unload routine, which may refuse, then hides the window
// and destroys it later, so that a handler may unload its own window and go
// on running to its end. A window's activate routine runs when it becomes the
// active window of the program coming from another of the program's windows:
// a message box or file dialog of its own closing, or coming back from
// another program, is no activation.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace ui {

// The routines a window of the program offers to the registry. Windows derive
// from ui::Fereastra (or another widget class together with this one).
class Formular
{
public:
    virtual ~Formular() = default;
    // After the window is created, before it is shown.
    virtual void Form_Load() {}
    // Before the window is unloaded; set cancel to keep it.
    virtual void Form_Unload(bool& cancel) { (void)cancel; }
    // The window became the active one, coming from another of the program's windows.
    virtual void Form_Activate() {}
};

class Forms
{
public:
    using Factory = std::function<QWidget*()>;

    // Registers (or replaces) the factory of a window name. Names are
    // matched without regard to case.
    static void registerWindow(const QString& name, Factory factory);
    // Registers the factory unless the name has one already, so a window a
    // caller registered first (such as a test's stand-in) stays.
    static void registerWindowIfAbsent(const QString& name, Factory factory);
    static bool isRegistered(const QString& name);
    // The names that have a factory, as they were registered, sorted.
    static QStringList registeredNames();

    // Creates the window and runs its load routine; a loaded window is
    // returned as it is. nullptr for a name without a factory.
    static QWidget* load(const QString& name);
    template <class T> static T* load(const QString& name) { return qobject_cast<T*>(load(name)); }

    // Loads when needed and shows the window, raised and activated. Modal:
    // the rest of the program is blocked and the call returns once the
    // window is hidden or unloaded. False when the name has no factory.
    // A window that places itself nowhere (neither moved nor maximised by
    // its constructor or load routine) opens centred over the main window,
    // or over the screen's work area while the main window does not show.
    static bool show(const QString& name, bool modal = false);

    // The name of the program's main window (none: windows centre on the
    // screen).
    static void setMainWindowName(const QString& name);

    // Runs the window's unload routine; unless it refuses, hides the window,
    // forgets it and destroys it later. True when the window is gone (or was
    // not loaded), false when its routine kept it.
    static bool unload(const QString& name);
    static bool unload(QWidget* window);

    static bool isLoaded(const QString& name);
    static QWidget* get(const QString& name);
    template <class T> static T* get(const QString& name) { return qobject_cast<T*>(get(name)); }

    // The names of the loaded windows, in load order.
    static QStringList openNames();

    // The window that was last activated (nullptr when none or unloaded).
    static QWidget* activeWindow();

    // Tests: destroys every loaded window without its unload routine.
    static void unloadAllForTests();
    // Tests: forgets every factory and the main window's name as well.
    static void resetForTests();
};

} // namespace ui
