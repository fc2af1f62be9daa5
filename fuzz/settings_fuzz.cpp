// Option numbers from any text the settings read can deliver (at most two characters),
// and the hotkey code of any number: atoi's value, and never a read outside the table.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include "fuzz_check.h"
#include "settings/setting_number.h"
#include "settings/hotkey_choices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    char text[3] = "";
    memcpy(text, data, size < 2 ? size : 2);
    int number = SettingNumber(text);
    Require(number == atoi(text), "a number read otherwise than by atoi's rules");
    Require(number >= -9 && number <= 99, "two characters gave a number out of their range");
    int any = 0;
    memcpy(&any, data, size < sizeof any ? size : sizeof any);
    for (int index : {number, any}) {
        int code = HotkeyCodeOf(index);
        bool known = code == 0;
        for (const HotkeyChoice& choice : HotkeyChoices)
            known = known || choice.virtualKey == code;
        Require(known, "a key code that no choice has");
        Require(index >= 0 && index < HOTKEY_CHOICE_COUNT ? code == HotkeyChoices[index].virtualKey : code == 0,
                "an index outside the table gave a key");
    }
    return 0;
}
