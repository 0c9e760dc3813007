#pragma once
// Sizes in twips: 15 twips to the pixel at 96 dpi.

class QWidget;

constexpr int Twips_Pe_Pixel = 15;
constexpr int Pixeli_Din_Twips(int twips)
{
    return (twips + Twips_Pe_Pixel / 2) / Twips_Pe_Pixel;
}
constexpr int Twips_Din_Pixeli(int pixeli)
{
    return pixeli * Twips_Pe_Pixel;
}

// Moves the window to the centre of its screen's work area.
void Centreaza_Pe_Ecran(QWidget* fereastra);
