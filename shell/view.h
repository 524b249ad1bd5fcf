#pragma once
// The engine's view on the main window's controls.

#include "engine/calculator_view.h"

CalculatorView& ShellView();
