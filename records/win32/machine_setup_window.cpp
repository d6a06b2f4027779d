#include "records/win32/machine_setup_window.h"

#include <memory>
#include <string>
#include <vector>

#include "bobweight/scale.h"
#include "records/machine_setup_screen.h"
#include "records/win32/setup_screen_window.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

std::vector<std::string> ScaleNames() {
  std::vector<std::string> names;
  for (int i = 0; i <= kScaleModelCount; ++i) names.push_back(ScaleModelEntry(i).name);
  return names;
}

class MachineSetupWindow : public SetupScreenWindow {
 public:
  using SetupScreenWindow::SetupScreenWindow;
  char Code() const override { return kMachineSetupScreenCode; }

 protected:
  void OnCreate() override { Build(MachineSetupWindowBox(), kStyle); }
  std::vector<ScreenRow> CurrentRows() const override {
    return MachineSetupRows(*context().kit.settings, *context().kit.link, scaleNames_);
  }
  SetupPress PressButton(int id, SetupRecords& records) override {
    return PressMachineSetup(id, records, scaleNames_);
  }
  int ButtonForKey(int character) const override { return MachineSetupKey(character); }

 private:
  const std::vector<std::string> scaleNames_ = ScaleNames();
};

}  // namespace

HWND OpenMachineSetupWindow(const ScreenContext& context) {
  const DesignBox box = MachineSetupWindowBox();
  return OpenChildScreen(std::make_unique<MachineSetupWindow>(context), kMachineSetupTitle, kStyle,
                         box.x, box.y, box.width, box.height);
}

}  // namespace balancer
