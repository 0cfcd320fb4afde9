#include "mainwnd/LightExchange.h"

namespace zavo {

LightSettings LightExchange;

}  // namespace zavo
