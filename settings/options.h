#pragma once
// The options: read from the settings file at start-up, toggled by the menu commands and the
// Roman dialog, read by the engine, the model and the dialogs, written back by Save Setup Now.
// Each field is named after its settings key.

#include <cstdint>

struct Options {
    std::int32_t bStrictCheck = 0;     // Strict Entry Check
    std::int32_t iAutoDfFix = 0;       // Auto DF Correct: 0 Off, 1 Minus 2 Frames, 2 Plus 2 Frames
    std::int32_t bDFNDFFrameConv = 0;  // NDF<>DF As Frames
    std::int32_t bUpperCase = 1;       // the Roman dialog's Upper Case box
    std::int32_t bDispTape = 0;        // tape shown
    std::int32_t bDispMode = 0;        // mode line shown
    std::int32_t bOnTop = 0;           // window always on top
    std::int32_t iWindowX = -1;        // -1 on an axis centres the window on that axis
    std::int32_t iWindowY = -1;
};

extern Options g_options;

// Puts every option back to its start-up value.
void ResetOptions();
