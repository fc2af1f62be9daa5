// The More Options dialog.
#ifndef JUMPLET_OPTIONS_DIALOG_H
#define JUMPLET_OPTIONS_DIALOG_H

void OpenOptionsDialog();

#endif
