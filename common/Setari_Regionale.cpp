#include "common/Setari_Regionale.h"

#include "platform/sys/system.h"

QString Separator_Zecimal()
{
    return sys::decimalSeparator();
}
