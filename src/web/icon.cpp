// The page shows the game's icon itself: Emscripten would hand the window's
// icon to the browser's image decoder for nothing.
#include "desktop/desktop.h"

void SetWindowIcon(const char*)
{
}
