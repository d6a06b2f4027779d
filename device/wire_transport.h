// Client of the control wire protocol: the control emulated by controlsim (or
// any other emulator) over loopback TCP, behind the ControlTransport seam.
#pragma once

#include <memory>
#include <string>

#include "device/control_transport.h"

namespace balancer {

// How long a transfer may wait for its answer before the link counts as
// broken (longer than any transfer the control itself lets run).
constexpr int kWireReplyTimeoutMs = 10000;

// Open() connects to host:port and reads the 18-byte descriptor; a refused
// connection, a short descriptor or other vendor/product ids mean no
// control. ControlIn() sends the 8-byte setup packet and reads the 4-byte
// status and 64 data bytes; a closed or broken connection, a peer that does
// not take the request or does not answer within `timeoutMs` fails with error
// 22 and drops the connection. No call blocks for much longer than that.
std::unique_ptr<ControlTransport> MakeWireTransport(const std::string& host, int port,
                                                    int timeoutMs = kWireReplyTimeoutMs);

// Splits "HOST:PORT" (as in controlsim.txt and --control tcp:HOST:PORT).
// Returns false on a missing host or a port outside 1..65535.
bool ParseWireAddress(const std::string& text, std::string& host, int& port);

}  // namespace balancer
