#include "records/settings_startup.h"

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

}  // namespace

SettingsLoadResult StartupSettingsLoad(const ProgramFolder& folder, const ConfigChecker& check,
                                       OperatorUi& operatorUi, MachineSettings& settings) {
  MessageNotingUi ui(operatorUi);
  SettingsLoadResult result;
  const MachineSettings defaults = settings;

  // Each file is read into its own copy: a damaged file must not leave half
  // of its values mixed into what is used.
  MachineSettings fromDta = defaults;
  bool dtaOk = readSettings(folder.File(kSettingsFileName), fromDta, &ui, false);
  if (dtaOk) settings = fromDta;
  result.calibrationMatch = check(settings, 0, result.disableMainWindow);
  if (dtaOk && result.calibrationMatch == 1) {
    result.source = "dta";
    result.readOk = true;
    if (ui.MessageWindowOpen()) result.disableMainWindow = true;
    return result;
  }

  MachineSettings fromBak = defaults;
  bool bakOk = readSettings(folder.File(kSettingsBackupName), fromBak, &ui, true);
  if (bakOk) settings = fromBak;
  result.calibrationMatch = check(settings, 1, result.disableMainWindow);

  if (bakOk) {
    result.source = "bak";
    result.readOk = true;
    if (result.calibrationMatch == 1) {
      result.dtaRepaired = writeSettings(folder.File(kSettingsFileName), settings, &ui);
    }
  } else if (dtaOk) {
    // The primary file was good but the control disputes it and there is no
    // usable backup: keep it; the mismatch warning has told the operator.
    result.source = "dta";
    result.readOk = true;
  } else {
    settings = defaults;
    if (!ui.MessageWindowOpen()) ui.ShowMessage(CheckMachineSettingsMessage());
  }
  if (ui.MessageWindowOpen()) result.disableMainWindow = true;
  return result;
}

bool WriteSettingsFiles(const ProgramFolder& folder, const MachineSettings& settings,
                        OperatorUi* ui) {
  bool dta = writeSettings(folder.File(kSettingsFileName), settings, ui);
  bool bak = writeSettings(folder.File(kSettingsBackupName), settings, ui);
  return dta && bak;
}

bool WriteSettingsAtExit(const ProgramFolder& folder, const MachineSettings& settings,
                         int calibrationMatch, OperatorUi* ui) {
  bool ok = writeSettings(folder.File(kSettingsFileName), settings, ui);
  if (calibrationMatch == 1)
    ok = writeSettings(folder.File(kSettingsBackupName), settings, ui) && ok;
  return ok;
}

}  // namespace balancer
