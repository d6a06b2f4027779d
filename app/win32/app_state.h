// Everything the program keeps for the whole run, owned by the entry point.
#pragma once

#include <memory>

#include "app/win32/kit/kit_context.h"
#include "app/win32/kit/message_window.h"
#include "app/win32/main_window.h"
#include "app/win32/win32_operator_ui.h"
#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "bobweight/bobweight_card.h"
#include "device/control_link.h"
#include "device/control_transport.h"
#include "device/win32/win32_clock.h"

namespace balancer {

struct AppState {
  HINSTANCE instance = nullptr;
  float screenScale = 1.0f;
  ProgramFolder folder;
  Win32Clock clock;
  std::unique_ptr<ControlTransport> transport;
  ControlLink link;
  int spinActive = 0;
  MachineSettings settings;
  MainWindowState main;
  MessageWindowState message;
  Win32OperatorUi ui{main, message};
  KitContext kit{MainKitServices(main, settings, folder, ui, link, message)};
  // The bobweight job of the run; cleared at start, dated with jobDate.
  BobweightCard bobweightCard;
  RodPistonSet rodPistonSet;
  std::string jobDate;  // the day the program started, month/day/year
};

// Wires the records to each other (link to transport, clock and UI; windows
// to the link and the message state). Call once the transport is made.
void ConnectAppState(AppState& app);

// Registers the window classes of the program.
bool RegisterAppWindowClasses(HINSTANCE instance);

// The desktop work area's right and bottom edges, or 0 and 0 when unreadable.
void ReadWorkArea(int& right, int& bottom);

}  // namespace balancer
