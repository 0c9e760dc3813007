#include "common/Inchide_Formuri.h"

#include "platform/ui/forms.h"

bool Inchide_Formuri_Exceptand(const QString& pastreaza1, const QString& pastreaza2)
{
    const QString keep1 = pastreaza1.toUpper();
    const QString keep2 = pastreaza2.toUpper();
    // A copy: each unload routine may load or unload other windows.
    const QStringList names = ui::Forms::openNames();
    bool toate = true;
    for (const QString& name : names) {
        const QString upper = name.toUpper();
        if (upper == keep1 || upper == keep2)
            continue;
        if (!ui::Forms::unload(name))
            toate = false;
    }
    return toate;
}
