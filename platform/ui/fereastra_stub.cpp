#include "platform/ui/fereastra_stub.h"

#include <QPointer>
#include <QShowEvent>
#include <QTimer>

namespace ui {
namespace {
QList<FereastraStub::Deschidere>& log()
{
    static QList<FereastraStub::Deschidere> l;
    return l;
}
} // namespace

FereastraStub::FereastraStub(const QString& name, const QString& caption, Captura captura)
    : Fereastra(name, caption.isEmpty() ? name : caption), m_captura(std::move(captura))
{
}

void FereastraStub::registerStub(const QString& name, const QString& caption, Captura captura)
{
    Forms::registerWindow(name,
                          [name, caption, captura] { return new FereastraStub(name, caption, captura); });
}

const QList<FereastraStub::Deschidere>& FereastraStub::deschideri()
{
    return log();
}

void FereastraStub::clearDeschideri()
{
    log().clear();
}

void FereastraStub::showEvent(QShowEvent* event)
{
    Fereastra::showEvent(event);
    if (event->spontaneous())
        return;
    const bool modal = windowModality() != Qt::NonModal;
    log().append({objectName(), modal, m_captura ? m_captura() : QVariantMap()});
    if (modal) {
        QPointer<FereastraStub> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self)
                Forms::unload(self.data());
        });
    }
}

} // namespace ui
