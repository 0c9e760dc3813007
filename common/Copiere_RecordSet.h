#pragma once
// An updatable copy of a record set that belongs to no database: the same
// fields, every one writable, and the same rows; changes stay in memory. The
// source stays open and unchanged.

#include "platform/db/db.h"

db::Recordset Copiaza_RecordSet(const db::Recordset& rs);
