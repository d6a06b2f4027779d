#include "records/win32/machine_setup_window.h"

#include <memory>
#include <string>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "bobweight/scale.h"
#include "records/machine_setup_screen.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
// The values beside the buttons are drawn a little larger than the faces.
constexpr ModelScreenLook kSetupLook{20, 22, 600};

std::vector<std::string> ScaleNames() {
  std::vector<std::string> names;
  for (int i = 0; i <= kScaleModelCount; ++i) names.push_back(ScaleModelEntry(i).name);
  return names;
}

class MachineSetupWindow : public ModelScreen {
 public:
  explicit MachineSetupWindow(const ScreenContext& context) : ModelScreen(context, kSetupLook) {}
  char Code() const override { return kMachineSetupScreenCode; }

 protected:
  DesignBox ClientBox() const override { return MachineSetupWindowBox(); }
  std::vector<ScreenItem> Items() const override {
    return MachineSetupRows(*context().kit.settings, *context().kit.link, scaleNames_);
  }
  ScreenPress Press(int id) override {
    SetupRecords records{*context().kit.settings, *context().kit.link, context().kit.ui};
    return PressMachineSetup(id, records, scaleNames_);
  }
  ScreenPress Key(int character) override {
    const int id = MachineSetupKey(character);
    return id != 0 ? Press(id) : ScreenPress{};
  }
  ScreenPress CloseRequested() override { return Press(kExitButton); }

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
