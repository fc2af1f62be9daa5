// The options dialog arrives with its template; until then the button opens nothing.
#include "settings/options_dialog.h"

void OpenOptionsDialog()
{
}
