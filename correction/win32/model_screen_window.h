// What the correction windows share: a child screen that draws the items of
// its portable model at fixed design places and carries out the model's
// decisions. Each window file gives the places and forwards presses and keys.
#pragma once

#include <windows.h>

#include <vector>

#include "app/win32/kit/child_screen.h"
#include "app/win32/kit/entry_window.h"
#include "base/screen_model.h"
#include "device/control_commands.h"

namespace balancer {

// Where an item goes, design units. Buttons (id != 0) are made at (x, y)
// with size (w, h) and their value is drawn right of them; texts (id 0) are
// matched by their order among the id-0 items.
struct ItemPlace {
  int id;
  int x, y, w, h;
};

class ModelScreen : public ChildScreen {
 public:
  using ChildScreen::ChildScreen;

 protected:
  // The shaft's angle now; 0 without the control.
  int ShaftPosition() const {
    ControlLink* link = context().kit.link;
    return link != nullptr && link->connected ? ReadShaftAngle(*link) : 0;
  }
  // A question or an entry window waits for the operator.
  bool AnswerAwaited() const {
    const KitContext& kit = context().kit;
    return kit.entry.hwnd != nullptr || (kit.message != nullptr && kit.message->hwnd != nullptr);
  }

  virtual std::vector<ScreenItem> Items() const = 0;
  virtual const std::vector<ItemPlace>& Places() const = 0;
  virtual const std::vector<ItemPlace>& TextPlaces() const = 0;
  // The model's own fields, or null.
  virtual ScreenEntryStore* Store() { return nullptr; }
  // Extra drawing after the items (explanations and the like).
  virtual void PaintMore(HDC dc) { (void)dc; }

  void OnCreate() override {
    font_ = Font(20, 600);
    textFont_ = Font(20, 400);
    for (const ScreenItem& item : Items()) {
      if (item.id == 0) continue;
      const ItemPlace* place = PlaceOf(item.id);
      if (place == nullptr) continue;
      HWND b =
          AddButton(item.id, item.label.c_str(), place->x, place->y, place->w, place->h, font_);
      if (!item.shown) ShowWindow(b, SW_HIDE);
    }
    context().kit.screenStore = Store();
  }

  void OnPaint(HDC dc) override {
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, textFont_);
    size_t text = 0;
    for (const ScreenItem& item : Items()) {
      if (item.id == 0) {
        const std::vector<ItemPlace>& texts = TextPlaces();
        if (text < texts.size() && item.shown) {
          const ItemPlace& p = texts[text];
          std::string line = item.value.empty() ? item.label : item.label + "  " + item.value;
          SetTextColor(dc, item.value.empty() ? RGB(0, 0, 104)
                                              : RGB(item.colour.r, item.colour.g, item.colour.b));
          TextOutA(dc, S(p.x), S(p.y), line.c_str(), static_cast<int>(line.size()));
        }
        ++text;
        continue;
      }
      const ItemPlace* p = PlaceOf(item.id);
      HWND button = GetDlgItem(hwnd(), item.id);
      if (p == nullptr || button == nullptr) continue;
      ShowWindow(button, item.shown ? SW_SHOW : SW_HIDE);
      if (!item.shown) continue;
      std::string value = item.checked ? std::string("\x95 ") + item.value : item.value;
      if (value.empty()) continue;
      SetTextColor(dc, RGB(item.colour.r, item.colour.g, item.colour.b));
      TextOutA(dc, S(p->x + p->w + 10), S(p->y + p->h / 2 - 11), value.c_str(),
               static_cast<int>(value.size()));
    }
    PaintMore(dc);
    SelectObject(dc, old);
  }

  // An entry committed or a message answered: the values may have changed.
  bool OnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) override {
    if (msg == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) InvalidateRect(hwnd(), nullptr, TRUE);
    return false;
  }

  void OnDestroy() override {
    if (context().kit.screenStore == Store()) context().kit.screenStore = nullptr;
  }

  // Carries out a decision of the model. False when the screen is gone.
  bool Apply(const ScreenPress& press) {
    if (!press.handled) return true;
    const ScreenContext context = this->context();
    if (press.writeSettings) context.host.SettingsChanged();
    if (press.recompute) context.host.RecomputeAndRepaint();
    if (press.close) {
      Close();
      return false;
    }
    if (press.repaint) InvalidateRect(hwnd(), nullptr, TRUE);
    if (press.entryCode != 0) {
      context.kit.actionCode = press.entryCode;
      context.kit.entry.text.clear();
      OpenEntryForField(context.kit, press.entryCode);
    }
    if (!press.helpTopic.empty()) {
      ShellExecuteA(nullptr, "open", "hh.exe", press.helpTopic.c_str(), nullptr, SW_SHOWNORMAL);
    }
    if (press.message && context.kit.ui != nullptr) {
      context.kit.actionCode = press.message->actionCode;
      context.kit.ui->ShowMessage(*press.message);
    }
    return true;
  }

 private:
  const ItemPlace* PlaceOf(int id) const {
    for (const ItemPlace& p : Places()) {
      if (p.id == id) return &p;
    }
    return nullptr;
  }

  HFONT font_ = nullptr;
  HFONT textFont_ = nullptr;
};

}  // namespace balancer
