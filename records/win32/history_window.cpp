#include "records/win32/history_window.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/kit/model_screen.h"
#include "records/history_screen.h"

namespace balancer {

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;

class HistoryWindow : public ModelScreen {
 public:
  explicit HistoryWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.history, *context.kit.settings, context.kit.ui) {}
  char Code() const override { return kHistoryScreenCode; }

 protected:
  DesignBox ClientBox() const override { return HistoryWindowBox(); }
  std::vector<ScreenItem> Items() const override { return HistoryButtons(); }
  ScreenPress Press(int id) override { return model_.Press(id); }
  ScreenPress Key(int character) override { return model_.Key(character); }
  ScreenPress CloseRequested() override { return model_.Press(kHistoryExitId); }
  ScreenPress NameEntered(const std::string& typed) override { return model_.NameEntered(typed); }
  ScreenPress FileChosen(const FileRequest& request,
                         const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }
  void OnCreate() override {
    ModelScreen::OnCreate();
    rowFont_ = Font(19, 400);
    headingFont_ = Font(20, 600);
  }
  void PaintMore(HDC dc) override {
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

  HistoryScreen model_;
  HFONT rowFont_ = nullptr;
  HFONT headingFont_ = nullptr;
};

}  // namespace

HWND OpenHistoryWindow(const ScreenContext& context) {
  const DesignBox box = HistoryWindowBox();
  return OpenChildScreen(std::make_unique<HistoryWindow>(context), kHistoryTitle, kStyle, box.x,
                         box.y, box.width, box.height);
}

}  // namespace balancer
