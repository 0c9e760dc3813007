#pragma once
// The main window: the menu bar through which every work window is reached,
// the background picture and the footer with the status line and the
// maker's contact details. Closing it ends the program.

#include "platform/ui/fereastra.h"

class QFrame;
class QLabel;
class QMenuBar;

class Frm_Meniu_Principal : public ui::Fereastra
{
    Q_OBJECT
public:
    explicit Frm_Meniu_Principal(QWidget* parent = nullptr);

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(bool& cancel) override;

    // The status line: "Firma selectata: " + the company's name.
    QLabel* Label2 = nullptr;
    QLabel* EU1 = nullptr;
    QLabel* EU2 = nullptr;
    QLabel* EU3 = nullptr;
    QLabel* Logo = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Lbl_Jos = nullptr;
    QFrame* Line1 = nullptr;
    QMenuBar* Meniu = nullptr;

    // Tests: leave the event loop alone when the window closes.
    static inline bool Fara_Sfarsit_Program = false;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* obiect, QEvent* eveniment) override;

private:
    void construiesteMeniul();
    void aseaza();
    void coloreaza();
};
