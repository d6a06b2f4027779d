// The models of the Bobweight Calculation, Component Entry and Print Options
// windows: their items, texts and highlights, and what their presses do.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/field_codes.h"
#include "base/machine_settings.h"
#include "base/operator_ui.h"
#include "base/program_folder.h"
#include "base/screen_model.h"
#include "bobweight/bobweight_card.h"

namespace balancer {

// Entry window headings of the bobweight job.
constexpr const char* kEnterJobName = "Enter a job name";
constexpr const char* kEnterJobNameBeforePrinting = "Enter job name before printing";
constexpr const char* kEnterJobNotes = "Enter Job Notes";
constexpr const char* kEnterCompanyInformation = "Enter Your Company Information";
constexpr const char* kEnterFrontExternalWeight = "Enter front external weight";
constexpr const char* kEnterRearExternalWeight = "Enter rear external weight";

struct BobweightScreenTexts {
  std::array<std::string, 9> weights;  // "%5.1f" beside the nine weight buttons
  std::string reciprocating;           // "%1.1f %%"
  std::string rotating;                // "%1.1f %%"
  std::string cylinders;               // "%1.0f"
  std::string overbalance;             // "   %1.1f %%"
  std::string emptyBobweight;          // "%1.1f grams"
  std::string total;                   // "%5.1f grams" beside "Bobweight Total"
  std::string perSide;                 // "%1.1f per half" or "Add %1.1f per side"
  std::string jobLine;                 // "%s   %s" of job name and engine name
};

// Runs the formula first, as every message of the window does.
BobweightScreenTexts ComposeBobweightScreen(BobweightCard& card, double emptyBobweight);

enum class CellColour { kNormal, kLightest, kHeaviest };  // dark blue, red, green

struct ComponentCell {
  std::string text;
  CellColour colour = CellColour::kNormal;
};

// One row of the Component Entry window: the two entered values, the two
// computed columns ("%1.1f g") and, in piston mode, the pin number.
struct ComponentRow {
  ComponentCell first, second;  // rod total and big end, or piston and pin
  ComponentCell computed;       // small end, or piston and pin total
  ComponentCell recip;          // reciprocating total
  std::string pinNumber;        // "%d" when 1 or more (piston mode)
};

ComponentRow ComposeComponentRow(const RodPistonSet& set, const BobweightCard& card,
                                 ComponentMode mode, int row);

// Value box titles: "Rod #1 Total Weight", "Rod #1 Big End Weight",
// "Piston #1 Weight", "Pin Weight".
std::string ComponentBoxTitle(ComponentMode mode, int column, int row);

// The Machine Setup "Scale" button: the next model, back to 0 after the last.
int NextScaleType(int scaleType);

// ---- Bobweight Calculation: what its buttons and keys do ----

constexpr char kBobweightScreenCode = kScreenBobweight;
constexpr char kComponentScreenCode = kScreenComponentEntry;
constexpr char kPrintOptionsScreenCode = kScreenPrintOptions;

// Buttons without a field-table code.
enum : int {
  kBobNewJob = 401,
  kBobOpen,
  kBobSave,
  kBobPrint,
  kBobExternal,
  kBobNotes,
  kBobCompany,
  kBobExit,
  kBobPrintOptions,
  kBobSelectEngine = kFieldSelectEngine,
  kBobDate = kFieldDate,
};

// Codes of the texts typed for the card (entry windows) and of its questions.
enum : int {
  kTextFrontExternal = kFieldFrontExternalText,
  kTextRearExternal = kFieldRearExternalText,
  kTextNotes = kFieldNotes,
  kTextCompany = kFieldCompanyName,  // the entry window shows the font colour tiles
  kTextJobName = kFieldJobName,
  kTextSaveName = kFieldSave,  // touch screen: the name before the save dialog
  kTextDate = kFieldDate,
  kAskNewJob = 30,
  kAskUnsavedChanges = 31,
  kWarnEmptyCard = 32,
};

struct BobweightButton {
  int id;
  const char* text;
};
// " New Job ", "Open", "Save", "Print", "External", "Notes", "Company", "Exit".
const std::array<BobweightButton, 8>& BobweightToolbar();
// The nine weight buttons (103-111) and the right column, as drawn.
const std::array<int, 9>& BobweightWeightCodes();
const std::array<int, 6>& BobweightSettingCodes();  // 136-140, 119

constexpr char kEngineListCode = 'l';  // the engine list over it (no ScreenCode of its own)

// The place of each button, design units, and the value beside it: the nine
// weights, the engine and percentages, the date (drawn by the window), the
// toolbar and Print Options.
std::vector<ScreenItem> BobweightItems(BobweightCard& card, double emptyBobweight);

// What an answer to one of this window's questions does; `accepted` is yes or
// OK (Enter), as the buttons' YES and SAVE say.
enum class BobweightAnswerStep {
  kNone,
  kStoreAfterWarning,  // the empty-card warning: on to the save dialog
  kNewJob,             // clear the card, then ask the job name
  kSaveAndClose,       // unsaved changes: SAVE
  kDropAndClose,       // DON'T SAVE
};
BobweightAnswerStep PlanBobweightAnswer(bool accepted, int actionCode);

// The job name question after New Job, or before a save on a touch screen.
ScreenPress AskJobName(int code, const MachineSettings& settings, const BobweightCard& card);

// The open ("Retrieve Bobweight Data") and save ("Store Bobweight Data")
// dialogs of the card, in the bobweight folder.
FileRequest CardDialogFor(bool save, const BobweightCard& card, const MachineSettings& settings);

// The typed values of the bobweight windows: the card, the individual
// weights, the empty bobweight (settings) and the print options' boxes.
class BobweightEntryStore : public ScreenEntryStore {
 public:
  BobweightEntryStore(BobweightCard& card, RodPistonSet& set, MachineSettings& settings)
      : card_(card), set_(set), settings_(settings) {}
  ScreenEntryEffect StoreEntry(int actionCode, double value) override;
  // What a value box of these windows shows; false for other codes.
  bool BoxText(int code, std::string& text) const;

