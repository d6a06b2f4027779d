// Entry point of balancer.exe and, built with BALANCER_DEMO, of
// balancer-demo.exe (the simulated machine instead of the USB control).
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gdiplus.h>

#include <optional>

#include "app/program_identity.h"
#include "app/screen_scale.h"
#include "app/win32/app_state.h"
#include "app/win32/single_instance.h"
#include "device/control_config.h"
#include "records/settings_bridge.h"

#if BALANCER_DEMO
#include "app/control_sim_address.h"
#include "device/wire_transport.h"
#include "sim/sim_config.h"
#include "sim/sim_transport.h"
#else
#include "device/win32/winusb_transport.h"
#endif

namespace balancer {
namespace {

#if BALANCER_DEMO
// The emulator named in controlsim.txt, else the in-process simulated
// machine. A notice for the operator goes to `notice`.
std::unique_ptr<ControlTransport> MakeProgramTransport(AppState& app,
                                                       std::optional<OperatorMessage>& notice) {
  std::string host;
  int port = 0;
  if (ReadControlSimAddress(app.folder.File(kControlSimAddressFile), host, port)) {
    return MakeWireTransport(host, port);
  }
  sim::SimConfig config;
  std::string machineFile = app.folder.File(kDemoMachineFile);
  if (GetFileAttributesA(machineFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
    std::string error;
    if (!sim::LoadSimConfigFile(config, machineFile, error)) {
      config = sim::SimConfig();
      notice = DemoMachineFileMessage(error);
    }
  }
  if (!config.manualDriveRpm) config.manualDriveRpm = kDemoHandTurnRpm;
  return std::make_unique<sim::SimTransport>(app.clock, config);
}
#else
std::unique_ptr<ControlTransport> MakeProgramTransport(AppState&, std::optional<OperatorMessage>&) {
  return std::make_unique<WinUsbTransport>();
}
#endif

int RunProgram(HINSTANCE instance) {
  // The second copy brings the first one up and ends.
  if (!ClaimSingleInstance()) {
    WakeRunningCopy();
    return 0;
  }

  // Lives for the whole run; too large for the stack.
  static AppState app;
  app.instance = instance;
  int right = 0;
  int bottom = 0;
  ReadWorkArea(right, bottom);
  app.screenScale = ComputeScreenScale(right, bottom);

  RegisterAppWindowClasses(instance);
  InitCommonControls();

  std::optional<OperatorMessage> transportNotice;
  app.transport = MakeProgramTransport(app, transportNotice);
  ConnectAppState(app);
  app.link.connected = 0;
  OpenControl(app.link);

  HWND main = CreateMainWindow(app.main);
  if (main == nullptr) {
    CloseControl(app.link);
    return 1;
  }
  app.message.owner = main;
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  // A message opened during creation (the settings warning) keeps the keys.
  if (app.message.hwnd != nullptr) {
    SetForegroundWindow(app.message.hwnd);
    SetFocus(app.message.hwnd);
  }

  if (!app.link.connected) {
    app.ui.ShowMessage(NoControlMessage());
  } else if (transportNotice) {
    app.ui.ShowMessage(*transportNotice);
  }
  // Settles CalibrationMatch for the exit; a mismatch was told at load.
  CheckControlConfig(app.link, ControlConfigFromSettings(app.settings), 0);

  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return got == -1 ? 1 : static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace balancer

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  bool gdiplus = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  int code = balancer::RunProgram(instance);
  if (gdiplus) Gdiplus::GdiplusShutdown(token);
  return code;
}
