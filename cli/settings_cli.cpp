// balancer-cli settings [--write]: the start-up settings load without a
// control, and with --write the files written as at exit.
#include <nlohmann/json.hpp>

#include "base/machine_settings.h"
#include "cli/cli.h"
#include "cli/cli_settings_bridge.h"
#include "records/settings_file.h"
#include "records/settings_startup.h"

namespace balancer::cli {

namespace {

nlohmann::json SetJson(const RightSideSet& set) {
  return {{"correctionRadiusRight", set.correctionRadiusRight},
          {"drillRadiusRight", set.drillRadiusRight},
          {"slugRadiusRight", set.slugRadiusRight},
          {"shaftRadiusRight", set.shaftRadiusRight},
          {"maxDrillDepthRight", set.maxDrillDepthRight},
          {"drillDiameterRight", set.drillDiameterRight},
          {"radialCompensation", set.radialCompensation}};
}

// Every field of the record by its name.
nlohmann::json SettingsJson(const MachineSettings& s) {
  nlohmann::json j;
  j["shaftRpm"] = s.shaftRpm;
  j["lagCompensationLeft"] = s.lagCompensationLeft;
  j["lagCompensationRight"] = s.lagCompensationRight;
  j["emptyBobweight"] = s.emptyBobweight;
  j["correctionRadiusLeft"] = s.correctionRadiusLeft;
  j["correctionRadiusRight"] = s.correctionRadiusRight;
  j["drillDiameterLeft"] = s.drillDiameterLeft;
  j["uprightDistance"] = s.uprightDistance;
  j["planeOffsetLeft"] = s.planeOffsetLeft;
  j["planeOffsetRight"] = s.planeOffsetRight;
  j["sampleQuality"] = s.sampleQuality;
  j["rightUprightReversed"] = s.rightUprightReversed;
  j["drillMaterial"] = s.drillMaterial;
  j["radialCompensation"] = s.radialCompensation;
  j["defaultOilWeight"] = s.defaultOilWeight;
  j["weightUnit"] = s.weightUnit;
  j["lengthUnit"] = s.lengthUnit;
  j["calibrationFactorLeft"] = s.calibrationFactorLeft;
  j["calibrationFactorRight"] = s.calibrationFactorRight;
  j["slugRadiusLeft"] = s.slugRadiusLeft;
  j["slugRadiusRight"] = s.slugRadiusRight;
  j["shaftRadiusLeft"] = s.shaftRadiusLeft;
  j["shaftRadiusRight"] = s.shaftRadiusRight;
  j["cwThicknessLeft"] = s.cwThicknessLeft;
  j["cwThicknessRight"] = s.cwThicknessRight;
  j["maxDrillDepthLeft"] = s.maxDrillDepthLeft;
  j["maxDrillDepthRight"] = s.maxDrillDepthRight;
  j["slugDiameterLeft"] = s.slugDiameterLeft;
  j["slugDiameterRight"] = s.slugDiameterRight;
  j["slugLengthLeft"] = s.slugLengthLeft;
  j["slugLengthRight"] = s.slugLengthRight;
  j["slugWebThickness"] = s.slugWebThickness;
  j["counterweightMaterial"] = s.counterweightMaterial;
  j["screenAspectRatio"] = s.screenAspectRatio;
  j["printerScaleX"] = s.printerScaleX;
  j["printerScaleY"] = s.printerScaleY;
  j["toleranceMoment"] = s.toleranceMoment;
  j["touchscreen"] = s.touchscreen;
  j["scaleType"] = s.scaleType;
  nlohmann::json selected = nlohmann::json::array();
  for (int i = 0; i < kSlugSizeCount; ++i) {
    if (s.slugSizeSelected[i]) selected.push_back(i);
  }
  j["slugSizeSelected"] = selected;
  j["minExtraWeight"] = s.minExtraWeight;
  j["maxExtraWeight"] = s.maxExtraWeight;
  j["bobweightDetail"] = s.bobweightDetail;
  j["sensorType"] = s.sensorType;
  j["speedControl"] = s.speedControl;
  j["toleranceClass"] = s.toleranceClass;
  j["shaftWeightPounds"] = s.shaftWeightPounds;
  j["maxOperatingRpm"] = s.maxOperatingRpm;
  j["twoPlaneMode"] = s.twoPlaneMode;
  j["encoderCountIndex"] = s.encoderCountIndex;
  j["encoderDirection"] = s.encoderDirection;
  j["photoEye"] = s.photoEye;
  j["photoEyeEncoderDirection"] = s.photoEyeEncoderDirection;
  j["optionEncoderResolution"] = s.optionEncoderResolution;
  j["spareValueA"] = s.spareValueA;
  j["spareValueB"] = s.spareValueB;
  j["reluctorType"] = s.reluctorType;
  j["reluctorSide"] = s.reluctorSide;
  j["customReluctorWeight"] = s.customReluctorWeight;
  j["customReluctorAngle"] = s.customReluctorAngle;
  j["printOption"] = s.printOption;
  j["drillRadiusLeft"] = s.drillRadiusLeft;
  j["drillRadiusRight"] = s.drillRadiusRight;
  j["suspension"] = s.suspension;
  j["sideWeightLeft"] = s.sideWeightLeft;
  j["sideWeightRight"] = s.sideWeightRight;
  j["heavyMetalDensity"] = s.heavyMetalDensity;
  j["drillDiameterRight"] = s.drillDiameterRight;
  j["headerTextColor"] = s.headerTextColor;
  j["leftPhotoPath"] = AnsiToUtf8(s.leftPhotoPath);
  j["rightPhotoPath"] = AnsiToUtf8(s.rightPhotoPath);
  j["bobweightFolder"] = AnsiToUtf8(s.bobweightFolder);
  j["presetFolder"] = AnsiToUtf8(s.presetFolder);
  j["historyFolder"] = AnsiToUtf8(s.historyFolder);
  j["bottomPhotoPath"] = AnsiToUtf8(s.bottomPhotoPath);
  j["showCoupleForces"] = s.showCoupleForces;
  j["twoPlaneSet"] = SetJson(s.twoPlaneSet);
  j["singlePlaneSet"] = SetJson(s.singlePlaneSet);
  j["simulatedReluctorWeight"] = s.simulatedReluctorWeight;
  j["simulatedReluctorAngle"] = s.simulatedReluctorAngle;
  return j;
}

int Settings(CliContext& ctx) {
  bool write = TakeFlag(ctx.args, "--write");
  if (!ctx.args.empty()) {
    ctx.out["error"] = "unexpected argument " + ctx.args.front();
    return kExitUsage;
  }
  ProgramFolder folder;
  folder.path = ctx.folder;
  MachineSettings settings;
  SettingsLoadResult load = LoadFolderSettings(ctx, ctx.ui, settings);
  RangeLimit(settings, &ctx.ui);

  nlohmann::json fields = SettingsJson(settings);
  for (auto it = fields.begin(); it != fields.end(); ++it) ctx.out[it.key()] = it.value();
  ctx.out["readOk"] = load.readOk;
  ctx.out["source"] = load.source;
  ctx.out["dtaRepaired"] = load.dtaRepaired;
  int status = kExitOk;
  if (write) {
    bool written = WriteSettingsAtExit(folder, settings, load.calibrationMatch, &ctx.ui);
    ctx.out["written"] = written;
    if (!written) {
      ctx.out["error"] = "the settings files could not be written";
      status = kExitFailed;
    }
  }
  AddMessages(ctx);
  return status;
}

}  // namespace

REGISTER_CLI_COMMAND("settings", Settings, "[--write]");

}  // namespace balancer::cli
