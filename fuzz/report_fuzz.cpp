// The report page of any table: every name and target stays text in its cell and link.
#include <cstdint>
#include "fuzz_check.h"
#include "invariants.h"

static ShortcutTableData parsed;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ParseShortcuts(text::TextModeView(std::string((const char*)data, size)).c_str(), &parsed);
    RequireNone(invariants::ReportPageBroken(parsed));
    return 0;
}
