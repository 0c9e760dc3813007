#include "common/Verifica_Null_Control.h"

#include <QComboBox>
#include <QLineEdit>

bool Este_Null(const QLineEdit* control, const QString& label, bool show)
{
    return Este_Null(control ? db::Variant(control->text()) : db::Variant(), label, show);
}

bool Este_Null(const QComboBox* control, const QString& label, bool show)
{
    return Este_Null(control ? db::Variant(control->currentText()) : db::Variant(), label, show);
}
