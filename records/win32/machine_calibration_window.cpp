#include "records/win32/machine_calibration_window.h"

#include <memory>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "records/machine_calibration_screen.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
// The values beside the buttons are drawn a little larger than the faces.
constexpr ModelScreenLook kSetupLook{20, 22, 600};

class MachineCalibrationWindow : public ModelScreen {
 public:
  MachineCalibrationWindow(const ScreenContext& context, const MachineCalibrationScreen& model)
      : ModelScreen(context, kSetupLook), model_(model) {}
  char Code() const override { return kMachineCalibrationScreenCode; }

 protected:
  // The kit's desired-reading entries (127, 128) work on this opening's
  // record; it goes with the window.
  KnownWeightCalibration* Calibration() override { return &model_.calibration; }
  DesignBox ClientBox() const override { return model_.WindowBox(); }
  std::vector<ScreenItem> Items() const override {
    return model_.Rows(*context().kit.settings, *context().kit.link);
  }
  ScreenPress Press(int id) override {
    SetupRecords records{*context().kit.settings, *context().kit.link, context().kit.ui};
    return model_.Press(id, records);
  }
  ScreenPress Key(int character) override {
    const int id = MachineCalibrationKey(character);
    return id != 0 ? Press(id) : ScreenPress{};
  }
  ScreenPress CloseRequested() override { return Press(kExitButton); }
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
  model.Open(*context.kit.link);
  const DesignBox box = model.WindowBox();
  return OpenChildScreen(std::make_unique<MachineCalibrationWindow>(context, model),
                         kMachineCalibrationTitle, kStyle, box.x, box.y, box.width, box.height);
}

}  // namespace balancer
