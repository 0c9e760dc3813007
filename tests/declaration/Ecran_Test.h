#pragma once
// The verification's screen for tests: what it was asked to show, in one
// timeline with the message boxes of the seam ("mesaj: <text>").

#include "declaration/Verificare_Declaratie.h"
#include "platform/ui/mesaj.h"

#include <QList>
#include <QPair>
#include <QStringList>

class Ecran_Test : public Ecran_Verificare
{
public:
    void Deschide_Progres() override { eveniment(QStringLiteral("progres deschis")); }
    void Inchide_Progres() override { eveniment(QStringLiteral("progres inchis")); }
    void Progres(const QString& titlu, int procent) override { progres.append({titlu, procent}); }
    void Reimprospateaza_Grila() override { eveniment(QStringLiteral("grila")); }
    void Arata_Probleme() override { eveniment(QStringLiteral("probleme")); }

    // The timeline so far, the message boxes shown since the last event included.
    QStringList cronologie()
    {
        adaugaMesaje();
        return m_cronologie;
    }

    QList<QPair<QString, int>> progres;

private:
    void eveniment(const QString& ce)
    {
        adaugaMesaje();
        m_cronologie << ce;
    }
    void adaugaMesaje()
    {
        const QList<ui::testing::Call> mesaje = ui::testing::messages();
        for (qsizetype i = m_mesaje; i < mesaje.size(); ++i)
            m_cronologie << QStringLiteral("mesaj: ") + mesaje.at(i).text;
        m_mesaje = mesaje.size();
    }

    QStringList m_cronologie;
    qsizetype m_mesaje = 0;
};
