#include "declaration/Date_Declarant.h"

Nume_Declarant Imparte_Persoana(const QString& persoana)
{
    const QString text = persoana.trimmed();
    const qsizetype blank = text.indexOf(u' ');
    if (blank < 0)
        return {QString(), text};
    return {text.left(blank + 1), text.mid(blank)};
}
