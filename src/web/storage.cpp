#include <emscripten.h>

#include "platform/platform.h"

// The page keeps the home folder in the browser's storage (IndexedDB): a
// file written there lasts once it is copied across, which happens here, at
// once, each time the game saves. A failure is said on the console.
void KeepSavedFiles()
{
    EM_ASM({
        FS.syncfs(false, function(failure) {
            if (failure) console.log("ERROR: The browser did not keep the options and high scores: " + failure);
        });
    });
}
