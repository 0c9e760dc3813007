#include "common/RegistriiOperatii.h"

#include "common/Globale.h"
#include "platform/sys/system.h"
#include "platform/ui/mesaj.h"

using namespace Qt::StringLiterals;

QString Denumire_Windows(int platformId, int major, int minor)
{
    switch (platformId) {
    case 0:
        return u"Windows 32s"_s;
    case 1:
        if (minor == 90)
            return u"Windows Millennium"_s;
        if (minor > 80)
            return u"Windows 9X"_s;
        if (minor >= 0)
            return u"Windows 98"_s;
        return u"Windows 95"_s;
    case 2:
        if (major <= 4)
            return u"Windows NT"_s;
        if (minor == 0)
            return u"Windows 2000"_s;
        if (minor == 1)
            return u"Windows XP"_s;
        return QString();
    default:
        return QString();
    }
}

QString Text_Versiune(int platformId, int major, int minor)
{
    return Denumire_Windows(platformId, major, minor) + u" version: "_s + QString::number(major) + u'.' +
           QString::number(minor);
}

qint32 Versiune_Windows()
{
    const std::optional<sys::OsVersion> v = sys::osVersion();
    if (!v || v->sysname.isEmpty()) {
        ui::msgBox(u"Error Getting Version Information"_s, ui::Icon::None, ui::Buttons::Ok);
        return 0;
    }
    // Denumire_Windows's table means nothing for a Linux kernel (5.1 would
    // read "Windows XP"), so the text names the system itself, in the
    // program's language.
    Text_Versiune_Windows =
        v->sysname + u" versiunea "_s + QString::number(v->major) + u'.' + QString::number(v->minor);
    return 2;
}
