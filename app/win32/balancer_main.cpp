// Entry point of balancer.exe and, built with BALANCER_DEMO, of
// balancer-demo.exe (the simulated machine instead of the USB control).
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <gdiplus.h>

#include <optional>

#include "app/screen_scale.h"
#include "app/win32/app_state.h"
#include "app/win32/single_instance.h"
#include "base/program_identity.h"
#include "device/control_config.h"
#include "records/settings_bridge.h"

#if BALANCER_DEMO
#include <fstream>
#include <sstream>

#include "app/control_sim_address.h"
#include "app/demo_seed.h"
#include "app/proving_test.h"
#include "device/wire_transport.h"
#include "sim/proving_masses.h"
#include "sim/sim_config.h"
#include "sim/sim_transport.h"
#include "sim/workshop_errors.h"
#include "update/update_server.h"
#else
#include "device/win32/winusb_transport.h"
#endif

namespace balancer {
namespace {

#if BALANCER_DEMO
// Counts of second and third harmonic on both sensors of the default machine.
constexpr double kDemoSensorRunout = 3.0;

// The emulator named in controlsim.txt, else the in-process simulated
// machine. A notice for the operator goes to `notice`.
std::unique_ptr<ControlTransport> MakeProgramTransport(AppState& app,
                                                       std::optional<OperatorMessage>& notice,
                                                       bool& handTurnDefault) {
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
  } else {
    // Sensors with a little runout, as on a real machine: a shaft balanced
    // by the training key still shows live sensors, not the cable alarm.
    config.harmonic2 = kDemoSensorRunout;
    config.harmonic3 = kDemoSensorRunout;
    // The uprights stand where the demo's settings put them, so a correction
    // carried out by the training key lands in the planes it was planned for.
    config.uprightSpacing = MachineSettings().uprightDistance;
  }
  if (!config.manualDriveRpm) {
    config.manualDriveRpm = kDemoHandTurnRpm;
    handTurnDefault = true;
  }
  return std::make_unique<sim::SimTransport>(app.clock, config);
}
#else
std::unique_ptr<ControlTransport> MakeProgramTransport(AppState&, std::optional<OperatorMessage>&,
                                                       bool&) {
  return std::make_unique<WinUsbTransport>();
}
#endif

#if BALANCER_DEMO
// The demo's first start gets settings it can spin with at once; a test
// server for the software update may be named in updateserver.txt.
void PrepareDemoFolder(AppState& app) {
  CreateDirectoryA(app.folder.path.c_str(), nullptr);
  // A failed write needs no word of its own: the settings warning follows.
  SeedDemoSettings(app.folder, nullptr);
  std::ifstream in(app.folder.File(kUpdateServerFile));
  std::stringstream text;
  text << in.rdbuf();
  app.main.updateServer = text.str();
}

// F9 in the demo turns the shaft from outside at the balancing speed (a
// free run for Manual and Semi-Auto) and stops that again. F8 carries out
// the correction the main screen shows on the simulated shaft, as a
// workshop would; a line under the status field names it. Both are
// function keys, so the letter keys of the main window stay as they are.
void ConnectDemoKeys(AppState& app, bool handTurnDefault) {
  auto* sim = dynamic_cast<sim::SimTransport*>(app.transport.get());
  if (sim == nullptr) return;
  // The motor only turns the shaft when no outside drive holds it.
  if (handTurnDefault && app.settings.speedControl == 1) sim->control().ClearManualDrive();
  const sim::SimConfig& config = sim->control().Config();
  // A new workshop's hand every start unless the machine file fixes it.
  static sim::ShownCorrectionKey shown(
      sim::WorkshopErrorsOf(config),
      config.workshopSeed ? *config.workshopSeed : static_cast<uint32_t>(GetTickCount()));
  app.main.statusHint = "F8: Done as shown";
  app.main.onKeyDown = [&app, sim, handTurnDefault](WPARAM key) {
    static bool driven = false;
    if (key == VK_F8) {
      if (app.main.spinRunning) return;
      app.ui.ShowMessage(shown.Press(sim->control(), app.main.spin.SpinActive == 1,
                                     app.main.spin.left, app.main.spin.right, app.main.result,
                                     app.main.correction, app.settings));
      return;
    }
    if (key != VK_F9) return;
    driven = !driven;
    if (driven) {
      sim->control().SetManualDrive(app.settings.shaftRpm);
    } else if (handTurnDefault && app.settings.speedControl != 1) {
      sim->control().SetManualDrive(kDemoHandTurnRpm);
    } else {
      sim->control().ClearManualDrive();
    }
  };
}
#endif

#if BALANCER_DEMO
// The demo's hands in the proving test: the simulated machine fits the test
// mass a step names (the one before taken off) and carries out the
// program's plan exactly at the correction step, as a proving run's
// precise masses would. balancer.exe leaves all this to the operator.
void ConnectDemoProving(AppState& app) {
  auto* sim = dynamic_cast<sim::SimTransport*>(app.transport.get());
  if (sim == nullptr) return;
  static sim::TestMassFitter fitter;
  app.kit.provingStandIn = [&app, sim](const ProvingSetup& setup, const ProvingStep& step,
                                       const CorrectionResult* plan) {
    static const CorrectionResult kNoPlan;
    fitter.PrepareStep(sim->control(), app.settings, MoveFor(setup, step), plan ? *plan : kNoPlan,
                       CorrectionState());
  };
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

  // Pictures, brushes and pens, then the classes, then the control.
  app.main.instance = instance;
  CreateDrawingResources(app.main.res, instance, app.screenScale);
  RegisterAppWindowClasses(instance);
  InitCommonControls();

#if BALANCER_DEMO
  PrepareDemoFolder(app);
#endif
  std::optional<OperatorMessage> transportNotice;
  bool handTurnDefault = false;
  app.transport = MakeProgramTransport(app, transportNotice, handTurnDefault);
  ConnectAppState(app);
  app.link.connected = 0;
  OpenControl(app.link);

  HWND main = CreateMainWindow(app.main);
  if (main == nullptr) {
    CloseControl(app.link);
    return 1;
  }
  app.message.owner = main;
#if BALANCER_DEMO
  ConnectDemoKeys(app, handTurnDefault);
  ConnectDemoProving(app);
#else
  (void)handTurnDefault;
#endif
  ShowWindow(main, SW_SHOWNORMAL);
  UpdateWindow(main);
  app.bobweightCard = BobweightCard();
  app.rodPistonSet = RodPistonSet();
  app.jobDate = TodayJobDate();
  app.bobweightCard.jobDate = app.jobDate;
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
