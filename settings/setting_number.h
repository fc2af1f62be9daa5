// Option texts from the settings file read as numbers.
#ifndef JUMPLET_SETTING_NUMBER_H
#define JUMPLET_SETTING_NUMBER_H

// atoi's rules (leading blanks, optional sign, digits; anything else is 0); -1 for a
// missing text.
int SettingNumber(const char* text);

#endif
