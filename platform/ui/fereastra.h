#pragma once
// The base of the program's windows: a top-level widget named as its window,
// titled with its caption, with the registry's routines.

#include "platform/ui/forms.h"

#include <QWidget>

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
};

// Sets accessible names under root, as Fereastra::seteazaNumeAccesibile does.
void seteazaNumeAccesibile(QWidget* root);

} // namespace ui
