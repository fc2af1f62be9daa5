#include "settings/setting_number.h"
#include <cstdlib>

int SettingNumber(const char* text)
{
    if (text == nullptr)
        return -1;
    return atoi(text);
}
