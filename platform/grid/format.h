#pragma once
// The one formatter of grid cells and lists: a value and a column's display
// format ("##,##0", "##,##0.00", "##,##0.0000", or none) become the text the
// user sees, in the user's locale (group and decimal separators). The edit
// text of a cell is the plain value without grouping, read back the same way.

#include "platform/db/variant.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace db {
class Recordset;
}

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

// The widest text the cells of each field of a record set show, by field:
// under the field's display format (formats by field; a field without one is
// not measured and gives ""), of its smallest and its largest number the
// longer text; "" when the field holds no number. A number's text only grows
// with its size and its sign, so the two extremes give the longest. One pass
// over the rows measures every field.
QStringList widestNumberTexts(const db::Recordset& rows, const QList<NumberFormat>& formats,
                              const QLocale& locale = QLocale());
// Such texts once one row more was measured (a row just written): the row's
// own text where it is longer. The other rows are not read.
QStringList widenNumberTexts(QStringList widest, const db::Recordset& rows, int row,
                             const QList<NumberFormat>& formats, const QLocale& locale = QLocale());

// The text a cell's editor starts with: numbers in the locale without grouping.
QString editText(const db::Variant& value, const QLocale& locale = QLocale());

// The value typed into a cell of a field of the given ADO type: the empty text
// is Null; a number field accepts the locale's decimal separator and "."; a text
// that is no number stays text (the database refuses it and the grid reports it).
db::Variant parseEditText(const QString& text, int adoType, const QLocale& locale = QLocale());

// ADO type codes of number fields.
bool isNumberType(int adoType);

} // namespace grid
