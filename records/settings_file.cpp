#include "records/settings_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "records/atomic_file.h"
#include "records/number_text.h"
#include "records/text_scanner.h"

namespace balancer {

namespace {

void AddInt(std::string& out, int value) {
  out += FormatText("%d\n", value);
}

// `format` is one of the file's double formats, e.g. "%1.3f". A value the
// reader would refuse is written at the end of the file's range instead, so
// a file the program wrote always reads back.
void AddDouble(std::string& out, const char* format, double value) {
  out += FormatText(format, RecordValue(value));
  out += '\n';
}

// A text field on its own line: at most `maxLength` characters, and no line
// end inside it that would move every later field down a line.
void AddText(std::string& out, const std::string& text, size_t maxLength) {
  std::string line = text.substr(0, maxLength);
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  out += line;
  out += '\n';
}

// One text line of the file, cut to the field's length. An empty line keeps
// the current value.
void ReadTextField(TextScanner& scanner, size_t maxLength, std::string& field) {
  std::string line;
  if (!scanner.ReadField(maxLength, line)) return;
  if (!line.empty()) field = line;
}

// One block of the file, read as one scanf: values are taken in order up to
// the first that cannot be read, and nothing after that one is touched.
class Block {
 public:
  explicit Block(TextScanner& in) : in_(in) {}
  void Int(int& value) { ok_ = ok_ && in_.Int(value); }
  void Double(double& value) {
    double read = 0.0;
    ok_ = ok_ && in_.Double(read) && NumberInRange(read, -kRecordValueMax, kRecordValueMax);
    if (ok_) value = read;
  }
  bool Ok() const { return ok_; }
  // The next block starts.
  void Next() { ok_ = true; }

