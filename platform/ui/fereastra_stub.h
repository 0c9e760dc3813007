#pragma once
// A stand-in for a window that is not built yet: it loads, shows and unloads
// like any window and records each time it is shown, with the values it was
// opened with, so that the caller's part can be tested. Shown modal, it
// closes itself as soon as it is on screen, so the modal call returns.

#include "platform/ui/fereastra.h"

#include <QList>
#include <QVariantMap>
#include <functional>

namespace ui {

class FereastraStub : public Fereastra
{
    Q_OBJECT
public:
    // Reads the hand-over values the window would read when it opens.
    using Captura = std::function<QVariantMap()>;

    struct Deschidere
    {
        QString name;
        bool modal = false;
        QVariantMap values; // what the capture read when the window was shown
    };

    FereastraStub(const QString& name, const QString& caption, Captura captura = {});

    // Registers a stub factory for the window name.
    static void registerStub(const QString& name, const QString& caption = QString(), Captura captura = {});

    // Every showing of every stub since the last clear, in order.
    static const QList<Deschidere>& deschideri();
    static void clearDeschideri();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Captura m_captura;
};

} // namespace ui
