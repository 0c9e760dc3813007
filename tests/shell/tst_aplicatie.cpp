// The last guard of the event loop: an exception that escapes a handler is
// shown as an error and the program goes on with the next event.

#include "platform/ui/mesaj.h"
#include "shell/Aplicatie.h"

#include <QtTest>
#include <new>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// Throws what it is told on its first event, and counts the events it gets.
class Aruncator : public QObject
{
public:
    int kind = 0;
    int primite = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++primite;
        if (primite == 1) {
            switch (kind) {
            case 0:
                throw std::bad_alloc();
            case 1:
                throw std::runtime_error("fisier stricat");
            default:
                throw 7;
            }
        }
        return true;
    }
};

} // namespace

class TestAplicatie : public QObject
{
    Q_OBJECT

private slots:
    void guard_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("memory") << 0
                                << u"EROARE : Operatia a fost oprita: memoria programului nu a ajuns. Programul continua."_s;
        QTest::newRow("a standard exception")
            << 1 << u"EROARE : Operatia a fost oprita: fisier stricat. Programul continua."_s;
        QTest::newRow("anything else")
            << 2 << u"EROARE : Operatia a fost oprita: o eroare neprevazuta. Programul continua."_s;
    }
    void guard()
    {
        QFETCH(int, kind);
        QFETCH(QString, text);
        ui::testing::Scope seam;
        Aruncator a;
        a.kind = kind;
        QCoreApplication::postEvent(&a, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&a, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&a);
        QCOMPARE(a.primite, 2); // the event after the failure is handled
        QCOMPARE(ui::testing::messages().size(), 1);
        QCOMPARE(ui::testing::messages().at(0).text, text);
        QCOMPARE(ui::testing::messages().at(0).icon, ui::Icon::Critical);
    }

    void endingMessage()
    {
        QCOMPARE(Mesaj_Exceptie(std::make_exception_ptr(std::bad_alloc()), false),
                 u"EROARE : Operatia a fost oprita: memoria programului nu a ajuns. Programul se inchide."_s);
    }
};

int main(int argc, char** argv)
{
    Aplicatie app(argc, argv);
    TestAplicatie t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_aplicatie.moc"
