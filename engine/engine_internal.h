#pragma once
// Shared between the engine's own files; not for the shell.

#include "engine/calculator_view.h"

// The view set by SetCalculatorView, or a silent one when none is set.
CalculatorView& EngineView();

// Removes every tape line without telling the view.
void EmptyTape();
