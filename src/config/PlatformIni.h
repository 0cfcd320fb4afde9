// The platform's own private-profile functions behind IniAccess (Windows only).
// They are the reference the engine is compared with and measured against; the
// tool itself always uses the engine.
#pragma once
#include "config/Ini.h"

namespace zavo {

IniAccess& PlatformIni();

}  // namespace zavo
