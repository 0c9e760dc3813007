#pragma once
// Blank tests of controls: a control stands for its shown text.

#include "common/Verifica_Null.h"

class QComboBox;
class QLineEdit;

// As Este_Null on the text box's text.
bool Este_Null(const QLineEdit* control, const QString& label = QString(), bool show = false);
// As Este_Null on the combo box's current text.
bool Este_Null(const QComboBox* control, const QString& label = QString(), bool show = false);
