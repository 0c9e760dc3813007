#pragma once
// A window's control defaults: the values of its controls marked Tag 1 (the
// dynamic property "Tag"), written to and read back from its defaults file.

#include "declaration/Valori_Implicite.h"

#include <QList>

class QWidget;

// Marks the controls whose values the defaults file keeps.
void Marcheaza_Tag(const QList<QWidget*>& controale);

// The marked controls' names and values, in the order given: a text box's or
// a combo's text, a check box's state 0 or 1.
Valori_Controale Valori_Din_Controale(const QList<QWidget*>& controale);

// Each line applied to the marked control of its name among the given ones
// (others change nothing): a check box takes the value (blank is 0), any
// other control the text as it stands.
void Aplica_Valori_Controale(const QList<QWidget*>& controale, const Valori_Controale& valori);
