// The bobweight job files: the card (.bwi) and beside it the individual rod
// and piston weights (.bme), both plain text, one value per line.
#pragma once

#include <string>

#include "base/operator_message.h"
#include "bobweight/bobweight_card.h"

namespace balancer {

class OperatorUi;

// The file texts. Line ends are '\n'; WriteBobweightText turns them into the
// platform's text-file line ends. A save writes the same `saveStamp` as a last
// line "save <stamp>" into both files, so a reader can tell a .bme that
// belongs to its .bwi from one of another save. Files without it (older
// saves) still read.
std::string FormatBwi(const BobweightCard& card, const std::string& saveStamp = "");
std::string FormatBme(const RodPistonSet& set, const std::string& saveStamp = "");

// Reads a card file text into `card`. Numbers that cannot be read, or lie
// beyond kCardValueMax, leave their fields as they were; texts are cut to
// their fields. Returns false when the text ends before the notes (a file
// that is not a card) or a number was refused. `saveStamp` (if given)
// receives the file's stamp, "" for an older file.
bool ParseBwi(const std::string& text, BobweightCard& card, std::string* saveStamp = nullptr);
// Reads up to 48 weights and 12 pin numbers; what cannot be read (or lies
// beyond kCardValueMax) stays. Returns the file's save stamp, "" when none.
std::string ParseBme(const std::string& text, RodPistonSet& set);

// The .bme beside a .bwi path.
std::string BmePathFor(const std::string& bwiPath);
// "<folder>\<jobName>.bwi" (the folder's own separator style), or "" when
// the job has no name.
std::string CardPathFor(const std::string& folder, const std::string& jobName);
// The file name without folder and without its ".ext".
std::string JobNameFromPath(const std::string& path);

// loadCard after the open dialog: reads `path` and its .bme. Returns false
// and changes nothing when the card file cannot be opened. On success the job
// name comes from the path, `bobweightFolder` becomes the file's folder and
// the engine selection returns to row 0; the individual weights (and the
// changed flag) change only when the .bme is there and belongs to the same
// save as the card (its stamp matches, or the card is an older one without a
// stamp). `weightsLoaded` (if given) tells whether they did.
bool LoadCardFile(const std::string& path, BobweightCard& card, RodPistonSet& set,
                  std::string& bobweightFolder, bool* weightsLoaded = nullptr);

// Writes the .bme and then the .bwi beside it, both with a new save stamp, so
// the .bwi that names the stamp is only ever in place with its own .bme. A
// write stopped between the two leaves the old .bwi, which does not take the
// new .bme. The changed flag is cleared only when both were written; a
// failure is told through `ui` (when given) and returns false.
bool WriteCardFiles(const std::string& bwiPath, BobweightCard& card, const RodPistonSet& set,
                    OperatorUi* ui);

// saveCard without a dialog: under the bobweight folder and the job name.
// Nothing is written (false) when the job has no name.
bool SaveCardSilently(BobweightCard& card, const RodPistonSet& set,
                      const std::string& bobweightFolder, OperatorUi* ui);

// saveCard after the save dialog returned `chosenPath`: writes, then the job
// name comes from the path and the bobweight folder becomes its folder.
bool SaveCardAs(const std::string& chosenPath, BobweightCard& card, const RodPistonSet& set,
                std::string& bobweightFolder, OperatorUi* ui);

// The save dialog was cancelled or failed: on a touch screen the job name is
// cleared and the invalid file name message shown. Nothing is written.
void SaveDialogFailed(BobweightCard& card, int touchscreen, OperatorUi& ui);

// The answer to the unsaved-changes question as the window closes: SAVE
// stores the card under its folder and name, DON'T SAVE drops the flag.
// Returns false when a save was asked for and failed (the flag stays set).
bool AnswerUnsavedChanges(bool save, BobweightCard& card, const RodPistonSet& set,
                          const std::string& bobweightFolder, OperatorUi* ui);

// True when all eight component weights are 0 (the interactive save warns).
bool CardIsEmpty(const BobweightCard& card);

// Messages of the bobweight files and the job.
OperatorMessage EmptyCardWarning();              // "WARNING" before an interactive save
OperatorMessage InvalidFileNameMessage();        // "Error" after a failed dialog on a touch screen
OperatorMessage NewJobQuestion(int actionCode);  // "New Job", YES / NO
OperatorMessage UnsavedChangesQuestion(int actionCode);          // "Alert", SAVE / DON'T SAVE
OperatorMessage CardWriteErrorMessage(const std::string& path);  // "Error"

// Whether closing the Bobweight Calculation window asks to save.
bool AsksToSaveOnClose(const BobweightCard& card);

}  // namespace balancer
