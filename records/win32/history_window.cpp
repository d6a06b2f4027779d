#include "records/win32/history_window.h"

#include <memory>

#include "app/win32/kit/design_font.h"
#include "records/history_screen.h"
#include "records/win32/file_screen_window.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

class HistoryWindow : public FileScreenWindow {
 public:
  explicit HistoryWindow(const ScreenContext& context)
      : FileScreenWindow(context),
        model_(*context.kit.history, *context.kit.settings, context.kit.ui) {}
  char Code() const override { return kHistoryScreenCode; }

 protected:
  void OnCreate() override {
    const DesignBox box = HistoryWindowBox();
    RECT frame = {0, 0, S(box.width), S(box.height)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_LAYERED);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    buttonFont_ = CreateDesignFont(20, 600, scale());
    rowFont_ = CreateDesignFont(19, 400, scale());
    headingFont_ = CreateDesignFont(20, 600, scale());
    for (const HistoryButton& b : HistoryButtons()) {
      AddButton(b.id, b.label, b.box.x, b.box.y, b.box.width, b.box.height, buttonFont_);
    }
    ListenForNames();
  }
  void OnPaint(HDC dc) override {
    const HistoryColumns L = HistoryLayout();
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, headingFont_);
    SetTextColor(dc, RGB(0, 0, 104));
    Text(dc, L.labelX, L.headingY, "Spin");
    Text(dc, L.leftX, L.headingY, "Left");
    Text(dc, L.rightX, L.headingY, "Right");
    SelectObject(dc, rowFont_);
    SetTextColor(dc, RGB(0, 0, 128));
    int y = L.firstRowY;
    for (const HistoryRow& row : model_.Rows()) {
      Text(dc, L.labelX, y, row.label);
      Text(dc, L.leftX, y, row.left);
      Text(dc, L.rightX, y, row.right);
      y += L.rowStep;
    }
    SelectObject(dc, old);
  }
  void OnCommand(int id) override { CarryOut(model_.Press(id)); }
  void OnChar(int character) override { CarryOut(model_.Key(character)); }
  void OnCloseRequest() override { CarryOut(model_.Press(kHistoryExitId)); }
  void OnDestroy() override {
    FileScreenWindow::OnDestroy();
    for (HFONT* f : {&buttonFont_, &rowFont_, &headingFont_}) {
      if (*f != nullptr) DeleteObject(*f);
      *f = nullptr;
    }
  }
  FileScreenPress NameEntered(const std::string& typed) override {
    return model_.NameEntered(typed);
  }
  FileScreenPress FileChosen(const FileRequest& request,
                             const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }

 private:
  void Text(HDC dc, int x, int y, const std::string& text) {
    TextOutA(dc, S(x), S(y), text.c_str(), static_cast<int>(text.size()));
  }

  HistoryScreen model_;
  HFONT buttonFont_ = nullptr;
  HFONT rowFont_ = nullptr;
  HFONT headingFont_ = nullptr;
};

}  // namespace

HWND OpenHistoryWindow(const ScreenContext& context) {
  if (context.kit.history == nullptr || context.kit.settings == nullptr) return nullptr;
  const DesignBox box = HistoryWindowBox();
  return OpenChildScreen(std::make_unique<HistoryWindow>(context), kHistoryTitle, kStyle, box.x,
                         box.y, box.width, box.height);
}

}  // namespace balancer
