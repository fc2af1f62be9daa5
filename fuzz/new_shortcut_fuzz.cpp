// The check of a new shortcut: what it lets through is stored and read back exactly, and
// whatever it refuses, the reason it gives is true.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdint>
#include <cstring>
#include "fuzz_check.h"
#include "text_helpers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    bool isMessage = input.ConsumeBool();
    int fileRecords = input.ConsumeIntegralInRange<int>(0, TABLE_CAPACITY + 2);
    std::string name = input.ConsumeRandomLengthString(40);
    std::string target = input.ConsumeRemainingBytesAsString();
    name.resize(strlen(name.c_str()));
    target.resize(strlen(target.c_str()));
    std::string stored = (isMessage ? std::string(MessagePrefix) : "") + target;
    auto badCharacter = [](const std::string& text) { return text.find_first_of("\r\n\x1A") != std::string::npos; };
    switch (CheckNewShortcut(name.c_str(), target.c_str(), isMessage, fileRecords)) {
    case NEW_SHORTCUT_OK:
        Require(stored.size() < TARGET_SIZE, "a target longer than its field was let through");
        Require(fileRecords < TABLE_CAPACITY, "an add to a full file was let through");
        Require(text::Records(text::AppendedFile("", name.c_str(), target.c_str(), isMessage)) ==
                    std::vector<std::string>{text::Row(name.substr(0, NAME_SIZE - 1), stored)},
                "a shortcut let through does not read back as itself");
        break;
    case NEW_SHORTCUT_NO_NAME:
        Require(name.empty(), "a name was called missing");
        break;
    case NEW_SHORTCUT_NO_TARGET:
        Require(target.empty(), "a target was called missing");
        break;
    case NEW_SHORTCUT_MESSAGE_TOO_LONG:
        Require(isMessage && stored.size() >= TARGET_SIZE, "a message that fits was called too long");
        break;
    case NEW_SHORTCUT_TARGET_TOO_LONG:
        Require(target.size() >= TARGET_SIZE, "a target that fits was called too long");
        break;
    case NEW_SHORTCUT_BAD_CHARACTER:
        Require(badCharacter(name) || badCharacter(target), "a shortcut without line breaks was refused for one");
        break;
    case NEW_SHORTCUT_TABLE_FULL:
        Require(fileRecords >= TABLE_CAPACITY, "a file with room was called full");
        break;
    }
    return 0;
}
