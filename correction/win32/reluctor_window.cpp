#include "correction/win32/reluctor_window.h"

#include <cstring>
#include <memory>

#include "correction/reluctor_screen.h"
#include "correction/screen_ids.h"
#include "correction/win32/model_screen_window.h"

namespace balancer {

namespace {

const std::vector<ItemPlace> kPlaces = {
    {kIdReluctorFirst + 0, 20, 20, 150, 36},
    {kIdReluctorFirst + 1, 20, 62, 150, 36},
    {kIdReluctorFirst + 2, 20, 104, 150, 36},
    {kIdReluctorFirst + 3, 20, 146, 150, 36},
    {kIdReluctorFirst + 4, 20, 188, 150, 36},
    {kIdReluctorFirst + 5, 20, 230, 150, 36},
    {kIdReluctorSide, 330, 20, 100, 36},
    {265, 330, 104, 100, 36},
    {266, 330, 146, 100, 36},
    {kIdOk, 560, 400, 80, 40},
};
const std::vector<ItemPlace> kTexts;

class ReluctorWindow : public ModelScreen {
 public:
  explicit ReluctorWindow(const ScreenContext& context)
      : ModelScreen(context), model_(*context.kit.settings) {}
  char Code() const override { return 'r'; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  const std::vector<ItemPlace>& Places() const override { return kPlaces; }
  const std::vector<ItemPlace>& TextPlaces() const override { return kTexts; }
  void PaintMore(HDC dc) override {
    ReluctorExplanation lines = model_.Explanation();
    for (int i = 0; i < lines.count; ++i) {
      SetTextColor(dc, lines.red[i] ? RGB(255, 0, 0) : RGB(0, 0, 104));
      TextOutA(dc, S(20), S(290 + 26 * i), lines.lines[i],
               static_cast<int>(std::strlen(lines.lines[i])));
    }
  }
  void OnCommand(int id) override { Apply(model_.Press(id)); }
  void OnChar(int character) override { Apply(model_.Key(character)); }
  void OnCloseRequest() override { Apply(model_.Press(kIdOk)); }

 private:
  ReluctorScreen model_;
};

}  // namespace

HWND OpenReluctorWindow(const ScreenContext& context, ChildScreen* parent) {
  if (context.kit.settings == nullptr) return nullptr;
  auto screen = std::make_unique<ReluctorWindow>(context);
  if (parent != nullptr)
    return OpenSubScreen(*parent, std::move(screen), "Reluctor Simulator", WS_CAPTION | WS_SYSMENU,
                         300, 110, 680, 470);
  return OpenChildScreen(std::move(screen), "Reluctor Simulator", WS_CAPTION | WS_SYSMENU, 300, 110,
                         680, 470);
}

}  // namespace balancer
