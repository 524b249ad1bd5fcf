#include "settings/options.h"

Options g_options;

void ResetOptions() { g_options = Options{}; }
