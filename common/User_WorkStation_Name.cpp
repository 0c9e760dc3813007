#include "common/User_WorkStation_Name.h"

#include "common/Module_UserName.h"
#include "platform/sys/system.h"

using namespace Qt::StringLiterals;

QString Citeste_Nume_Calculator()
{
    const std::optional<QString> name = sys::hostName();
    if (!name)
        return u"?"_s;
    return Text_Inainte_De_Null(name->left(255));
}
