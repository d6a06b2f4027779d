// Dimension presets (.jsi): the shaft-specific geometry of one crankshaft type.
#pragma once

#include <string>

#include "base/machine_settings.h"
#include "base/operator_message.h"
#include "base/operator_ui.h"

namespace balancer {

// The preset file text.
std::string FormatPreset(const MachineSettings& settings);

// Takes the dimensions the text holds (a short text leaves the rest as they
// were; a value beyond kRecordValueMax ends it like a missing one), then
// replaces the slug-size selections by the file's.
void ParsePreset(const std::string& text, MachineSettings& settings);

// "New": the default dimensions; the preset name becomes empty.
void NewPresets(MachineSettings& settings, std::string& presetName);

// The radii derived from the shaft radii after a retrieve (correction radius
// at the shaft radius, hole and slug centres inside it), then the range
// limiter.
void RecomputePresetRadii(MachineSettings& settings, OperatorUi* ui);

// Store to `path` (crash-safe); presetFolder follows the file. On failure the
// operator is told and false is returned.
bool StorePreset(const std::string& path, MachineSettings& settings, std::string& presetName,
                 OperatorUi* ui);

// Retrieve: with a file that opens, its values, name and folder are taken and
// the range limiter runs; either way the derived radii are recomputed (pass
// "" for a cancelled dialog). Returns true when a file was read.
bool RetrievePreset(const std::string& path, MachineSettings& settings, std::string& presetName,
                    OperatorUi* ui);

OperatorMessage NewPresetsQuestion();  // ActionCode 20

}  // namespace balancer
