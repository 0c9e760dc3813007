#pragma once
// The progress window of the verification: a label over a bar, no title.

#include "platform/ui/fereastra.h"

class QLabel;
class QProgressBar;

class Frm_bara_progres : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_bara_progres(QWidget* parent = nullptr);

    // Sets the label and the bar (0 to 100) and repaints both at once: the
    // verification runs inside a click and gives the event loop no turn.
    void Arata(const QString& titlu, int procent);

    QLabel* Bara_Titlu = nullptr;
    QProgressBar* Bara_Progres = nullptr;
};
