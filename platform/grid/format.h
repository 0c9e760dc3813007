#pragma once
// The one formatter of grid cells and lists: a value and a column's display
// format ("##,##0", "##,##0.00", "##,##0.0000", or none) become the text the
// user sees, in the user's locale (group and decimal separators). The edit
// text of a cell is the plain value without grouping, read back the same way.

#include "platform/db/variant.h"

#include <QLocale>
#include <QString>

namespace grid {

// A display format read once: how many decimals and whether digits are grouped.
struct NumberFormat
{
    bool valid = false; // false: no number format, values show as they are
    bool grouped = false;
    int decimals = 0;

    static NumberFormat parse(const QString& format);
};

// The text a cell shows for a value under a display format.
QString formatValue(const db::Variant& value, const QString& format, const QLocale& locale = QLocale());
QString formatValue(const db::Variant& value, const NumberFormat& format, const QLocale& locale = QLocale());

// The text a cell's editor starts with: numbers in the locale without grouping.
QString editText(const db::Variant& value, const QLocale& locale = QLocale());

// The value typed into a cell of a field of the given ADO type: the empty text
// is Null; a number field accepts the locale's decimal separator and "."; a text
// that is no number stays text (the database refuses it and the grid reports it).
db::Variant parseEditText(const QString& text, int adoType, const QLocale& locale = QLocale());

// ADO type codes of number fields.
bool isNumberType(int adoType);

} // namespace grid
