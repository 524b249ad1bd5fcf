#pragma once
// A control's short explanation in a small window of its own under the control, as context
// help popups have always looked; the next click or key closes it. Its text is also its
// window text, which a screen reader (and a test) reads.

#include <windows.h>

#include "help/help_text.h"

// Closes a popup that is still open, then shows this one. Null when it cannot be created.
HWND ShowHelpPopup(HWND control, const PopupText& text);

