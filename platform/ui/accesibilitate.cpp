#include "platform/ui/accesibilitate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

namespace ui {
namespace {

// Watches the selection of one combo box's list. A keyboard or a pointer
// moves the list's current row with its selection; an accessible action
// selects a row and leaves the current one: that row is chosen.
class AlegereAccesibila : public QObject
{
public:
    static constexpr const char* kNume = "qt_alegere_accesibila";

    explicit AlegereAccesibila(QComboBox* combo) : QObject(combo), m_combo(combo)
    {
        setObjectName(QLatin1String(kNume));
    }

    void ataseaza()
    {
        QAbstractItemView* lista = m_combo->view();
        QItemSelectionModel* selectie = lista ? lista->selectionModel() : nullptr;
        if (selectie == m_selectie)
            return;
        if (m_selectie)
            disconnect(m_selectie, nullptr, this, nullptr);
        m_selectie = selectie;
        if (selectie)
            connect(selectie, &QItemSelectionModel::selectionChanged, this, [this] {
                // The keyboard moves the current row right after the
                // selection: look once both are done.
                QTimer::singleShot(0, this, &AlegereAccesibila::verifica);
            });
    }

private:
    void verifica()
    {
        QAbstractItemView* lista = m_combo->view();
        if (!lista || lista->selectionModel() != m_selectie || !m_selectie)
            return;
        const QModelIndexList alese = m_selectie->selectedIndexes();
        if (alese.isEmpty())
            return;
        const QModelIndex ales = alese.first();
        const QModelIndex curent = lista->currentIndex();
        if (curent.isValid() && curent.row() == ales.row())
            return;
        const int rand = ales.row();
        m_selectie->setCurrentIndex(ales, QItemSelectionModel::NoUpdate);
        m_combo->hidePopup();
        m_combo->setCurrentIndex(rand);
        emit m_combo->activated(rand);
        emit m_combo->textActivated(m_combo->itemText(rand));
    }

    QComboBox* m_combo;
    QPointer<QItemSelectionModel> m_selectie;
};

// The back colour of a text box follows whether it takes typing.
class AspectDoarCitire : public QObject
{
public:
    static constexpr const char* kUrmarit = "qt_doar_citire_urmarit";
    static constexpr const char* kBaza = "qt_doar_citire_baza";

    static AspectDoarCitire& instanta()
    {
        static AspectDoarCitire* a = new AspectDoarCitire; // lives as long as the process
        return *a;
    }

    static void aplica(QLineEdit* caseta)
    {
        QPalette p = caseta->palette();
        const QVariant baza = caseta->property(kBaza);
        if (caseta->isReadOnly()) {
            if (!baza.isValid())
                caseta->setProperty(kBaza, QVariant::fromValue(p));
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                p.setBrush(g, QPalette::Base, p.brush(g, QPalette::Window));
        } else if (baza.isValid()) {
            const QPalette inainte = baza.value<QPalette>();
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                p.setBrush(g, QPalette::Base, inainte.brush(g, QPalette::Base));
            caseta->setProperty(kBaza, QVariant());
        } else {
            return;
        }
        caseta->setPalette(p);
    }

protected:
    bool eventFilter(QObject* obiect, QEvent* eveniment) override
    {
        if (eveniment->type() == QEvent::ReadOnlyChange)
            if (auto* caseta = qobject_cast<QLineEdit*>(obiect))
                aplica(caseta);
        return false;
    }
};

} // namespace

void aspectDoarCitire(QWidget* window)
{
    if (!window)
        return;
    const QList<QLineEdit*> casete = window->findChildren<QLineEdit*>();
    for (QLineEdit* c : casete) {
        if (c->property(AspectDoarCitire::kUrmarit).toBool())
            continue;
        c->setProperty(AspectDoarCitire::kUrmarit, true);
        c->installEventFilter(&AspectDoarCitire::instanta());
        AspectDoarCitire::aplica(c);
    }
}

void alegereAccesibila(QComboBox* combo)
{
    if (!combo)
        return;
    // The watcher is the combo's child of that name (it has no meta-object
    // of its own to be found by).
    QObject* gasit =
        combo->findChild<QObject*>(QLatin1String(AlegereAccesibila::kNume), Qt::FindDirectChildrenOnly);
    auto* alegere = gasit ? static_cast<AlegereAccesibila*>(gasit) : new AlegereAccesibila(combo);
    alegere->ataseaza();
}

void inchidereDinTastatura(QWidget* window)
{
    if (!window || window->findChild<QShortcut*>(QStringLiteral("qt_inchidere_tastatura")))
        return;
    auto* s = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), window);
    s->setObjectName(QStringLiteral("qt_inchidere_tastatura"));
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, window, [w = QPointer<QWidget>(window)] {
        if (w)
            w->close();
    });
}

} // namespace ui