 private:
  BobweightCard& card_;
  RodPistonSet& set_;
  MachineSettings& settings_;
};

// The Bobweight Calculation model: the card's buttons and keys, the texts
// typed for it, its dialogs and questions. Files are read and written here;
// a failure is told through `ui`.
class BobweightScreen {
 public:
  BobweightScreen(BobweightCard& card, RodPistonSet& set, MachineSettings& settings,
                  const ProgramFolder* folder, OperatorUi* ui);

  std::vector<ScreenItem> Items() const { return BobweightItems(card_, settings_.emptyBobweight); }
  // A press (id) or an access key.
  ScreenPress Press(int id);
  ScreenPress Key(int character);
  // Esc and the close box: the unsaved-changes question, or close.
  ScreenPress CloseRequested();
  // The text typed for the last text entry asked.
  ScreenPress NameEntered(const std::string& typed);
  ScreenPress FileChosen(const FileRequest& request, const std::optional<std::string>& path);
  ScreenPress Answered(int actionCode, bool accepted);

  // The Component Entry mode of the last rod or piston press.
  ComponentMode Component() const { return component_; }
  BobweightEntryStore& Store() { return store_; }
  const std::string& CompanyText() const { return company_; }

 private:
  ScreenPress FieldPress(int code);
  ScreenPress Text(int code, const std::string& heading, const std::string& prefill, bool keyboard,
                   bool note = false);
  ScreenPress Save();
  ScreenPress Saved(const std::optional<std::string>& path);

  BobweightCard& card_;
  RodPistonSet& set_;
  MachineSettings& settings_;
  const ProgramFolder* folder_;
  OperatorUi* ui_;
  BobweightEntryStore store_;
  std::string company_;
  std::string frontExternal_;
  int awaiting_ = 0;  // the text entry asked last
  ComponentMode component_ = ComponentMode::kRods;
};

// ---- Bobweight Component Entry ----

enum : int {
  kComponentAverage = kFieldUseAverage,
  kComponentLightest = kFieldUseLightest,
  kComponentMatchPins = kFieldMatchPins,
  kComponentCancel = 2,
};

// Column headings: "Rod Total", "Big End", "Small End", "Recip. Total" or
// "Piston", "Pin", "Total", "Recip. Total".
std::array<const char*, 4> ComponentHeadings(ComponentMode mode);
// The field code of the value box in `column` (0, 1) of `row`.
int ComponentBoxCode(ComponentMode mode, int column, int row);
// Red, green or dark blue.
Rgb ComponentColour(CellColour colour);

// "Use Average", "Use Lightest", "Match Pins" (piston mode) and "Cancel":
// the first two and Cancel close (the card repaints), Match Pins repaints
// the window and its 24 boxes.
ScreenPress ComponentPress(int id, ComponentMode mode, BobweightCard& card, RodPistonSet& set);
// The four buttons (no Match Pins in rod mode).
std::vector<ScreenItem> ComponentItems(ComponentMode mode);

// ---- Bobweight Print Options ----

enum : int {
  kPrintLeftImage = 421,
  kPrintRightImage,
  kPrintBottomBanner,
  kPrintMultiplePartData,
  kPrintForceTable,
  kPrintSaveChanges,
  kPrintExit,
};

// The seven value boxes: 270-273 the condition amounts, 274 and 275 the
// radii, 276 the tolerance.
const std::array<int, 7>& PrintOptionBoxCodes();

// "Select Print Image": the picture of a Print Options image button.
FileRequest PrintImageRequest();

// The chosen picture for the button `id`.
void StorePrintImage(int id, const std::string& path, MachineSettings& settings);
bool PrintOptionChecked(int id, const MachineSettings& settings);

// The top of the value box row `row` (0-4) of Print Options, design units.
int PrintOptionRowY(int row);
// The picture buttons, the two check boxes, the labels and Save Changes and
// Exit; the value boxes are the window's.
std::vector<ScreenItem> PrintOptionsItems(const MachineSettings& settings);

// Print Options: a picture button shows the dialog and keeps the chosen
// picture, the check boxes toggle the page-two options, Save Changes stores
// the card under its name without a dialog, Exit and Esc close and write the
// settings.
class PrintOptionsScreen {
 public:
  PrintOptionsScreen(BobweightCard& card, RodPistonSet& set, MachineSettings& settings,
                     OperatorUi* ui)
      : card_(card), set_(set), settings_(settings), ui_(ui) {}
  std::vector<ScreenItem> Items() const { return PrintOptionsItems(settings_); }
  ScreenPress Press(int id);
  ScreenPress FileChosen(const FileRequest& request, const std::optional<std::string>& path);

 private:
  BobweightCard& card_;
  RodPistonSet& set_;
  MachineSettings& settings_;
  OperatorUi* ui_;
  int imageButton_ = 0;  // the picture button whose dialog is open
};

}  // namespace balancer
