#include "records/settings_startup.h"

#include "records/atomic_file.h"
#include "records/settings_file.h"

namespace balancer {

namespace {

// Passes everything on and notes whether a message was shown.
class MessageNotingUi : public OperatorUi {
 public:
  explicit MessageNotingUi(OperatorUi& inner) : inner_(inner) {}
  void ShowMessage(const OperatorMessage& message) override {
    shown = true;
    inner_.ShowMessage(message);
  }
  bool MessageWindowOpen() const override { return shown || inner_.MessageWindowOpen(); }
  bool PollCancel() override { return inner_.PollCancel(); }
  void ShowSpinStatus(int code) override { inner_.ShowSpinStatus(code); }
  void DrawSpeedBar(int value) override { inner_.DrawSpeedBar(value); }
  void RequestRepaint(RepaintArea area) override { inner_.RequestRepaint(area); }
  void FocusMainWindow() override { inner_.FocusMainWindow(); }
  bool shown = false;

 private:
  OperatorUi& inner_;
};

// Keeps the bytes of a balsetup.dta that no longer reads as balsetup.dta.bad,
// so that nothing the operator had in it is lost when it is replaced. True
// when the file may be replaced.
bool KeepDamagedSettingsFile(const ProgramFolder& folder, OperatorUi* ui) {
  std::optional<std::string> text = ReadWholeFile(folder.File(kSettingsFileName));
  if (!text || text->empty()) return true;
  MachineSettings scratch;
  if (ParseSettings(*text, scratch, nullptr, false)) return true;
  const std::string keptPath = folder.File(kDamagedSettingsName);
  if (WriteFileAtomically(keptPath, *text)) return true;
  if (ui) ui->ShowMessage(FileWriteErrorMessage(keptPath));
  return false;
}

bool ReplaceSettingsFile(const ProgramFolder& folder, const MachineSettings& settings,
                         OperatorUi* ui) {
  if (!KeepDamagedSettingsFile(folder, ui)) return false;
  return writeSettings(folder.File(kSettingsFileName), settings, ui);
}

}  // namespace

SettingsLoadResult StartupSettingsLoad(const ProgramFolder& folder, const ConfigChecker& check,
                                       OperatorUi& operatorUi, MachineSettings& settings) {
  MessageNotingUi ui(operatorUi);
  SettingsLoadResult result;
  // Temporaries of writes that were killed part way are of no use to anyone.
  RemoveStaleTemporaries(folder.path);

  bool dtaOk = readSettings(folder.File(kSettingsFileName), settings, &ui, false);
  result.calibrationMatch = check(settings, 0, result.disableMainWindow);
  if (dtaOk && result.calibrationMatch == 1) {
    result.source = "dta";
    result.readOk = true;
  } else {
    bool bakOk = readSettings(folder.File(kSettingsBackupName), settings, &ui, true);
    result.calibrationMatch = check(settings, 1, result.disableMainWindow);
    if (bakOk) {
      result.source = "bak";
      result.readOk = true;
      if (result.calibrationMatch == 1) {
        result.dtaRepaired = ReplaceSettingsFile(folder, settings, &ui);
      }
    } else {
      // The values a failed read took stay; they get the same fitting and
      // limits as a completed read's.
      FinishSettingsRead(settings, &ui);
      if (dtaOk) {
        // The primary file was good but the control disputes it and there is
        // no usable backup: keep it; the mismatch warning has told the
        // operator.
        result.source = "dta";
        result.readOk = true;
      } else if (!ui.MessageWindowOpen()) {
        ui.ShowMessage(CheckMachineSettingsMessage());
      }
    }
  }
  LimitScaleType(settings);
  for (const std::string* place :
       {&settings.historyFolder, &settings.presetFolder, &settings.bobweightFolder}) {
    if (!place->empty() && *place != folder.path) RemoveStaleTemporaries(*place);
  }
  if (ui.MessageWindowOpen()) result.disableMainWindow = true;
  return result;
}

bool WriteSettingsFiles(const ProgramFolder& folder, const MachineSettings& settings,
                        OperatorUi* ui) {
  bool dta = ReplaceSettingsFile(folder, settings, ui);
  bool bak = writeSettings(folder.File(kSettingsBackupName), settings, ui);
  return dta && bak;
}

bool WriteSettingsAtExit(const ProgramFolder& folder, const MachineSettings& settings,
                         int calibrationMatch, OperatorUi* ui) {
  bool ok = ReplaceSettingsFile(folder, settings, ui);
  if (calibrationMatch == 1)
    ok = writeSettings(folder.File(kSettingsBackupName), settings, ui) && ok;
  return ok;
}

}  // namespace balancer
