// Field codes and screen letters. A field code names a row of the field table
// (base/field_table.h); the same number is the control id of the button or
// box made from the row and the ActionCode of its entry, so the numbers are
// fixed. The low codes are ActionCodes of text entries and questions.
#pragma once

namespace balancer {

enum FieldCode : int {
  kFieldNone = 0,

  // Low ActionCodes: text entries and questions of the screens.
  kFieldPrintQuestion = 11,       // print the job?
  kFieldFrontExternalText = 15,   // front external weight, typed on the card
  kFieldRearExternalText = 16,    // rear external weight, typed on the card
  kFieldNotes = 17,               // the card's notes
  kFieldCompanyName = 19,         // company text with its font colour tiles
  kFieldNewPresetsQuestion = 20,  // "New Dimension Presets"
  kFieldJobName = 22,             // the card's job name
  kFieldCalibrationWarning = 23,  // right click on the logo
  kFieldExit = 56,                // "Exit" of every screen (the main window's Close)

  kFieldRadiusLeft = 100,  // the radius boxes: drill, correction or slug radius
  kFieldRadiusRight = 101,
  kFieldDrillDiameter = 102,  // both sides
  // The nine weights of one rod and piston, in card order.
  kFieldRodTotalWeight = 103,
  kFieldRodBigEndWeight = 104,
  kFieldRodBearingWeight = 105,
  kFieldPistonWeight = 106,
  kFieldPistonPinWeight = 107,
  kFieldPinLockWeight = 108,
  kFieldPistonRingWeight = 109,
  kFieldSupportRailWeight = 110,
  kFieldOilWeight = 111,
  kFieldShaftRpm = 112,
  kFieldTolerance = 113,
  kFieldSampleQuality = 114,
  kFieldRightUpright = 115,
  kFieldWeightUnit = 116,  // "&Grams/Ounces"
  kFieldLengthUnit = 117,  // "&Inches/Millimeters"
  kFieldDefaultOilWeight = 118,
  kFieldEmptyBobweight = 119,
  kFieldScale = 120,
  kFieldTouchscreen = 121,
  kFieldLagCompensationLeft = 122,
  kFieldLagCompensationRight = 123,
  kFieldCalibrationFactorLeft = 124,
  kFieldCalibrationFactorRight = 125,
  kFieldScreenAspectRatio = 126,
  kFieldDesiredReadingLeft = 127,
  kFieldDesiredReadingRight = 128,
  kFieldPrinterScaleX = 129,
  kFieldPrinterScaleY = 130,
  kFieldUprightDistance = 131,  // "Upright spacing"
  kFieldPlaneOffsetLeft = 132,
  kFieldPlaneOffsetRight = 133,
  kFieldSaveInitial = 134,  // "Save as Initial"
  kFieldSaveFinal = 135,    // "Save as Final", also its overwrite question
  kFieldSelectEngine = 136,
  kFieldReciprocatingPercent = 137,
  kFieldRotatingPercent = 138,
  kFieldCylindersPerBobweight = 139,
  kFieldOverbalance = 140,
  kFieldOk = 141,
  kFieldMaterial = 142,
  kFieldRadialCompensation = 143,
  kFieldTransferFromScale = 144,
  kFieldMaxDepthLeft = 145,
  kFieldMaxDepthRight = 146,
  kFieldCounterweightRadiusLeft = 147,
  kFieldCounterweightRadiusRight = 148,
  kFieldSlugDiameterLeft = 149,
  kFieldSlugDiameterRight = 150,
  kFieldSlugLengthLeft = 151,
  kFieldSlugLengthRight = 152,
  kFieldWebThickness = 153,  // "Web Thickness Between Slugs"
  kFieldCounterweightThicknessLeft = 154,
  kFieldCounterweightThicknessRight = 155,
  kFieldFrontExternalWeight = 156,
  kFieldRearExternalWeight = 157,
  kFieldAutoSelect = 174,
  kFieldMinExtraWeight = 175,
  kFieldMaxExtraWeight = 176,
  kFieldSelectNow = 177,
  kFieldAddLeft = 178,  // the main screen's Add buttons
  kFieldAddRight = 179,
  kFieldUpdateSoftware = 180,  // also the update question
  kFieldSave = 181,
  kFieldLoad = 182,
  kFieldPrint = 183,
  kFieldUseAverage = 184,
  kFieldUseLightest = 185,
  kFieldMatchPins = 186,
  // Twelve rods and pistons of the Component Entry, number 1 first.
  kFieldRodTotalFirst = 187,
  kFieldRodTotalLast = 198,
  kFieldRodBigEndFirst = 199,
  kFieldRodBigEndLast = 210,
  kFieldPistonFirst = 211,
  kFieldPistonLast = 222,
  kFieldPinFirst = 223,
  kFieldPinLast = 234,
  kFieldBobweightDetail = 235,
  kFieldSensorType = 236,
  kFieldSpeedControl = 237,
  kFieldShaftWeight = 238,  // tolerance calculator, pounds
  kFieldMaxOperatingRpm = 239,
  kFieldToleranceAtRadiusLeft = 241,
  kFieldToleranceAtRadiusRight = 242,
  kFieldCalculate = 243,
  kFieldZero = 244,  // Zero Shaft Position
  kFieldSync = 245,
  kFieldEncoderCount = 246,
  kFieldEncoderDirection = 247,
  kFieldOptionPortType = 248,
  kFieldLoadFromEeprom = 249,  // also Ctrl+L's question
  kFieldSaveToEeprom = 250,
  kFieldPhotoEye = 251,
  kFieldPhotoEyeDirection = 252,
  kFieldOptionEncoderResolution = 256,
  kFieldIndicatorLeft = 257,
  kFieldIndicatorRight = 258,
  kFieldIndicator = 259,   // the main screen's Indicator button
  kFieldDate = 260,        // typed as text
  kFieldSuspension = 261,  // also the hard/soft bearing question
  kFieldSideWeightLeft = 262,
  kFieldSideWeightRight = 263,
  kFieldReluctorAmount = 265,  // the simulated reluctor's custom unbalance
  kFieldReluctorAngle = 266,   // and its degree offset
  kFieldReluctorSide = 267,
  kFieldInitialConditionLeft = 270,
  kFieldInitialConditionRight = 271,
  kFieldFinalConditionLeft = 272,
  kFieldFinalConditionRight = 273,
  kFieldConditionRadiusLeft = 274,
  kFieldConditionRadiusRight = 275,
  kFieldConditionTolerance = 276,
  kFieldDensityButton = 305,  // opens the density window; also an entry
  kFieldHelp = 306,
  kFieldHintButton = 307,
  kFieldSettings = 315,         // the main screen's Settings button
  kFieldAddSlugQuestion = 316,  // Adjust's "Add Slug" question
  kFieldDrillBitDiameterLeft = 320,
  kFieldDrillBitDiameterRight = 321,
  kFieldCoupleForces = 340,
  // The one slug in hand: adjusted (Adjust) or weighed (density window).
  kFieldSlugDiameter = 345,
  kFieldSlugLength = 346,
  kFieldSlugWeight = 347,
  kFieldHeavyMetalDensity = 348,
  kFieldActualSlugWeight = 349,
  kFieldSlugInstallationRadius = 350,
  // The proving test's mass (grams) and its radius (inches).
  kFieldProvingMass = 351,
  kFieldProvingRadius = 352,
};

constexpr int kFirstFieldCode = 100;
constexpr int kLastFieldCode = 358;

// ScreenCode: the letter of the open child screen (0 for none).
enum ScreenCode : char {
  kScreenNone = 0,
  kScreenZeroShaft = '0',
  kScreenAdjust = 'a',
  kScreenBobweight = 'b',
  kScreenCalibration = 'c',
  kScreenDrillSetup = 'd',
  kScreenDensity = 'D',
  kScreenIndicator = 'e',
  kScreenHeavyMetal = 'h',
  kScreenComponentEntry = 'i',
  kScreenPresets = 'j',
  kScreenMachineSetup = 'm',
  kScreenPrintOptions = 'o',
  kScreenSlugSize = 'p',
  kScreenReluctor = 'r',
  kScreenSpinStarting = 's',  // a spin is starting, nothing moves yet
  kScreenTolerance = 't',
  kScreenProving = 'v',  // Machine Proving Test, over Machine Setup
  kScreenSpinRunning = 'x',
  kScreenHistory = 'y',
  kScreenZoneSetup = 'z',
};

}  // namespace balancer
