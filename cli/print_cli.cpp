// balancer-cli print card FILE.bwi --out DIR / print report --history FILE.hst
// --job NAME --out DIR: the printouts drawn page by page into PNG files, from
// the same composed pages the printer gets.
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "bobweight/bobweight_card.h"
#include "bobweight/bobweight_files.h"
#include "bobweight/bobweight_print.h"
#include "cli/cli.h"
#include "cli/cli_settings_bridge.h"
#include "cli/print_png.h"
#include "records/history.h"
#include "records/settings_startup.h"
#include "records/side_files.h"

namespace balancer::cli {

namespace {

// Letter paper at 200 dots per inch.
constexpr int kDefaultPageWidth = 1700;
constexpr int kDefaultPageHeight = 2200;

struct PrintRun {
  std::string out;
  int width = kDefaultPageWidth;
  int height = kDefaultPageHeight;
  std::string job;
  bool jobGiven = false;
};

// A whole number option in [low, high]; false with the error set otherwise.
bool IntOption(CliContext& ctx, const std::string& name, int low, int high, int& value) {
  std::string text;
  if (!TakeOption(ctx.args, name, text)) return true;
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(number) || number != std::floor(number) ||
      number < low || number > high) {
    ctx.out["error"] =
        name + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  value = static_cast<int>(number);
  return true;
}

bool CommonOptions(CliContext& ctx, PrintRun& run) {
  if (!TakeOption(ctx.args, "--out", run.out) || run.out.empty()) {
    ctx.out["error"] = "--out DIR is required";
    return false;
  }
  run.jobGiven = TakeOption(ctx.args, "--job", run.job);
  return IntOption(ctx, "--width", 100, 10000, run.width) &&
         IntOption(ctx, "--height", 100, 10000, run.height);
}

MachineSettings LoadSettings(CliContext& ctx) {
  MachineSettings settings;
  LoadFolderSettings(ctx, ctx.ui, settings);
  return settings;
}

// The settings name pictures by their Windows path in the program folder;
// here that folder is --folder.
std::string LocalPicturePath(const CliContext& ctx, const std::string& path) {
  const std::string windowsFolder = "c:\\balancer\\";
  std::string lower = path;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (lower.compare(0, windowsFolder.size(), windowsFolder) == 0) {
    return FolderPath(ctx, path.substr(windowsFolder.size()));
  }
  return path;
}

PngPageStyle StyleOf(const CliContext& ctx, const MachineSettings& settings) {
  PngPageStyle style;
  PrintPicturePaths paths = PicturePathsOf(settings);
  style.pictures = {LocalPicturePath(ctx, paths.left), LocalPicturePath(ctx, paths.right),
                    LocalPicturePath(ctx, paths.bottom)};
  HeaderRgb rgb = HeaderTextRgb(settings.headerTextColor);
  style.companyRed = static_cast<uint8_t>(rgb.r);
  style.companyGreen = static_cast<uint8_t>(rgb.g);
  style.companyBlue = static_cast<uint8_t>(rgb.b);
  return style;
}

// The text items of a page where the layout puts them (x a share of the
// printable width, y in line heights), so a printout made elsewhere can be
// held against them.
nlohmann::json PageTexts(const PrintPage& page) {
  nlohmann::json items = nlohmann::json::array();
  for (const PrintItem& item : page.items) {
    if (item.kind != PrintItem::Kind::kText) continue;
    const char* align = item.align == PrintAlign::kCentre  ? "centre"
                        : item.align == PrintAlign::kRight ? "right"
                                                           : "left";
    items.push_back({{"text", AnsiToUtf8(item.text)},
                     {"x", item.x},
                     {"y", item.y},
                     {"align", align},
                     {"fontDivisor", PrintFontDivisor(item.font)}});
  }
  return items;
}

// Writes the pages as NAME-1.png, NAME-2.png... into run.out.
int WritePages(CliContext& ctx, const PrintRun& run, const std::string& name,
               const std::vector<PrintPage>& pages, const PngPageStyle& style) {
  std::error_code ec;
  std::filesystem::create_directories(run.out, ec);
  nlohmann::json files = nlohmann::json::array();
  nlohmann::json pictures = nlohmann::json::array();
  nlohmann::json texts = nlohmann::json::array();
  for (size_t i = 0; i < pages.size(); ++i) {
    texts.push_back(PageTexts(pages[i]));
    Raster raster;
    int drawn = 0;
    std::string error;
    if (!RenderPrintPage(pages[i], run.width, run.height, style, raster, drawn, error)) {
      ctx.out["error"] = error;
      return kExitFailed;
    }
    const std::string path =
        (std::filesystem::path(run.out) / (name + "-" + std::to_string(i + 1) + ".png")).string();
    if (!WritePng(raster, path)) {
      ctx.out["error"] = "the page could not be written: " + path;
      return kExitFailed;
    }
    files.push_back(path);
    pictures.push_back(drawn);
  }
  ctx.out["pages"] = files;
  ctx.out["picturesDrawn"] = pictures;
  ctx.out["texts"] = texts;
  ctx.out["width"] = run.width;
  ctx.out["height"] = run.height;
  AddMessages(ctx);
  return kExitOk;
}

int PrintCardCommand(CliContext& ctx) {
  PrintRun run;
  if (!CommonOptions(ctx, run)) return kExitUsage;
  MachineSettings settings = LoadSettings(ctx);
  if (!IntOption(ctx, "--print-option", 0, 3, settings.printOption)) return kExitUsage;
  if (ctx.args.size() != 1) {
    ctx.out["error"] = "usage: print card FILE.bwi --out DIR";
    return kExitUsage;
  }
  BobweightCard card;
  RodPistonSet set;
  newJob(card, set, NewJobDefaultsFrom(settings), TodayJobDate());
  std::string bobweightFolder = settings.bobweightFolder;
  if (!LoadCardFile(ctx.args[0], card, set, bobweightFolder)) {
    ctx.out["error"] = "the bobweight file could not be opened: " + AnsiToUtf8(ctx.args[0]);
    AddMessages(ctx);
    return kExitFailed;
  }
  if (run.jobGiven && !TakePrintJobName(card, run.job)) {
    ctx.out["error"] = "--job needs a name";
    return kExitUsage;
  }
  if (PrintNeedsJobName(card)) {
    ctx.out["error"] = "Enter job name before printing";
    return kExitFailed;
  }
  computeBobweight(card);
  ProgramFolder folder;
  folder.path = ctx.folder;
  CardPrintInput input = CardInputOf(card, set, settings, ReadCompanyText(folder));
  const PrintDialogPages range = CardPrintDialogPages(settings.printOption);
  std::vector<PrintPage> pages =
      ComposeCardPages(input, ChooseCardPages(settings.printOption, range.fromPage, range.toPage));
  ctx.out["jobName"] = AnsiToUtf8(card.jobName);
  ctx.out["printOption"] = settings.printOption;
  return WritePages(ctx, run, "card", pages, StyleOf(ctx, settings));
}

int PrintReportCommand(CliContext& ctx) {
  PrintRun run;
  if (!CommonOptions(ctx, run)) return kExitUsage;
  std::string historyPath;
  if (!TakeOption(ctx.args, "--history", historyPath) || historyPath.empty() || !run.jobGiven ||
      !ctx.args.empty()) {
    ctx.out["error"] = "usage: print report --history FILE.hst --job NAME --out DIR";
    return kExitUsage;
  }
  BobweightCard named;
  if (!TakePrintJobName(named, run.job)) {
    ctx.out["error"] = "--job needs a name";
    return kExitUsage;
  }
  MachineSettings settings = LoadSettings(ctx);
  History history;
  MachineSettings historySettings = settings;
  if (!LoadHistoryFile(historyPath, history, historySettings, &ctx.ui)) {
    ctx.out["error"] = "the history file could not be opened: " + AnsiToUtf8(historyPath);
    AddMessages(ctx);
    return kExitFailed;
  }
  std::vector<ShaftReportRow> rows =
      ShaftReportRows(history, settings.weightUnit, settings.lengthUnit);
  nlohmann::json printed = nlohmann::json::array();
  for (const ShaftReportRow& row : rows) {
    printed.push_back(
        {{"label", row.label}, {"left", AnsiToUtf8(row.left)}, {"right", AnsiToUtf8(row.right)}});
  }
  ctx.out["jobName"] = AnsiToUtf8(named.jobName);
  ctx.out["rows"] = printed;
  const ShaftReportTolerance tolerance = ShaftReportToleranceOf(
      history, settings.toleranceMoment, settings.weightUnit, settings.lengthUnit);
  ctx.out["tolerance"] = {{"left", AnsiToUtf8(tolerance.left)},
                          {"right", AnsiToUtf8(tolerance.right)},
                          {"leftVerdict", tolerance.leftVerdict},
                          {"rightVerdict", tolerance.rightVerdict}};
  return WritePages(ctx, run, "report", {ShaftReportPage(named.jobName, history, settings)},
                    StyleOf(ctx, settings));
}

}  // namespace

REGISTER_CLI_COMMAND(
    "print card", PrintCardCommand,
    "FILE.bwi --out DIR [--job NAME] [--print-option 0-3] [--width W] [--height H]");
REGISTER_CLI_COMMAND("print report", PrintReportCommand,
                     "--history FILE.hst --job NAME --out DIR [--width W] [--height H]");

}  // namespace balancer::cli
