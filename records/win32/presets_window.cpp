#include "records/win32/presets_window.h"

#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/value_box.h"
#include "records/presets_screen.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
constexpr int kToolbarId = 389;

class PresetsWindow : public ModelScreen {
 public:
  explicit PresetsWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings, *context.presetName, context.kit.ui) {}
  char Code() const override { return kPresetsScreenCode; }

 protected:
  DesignBox ClientBox() const override { return PresetsWindowBox(); }
  // The toolbar and the value boxes are its own controls.
  std::vector<ScreenItem> Items() const override { return {}; }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kPresetsExitId); }
  ScreenPress NameEntered(const std::string& typed) override { return model_.NameEntered(typed); }
  ScreenPress FileChosen(const FileRequest& request,
                         const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }
  ScreenPress Answered(int actionCode, bool accepted) override {
    return model_.Answer(actionCode, accepted);
  }
  void OnCreate() override {
    ModelScreen::OnCreate();
    labelFont_ = Font(20, 600);
    nameFont_ = Font(22, 600);
    toolbarFont_ = Font(20, 600);
    MakeToolbar();
    for (const PresetBox& b : model_.Boxes()) {
      HWND w =
          CreateValueBox(hwnd(), b.fieldCode, b.box.x, b.box.y, b.box.width, b.box.height, scale());
      if (w != nullptr && !b.shown) ShowWindow(w, SW_HIDE);
    }
  }
  void PaintMore(HDC dc) override {
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, nameFont_);
    SetTextColor(dc, RGB(0, 0, 128));
    const std::string& name = model_.Name();
    RECT line = {0, S(kPresetsToolbarHeight + 8), S(PresetsWindowBox().width),
                 S(kPresetsToolbarHeight + 34)};
    DrawTextA(dc, name.c_str(), -1, &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, labelFont_);
    SetTextColor(dc, RGB(0, 0, 104));
    for (const PresetLabel& l : model_.Labels()) {
      if (!l.shown) continue;
      TextOutA(dc, S(l.x), S(l.y), l.text.c_str(), static_cast<int>(l.text.size()));
    }
    SelectObject(dc, old);
  }

 private:
  // Text-only buttons along the top.
  void MakeToolbar() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND bar = CreateWindowExA(
        0, TOOLBARCLASSNAMEA, "",
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_TOP | CCS_NODIVIDER, 0, 0,
        S(PresetsWindowBox().width), S(kPresetsToolbarHeight), hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), context().kit.instance, nullptr);
    if (bar == nullptr) return;
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(toolbarFont_), FALSE);
    SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    for (const ToolbarButton& b : PresetsToolbar()) {
      TBBUTTON button = {};
      button.iBitmap = I_IMAGENONE;
      button.idCommand = b.id;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
      button.iString = reinterpret_cast<INT_PTR>(b.text);
      SendMessageA(bar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageA(bar, TB_AUTOSIZE, 0, 0);
  }

  PresetsScreen model_;
  HFONT labelFont_ = nullptr;
  HFONT nameFont_ = nullptr;
  HFONT toolbarFont_ = nullptr;
};

}  // namespace

HWND OpenPresetsWindow(const ScreenContext& context) {
  if (context.presetName == nullptr) return nullptr;
  const DesignBox box = PresetsWindowBox();
  return OpenChildScreen(std::make_unique<PresetsWindow>(context), kPresetsTitle, kStyle, box.x,
                         box.y, box.width, box.height);
}

}  // namespace balancer
