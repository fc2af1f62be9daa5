// The two message boxes with no owner that the program reports through.
#ifndef JUMPLET_MESSAGES_H
#define JUMPLET_MESSAGES_H

#include "app/site.h"

#define SupportFooter "\n\nFor support contact us at " SUPPORT_EMAIL "\nOr Visit " SITE_HOST

// "Error" with a warning icon and SupportFooter; ends the process with exit code 0 once
// dismissed when exitAfter is true.
int ShowErrorMessage(const char* text, bool exitAfter);
// "Message" with an information icon.
int ShowInfoMessage(const char* text);

#endif
