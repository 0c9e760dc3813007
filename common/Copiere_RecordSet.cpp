#include "Copiere_RecordSet.h"

db::Recordset Copiaza_RecordSet(const db::Recordset& rs)
{
    return rs.copyDisconnected();
}
