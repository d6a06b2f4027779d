// The "Machine Proving Test" window (ScreenCode 'v'), opened over Machine
// Setup by its letter. It draws the model's polar plot and carries out what
// the model cannot: the spin through the host, the demo's stand-in of the
// operator's hands, and the printer.
#include "app/win32/proving_window.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "app/proving_screen.h"
#include "app/win32/kit/model_screen.h"
#include "app/win32/kit/print_dialog.h"
#include "bobweight/win32/print_job_window.h"

namespace balancer {

namespace {

std::tm LocalNow() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  std::tm when{};
  when.tm_year = t.wYear - 1900;
  when.tm_mon = t.wMonth - 1;
  when.tm_mday = t.wDay;
  when.tm_hour = t.wHour;
  when.tm_min = t.wMinute;
  when.tm_sec = t.wSecond;
  when.tm_wday = t.wDayOfWeek;
  return when;
}

class ProvingWindow : public ModelScreen {
 public:
  explicit ProvingWindow(const ScreenContext& context)
      : ModelScreen(context),
        model_(*context.kit.folder, context.kit.settings->weightUnit,
               context.kit.link->connected == 1 ? context.kit.link->FirmwareVersion : 0) {}
  char Code() const override { return kScreenProving; }

 protected:
  std::vector<ScreenItem> Items() const override { return model_.Items(); }
  ScreenEntryStore* Store() override { return &model_; }
  DesignBox ClientBox() const override { return ProvingWindowBox(); }
  ScreenPress Press(int id) override {
    if (id == kProvingSpin) return Spin();
    if (id == kProvingPrint) return Print();
    return model_.Press(id);
  }
  ScreenPress Key(int character) override {
    const int id = model_.KeyButton(character);
    if (id == kProvingSpin) return Spin();
    return model_.Key(character);
  }
  ScreenPress CloseRequested() override { return model_.Press(kProvingExit); }
  ScreenPress FileChosen(const FileRequest& request,
                         const std::optional<std::string>& path) override {
    return model_.FileChosen(request, path);
  }
  void OnCreate() override {
    ModelScreen::OnCreate();
    smallFont_ = Font(16, 400);
    keptFont_ = Font(14, 400);
  }
  void PaintMore(HDC dc) override;

 private:
  ScreenPress Spin();
  ScreenPress Print();
  void PaintPlot(HDC dc);
  void PaintKept(HDC dc);

