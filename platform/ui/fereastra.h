#pragma once
// The base of the program's windows: a top-level widget named as its window,
// titled with its caption, with the registry's routines.

#include "platform/ui/forms.h"

#include <QPointer>
#include <QWidget>

class QAbstractButton;

namespace ui {

class Fereastra : public QWidget, public Formular
{
    Q_OBJECT
public:
    // name: the window's own name (objectName); caption: its title.
    explicit Fereastra(const QString& name, const QString& caption = QString(), QWidget* parent = nullptr);
    ~Fereastra() override;

    // Gives every child control without an accessible name the label that
    // names it, or else its own control name. Labels, buttons, group boxes
    // and controls with a label beside them are read by their captions as
    // shown at each moment, and get no fixed name.
    void seteazaNumeAccesibile();

    // The window's cancel or close button: Esc presses it, while it shows
    // and can be pressed, unless the control with the focus takes the key
    // for itself (a cell being edited, an open list).
    void seteazaButonRenuntare(QAbstractButton* buton);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // In a form Enter moves to the next control and is not typed: true when
    // the event is that key, and the focus has moved (the event filter of
    // the control then swallows it).
    bool enterLaUrmatorul(QEvent* event);

private:
    QPointer<QAbstractButton> m_renuntare;
};

// Sets accessible names under root, as Fereastra::seteazaNumeAccesibile does.
void seteazaNumeAccesibile(QWidget* root);

} // namespace ui
