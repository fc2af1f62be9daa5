// A delete from any file with any selection of any table the user saw.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include "fuzz_check.h"
#include "invariants.h"

static ShortcutTableData shown;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    // The table the user saw is often the file itself, so that selections meet its records.
    bool shownIsNow = input.ConsumeBool();
    std::string other = input.ConsumeRandomLengthString(4096);
    std::vector<uint8_t> bits = input.ConsumeBytes<uint8_t>(TABLE_CAPACITY / 8);
    std::string now = input.ConsumeRemainingBytesAsString();
    ParseShortcuts(text::TextModeView(shownIsNow ? now : other).c_str(), &shown);
    SortShortcuts(&shown);
    bool selected[TABLE_CAPACITY] = {};
    for (size_t i = 0; i < bits.size() * 8; i++)
        selected[i] = (bits[i / 8] >> (i % 8)) & 1;
    RequireNone(invariants::DeleteBroken(now, shown, selected));
    return 0;
}