  ProvingScreen model_;
  HFONT smallFont_ = nullptr;  // angle labels
  HFONT keptFont_ = nullptr;   // a kept file's lines
};

ScreenPress ProvingWindow::Spin() {
  if (std::optional<OperatorMessage> refused = model_.SpinPressed()) {
    ScreenPress press = HandledPress();
    press.message = refused;
    return press;
  }
  KitContext& kit = context().kit;
  const ProvingStep step = model_.Test()->Current();
  if (step.kind == ProvingStepKind::kDone) return HandledPress();
  if (step.kind == ProvingStepKind::kUrrCorrect) {
    // The operator carries out the plan; on the demo the simulated machine does.
    if (kit.provingStandIn && model_.Plan()) {
      kit.provingStandIn(model_.Setup(), step, &*model_.Plan());
    }
    return model_.Corrected();
  }
  if (kit.provingStandIn) kit.provingStandIn(model_.Setup(), step, nullptr);
  model_.SpinStarting();
  RepaintAll();
  UpdateWindow(hwnd());
  ScreenSpin spin;
  context().host.SpinForScreen(spin);
  return model_.SpinTaken(spin.completed, spin.correction, LocalNow());
}

ScreenPress ProvingWindow::Print() {
  if (model_.PrintText().empty()) return HandledPress();
  KitContext& kit = context().kit;
  PrintDialogRequest request;  // one page
  std::optional<PrintDialogResult> target = RunPrintDialog(kit, hwnd(), request);
  ScreenPress press = HandledPress();
  if (!target) return press;  // cancelled: nothing to say
  if (target->dc == nullptr) {
    press.message = ProvingPrintFailedMessage(target->failure == PrintDialogFailure::kNoPrinter);
    return press;
  }
  const PrintRun run =
      PrintDocument(*target, kProvingWindowTitle, {model_.Page()}, PrintPageStyle());
  if (!run.complete) press.message = ProvingPrintFailedMessage(false);
  return press;
}

void ProvingWindow::PaintMore(HDC dc) {
  // Buttons follow the state: the entries wait while a test runs.
  for (const ScreenItem& item : model_.Items()) {
    if (item.id == 0) continue;
    if (HWND button = GetDlgItem(hwnd(), item.id))
      EnableWindow(button, item.enabled ? TRUE : FALSE);
  }
  if (model_.Kept().empty()) {
    PaintPlot(dc);
  } else {
    PaintKept(dc);
  }
}

void ProvingWindow::PaintPlot(HDC dc) {
  const ProvingPlot plot = model_.Plot();
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  auto circle = [&](double radius, COLORREF colour, int style) {
    HPEN pen = CreatePen(style, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    const int r = S(radius);
    Ellipse(dc, S(plot.centreX) - r, S(plot.centreY) - r, S(plot.centreX) + r, S(plot.centreY) + r);
    SelectObject(dc, old);
    DeleteObject(pen);
  };
  circle(plot.radius, RGB(96, 96, 96), PS_SOLID);
  // The twelve mass angles, labelled outside the circle.
  HPEN spokePen = CreatePen(PS_DOT, 1, RGB(150, 150, 150));
  HGDIOBJ oldPen = SelectObject(dc, spokePen);
  SetTextColor(dc, RGB(0, 0, 104));
  SetTextAlign(dc, TA_CENTER | TA_BASELINE);
  HGDIOBJ oldFont = SelectObject(dc, smallFont_);
  for (int i = 0; i < kProvingPositions; ++i) {
    const double angle = i * 360.0 / kProvingPositions;
    const DesignPoint end = PlotPlace(plot, angle, plot.fullScale);
    MoveToEx(dc, S(plot.centreX), S(plot.centreY), nullptr);
    LineTo(dc, S(end.x), S(end.y));
    ProvingPlot outside = plot;
    outside.radius = plot.radius + 16;
    const DesignPoint label = PlotPlace(outside, angle, plot.fullScale);
    char text[8];
    snprintf(text, sizeof text, "%d", static_cast<int>(angle));
    TextOutA(dc, S(label.x), S(label.y + 6), text, static_cast<int>(strlen(text)));
  }
  SelectObject(dc, oldPen);
  DeleteObject(spokePen);
  // The mean and the band around it.
  circle(PlotRadius(plot, plot.mean), RGB(0, 0, 160), plot.meanKnown ? PS_SOLID : PS_DASH);
  circle(PlotRadius(plot, plot.mean * (1.0 - kProvingBandPercent / 100.0)), RGB(0, 153, 51),
         PS_DASH);
  circle(PlotRadius(plot, plot.mean * (1.0 + kProvingBandPercent / 100.0)), RGB(0, 153, 51),
         PS_DASH);
  // The readings so far; the newest is red.
  for (size_t i = 0; i < plot.points.size(); ++i) {
    const DesignPoint p = PlotPlace(plot, plot.points[i].angle, plot.points[i].amount);
    const bool newest = i + 1 == plot.points.size();
    HBRUSH fill = CreateSolidBrush(newest ? RGB(221, 0, 0) : RGB(0, 0, 160));
    HGDIOBJ old = SelectObject(dc, fill);
    const int r = S(6);
    Ellipse(dc, S(p.x) - r, S(p.y) - r, S(p.x) + r, S(p.y) + r);
    SelectObject(dc, old);
    DeleteObject(fill);
  }
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBrush);
}

void ProvingWindow::PaintKept(HDC dc) {
  // Right of the buttons' values, above Exit.
  HGDIOBJ old = SelectObject(dc, keptFont_);
  SetTextColor(dc, RGB(0, 0, 104));
  int y = 8;
  for (const std::string& line : model_.Kept()) {
    TextOutA(dc, S(360), S(y), line.c_str(), static_cast<int>(line.size()));
    y += 15;
  }
  SelectObject(dc, old);
}

}  // namespace

HWND OpenProvingWindow(const ScreenContext& context, ChildScreen* parent) {
  const DesignBox box = ProvingWindowBox();
  return OpenScreenOn(parent, std::make_unique<ProvingWindow>(context), kProvingWindowTitle,
                      WS_CAPTION | WS_SYSMENU, box.x, box.y, box.width, box.height);
}

}  // namespace balancer
