#include "records/win32/history_window.h"

#include <memory>

#include "records/history_screen.h"
#include "records/win32/file_screen_window.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

class HistoryWindow : public ModelFileScreen<HistoryScreen> {
 public:
  explicit HistoryWindow(const ScreenContext& context)
      : ModelFileScreen(context, kHistoryExitId, *context.kit.history, *context.kit.settings,
                        context.kit.ui) {}
  char Code() const override { return kHistoryScreenCode; }

 protected:
  void OnCreate() override {
    const DesignBox box = HistoryWindowBox();
    FitClient(box.width, box.height, kStyle);
    buttonFont_ = Font(20, 600);
    rowFont_ = Font(19, 400);
    headingFont_ = Font(20, 600);
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

 private:
  void Text(HDC dc, int x, int y, const std::string& text) {
    TextOutA(dc, S(x), S(y), text.c_str(), static_cast<int>(text.size()));
  }

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
