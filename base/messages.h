// The message boxes with no owner that the program reports through. With no owner a box
// would open behind the always-on-top windows, so each is put on top and in front.
#ifndef JUMPLET_MESSAGES_H
#define JUMPLET_MESSAGES_H

#include <windows.h>
#include "base/site.h"

#define SupportFooter "\n\nFor support contact us at " SUPPORT_EMAIL "\nOr Visit " SITE_HOST

// MessageBoxA with no owner, above every window and in front.
int MessageOnTop(const char* text, const char* caption, UINT style);
// "Error" with a warning icon and SupportFooter; ends the process with exit code 0 once
// dismissed when exitAfter is true.
int ShowErrorMessage(const char* text, bool exitAfter);
// "Message" with an information icon.
int ShowInfoMessage(const char* text);

#endif
