#include "platform/platform.h"

// On the desktop a file is kept once it is written and closed.
void KeepSavedFiles()
{
}
