// The copy of the lighting values that the main window and the lighting window
// hand to each other: the main window fills it before the lighting window opens,
// the lighting window leaves its result in it (and posts WM_LIGHT_CHANGED for
// each live change), and the main window takes it back.
#pragma once
#include "config/KeyboardConfig.h"

namespace zavo {

extern LightSettings LightExchange;

}  // namespace zavo
