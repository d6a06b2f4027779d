// balancer-demo talks to a control emulator over TCP when the program folder
// holds controlsim.txt with "HOST:PORT"; otherwise it runs the simulated
// control in-process.
#pragma once

#include <string>

#include "base/operator_message.h"

namespace balancer {

constexpr size_t kMaxControlSimHostLength = 255;

// Parses "HOST:PORT" (surrounding blanks and line ends allowed; only the first
// line counts). Port 1-65535, digits only; the host may not be empty, contain
// blanks or be longer than kMaxControlSimHostLength. Returns false and leaves
// host and port alone on anything else.
bool ParseControlSimAddress(const std::string& text, std::string& host, int& port);

// Reads the whole file (a few hundred bytes at most are looked at) and parses
// it. False when the file is missing, unreadable or does not hold an address.
bool ReadControlSimAddress(const std::string& path, std::string& host, int& port);

// The demo's simulated machine: "demo.sim" in the program folder when present
// (the simulator's machine-file format), else the default machine. Unless the
// file says otherwise the shaft is turned slowly by hand so that the live
// angle can be watched.
constexpr const char* kDemoMachineFile = "demo.sim";
constexpr double kDemoHandTurnRpm = 2.0;

// Told to the operator when demo.sim cannot be used.
OperatorMessage DemoMachineFileMessage(const std::string& error);

}  // namespace balancer
