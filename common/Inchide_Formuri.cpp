#include "common/Inchide_Formuri.h"

#include "platform/ui/forms.h"

void Inchide_Formuri_Exceptand(const QString& pastreaza1, const QString& pastreaza2)
{
    const QString keep1 = pastreaza1.toUpper();
    const QString keep2 = pastreaza2.toUpper();
    // A copy: each unload routine may load or unload other windows.
    const QStringList names = ui::Forms::openNames();
    for (const QString& name : names) {
        const QString upper = name.toUpper();
        if (upper == keep1 || upper == keep2)
            continue;
        ui::Forms::unload(name);
    }
}