 private:
  TextScanner& in_;
  bool ok_ = true;
};

template <typename T>
T AtMost(T value, T limit) {
  return value > limit ? limit : value;
}
template <typename T>
T AtLeast(T value, T limit) {
  return value < limit ? limit : value;
}

// The drill stays inside the shaft, but never below the smallest radius the
// limiter allows: a set with no shaft radius and a wide drill would otherwise
// move the radius further below zero at every restart.
void LimitDrillRadius(double& drillRadius, double shaftRadius, double drillDiameter) {
  drillRadius = AtLeast(AtMost(drillRadius, shaftRadius - 0.05 - drillDiameter / 2.0), 0.1);
}

}  // namespace

double RecordValue(double value) {
  if (std::isnan(value)) return 0.0;
  return std::min(std::max(value, -kRecordValueMax), kRecordValueMax);
}

std::string FormatSettings(const MachineSettings& s) {
  std::string out;
  out.reserve(2048);
  // Fields 1 to 39.
  AddInt(out, s.shaftRpm);
  AddDouble(out, "%1.1f", s.lagCompensationLeft);
  AddDouble(out, "%1.1f", s.lagCompensationRight);
  AddDouble(out, "%1.1f", s.emptyBobweight);
  AddDouble(out, "%1.3f", s.correctionRadiusLeft);
  AddDouble(out, "%1.3f", s.twoPlaneSet.correctionRadiusRight);
  AddDouble(out, "%1.3f", s.drillDiameterLeft);
  AddDouble(out, "%1.3f", s.uprightDistance);
  AddDouble(out, "%1.3f", s.planeOffsetLeft);
  AddDouble(out, "%1.3f", s.planeOffsetRight);
  AddInt(out, s.sampleQuality);
  AddInt(out, s.rightUprightReversed);
  AddInt(out, s.drillMaterial);
  AddInt(out, s.radialCompensation);
  AddDouble(out, "%1.1f", s.defaultOilWeight);
  AddInt(out, s.weightUnit);
  AddInt(out, s.lengthUnit);
  AddDouble(out, "%1.4f", s.calibrationFactorLeft);
  AddDouble(out, "%1.4f", s.calibrationFactorRight);
  AddDouble(out, "%1.3f", s.slugRadiusLeft);
  AddDouble(out, "%1.3f", s.twoPlaneSet.slugRadiusRight);
  AddDouble(out, "%1.3f", s.shaftRadiusLeft);
  AddDouble(out, "%1.3f", s.twoPlaneSet.shaftRadiusRight);
  AddDouble(out, "%1.3f", s.cwThicknessLeft);
  AddDouble(out, "%1.3f", s.cwThicknessRight);
  AddDouble(out, "%1.3f", s.maxDrillDepthLeft);
  AddDouble(out, "%1.3f", s.twoPlaneSet.maxDrillDepthRight);
  AddDouble(out, "%1.3f", s.slugDiameterLeft);
  AddDouble(out, "%1.3f", s.slugDiameterRight);
  AddDouble(out, "%1.3f", s.slugLengthLeft);
  AddDouble(out, "%1.3f", s.slugLengthRight);
  AddDouble(out, "%1.3f", s.slugWebThickness);
  AddInt(out, s.counterweightMaterial);
  AddDouble(out, "%1.3f", s.screenAspectRatio);
  AddDouble(out, "%1.3f", s.printerScaleX);
  AddDouble(out, "%1.3f", s.printerScaleY);
  AddDouble(out, "%1.2f", s.toleranceMoment);
  AddInt(out, s.touchscreen);
  AddInt(out, s.scaleType);
  // Field 40: count, then the selected indexes in ascending order.
  int count = 0;
  for (bool selected : s.slugSizeSelected) count += selected ? 1 : 0;
  AddInt(out, count);
  for (int i = 0; i < kSlugSizeCount; ++i) {
    if (s.slugSizeSelected[i]) AddInt(out, i);
  }
  // Fields 41-42.
  AddDouble(out, "%1.1f", s.minExtraWeight);
  AddDouble(out, "%1.1f", s.maxExtraWeight);
  // Fields 43-56.
  AddInt(out, s.bobweightDetail);
  AddInt(out, s.sensorType);
  AddInt(out, s.speedControl);
  AddInt(out, s.toleranceClass);
  AddDouble(out, "%1.1f", s.shaftWeightPounds);
  AddDouble(out, "%1.0f", s.maxOperatingRpm);
  AddInt(out, s.twoPlaneMode);
  AddInt(out, s.encoderCountIndex);
  AddInt(out, s.encoderDirection);
  AddInt(out, s.photoEye);
  AddInt(out, s.photoEyeEncoderDirection);
  AddDouble(out, "%1.0f", s.optionEncoderResolution);
  AddDouble(out, "%1.1f", s.spareValueA);
  AddDouble(out, "%1.4f", s.spareValueB);
  // Fields 57-61.
  AddInt(out, s.reluctorType);
  AddInt(out, s.reluctorSide);
  AddDouble(out, "%1.2f", s.customReluctorWeight);
  AddDouble(out, "%1.1f", s.customReluctorAngle);
  AddInt(out, s.printOption);
  // Fields 62-67.
  AddDouble(out, "%1.3f", s.drillRadiusLeft);
  AddDouble(out, "%1.3f", s.twoPlaneSet.drillRadiusRight);
  AddDouble(out, "%1.3f", s.singlePlaneSet.correctionRadiusRight);
  AddDouble(out, "%1.3f", s.singlePlaneSet.drillRadiusRight);
  AddDouble(out, "%1.3f", s.singlePlaneSet.slugRadiusRight);
  AddDouble(out, "%1.3f", s.singlePlaneSet.shaftRadiusRight);
  // Fields 68-76.
  AddInt(out, s.suspension);
  AddDouble(out, "%1.2f", s.sideWeightLeft);
  AddDouble(out, "%1.2f", s.sideWeightRight);
  AddDouble(out, "%1.1f", s.heavyMetalDensity);
  AddDouble(out, "%1.3f", s.twoPlaneSet.drillDiameterRight);
  AddDouble(out, "%1.3f", s.singlePlaneSet.drillDiameterRight);
  AddDouble(out, "%1.3f", s.singlePlaneSet.maxDrillDepthRight);
  AddInt(out, s.singlePlaneSet.radialCompensation);
  AddInt(out, s.twoPlaneSet.radialCompensation);
  // Field 77, then the five reserved values.
  AddInt(out, s.headerTextColor);
  for (int i = 0; i < 5; ++i) AddInt(out, 0);
  // The text lines.
  AddText(out, s.leftPhotoPath, kPhotoPathMax);
  AddText(out, s.rightPhotoPath, kPhotoPathMax);
  AddText(out, s.bobweightFolder, kFolderPathMax);
  AddText(out, s.presetFolder, kFolderPathMax);
  AddText(out, s.historyFolder, kFolderPathMax);
  AddText(out, s.bottomPhotoPath, kPhotoPathMax);
  for (int i = 0; i < 4; ++i) out += " \n";
  AddInt(out, s.showCoupleForces);
  return out;
}

bool ParseSettings(const std::string& text, MachineSettings& s, OperatorUi* ui, bool reportErrors) {
  TextScanner in(text);

  // Fields 1 to 39.
  Block block(in);
  block.Int(s.shaftRpm);
  block.Double(s.lagCompensationLeft);
  block.Double(s.lagCompensationRight);
  block.Double(s.emptyBobweight);
  block.Double(s.correctionRadiusLeft);
  block.Double(s.twoPlaneSet.correctionRadiusRight);
  block.Double(s.drillDiameterLeft);
  block.Double(s.uprightDistance);
  block.Double(s.planeOffsetLeft);
  block.Double(s.planeOffsetRight);
  block.Int(s.sampleQuality);
  block.Int(s.rightUprightReversed);
  block.Int(s.drillMaterial);
  block.Int(s.radialCompensation);
  block.Double(s.defaultOilWeight);
  block.Int(s.weightUnit);
  block.Int(s.lengthUnit);
  block.Double(s.calibrationFactorLeft);
  block.Double(s.calibrationFactorRight);
  block.Double(s.slugRadiusLeft);
  block.Double(s.twoPlaneSet.slugRadiusRight);
  block.Double(s.shaftRadiusLeft);
  block.Double(s.twoPlaneSet.shaftRadiusRight);
  block.Double(s.cwThicknessLeft);
  block.Double(s.cwThicknessRight);
  block.Double(s.maxDrillDepthLeft);
  block.Double(s.twoPlaneSet.maxDrillDepthRight);
  block.Double(s.slugDiameterLeft);
  block.Double(s.slugDiameterRight);
  block.Double(s.slugLengthLeft);
  block.Double(s.slugLengthRight);
  block.Double(s.slugWebThickness);
  block.Int(s.counterweightMaterial);
  block.Double(s.screenAspectRatio);
  block.Double(s.printerScaleX);
  block.Double(s.printerScaleY);
  block.Double(s.toleranceMoment);
  block.Int(s.touchscreen);
  block.Int(s.scaleType);
  if (!block.Ok()) {
    if (ui && reportErrors) ui->ShowMessage(SettingsLoadErrorMessage());
    return false;
  }

  // Field 40. Marks add to those already present; an index outside the table
  // is passed over.
  int count = 0;
  if (!in.Int(count) || count > kSlugSizeCount) return false;
  for (int i = 0; i < count; ++i) {
    int index = 0;
    if (!in.Int(index)) return false;
    if (index >= 0 && index < kSlugSizeCount) s.slugSizeSelected[index] = true;
  }

  block.Next();
  block.Double(s.minExtraWeight);
  block.Double(s.maxExtraWeight);
  if (!block.Ok()) return false;

  block.Next();
  block.Int(s.bobweightDetail);
  block.Int(s.sensorType);
  block.Int(s.speedControl);
  block.Int(s.toleranceClass);
  block.Double(s.shaftWeightPounds);
  block.Double(s.maxOperatingRpm);
  block.Int(s.twoPlaneMode);
  block.Int(s.encoderCountIndex);
  block.Int(s.encoderDirection);
  block.Int(s.photoEye);
  block.Int(s.photoEyeEncoderDirection);
  block.Double(s.optionEncoderResolution);
  block.Double(s.spareValueA);
  block.Double(s.spareValueB);
  if (!block.Ok()) return false;

  block.Next();
  block.Int(s.reluctorType);
  block.Int(s.reluctorSide);
  block.Double(s.customReluctorWeight);
  block.Double(s.customReluctorAngle);
  block.Int(s.printOption);
  if (!block.Ok()) return false;

  block.Next();
  block.Double(s.drillRadiusLeft);
  block.Double(s.twoPlaneSet.drillRadiusRight);
  block.Double(s.singlePlaneSet.correctionRadiusRight);
  block.Double(s.singlePlaneSet.drillRadiusRight);
  block.Double(s.singlePlaneSet.slugRadiusRight);
  block.Double(s.singlePlaneSet.shaftRadiusRight);
  if (!block.Ok()) return false;

  block.Next();
  block.Int(s.suspension);
  block.Double(s.sideWeightLeft);
  block.Double(s.sideWeightRight);
  block.Double(s.heavyMetalDensity);
  block.Double(s.twoPlaneSet.drillDiameterRight);
  block.Double(s.singlePlaneSet.drillDiameterRight);
  block.Double(s.singlePlaneSet.maxDrillDepthRight);
  block.Int(s.singlePlaneSet.radialCompensation);
  block.Int(s.twoPlaneSet.radialCompensation);
  if (!block.Ok()) return false;

  // The rest is taken as far as it goes.
  in.Int(s.headerTextColor);
  if (s.headerTextColor < 0 || s.headerTextColor > 5) s.headerTextColor = 1;
  int reserved = 0;
  for (int i = 0; i < 5; ++i) in.Int(reserved);
  in.SkipRestOfLine();
  ReadTextField(in, kPhotoPathMax, s.leftPhotoPath);
  ReadTextField(in, kPhotoPathMax, s.rightPhotoPath);
  ReadTextField(in, kFolderPathMax, s.bobweightFolder);
  ReadTextField(in, kFolderPathMax, s.presetFolder);
  ReadTextField(in, kFolderPathMax, s.historyFolder);
  ReadTextField(in, kPhotoPathMax, s.bottomPhotoPath);
  // Three of the four blank reserved lines; the fourth is white space before
  // the last value.
  std::string skipped;
  for (int i = 0; i < 3; ++i) in.ReadField(0, skipped);
  in.Int(s.showCoupleForces);

  FinishSettingsRead(s, ui);
  return true;
}

void FinishSettingsRead(MachineSettings& s, OperatorUi* ui) {
  LimitDrillRadii(s);
  CopyWorkingRightFromSet(s);
  RangeLimit(s, ui);
  // The drill radius limit uses the shaft radius and drill the limiter may
  // just have changed: once more (silently), so that what is written now
  // reads back the same at the next start.
  LimitDrillRadii(s);
  CopyWorkingRightFromSet(s);
  RangeLimit(s, nullptr);
  SetSimulatedReluctor(s);
}

bool readSettings(const std::string& path, MachineSettings& settings, OperatorUi* ui,
                  bool reportErrors) {
  std::optional<std::string> text = ReadWholeFile(path);
  if (!text) return false;
  return ParseSettings(*text, settings, ui, reportErrors);
}

bool writeSettings(const std::string& path, const MachineSettings& settings, OperatorUi* ui) {
  if (WriteFileAtomically(path, FormatSettings(settings))) return true;
  if (ui) ui->ShowMessage(FileWriteErrorMessage(path));
  return false;
}

void LimitDrillRadii(MachineSettings& s) {
  LimitDrillRadius(s.drillRadiusLeft, s.shaftRadiusLeft, s.drillDiameterLeft);
  LimitDrillRadius(s.drillRadiusRight, s.shaftRadiusRight, s.drillDiameterRight);
  for (RightSideSet* set : {&s.twoPlaneSet, &s.singlePlaneSet}) {
    LimitDrillRadius(set->drillRadiusRight, set->shaftRadiusRight, set->drillDiameterRight);
  }
}

void RangeLimit(MachineSettings& s, OperatorUi* ui, const LimiterExtras* extras) {
  RightSideSet& single = s.singlePlaneSet;
  RightSideSet& two = s.twoPlaneSet;

  // 1.
  s.shaftRpm = AtMost(AtLeast(s.shaftRpm, 250), 1000);
  s.sampleQuality = AtMost(AtLeast(s.sampleQuality, 1), 3);

  // 2. Lower bounds.
  for (double* radius :
       {&s.correctionRadiusLeft, &s.correctionRadiusRight, &single.correctionRadiusRight,
        &s.drillRadiusLeft, &s.drillRadiusRight, &single.drillRadiusRight, &s.slugRadiusLeft,
        &s.slugRadiusRight, &single.slugRadiusRight}) {
    *radius = AtLeast(*radius, 0.1);
  }
  for (double* radius :
       {&s.shaftRadiusLeft, &s.shaftRadiusRight, &two.shaftRadiusRight, &single.shaftRadiusRight}) {
    *radius = AtLeast(*radius, 0.2);
  }

  // 3. Upright geometry.
  s.uprightDistance = AtMost(s.uprightDistance, 200.0);
  s.planeOffsetLeft = AtLeast(AtMost(s.planeOffsetLeft, 200.0), -100.0);
  s.planeOffsetRight = AtLeast(AtMost(s.planeOffsetRight, 200.0), -100.0);

  // 4. Tell the operator before limiting a very large radius.
  bool large = false;
  for (double radius : {s.shaftRadiusLeft, s.shaftRadiusRight, s.correctionRadiusLeft,
                        s.correctionRadiusRight, single.correctionRadiusRight, s.drillRadiusLeft,
                        s.drillRadiusRight, single.drillRadiusRight}) {
    if (radius > 25.0) large = true;
  }
  if (large && ui) ui->ShowMessage(LargeRadiusMessage());

  // 5.
  for (double* radius :
       {&s.correctionRadiusLeft, &s.correctionRadiusRight, &s.drillRadiusLeft, &s.drillRadiusRight,
        &s.slugRadiusLeft, &s.slugRadiusRight, &two.correctionRadiusRight,
        &single.correctionRadiusRight, &single.drillRadiusRight, &single.slugRadiusRight}) {
    *radius = AtMost(*radius, 25.0);
  }

  // 6. Drilling.
  s.drillDiameterLeft = AtMost(s.drillDiameterLeft, 2.0);
  s.drillDiameterRight = AtMost(s.drillDiameterRight, 2.0);
  s.maxDrillDepthLeft = AtLeast(AtMost(s.maxDrillDepthLeft, 10.0), 0.01);
  s.maxDrillDepthRight = AtLeast(AtMost(s.maxDrillDepthRight, 10.0), 0.01);
  if (extras && extras->holeDepthLeft)
    *extras->holeDepthLeft = AtMost(*extras->holeDepthLeft, 10.0);
  if (extras && extras->holeDepthRight) {
    *extras->holeDepthRight = AtMost(*extras->holeDepthRight, 10.0);
  }

  // 7. Counterweight and slugs.
  s.cwThicknessLeft = AtMost(s.cwThicknessLeft, 5.0);
  s.cwThicknessRight = AtMost(s.cwThicknessRight, 5.0);
  for (double* radius :
       {&s.shaftRadiusLeft, &s.shaftRadiusRight, &two.shaftRadiusRight, &single.shaftRadiusRight}) {
    *radius = AtMost(*radius, 25.0);
  }
  s.slugDiameterLeft = AtMost(s.slugDiameterLeft, 2.0);
  s.slugDiameterRight = AtMost(s.slugDiameterRight, 2.0);
  s.slugLengthLeft = AtMost(s.slugLengthLeft, 5.0);
  s.slugLengthRight = AtMost(s.slugLengthRight, 5.0);
  s.slugWebThickness = AtMost(s.slugWebThickness, 3.0);

  // 8. Correction radii within the shaft.
  s.correctionRadiusLeft = AtMost(s.correctionRadiusLeft, s.shaftRadiusLeft);
  s.correctionRadiusRight = AtMost(s.correctionRadiusRight, s.shaftRadiusRight);
  single.correctionRadiusRight = AtMost(single.correctionRadiusRight, single.shaftRadiusRight);

  // 9. Hole centres leave a wall to the outside.
  LimitDrillRadius(s.drillRadiusLeft, s.shaftRadiusLeft, s.drillDiameterLeft);
  LimitDrillRadius(s.drillRadiusRight, s.shaftRadiusRight, s.drillDiameterRight);
  LimitDrillRadius(single.drillRadiusRight, single.shaftRadiusRight, s.drillDiameterRight);

  // 10.
  s.slugRadiusLeft = AtMost(s.slugRadiusLeft, s.shaftRadiusLeft);
  s.slugRadiusRight = AtMost(s.slugRadiusRight, s.shaftRadiusRight);
  single.slugRadiusRight = AtMost(single.slugRadiusRight, single.shaftRadiusRight);

  // 11. Heavy metal.
  if (extras && extras->testSlugDiameter) {
    *extras->testSlugDiameter = AtMost(*extras->testSlugDiameter, 2.0);
  }
  if (extras && extras->testSlugLength) {
    *extras->testSlugLength = AtMost(*extras->testSlugLength, 15.0);
  }
  s.heavyMetalDensity = AtMost(AtLeast(s.heavyMetalDensity, 250.0), 320.0);
  if (extras && extras->actualSlugWeightLeft) {
    *extras->actualSlugWeightLeft = AtMost(*extras->actualSlugWeightLeft, 2000.0);
  }
  if (extras && extras->actualSlugWeightRight) {
    *extras->actualSlugWeightRight = AtMost(*extras->actualSlugWeightRight, 2000.0);
  }
}

void ApplyUprightDistanceRule(MachineSettings& s) {
  s.uprightDistance = AtLeast(s.uprightDistance, 0.201);
  if (s.planeOffsetLeft == s.uprightDistance) s.planeOffsetLeft = s.uprightDistance - 0.001;
  if (s.planeOffsetRight == s.uprightDistance) s.planeOffsetRight = s.uprightDistance - 0.001;
  if (s.planeOffsetLeft + s.planeOffsetRight > s.uprightDistance - 0.2) {
    s.planeOffsetLeft = 0.0;
    s.planeOffsetRight = 0.0;
  }
}

OperatorMessage SettingsLoadErrorMessage() {
  return MakeOkMessage("Attention",
                       "There was an error while attempting to load the configuration file.\n\n"
                       "Various software settings may need to be checked.",
                       kDarkBlueText, kBeepAsterisk, 290, 187, 700, 180);
}

OperatorMessage LargeRadiusMessage() {
  return MakeOkMessage("Attention",
                       "You have entered a very large radius.\n"
                       "The radius entry has been limited.\n\n"
                       "Please double-check the radius settings in\n"
                       "Drill Setup and Heavy Metal Setup.",
                       kDarkBlueText, kBeepAsterisk, 330, 170, 580, 250);
}

OperatorMessage CheckMachineSettingsMessage() {
  return MakeOkMessage("Check Machine Settings",
                       "Warning, stored machine settings could not be retrieved.\n\n"
                       "Please check \"Settings\" to insure all balancer\n"
                       "settings are proper.\n\n"
                       "Default settings have been loaded.\n\n"
                       "MACHINE CALIBRATION IS INCORRECT.\n\n"
                       "CONTACT HALVORN TECHNOLOGY FOR ASSISTANCE.\n\n"
                       "www.halvorntech.com",
                       kRedText, kBeepAsterisk, 295, 85, 550, 385);
}

OperatorMessage FileWriteErrorMessage(const std::string& path) {
  return MakeOkMessage("Error",
                       "Error, the file could not be written:\n\n" + path +
                           "\n\nCheck that the folder exists and the disk is not full\n"
                           "or write-protected.",
                       kRedText, kBeepHand, 280, 187, 640, 230);
}

}  // namespace balancer
