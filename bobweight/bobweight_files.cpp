#include "bobweight/bobweight_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <optional>

#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "bobweight/text_file.h"
#include "records/atomic_file.h"
#include "records/number_text.h"

namespace balancer {

namespace {

constexpr char kEsc = '\x1b';

// A single-line field must not carry a line end into the file: it would shift
// every line after it.
std::string OneLine(const std::string& text, size_t max) {
  std::string line = CutText(text, max);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

// A number the reader would refuse is written at the end of the card's range
// instead (NaN as 0), so a card the program wrote always reads back.
void AppendFormat(std::string& out, const char* format, double value) {
  double kept = std::isnan(value) ? 0.0 : std::min(std::max(value, -kCardValueMax), kCardValueMax);
  out += FormatText(format, kept);
}

constexpr const char* kSaveStampWord = "save";

void AppendSaveStamp(std::string& out, const std::string& saveStamp) {
  if (!saveStamp.empty()) out += std::string(kSaveStampWord) + " " + saveStamp + "\n";
}

// The stamp after the values, "" when the file has none.
std::string ReadSaveStamp(CardScanner& in) {
  if (in.ReadWord() != kSaveStampWord) return "";
  return in.ReadWord();
}

// A stamp no earlier save of this or another process has used.
std::string NewSaveStamp() {
  static unsigned counter = 0;
  return std::to_string(static_cast<long long>(std::time(nullptr))) + "." +
         std::to_string(CurrentProcessId()) + "." + std::to_string(++counter);
}

}  // namespace

std::string FormatBwi(const BobweightCard& card, const std::string& saveStamp) {
  std::string out;
  const double oneDecimal[] = {
      card.rodTotalWeight, card.rodBigEndWeight,      card.rodBearingWeight, card.pistonWeight,
      card.pinWeight,      card.pinLockWeight,        card.ringWeight,       card.supportRailWeight,
      card.oilWeight,      card.reciprocatingPercent, card.rotatingPercent};
  for (double v : oneDecimal) AppendFormat(out, "%1.1f\n", v);
  AppendFormat(out, "%1.0f\n", card.cylindersPerBobweight);
  AppendFormat(out, "%1.1f\n", card.overbalancePercent);
  out += OneLine(card.initialConditionText, kConditionTextMax) + "\n";
  out += OneLine(card.finalConditionText, kConditionTextMax) + "\n";
  out += OneLine(card.externalWeightText, kExternalWeightTextMax) + "\n";
  out += OneLine(card.engineName, kEngineNameMax) + "\n";
  BobweightCard notes;
  SetJobNotes(notes, card.jobNotes);  // no ESC, within the field
  out += notes.jobNotes + "\n" + kEsc;
  out += OneLine(card.jobDate, kJobDateMax) + "\n";
  const double threeDecimals[] = {card.initialLeft, card.initialRight, card.finalLeft,
                                  card.finalRight,  card.leftRadius,   card.rightRadius,
                                  card.tolerance};
  for (double v : threeDecimals) AppendFormat(out, "%1.3f\n", v);
  AppendSaveStamp(out, saveStamp);
  return out;
}

std::string FormatBme(const RodPistonSet& set, const std::string& saveStamp) {
  std::string out;
  for (const auto* column : {&set.rodTotals, &set.rodBigEnds, &set.pistons, &set.pins}) {
    for (double v : *column) AppendFormat(out, "%1.1f\n", v);
  }
  for (int number : set.pinNumbers) {
    out += FormatText("%d\n", number);
  }
  AppendSaveStamp(out, saveStamp);
  return out;
}

bool ParseBwi(const std::string& fileText, BobweightCard& card, std::string* saveStamp) {
  CardScanner in(FromFileLineEnds(fileText));
  double* numbers[] = {
      &card.rodTotalWeight,       &card.rodBigEndWeight,   &card.rodBearingWeight,
      &card.pistonWeight,         &card.pinWeight,         &card.pinLockWeight,
      &card.ringWeight,           &card.supportRailWeight, &card.oilWeight,
      &card.reciprocatingPercent, &card.rotatingPercent,   &card.cylindersPerBobweight,
      &card.overbalancePercent};
  bool complete = true;
  for (double* field : numbers) {
    complete = in.ReadNumber(*field, -kCardValueMax, kCardValueMax) && complete;
  }
  in.SkipRestOfLine();
  if (in.AtEnd()) return false;
  card.initialConditionText = CutText(in.ReadLine(), kConditionTextMax);
  card.finalConditionText = CutText(in.ReadLine(), kConditionTextMax);
  card.externalWeightText = CutText(in.ReadLine(), kExternalWeightTextMax);
  card.engineName = CutText(in.ReadLine(), kEngineNameMax);

  std::string notes = in.ReadUntil(kEsc);
  if (!notes.empty() && notes.back() == '\n') notes.pop_back();
  card.jobNotes = CutText(notes, kJobNotesMax);
  card.jobDate = CutText(in.ReadLine(), kJobDateMax);

  double* tail[] = {&card.initialLeft, &card.initialRight, &card.finalLeft, &card.finalRight,
                    &card.leftRadius,  &card.rightRadius,  &card.tolerance};
  for (double* field : tail) {
    complete = in.ReadNumber(*field, -kCardValueMax, kCardValueMax) && complete;
  }
  if (saveStamp) *saveStamp = ReadSaveStamp(in);
  return complete;
}

std::string ParseBme(const std::string& fileText, RodPistonSet& set) {
  CardScanner in(FromFileLineEnds(fileText));
  for (auto* column : {&set.rodTotals, &set.rodBigEnds, &set.pistons, &set.pins}) {
    for (double& v : *column) in.ReadNumber(v, -kCardValueMax, kCardValueMax);
  }
  for (int& number : set.pinNumbers) {
    double value = number;
    if (in.ReadNumber(value) && value >= 0 && value <= kRodPistonRows) {
      number = static_cast<int>(value);
    }
  }
  return ReadSaveStamp(in);
}

std::string BmePathFor(const std::string& bwiPath) {
  size_t slash = bwiPath.find_last_of("\\/");
  size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  if (bwiPath.size() >= nameStart + 4 && bwiPath[bwiPath.size() - 4] == '.') {
    return bwiPath.substr(0, bwiPath.size() - 4) + ".bme";
  }
  return bwiPath + ".bme";
}

std::string CardPathFor(const std::string& folder, const std::string& jobName) {
  if (jobName.empty()) return "";
  ProgramFolder place;
  place.path = folder.empty() ? kDefaultProgramFolder : folder;
  return place.File(jobName + ".bwi");
}

std::string JobNameFromPath(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() >= 4 && name[name.size() - 4] == '.') name.erase(name.size() - 4);
  return name;
}

bool LoadCardFile(const std::string& path, BobweightCard& card, RodPistonSet& set,
                  std::string& bobweightFolder, bool* weightsLoaded) {
  if (weightsLoaded) *weightsLoaded = false;
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return false;
  SetJobName(card, JobNameFromPath(path));
  std::string cardStamp;
  ParseBwi(*text, card, &cardStamp);
  bobweightFolder = CutText(FolderOfPath(path), kFolderPathMax);
  card.engineRow = 0;
  card.filePath = path;
  std::optional<std::string> weights = ReadWholeFile(BmePathFor(path));
  if (weights) {
    // A .bme of another save (one stopped before its .bwi was in place) would
    // mix two jobs' weights; the card keeps the weights it has then.
    RodPistonSet read = set;
    std::string weightsStamp = ParseBme(*weights, read);
    if (cardStamp.empty() || weightsStamp == cardStamp) {
      set = read;
      RecomputeExtremes(set, card);
      card.changed = false;
      if (weightsLoaded) *weightsLoaded = true;
    }
  }
  card.savedJobName = card.jobName;
  computeBobweight(card);
  return true;
}

bool WriteCardFiles(const std::string& bwiPath, BobweightCard& card, const RodPistonSet& set,
                    OperatorUi* ui) {
  if (bwiPath.empty()) return false;
  const std::string stamp = NewSaveStamp();
  std::string bmePath = BmePathFor(bwiPath);
  if (!WriteFileAtomically(bmePath, ToFileLineEnds(FormatBme(set, stamp)))) {
    if (ui) ui->ShowMessage(CardWriteErrorMessage(bmePath));
    return false;
  }
  if (!WriteFileAtomically(bwiPath, ToFileLineEnds(FormatBwi(card, stamp)))) {
    if (ui) ui->ShowMessage(CardWriteErrorMessage(bwiPath));
    return false;
  }
  card.changed = false;
  card.filePath = bwiPath;
  card.savedJobName = card.jobName;
  return true;
}

bool SaveCardSilently(BobweightCard& card, const RodPistonSet& set,
                      const std::string& bobweightFolder, OperatorUi* ui) {
  return WriteCardFiles(CardPathFor(bobweightFolder, card.jobName), card, set, ui);
}

bool SaveCardAs(const std::string& chosenPath, BobweightCard& card, const RodPistonSet& set,
                std::string& bobweightFolder, OperatorUi* ui) {
  std::string jobName = JobNameFromPath(chosenPath);
  if (jobName.empty()) {
    if (ui) ui->ShowMessage(InvalidFileNameMessage());
    return false;
  }
  std::string previousName = card.jobName;
  SetJobName(card, jobName);
  if (!WriteCardFiles(chosenPath, card, set, ui)) {
    card.jobName = previousName;
    return false;
  }
  bobweightFolder = CutText(FolderOfPath(chosenPath), kFolderPathMax);
  return true;
}

void SaveDialogFailed(BobweightCard& card, int touchscreen, OperatorUi& ui) {
  if (touchscreen != 1) return;
  card.jobName.clear();
  ui.ShowMessage(InvalidFileNameMessage());
}

bool AnswerUnsavedChanges(bool save, BobweightCard& card, const RodPistonSet& set,
                          const std::string& bobweightFolder, OperatorUi* ui) {
  if (!save) {
    card.changed = false;
    return true;
  }
  return SaveCardSilently(card, set, bobweightFolder, ui);
}

bool CardIsEmpty(const BobweightCard& card) {
  return card.rodTotalWeight == 0 && card.rodBigEndWeight == 0 && card.rodBearingWeight == 0 &&
         card.pistonWeight == 0 && card.pinWeight == 0 && card.pinLockWeight == 0 &&
         card.ringWeight == 0 && card.supportRailWeight == 0;
}

bool AsksToSaveOnClose(const BobweightCard& card) {
  return card.changed && !card.jobName.empty();
}

OperatorMessage EmptyCardWarning() {
  return MakeOkMessage("WARNING", "You are saving an empty bobweight card.", kDarkBlueText,
                       kBeepAsterisk, 390, 200, 500, 180);
}

OperatorMessage InvalidFileNameMessage() {
  return MakeOkMessage("Error",
                       "INVALID FILE NAME\n\nYou cannot use \\ / > < : | * ? or \" characters.",
                       kRedText, kBeepHand, 340, 180, 600, 220);
}

OperatorMessage NewJobQuestion(int actionCode) {
  return MakeQuestion("New Job", "Clear all bobweight data and start a new job?", kDarkBlueText,
                      kBeepAsterisk, 390, 200, 500, 180, "YES", 60, "NO", 60, actionCode);
}

OperatorMessage UnsavedChangesQuestion(int actionCode) {
  return MakeQuestion("Alert",
                      "You appear to have changed the bobweight without saving.\n\n"
                      "Do you want to save the changes?",
                      kDarkBlueText, kBeepAsterisk, 340, 180, 600, 220, "SAVE", 80, "DON'T SAVE",
                      130, actionCode);
}

OperatorMessage CardWriteErrorMessage(const std::string& path) {
  return MakeOkMessage(
      "Error",
      "The bobweight file could not be written:\n" + path + "\n\nThe changes have not been saved.",
      kRedText, kBeepHand, 290, 180, 700, 230);
}

}  // namespace balancer
