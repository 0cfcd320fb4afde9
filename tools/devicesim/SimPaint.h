// Painting of the simulator's window: the keyboard's state at a glance.
#pragma once
#include <windows.h>

#include "SimState.h"

namespace devicesim {

// Paints every pixel of `area` (double-buffered by the caller's DC size).
void PaintSimState(HDC dc, const RECT& area, const SimState& state);

}  // namespace devicesim
