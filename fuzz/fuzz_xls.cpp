// An .xls file: the compound file, the workbook stream, its records.
#include "fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    excel::detail::Budget budget;
    fuzz::useSheets(excel::detail::readXlsBytes(fuzz::bytes(data, size), budget), budget);
    return 0;
}
