// A hidden tab runs no frames at all, so the game would never see the
// player leave, and would run on at once when they come back. A page that
// was hidden counts as unfocused for the frames the game takes to notice a
// lasting loss, and pauses a game as a window left on the desktop does.
#include <emscripten.h>

#include "input/input.h"

static int PollsStillAway = 0;

bool Input::WindowFocused()
{
    const bool hiddenSinceAsked = EM_ASM_INT({
        var hidden = Module.pageWasHidden === true;
        Module.pageWasHidden = false;
        return hidden ? 1 : 0;
    });
    if (hiddenSinceAsked) PollsStillAway = FOCUS_LOSS_LASTS_POLLS;
    if (PollsStillAway > 0)
    {
        PollsStillAway--;
        return false;
    }
    return EM_ASM_INT({ return !document.hidden && document.hasFocus() ? 1 : 0; });
}
