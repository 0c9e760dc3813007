// An .xlsx file, whole: the zip, the package parts, the sheets.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    excel::detail::Budget budget;
    fuzz::useSheets(excel::detail::readXlsxBytes(fuzz::bytes(data, size), budget), budget);
    return 0;
}
