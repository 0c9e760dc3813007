#include "declaration/Valori_Controale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

const char* const tag = "Tag";

bool marcat(const QWidget* w)
{
    return w && w->property(tag).toInt() == 1;
}

} // namespace

void Marcheaza_Tag(const QList<QWidget*>& controale)
{
    for (QWidget* w : controale)
        w->setProperty(tag, 1);
}

Valori_Controale Valori_Din_Controale(const QList<QWidget*>& controale)
{
    Valori_Controale valori;
    for (const QWidget* w : controale) {
        if (!marcat(w))
            continue;
        QString valoare;
        if (const auto* c = qobject_cast<const QCheckBox*>(w))
            valoare = c->isChecked() ? u"1"_s : u"0"_s;
        else if (const auto* c = qobject_cast<const QComboBox*>(w))
            valoare = c->currentText();
        else if (const auto* t = qobject_cast<const QLineEdit*>(w))
            valoare = t->text();
        valori.append({w->objectName(), valoare});
    }
    return valori;
}

void Aplica_Valori_Controale(const QList<QWidget*>& controale, const Valori_Controale& valori)
{
    for (const auto& [nume, valoare] : valori) {
        for (QWidget* w : controale) {
            if (w->objectName() != nume || !marcat(w))
                continue;
            if (auto* c = qobject_cast<QCheckBox*>(w))
                c->setChecked(valoare.trimmed().toInt() != 0);
            else if (auto* c = qobject_cast<QComboBox*>(w))
                c->setEditText(valoare);
            else if (auto* t = qobject_cast<QLineEdit*>(w))
                t->setText(valoare);
            break;
        }
    }
}
