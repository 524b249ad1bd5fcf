#pragma once
// The engine's view on the main window's controls.

#include "engine/calculator_view.h"

CalculatorView& ShellView();

// Refills the tape view from the engine's tape; used after the engine cleared it.
void ReloadTapeView();

// ClearTape and the view refilled with its blank lines.
void ClearTapeAndView();
