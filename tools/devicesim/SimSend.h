// "devicesim send ...": hands one request to the running simulator, which posts it
// to the tool from its own thread.
#pragma once
#include "SimOptions.h"

namespace devicesim {

// Process exit codes of "devicesim send".
constexpr int SEND_DELIVERED = 0;
constexpr int SEND_NO_TARGET = 1;
constexpr int SEND_BAD_ARGUMENTS = 2;
constexpr int SEND_NO_SIMULATOR = 3;

// Returns one of the exit codes above and puts a line for the user in `message`
// when the request was not delivered.
int DeliverToRunningSimulator(const Request& request, std::wstring& message);

}  // namespace devicesim
