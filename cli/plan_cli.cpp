// "plan": the main screen's correction pass on readings given on the command
// line, with the folder's settings.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/machine_settings.h"
#include "base/program_folder.h"
#include "cli/cli.h"
#include "cli/cli_settings_bridge.h"
#include "correction/correction_pass.h"
#include "correction/vector_math.h"
#include "records/number_text.h"
#include "records/settings_startup.h"
#include "records/side_files.h"

namespace balancer::cli {

namespace {

// Splits "a,b,..." into exactly `count` numbers.
bool ParseNumbers(const std::string& text, size_t count, std::vector<double>& values) {
  values.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    std::string part =
        text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (part.empty() || part.size() > 40) return false;
    double v = 0.0;
    if (!ParseFiniteNumber(part, v)) return false;
    values.push_back(v);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return values.size() == count;
}

bool ParseReading(const std::string& text, PlaneReading& reading) {
  std::vector<double> v;
  // A moment beyond any reading would overflow the transform into NaN.
  if (!ParseNumbers(text, 2, v) || !NumberInRange(v[0], 0.0, kReadingMomentMax)) return false;
  reading.amount = v[0];
  reading.angle = NormalizeDegrees(v[1]);
  return true;
}

bool ParseZones(const std::string& text, CorrectionZones& zones) {
  std::vector<double> v;
  if (!ParseNumbers(text, 4, v)) return false;
  for (double d : v) {
    if (d != std::floor(d) || d < 0.0 || d > 359.0) return false;
  }
  zones.zoneStartLeft = static_cast<int>(v[0]);
  zones.zoneEndLeft = static_cast<int>(v[1]);
  zones.zoneStartRight = static_cast<int>(v[2]);
  zones.zoneEndRight = static_cast<int>(v[3]);
  return true;
}

const char* ColourName(TextColour colour) {
  return colour == TextColour::kRed         ? "red"
         : colour == TextColour::kTolerance ? "tolerance"
                                            : "default";
}

nlohmann::json HolesJson(const DrillPlan& plan) {
  nlohmann::json holes = nlohmann::json::array();
  for (int j = 0; j < plan.holeCount && j < kMaxHoles; ++j) {
    const DrillHole& h = plan.holes[j];
    holes.push_back({{"angle", h.angle * kDegreesPerRadian}, {"depth", h.depth}});
  }
  return holes;
}

nlohmann::json SideJson(const SideCorrection& side) {
  nlohmann::json holes = HolesJson(side.drill);
  nlohmann::json slugs = nlohmann::json::array();
  for (const SlugRecord& s : side.slugs.slugs) {
    if (!(s.diameter > 0.0)) continue;
    slugs.push_back({{"angle", RoundHalfAway(s.angle * kDegreesPerRadian)},
                     {"diameter", s.diameter},
                     {"length", s.length}});
  }
  const char* colour = ColourName(side.colour);
  // The holes that drill away what the slugs leave, planned with them.
  nlohmann::json remainder = {{"holes", HolesJson(side.remainder)},
                              {"holeDepth", side.remainder.holeDepth},
                              {"capacityOverflow", side.remainder.capacityOverflow},
                              {"text", AnsiToUtf8(side.remainderText)},
                              {"textColour", ColourName(side.remainderColour)}};
  return {{"moment", side.plane.moment},
          {"angle", side.plane.angle},
          {"displayAngle", side.plane.displayAngle},
          {"outsideZone", side.plane.outsideZone},
          {"method", CorrectionMethodName(side.method)},
          {"text", AnsiToUtf8(side.text)},
          {"textColour", colour},
          {"grams", side.grams},
          {"radius", side.radius},
          {"holes", holes},
          {"holeDepth", side.drill.holeDepth},
          {"capacityOverflow", side.drill.capacityOverflow},
          {"slugs", slugs},
          {"extraWeight", side.slugs.extraWeight},
          {"extraAngle", side.slugs.extraAngle},
          {"extraInZone", side.slugs.extraInZone},
          {"remainder", remainder},
          {"inTolerance", side.inTolerance}};
}

}  // namespace

// The corrections as "plan" prints them; "spin" prints the same.
nlohmann::json CorrectionsToJson(const CorrectionResult& result) {
  nlohmann::json out = nlohmann::json::object();
  out["twoPlaneMode"] = result.twoPlaneMode ? 1 : 0;
  if (result.left.active) out["left"] = SideJson(result.left);
  if (result.right.active) out["right"] = SideJson(result.right);
  if (!result.twoPlaneMode) {
    out["static"] = {{"moment", result.single.staticMoment}, {"angle", result.single.staticAngle}};
    out["couple"] = {{"halfMoment", result.single.coupleHalfMoment},
                     {"angle", result.single.coupleAngle},
                     {"oppositeAngle", result.single.coupleOppositeAngle}};
  }
  if (result.geometryDegenerate) out["geometryDegenerate"] = true;
  return out;
}

namespace {

int Plan(CliContext& ctx) {
  std::string leftText, rightText, zonesText;
  bool hasLeft = TakeOption(ctx.args, "--left", leftText);
  bool hasRight = TakeOption(ctx.args, "--right", rightText);
  bool hasZones = TakeOption(ctx.args, "--zones", zonesText);
  const OperatorSwitches switches = TakeOperatorSwitches(ctx.args);
  if (!ctx.args.empty()) {
    ctx.out["error"] = "unexpected argument: " + ctx.args[0];
    return kExitUsage;
  }
  PlaneReading left, right;
  if (!hasLeft || !ParseReading(leftText, left)) {
    ctx.out["error"] = "--left needs M,A (gram-inches, degrees)";
    return kExitUsage;
  }
  if (!hasRight || !ParseReading(rightText, right)) {
    ctx.out["error"] = "--right needs M,A (gram-inches, degrees)";
    return kExitUsage;
  }
  CorrectionZones zones;
  if (hasZones && !ParseZones(zonesText, zones)) {
    ctx.out["error"] = "--zones needs four whole degrees 0-359: sL,eL,sR,eR";
    return kExitUsage;
  }

  MachineSettings settings;
  SettingsLoadResult load = LoadFolderSettings(ctx, ctx.ui, settings);

  CorrectionState state;
  state.readingsPresent = true;
  SetOperatorSwitches(switches, settings, state);
  CorrectionResult result = RunCorrectionPass(left, right, settings, zones, state, &ctx.ui);

  nlohmann::json corrections = CorrectionsToJson(result);
  for (auto it = corrections.begin(); it != corrections.end(); ++it) ctx.out[it.key()] = it.value();
  ctx.out["toleranceMoment"] = settings.toleranceMoment;
  ctx.out["settingsSource"] = load.source;
  AddMessages(ctx);
  return kExitOk;
}

}  // namespace

REGISTER_CLI_COMMAND(
    "plan", Plan,
    "--left M,A --right M,A [--zones sL,eL,sR,eR] [--add-left] [--add-right] [--drill-point]");

}  // namespace balancer::cli
