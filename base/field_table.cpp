#include "base/field_table.h"

#include <array>
#include <limits>

#include "base/help_file.h"

namespace balancer {

namespace {

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

constexpr char kTopicRadius[] = "Correction radius.htm";
constexpr char kTopicPlaneOffset[] = "Correction plane offset.htm";
constexpr char kTopicWeighing[] = "Weighing parts.htm";
constexpr char kTopicSpeed[] = "Balancing speed.htm";
constexpr char kTopicHeavyMetal[] = "Heavy Metal Setup.htm";
constexpr char kTopicCounterweightRadius[] = "Counterweight Radius.htm";
constexpr char kTopicCounterweightThickness[] = "Counterweight Thickness.htm";

// A row under construction: Row(...) with what every field has, then
// .Edits() for a plain field's member and .Within() for its range.
struct RowBuilder {
  FieldRow row;

  constexpr RowBuilder Edits(double MachineSettings::*member, int decimals = 1) const {
    RowBuilder r = *this;
    r.row.member = member;
    r.row.decimals = decimals;
    return r;
  }
  constexpr RowBuilder Edits(int MachineSettings::*member, int decimals) const {
    RowBuilder r = *this;
    r.row.intMember = member;
    r.row.decimals = decimals;
    return r;
  }
  constexpr RowBuilder Within(double minimum, double maximum) const {
    RowBuilder r = *this;
    r.row.minimum = minimum;
    r.row.maximum = maximum;
    return r;
  }
};

constexpr RowBuilder Row(const char* label, const char* hint, FieldUnit unit, unsigned flags,
                         const char* helpTopic = "") {
  RowBuilder r{};
  r.row.label = label;
  r.row.hint = hint;
  r.row.unit = unit;
  r.row.flags = flags;
  r.row.helpTopic = helpTopic;
  return r;
}

struct CodedRow {
  int code;
  RowBuilder built;
};

// Every code not listed has an empty row with a Help button.
constexpr CodedRow kRows[] = {
    {kFieldRadiusLeft,
     Row("Radius",
         "Left correction radius:\nthe radius of the hole centre\nor weight on the counterweight.",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton,
         kTopicRadius)},
    {kFieldRadiusRight,
     Row("&Radius",
         "Right correction radius:\nthe radius of the hole centre\nor weight on the counterweight.",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton,
         kTopicRadius)},
    {kFieldDrillDiameter, Row("&Drill Diameter",
                              "Both Left and Right Sides\n\n"
                              "Enter a decimal number\n"
                              "or fractional size.\n\n"
                              "Examples: .625, 5/8, 1 3/16",
                              FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash)
                              .Edits(&MachineSettings::drillDiameterLeft)},
    {kFieldRodTotalWeight,
     Row("Rod &Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndWeight,
     Row("Rod Big &End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBearingWeight,
     Row("Rod &Bearing Weight", "Both bearing shells\nof one rod.", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonWeight,
     Row("&Piston Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonPinWeight,
     Row("Piston Pi&n Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinLockWeight,
     Row("Pin &Lock Weight", "Both pin locks\nof one piston.", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonRingWeight,
     Row("Piston &Ring Weight", "The complete ring set\nof one piston.", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldSupportRailWeight,
     Row("S&upport Rail Weight", "Support rails of one piston,\nif used.", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldOilWeight,
     Row("&Oil Weight", "", FieldUnit::kWeight, kFieldHelpButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldShaftRpm, Row("&Shaft RPM (250-1000)", "Balancing speed,\n250 to 1000 RPM.",
                         FieldUnit::kPlain, kFieldHelpButton, kTopicSpeed)
                         .Edits(&MachineSettings::shaftRpm, 0)},
    {kFieldTolerance, Row("&Tolerance", "Balance tolerance per side.", FieldUnit::kTolerance, 0)
                          .Edits(&MachineSettings::toleranceMoment)
                          .Within(0.001, kNoLimit)},
    {kFieldSampleQuality,
     Row("Sample &quality (1-3)", "1 = fastest,\n3 = most accurate.", FieldUnit::kPlain, 0)
         .Edits(&MachineSettings::sampleQuality, 0)
         .Within(-kNoLimit, 1000.0)},
    {kFieldRightUpright, Row("&Right upright", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldWeightUnit, Row("&Grams/Ounces", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldLengthUnit, Row("&Inches/Millimeters", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldDefaultOilWeight,
     Row("Default &oil weight", "Oil weight used for\nnew bobweight cards.", FieldUnit::kWeight, 0)
         .Edits(&MachineSettings::defaultOilWeight)},
    {kFieldEmptyBobweight, Row("E&mpty Bobweight", "Weight of the empty\nbobweight assembly.",
                               FieldUnit::kWeight, kFieldScaleKey)
                               .Edits(&MachineSettings::emptyBobweight)},
    {kFieldScale, Row("Scale", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldTouchscreen, Row("Touchscreen", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldLagCompensationLeft,
     Row("Left side lag compensation", "Tunes the left drill position\nto the unbalance position.",
         FieldUnit::kPlain, kFieldNegative | kFieldHelpButton)
         .Edits(&MachineSettings::lagCompensationLeft)},
    {kFieldLagCompensationRight, Row("Right side lag compensation",
                                     "Tunes the right drill position\nto the unbalance position.",
                                     FieldUnit::kPlain, kFieldNegative | kFieldHelpButton)
                                     .Edits(&MachineSettings::lagCompensationRight)},
    {kFieldCalibrationFactorLeft,
     Row("Left calibration factor", "Calibration factor\nof the left sensor.", FieldUnit::kPlain,
         kFieldHelpButton)
         .Edits(&MachineSettings::calibrationFactorLeft, 2)},
    {kFieldCalibrationFactorRight,
     Row("Right calibration factor", "Calibration factor\nof the right sensor.", FieldUnit::kPlain,
         kFieldHelpButton)
         .Edits(&MachineSettings::calibrationFactorRight, 2)},
    {kFieldScreenAspectRatio,
     Row("Screen aspect ratio", "Circle height divided by width\non the screen.\n\n0.88 to 1.12",
         FieldUnit::kPlain, kFieldHelpButton)
         .Edits(&MachineSettings::screenAspectRatio, 2)
         .Within(0.88, 1.12)},
    {kFieldDesiredReadingLeft,
     Row("Desired left reading", "", FieldUnit::kWeight, kFieldHelpButton)},
    {kFieldDesiredReadingRight,
     Row("Desired right reading", "", FieldUnit::kWeight, kFieldHelpButton)},
    {kFieldPrinterScaleX, Row("Printer X scale", "", FieldUnit::kPlain, kFieldHelpButton)
                              .Edits(&MachineSettings::printerScaleX, 2)},
    {kFieldPrinterScaleY, Row("Printer Y scale", "", FieldUnit::kPlain, kFieldHelpButton)
                              .Edits(&MachineSettings::printerScaleY, 2)},
    {kFieldUprightDistance,
     Row("Upright spacing", "Distance between the\nbearing contact centres\nof the two uprights.",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton,
         kTopicPlaneOffset)
         .Edits(&MachineSettings::uprightDistance)},
    {kFieldPlaneOffsetLeft,
     Row("Left Plane Offset",
         "From the left bearing contact centre\nto the correction spot.\n\nNegative = outboard.",
         FieldUnit::kLength, kFieldInchFractions | kFieldNegative | kFieldHelpButton,
         kTopicPlaneOffset)
         .Edits(&MachineSettings::planeOffsetLeft)},
    {kFieldPlaneOffsetRight,
     Row("Right Plane Offset",
         "From the right bearing contact centre\nto the correction spot.\n\nNegative = outboard.",
         FieldUnit::kLength, kFieldInchFractions | kFieldNegative | kFieldHelpButton,
         kTopicPlaneOffset)
         .Edits(&MachineSettings::planeOffsetRight)},
    {kFieldSaveInitial, Row("Save as Initial", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSaveFinal, Row("Save as Final", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSelectEngine, Row("&Select Engine", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldReciprocatingPercent,
     Row("Reciproc&ating Weight", "Percentage of the\nreciprocating weight.", FieldUnit::kPlain,
         0)},
    {kFieldRotatingPercent,
     Row("Rotating &Weight", "Percentage of the\nrotating weight.", FieldUnit::kPlain, 0)},
    {kFieldCylindersPerBobweight,
     Row("&Cyls. Per Bobweight", "Cylinders per crank pin.", FieldUnit::kPlain, 0)},
    {kFieldOverbalance,
     Row("O&verbalance", "Overbalance percentage,\n0 or more.", FieldUnit::kPlain, 0)},
    {kFieldOk, Row("OK", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldMaterial, Row("&Material", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldRadialCompensation, Row("Radial &Compensation", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldTransferFromScale, Row("&Transfer From Scale", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldMaxDepthLeft, Row("Max Depth", "Maximum hole depth,\nleft side.", FieldUnit::kLength,
                             kFieldInchFractions | kFieldKeypadSlash)
                             .Edits(&MachineSettings::maxDrillDepthLeft)},
    {kFieldMaxDepthRight, Row("Max Depth", "Maximum hole depth,\nright side.", FieldUnit::kLength,
                              kFieldInchFractions | kFieldKeypadSlash)
                              .Edits(&MachineSettings::maxDrillDepthRight)},
    {kFieldCounterweightRadiusLeft,
     Row("Left Counterweight Radius", "", FieldUnit::kLength,
         kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton, kTopicCounterweightRadius)
         .Edits(&MachineSettings::shaftRadiusLeft)},
    {kFieldCounterweightRadiusRight,
     Row("Right Counterweight Radius", "", FieldUnit::kLength,
         kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton, kTopicCounterweightRadius)
         .Edits(&MachineSettings::shaftRadiusRight)},
    {kFieldSlugDiameterLeft,
     Row("Left Slug Diameter", "", FieldUnit::kLength,
         kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton, kTopicHeavyMetal)
         .Edits(&MachineSettings::slugDiameterLeft)},
    {kFieldSlugDiameterRight,
     Row("Right Slug Diameter", "", FieldUnit::kLength,
         kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton, kTopicHeavyMetal)
         .Edits(&MachineSettings::slugDiameterRight)},
    {kFieldSlugLengthLeft,
     Row("Left Slug Length", "", FieldUnit::kLength,
         kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton, kTopicHeavyMetal)
         .Edits(&MachineSettings::slugLengthLeft)},
    {kFieldSlugLengthRight,
     Row("Right Slug Length", "", FieldUnit::kLength,
         kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton, kTopicHeavyMetal)
         .Edits(&MachineSettings::slugLengthRight)},
    {kFieldWebThickness,
     Row("Web Thickness Between Slugs",
         "A minimum of 0.125 inches is recommended for crankshafts.\n"
         "Also sets the thickness to the outside of the counterweight.",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton,
         kTopicHeavyMetal)
         .Edits(&MachineSettings::slugWebThickness)},
    {kFieldCounterweightThicknessLeft,
     Row("Left Counterweight Thickness",
         "Only used for Heavy Metal...\n"
         "if you are not drilling completely through the counterweight enter a value for the depth you are drilling.",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton,
         kTopicCounterweightThickness)
         .Edits(&MachineSettings::cwThicknessLeft)},
    {kFieldCounterweightThicknessRight,
     Row("Right Counterweight Thickness",
         "Only used for Heavy Metal...\n"
         "if you are not drilling completely through the counterweight enter a value for the depth you are drilling.",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash | kFieldHelpButton,
         kTopicCounterweightThickness)
         .Edits(&MachineSettings::cwThicknessRight)},
    {kFieldFrontExternalWeight,
     Row("Front External Weight", "Weight added to the front\nof the shaft.", FieldUnit::kWeight,
         kFieldHelpButton)},
    {kFieldRearExternalWeight,
     Row("Rear External Weight", "Weight added to the rear\nof the shaft.", FieldUnit::kWeight,
         kFieldHelpButton)},
    {kFieldAutoSelect, Row("Auto Select", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldMinExtraWeight, Row("", "Minimum extra weight", FieldUnit::kWeight, 0)
                               .Edits(&MachineSettings::minExtraWeight)},
    {kFieldMaxExtraWeight, Row("", "Maximum extra weight", FieldUnit::kWeight, 0)
                               .Edits(&MachineSettings::maxExtraWeight)},
    {kFieldSelectNow, Row("Select Now", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldUpdateSoftware, Row("Update Software", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSave, Row("Save", "Save the data to a file.", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldLoad, Row("Load", "Load the data from a file.", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldPrint, Row("Print", "Print the data.", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldUseAverage, Row("Use Average", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldUseLightest, Row("Use Lightest", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldMatchPins, Row("Match Pins", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldRodTotalFirst,
     Row("Rod #1 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 1,
     Row("Rod #2 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 2,
     Row("Rod #3 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 3,
     Row("Rod #4 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 4,
     Row("Rod #5 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 5,
     Row("Rod #6 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 6,
     Row("Rod #7 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 7,
     Row("Rod #8 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 8,
     Row("Rod #9 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 9,
     Row("Rod #10 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalFirst + 10,
     Row("Rod #11 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodTotalLast,
     Row("Rod #12 Total Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst,
     Row("Rod #1 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 1,
     Row("Rod #2 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 2,
     Row("Rod #3 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 3,
     Row("Rod #4 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 4,
     Row("Rod #5 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 5,
     Row("Rod #6 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 6,
     Row("Rod #7 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 7,
     Row("Rod #8 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 8,
     Row("Rod #9 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 9,
     Row("Rod #10 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndFirst + 10,
     Row("Rod #11 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldRodBigEndLast,
     Row("Rod #12 Big End Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst, Row("Piston #1 Weight", "", FieldUnit::kWeight,
                            kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 1,
     Row("Piston #2 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 2,
     Row("Piston #3 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 3,
     Row("Piston #4 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 4,
     Row("Piston #5 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 5,
     Row("Piston #6 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 6,
     Row("Piston #7 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 7,
     Row("Piston #8 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 8,
     Row("Piston #9 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 9,
     Row("Piston #10 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonFirst + 10,
     Row("Piston #11 Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPistonLast, Row("Piston #12 Weight", "", FieldUnit::kWeight,
                           kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst, Row("Pin Weight", "", FieldUnit::kWeight,
                         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 1,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 2,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 3,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 4,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 5,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 6,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 7,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 8,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 9,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinFirst + 10,
     Row("Pin Weight", "", FieldUnit::kWeight,
         kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldPinLast, Row("Pin Weight", "", FieldUnit::kWeight,
                        kFieldHelpButton | kFieldScaleButton | kFieldScaleKey, kTopicWeighing)},
    {kFieldBobweightDetail, Row("Bobweight Detail", "Single or Multiple\nbobweight detail.",
                                FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSensorType,
     Row("Sensor Type", "Type of the vibration sensors.", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSpeedControl, Row("Speed Control", "Manual, Auto or Semi-Auto\nmotor speed control.",
                             FieldUnit::kNone, kFieldHelpButton)},
    {kFieldShaftWeight, Row("Shaft weight, in pounds", "", FieldUnit::kPlain, 0)
                            .Edits(&MachineSettings::shaftWeightPounds)
                            .Within(0.1, kNoLimit)},
    {kFieldMaxOperatingRpm, Row("Maximum operating RPM", "", FieldUnit::kPlain, 0)
                                .Edits(&MachineSettings::maxOperatingRpm, 0)
                                .Within(1.0, kNoLimit)},
    {kFieldToleranceAtRadiusLeft,
     Row("Tolerance", "Tolerance at the left shaft radius.", FieldUnit::kTolerance, 0)
         .Edits(&MachineSettings::toleranceMoment)},
    {kFieldToleranceAtRadiusRight,
     Row("Tolerance", "Tolerance at the right shaft radius.", FieldUnit::kTolerance, 0)
         .Edits(&MachineSettings::toleranceMoment)},
    {kFieldCalculate, Row("Calculate", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldZero, Row("&Zero", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSync, Row("&Sync", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldEncoderCount, Row("Encoder Count", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldEncoderDirection, Row("Encoder Direction", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldOptionPortType,
     Row("Option Port Type", "Type of the device on the\noption port, 0 to 5.", FieldUnit::kPlain,
         kFieldHelpButton)},
    {kFieldLoadFromEeprom, Row("LOAD from EEPROM", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSaveToEeprom, Row("SAVE to EEPROM", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldPhotoEye, Row("Photo Eye", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldPhotoEyeDirection,
     Row("P.E. Encoder Direction", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldOptionEncoderResolution, Row("Option Encoder Res.", "Option encoder counts per inch.",
                                        FieldUnit::kPlain, kFieldHelpButton)
                                        .Edits(&MachineSettings::optionEncoderResolution)},
    {kFieldIndicatorLeft, Row("&Left", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldIndicatorRight, Row("&Right", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldDate, Row("&Date", "", FieldUnit::kNone, kFieldKeypadSlash)},
    {kFieldSuspension, Row("Suspension", "Hard Bearing or Soft Bearing\nmachine suspension.",
                           FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSideWeightLeft,
     Row("Left Side Weight", "Weight carried by the\nleft upright.", FieldUnit::kPounds, 0)
         .Edits(&MachineSettings::sideWeightLeft)},
    {kFieldSideWeightRight,
     Row("Right Side Weight", "Weight carried by the\nright upright.", FieldUnit::kPounds, 0)
         .Edits(&MachineSettings::sideWeightRight)},
    {kFieldReluctorAmount, Row("", "Custom unbalance amount\nfor the simulated reluctor.",
                               FieldUnit::kMoment, kFieldNegative | kFieldHelpButton)},
    {kFieldReluctorAngle, Row("", "Custom degree offset for\nthe simulated reluctor.",
                              FieldUnit::kPlain, kFieldNegative | kFieldHelpButton)},
    {kFieldReluctorSide, Row("Side", "", FieldUnit::kNone, kFieldHelpButton)},
    // The proving test keeps its own values: no settings member.
    {kFieldProvingMass,
     Row("Test &mass, grams", "The test mass in grams:\nmore than 0, at most 10000.",
         FieldUnit::kPlain, 0)},
    {kFieldProvingRadius,
     Row("Test &radius, inches", "The radius of the test mass\nin inches: more than 0, at most 40.",
         FieldUnit::kPlain, 0)},
    {kFieldInitialConditionLeft, Row("Left Initial Condition", "", FieldUnit::kWeight, 0)},
    {kFieldInitialConditionRight, Row("Right Initial Condition", "", FieldUnit::kWeight, 0)},
    {kFieldFinalConditionLeft, Row("Left Final Condition", "", FieldUnit::kWeight, 0)},
    {kFieldFinalConditionRight, Row("Right Final Condition", "", FieldUnit::kWeight, 0)},
    {kFieldConditionRadiusLeft, Row("Left Radius", "", FieldUnit::kLength, 0)},
    {kFieldConditionRadiusRight, Row("Right Radius", "", FieldUnit::kLength, 0)},
    {kFieldConditionTolerance, Row("Tolerance", "", FieldUnit::kTolerance, 0)},
    {kFieldDensityButton, Row("Heavy Metal Density", "", FieldUnit::kPlain, 0)
                              .Edits(&MachineSettings::heavyMetalDensity)},
    {kFieldHelp, Row("Help", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldHintButton, Row("Hint Button Active", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldDrillBitDiameterLeft,
     Row("Left Drill Bit Diameter",
         "Enter a decimal number\nor fractional size.\n\nExamples: .625, 5/8, 1 3/16",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash)
         .Edits(&MachineSettings::drillDiameterLeft)},
    {kFieldDrillBitDiameterRight,
     Row("Right Drill Bit Diameter",
         "Enter a decimal number\nor fractional size.\n\nExamples: .625, 5/8, 1 3/16",
         FieldUnit::kLength, kFieldInchFractions | kFieldKeypadSlash)
         .Edits(&MachineSettings::drillDiameterRight)},
    {kFieldCoupleForces, Row("Couple Forces", "", FieldUnit::kNone, kFieldHelpButton)},
    {kFieldSlugDiameter, Row("Slug Diameter", "", FieldUnit::kLength, 0)},
    {kFieldSlugLength, Row("Slug Length", "", FieldUnit::kLength, 0)},
    {kFieldSlugWeight, Row("Slug Weight", "", FieldUnit::kWeight, 0)},
    {kFieldHeavyMetalDensity,
     Row("Heavy Metal Density",
         "Heavy metal density,\ngrams per cubic inch.\n\n278.6 is default.\n(HD17 alloy)",
         FieldUnit::kPlain, 0)
         .Edits(&MachineSettings::heavyMetalDensity)},
    {kFieldActualSlugWeight,
     Row("Actual Slug Weight in Grams",
         "Enter 0 to allow the software\nto calculate the weight\nbased on size and density.",
         FieldUnit::kWeight, 0)},
    {kFieldSlugInstallationRadius, Row("Slug Installation Radius",
                                       "Enter 0 to allow the software to\n"
                                       "set the slug radius back to the\n"
                                       "normal Correction Radius.",
                                       FieldUnit::kLength, 0)},
};

constexpr int kTableSize = kLastFieldCode - kFirstFieldCode + 1;

constexpr std::array<FieldRow, kTableSize> BuildTable() {
  std::array<FieldRow, kTableSize> table{};
  for (const CodedRow& r : kRows) table[r.code - kFirstFieldCode] = r.built.row;
  return table;
}

constexpr std::array<FieldRow, kTableSize> kTable = BuildTable();

// The external weights typed on the card: the rows of 156 and 157, without
// the Help button.
constexpr FieldRow WithoutHelp(FieldRow row) {
  row.flags &= ~kFieldHelpButton;
  return row;
}
constexpr FieldRow kFrontExternalText =
    WithoutHelp(kTable[kFieldFrontExternalWeight - kFirstFieldCode]);
constexpr FieldRow kRearExternalText =
    WithoutHelp(kTable[kFieldRearExternalWeight - kFirstFieldCode]);

constexpr FieldRow kEmptyRow{};

}  // namespace

const FieldRow& FieldRowOf(int code) {
  if (code == kFieldFrontExternalText) return kFrontExternalText;
  if (code == kFieldRearExternalText) return kRearExternalText;
  if (code < kFirstFieldCode || code > kLastFieldCode) return kEmptyRow;
  return kTable[code - kFirstFieldCode];
}

const char* FieldLabel(int code) {
  return FieldRowOf(code).label;
}

const char* FieldHint(int code) {
  return FieldRowOf(code).hint;
}

bool IsLengthField(int code) {
  return FieldRowOf(code).Has(kFieldInchFractions);
}

bool AcceptsNegative(int code) {
  return FieldRowOf(code).Has(kFieldNegative);
}

bool KeypadHasSlash(int code) {
  return FieldRowOf(code).Has(kFieldKeypadSlash);
}

bool HasHelpButton(int code) {
  return FieldRowOf(code).Has(kFieldHelpButton);
}

bool ScaleButtonField(int code) {
  return FieldRowOf(code).Has(kFieldScaleButton);
}

bool ScaleKeyField(int code) {
  return FieldRowOf(code).Has(kFieldScaleKey);
}

std::string HelpTopic(int code) {
  return HelpTopicArgument(FieldRowOf(code).helpTopic);
}

}  // namespace balancer
