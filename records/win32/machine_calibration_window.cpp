#include "records/win32/machine_calibration_window.h"

#include <memory>
#include <vector>

#include "records/machine_calibration_screen.h"
#include "records/win32/setup_screen_window.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

class MachineCalibrationWindow : public SetupScreenWindow {
 public:
  MachineCalibrationWindow(const ScreenContext& context, const MachineCalibrationScreen& model)
      : SetupScreenWindow(context), model_(model) {}
  char Code() const override { return kMachineCalibrationScreenCode; }

 protected:
  void OnCreate() override {
    // The kit's desired-reading entries (127, 128) work on this opening's
    // record; it goes with the window.
    context().kit.calibration = &model_.calibration;
    Build(model_.WindowBox(), kStyle);
  }
  void OnDestroy() override {
    if (context().kit.calibration == &model_.calibration) context().kit.calibration = nullptr;
    SetupScreenWindow::OnDestroy();
  }
  std::vector<ScreenRow> CurrentRows() const override {
    return model_.Rows(*context().kit.settings, *context().kit.link);
  }
  SetupPress PressButton(int id, SetupRecords& records) override {
    return model_.Press(id, records);
  }
  int ButtonForKey(int character) const override { return MachineCalibrationKey(character); }
  void BeforeEntry(int code) override {
    if (code != kCalDesiredLeft && code != kCalDesiredRight) return;
    // What the main screen shows now is what the operator calibrates against.
    context().kit.leftMoment = context().result.left.plane.moment;
    context().kit.rightMoment = context().result.right.plane.moment;
    context().kit.leftMeasured = context().correction.measured[0];
    context().kit.rightMeasured = context().correction.measured[1];
  }

 private:
  MachineCalibrationScreen model_;
};

}  // namespace

HWND OpenMachineCalibrationWindow(const ScreenContext& context) {
  MachineCalibrationScreen model;
  ControlLink unconnected;
  model.Open(context.kit.link != nullptr ? *context.kit.link : unconnected);
  const DesignBox box = model.WindowBox();
  return OpenChildScreen(std::make_unique<MachineCalibrationWindow>(context, model),
                         kMachineCalibrationTitle, kStyle, box.x, box.y, box.width, box.height);
}

}  // namespace balancer
