#include "bobweight/win32/print_job_window.h"

#include <functional>
#include <utility>

#include "app/win32/kit/entry_window.h"
#include "base/win32/colour.h"
#include "records/history.h"
#include "records/side_files.h"

namespace balancer {

namespace {

// Where the question opens (design units): the keyboard or the line entry.
constexpr int kKeyboardX = 190, kKeyboardY = 48;
constexpr int kLineEntryX = 256, kLineEntryY = 250;

// Opens the job-name question of `asker`; `answered` runs with the answer.
bool AskJobName(ChildScreen& asker, const JobNameQuestion& question,
                std::function<void(const std::string&)> answered) {
  KitContext& kit = asker.context().kit;
  asker.AwaitText(kPrintJobNameEntry, std::move(answered));
  kit.actionCode = kPrintJobNameEntry;
  kit.entry.text = question.prefill;
  HWND entry = question.keyboard ? OpenTextEntry(kit, kKeyboardX, kKeyboardY, question.heading)
                                 : OpenLineEntry(kit, kLineEntryX, kLineEntryY, question.heading);
  return entry != nullptr;
}

PrintPageStyle StyleOf(const MachineSettings& settings) {
  PrintPageStyle style;
  style.pictures = PicturePathsOf(settings);
  HeaderRgb rgb = HeaderTextRgb(settings.headerTextColor);
  style.companyColour = ColourRef(rgb);
  return style;
}

PrintOutcome Tell(KitContext& kit, Printout what, PrintFailure why, PrintOutcome outcome) {
  kit.ui->ShowMessage(PrintFailedMessage(what, why));
  return outcome;
}

// The dialog was answered but gave no printer to print on.
PrintOutcome Failed(KitContext& kit, Printout what, const PrintDialogResult& target) {
  if (target.failure == PrintDialogFailure::kNoPrinter) {
    return Tell(kit, what, PrintFailure::kNoPrinter, PrintOutcome::kNoPrinter);
  }
  return Tell(kit, what, PrintFailure::kNotStarted, PrintOutcome::kNotStarted);
}

PrintOutcome Outcome(KitContext& kit, Printout what, const PrintRun& run) {
  if (!run.started) return Tell(kit, what, PrintFailure::kNotStarted, PrintOutcome::kNotStarted);
  if (!run.complete) {
    return Tell(kit, what, PrintFailure::kInterrupted, PrintOutcome::kInterrupted);
  }
  return PrintOutcome::kPrinted;
}

PrintOutcome PrintCardNow(const ScreenContext& context, HWND owner) {
  KitContext& kit = context.kit;
  const MachineSettings& settings = *kit.settings;
  const PrintDialogPages range = CardPrintDialogPages(settings.printOption);
  PrintDialogRequest request;
  request.minPage = range.minPage;
  request.maxPage = range.maxPage;
  request.fromPage = range.fromPage;
  request.toPage = range.toPage;
  request.copies = range.copies;
  std::optional<PrintDialogResult> target = RunPrintDialog(kit, owner, request);
  if (!target) return PrintOutcome::kCancelled;
  if (target->dc == nullptr) return Failed(kit, Printout::kCard, *target);

  const std::string company = ReadCompanyText(*kit.folder);
  RodPistonSet noParts;
  const RodPistonSet& parts = context.rodPistonSet != nullptr ? *context.rodPistonSet : noParts;
  CardPrintInput input = CardInputOf(*context.card, parts, settings, company);
  std::vector<PrintPage> pages = ComposeCardPages(
      input, ChooseCardPages(settings.printOption, target->fromPage, target->toPage));
  return Outcome(kit, Printout::kCard,
                 PrintDocument(*target, context.card->jobName, pages, StyleOf(settings)));
}

PrintOutcome PrintReportNow(const ScreenContext& context, HWND owner, const std::string& jobName) {
  KitContext& kit = context.kit;
  const MachineSettings& settings = *kit.settings;
  PrintDialogRequest request;  // one page
  std::optional<PrintDialogResult> target = RunPrintDialog(kit, owner, request);
  if (!target) return PrintOutcome::kCancelled;
  if (target->dc == nullptr) return Failed(kit, Printout::kShaftReport, *target);
  std::vector<PrintPage> pages = {ShaftReportPage(jobName, *kit.history, settings)};
  return Outcome(kit, Printout::kShaftReport,
                 PrintDocument(*target, jobName, pages, StyleOf(settings)));
}

}  // namespace

PrintRun PrintDocument(PrintDialogResult& target, const std::string& documentName,
                       const std::vector<PrintPage>& pages, const PrintPageStyle& style) {
  PrintRun run;
  HDC dc = target.dc;
  if (dc == nullptr) return run;
  const int width = target.width > 0 ? target.width : GetDeviceCaps(dc, HORZRES);
  const int height = target.height > 0 ? target.height : GetDeviceCaps(dc, VERTRES);
  if (!target.printer) {
    run.started = true;
    for (const PrintPage& page : pages) {
      PatBlt(dc, 0, 0, width, height, WHITENESS);
      DrawPrintPage(dc, width, height, page, style);
      if (target.pageDone && !target.pageDone(run.pages)) break;
      ++run.pages;
    }
    run.complete = run.pages == static_cast<int>(pages.size());
    return run;
  }

  DOCINFOA doc = {};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = documentName.empty() ? "balancer" : documentName.c_str();
  if (StartDocA(dc, &doc) > 0) {
    run.started = true;
    for (const PrintPage& page : pages) {
      if (StartPage(dc) <= 0) break;
      DrawPrintPage(dc, width, height, page, style);
      if (EndPage(dc) <= 0) break;
      ++run.pages;
    }
    if (run.pages == static_cast<int>(pages.size())) {
      run.complete = EndDoc(dc) > 0;
    } else {
      AbortDoc(dc);
    }
  }
  DeleteDC(dc);
  target.dc = nullptr;
  return run;
}

PrintOutcome PrintBobweightCard(const ScreenContext& context, ChildScreen& from) {
  KitContext& kit = context.kit;
  if (context.card == nullptr) return PrintOutcome::kNothingToPrint;
  JobNameQuestion question = CardJobNameQuestion(*context.card, kit.settings->touchscreen);
  if (question.ask) {
    BobweightCard* card = context.card;
    AskJobName(from, question,
               [card](const std::string& answer) { TakePrintJobName(*card, answer); });
    return PrintOutcome::kAskedJobName;
  }
  return PrintCardNow(context, from.hwnd());
}

PrintOutcome PrintShaftReport(const ScreenContext& context, ChildScreen& from) {
  KitContext& kit = context.kit;
  static const BobweightCard kNoCard;
  const BobweightCard& card = context.card != nullptr ? *context.card : kNoCard;
  JobNameQuestion question = ReportJobNameQuestion(card, kit.settings->touchscreen);
  ScreenContext copy = context;
  const HWND owner = from.hwnd();
  AskJobName(from, question, [copy, owner](const std::string& answer) {
    BobweightCard named;
    if (!TakePrintJobName(named, answer)) return;
    HWND back = IsWindow(owner) ? owner : nullptr;
    PrintReportNow(copy, back, named.jobName);
  });
  return PrintOutcome::kAskedJobName;
}

}  // namespace balancer
