#pragma once
// The one formatter of grid cells and lists: a value and a column's display
// format ("##,##0", "##,##0.00", "##,##0.0000", or none) become the text the
// user sees, in the user's locale (group and decimal separators), rounded
// half to even at the decimals shown as the amounts are stored. The edit
// text of a cell is the plain value without grouping; what is typed is read
// back in the forms shown and in the plain ones.

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
// is Null; a number field reads the amount as users write it (db::readAmount:
// "1.234,50", "1234,5", "48.5", "7 500"), and under a display format of
// whole grouped amounts a lone group separator of the locale as shown
// ("1.234" is 1234 where 1234 shows so); a text that is no number stays text
// (the grid refuses it in a number cell).
db::Variant parseEditText(const QString& text, int adoType, const QLocale& locale = QLocale(),
                          const NumberFormat& shown = NumberFormat());

// ADO type codes of number fields.
bool isNumberType(int adoType);
// Those of whole numbers (SMALLINT, INTEGER, BYTE, BIGINT).
bool isWholeNumberType(int adoType);

} // namespace grid
