// An add to any old file: the table read back is the old one and then the new record.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstring>
#include "fuzz_check.h"
#include "invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    bool isMessage = input.ConsumeBool();
    std::string name = input.ConsumeRandomLengthString(NAME_SIZE);
    std::string target = input.ConsumeRandomLengthString(TARGET_SIZE);
    std::string old = input.ConsumeRemainingBytesAsString();
    name.resize(strlen(name.c_str()));
    target.resize(strlen(target.c_str()));
    int fileRecords = ParseShortcuts(text::TextModeView(old).c_str(), nullptr).fileRecords;
    // Only what the check lets through is ever written.
    if (CheckNewShortcut(name.c_str(), target.c_str(), isMessage, fileRecords) != NEW_SHORTCUT_OK ||
        name.size() >= NAME_SIZE)
        return 0;
    RequireNone(invariants::AppendBroken(old, name.c_str(), target.c_str(), isMessage));
    return 0;
}
