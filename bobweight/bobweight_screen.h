// The texts and highlights the Bobweight Calculation and Component Entry
// windows draw, decided here so the windows only place them.
#pragma once

#include <array>
#include <string>

#include "base/field_codes.h"
#include "base/machine_settings.h"
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

enum class BobweightStep {
  kNone,
  kNumberEntry,       // entryCode
  kComponentRods,     // Component Entry, rod mode
  kComponentPistons,  // piston mode
  kSelectEngine,
  kTextEntry,  // entryCode, heading, prefill
  kAskNewJob,
  kOpen,
  kSave,
  kPrint,
  kPrintOptions,
  kClose,
};

struct BobweightDecision {
  BobweightStep step = BobweightStep::kNone;
  int entryCode = 0;
  std::string heading;  // of a text entry
  std::string prefill;
  bool keyboard = false;  // the on-screen keyboard rather than a line of text
  bool keypad = false;    // the touch keypad: the date, typed with its slash key
  bool note = false;      // several lines
};

// A press (id) or an access key; `companyText` prefills "Company".
BobweightDecision BobweightPress(int id, const MachineSettings& settings, const BobweightCard& card,
                                 const std::string& companyText);
BobweightDecision BobweightKey(int character, const MachineSettings& settings,
                               const BobweightCard& card);

// The job name question after New Job, or before a save on a touch screen.
BobweightDecision AskJobName(int code, const MachineSettings& settings, const BobweightCard& card);

// A text typed for the card. `next` is the entry that follows (the rear
// external weight after the front one), `save` continues into the save
// dialog, `writeCompany` stores the company text.
struct BobweightTextOutcome {
  bool handled = false;
  bool repaint = false;
  BobweightDecision next;
  bool save = false;
  bool writeCompany = false;
};
BobweightTextOutcome ApplyBobweightText(int code, const std::string& text, BobweightCard& card,
                                        const MachineSettings& settings, std::string& frontExternal,
                                        std::string& companyText);

// What an answer (1 OK or Enter, 6 yes, 7 no) to one of this window's
// questions does. Enter answers 1, which says yes here as the buttons' YES
// and SAVE do.
enum class BobweightAnswerStep {
  kNone,
  kStoreAfterWarning,  // the empty-card warning: on to the save dialog
  kNewJob,             // clear the card, then ask the job name
  kSaveAndClose,       // unsaved changes: SAVE
  kDropAndClose,       // DON'T SAVE
};
BobweightAnswerStep PlanBobweightAnswer(int answer, int actionCode);

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

struct ComponentDecision {
  bool handled = false;
  bool close = false;    // the window closes; the card repaints
  bool repaint = false;  // the window and its 24 boxes repaint
};
// "Use Average", "Use Lightest", "Match Pins" (piston mode) and "Cancel".
ComponentDecision ComponentPress(int id, ComponentMode mode, BobweightCard& card,
                                 RodPistonSet& set);

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

struct PrintOptionsDecision {
  bool handled = false;
  bool chooseImage = false;  // show the dialog; StorePrintImage takes the answer
  bool repaint = false;
  bool save = false;  // store the card without a dialog
  bool close = false;
};
PrintOptionsDecision PrintOptionsPress(int id, MachineSettings& settings);
// The chosen picture for the button `id`.
void StorePrintImage(int id, const std::string& path, MachineSettings& settings);
bool PrintOptionChecked(int id, const MachineSettings& settings);

}  // namespace balancer
