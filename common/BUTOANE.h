#pragma once
// The flat buttons of the data windows (module BUTOANE): a push button that
// shows black text on light cyan, swaps the two while the pointer is over
// it, and runs its action once per press.
//
// A window connects the button's clicked signal to a handler that starts with
//     if (Reseteaza_Buton(buton)) return;
// and then does its work.

#include <QPushButton>
#include <cstdint>

// Normal look: text colour 0 (black) on &HFFFFC0 (light cyan).
inline constexpr std::uint32_t Culoare_Buton_Fundal = 0xFFFFC0;
inline constexpr std::uint32_t Culoare_Buton_Text = 0x000000;

class ButonPlat : public QPushButton
{
    Q_OBJECT
public:
    explicit ButonPlat(const QString& text, QWidget* parent = nullptr);
    explicit ButonPlat(QWidget* parent = nullptr) : ButonPlat(QString(), parent) {}

    // The current look, in the colour form of the settings (0x00BBGGRR).
    std::uint32_t culoareText() const { return m_text; }
    std::uint32_t culoareFundal() const { return m_fundal; }
    void seteazaCulori(std::uint32_t text, std::uint32_t fundal);

    // Whether the button holds the pointer (the hover look is on).
    bool arePointerul() const { return m_captura; }
    void seteazaCaptura(bool captura) { m_captura = captura; }

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The normal look again, when the button held the pointer.
    void lasaPointerul();

    std::uint32_t m_text = Culoare_Buton_Text;
    std::uint32_t m_fundal = Culoare_Buton_Fundal;
    bool m_captura = false;
};

// Pointer at (x, y) in the button's own pixels. Outside the button: the
// normal look (text colour B on colour A) and the pointer let go; inside and
// not yet held: the hover look (text A on B); inside and held: nothing.
void Evidentiaza_Buton(ButonPlat* buton, int x, int y, std::uint32_t culoareA = Culoare_Buton_Fundal,
                       std::uint32_t culoareB = Culoare_Buton_Text);

// The click guard. A pressed (checked) button is released, given its normal
// look, and its click is raised once more inside this call, where the guard
// returns false and the action runs; the outer call then returns true. A
// button that is not pressed gets its normal look and false: the action
// runs. Either way the action runs once and the button is up while it runs.
bool Reseteaza_Buton(ButonPlat* buton);
