// Control ids of the correction screens. Field codes (base/field_codes.h)
// double as the ids of their boxes and buttons; the ids below that are field
// codes are their other names.
#pragma once

#include "base/field_codes.h"

namespace balancer {

enum : int {
  kIdExit = kFieldExit,                      // "Exit" on every correction screen
  kIdOk = kFieldOk,                          // "OK"
  kIdMaterial = kFieldMaterial,              // "&Material"
  kIdRadialComp = kFieldRadialCompensation,  // "Radial &Compensation"
  kIdAutoSelect = kFieldAutoSelect,          // "Auto Select"
  kIdSelectNow = kFieldSelectNow,            // "Select Now"
  kIdCalculate = kFieldCalculate,            // "Calculate"
  kIdReluctorSide = kFieldReluctorSide,      // "Side"
  kIdDensity = kFieldDensityButton,          // "Heavy Metal Density"
  kIdHelp = kFieldHelp,                      // "Help"
  kIdClassFirst = 1001,                      // tolerance class buttons: 1001 class 1, 1002 class 2
  kIdReluctorFirst = 1100,                   // radio buttons 1100 + reluctorType
  kIdZoneBeginLeft = 1201,
  kIdZoneEndLeft = 1202,
  kIdZoneBeginRight = 1203,
  kIdZoneEndRight = 1204,
  kIdZoneClearAll = 1205,
  kIdCcw5 = 1301,
  kIdCcw1 = 1302,
  kIdCw1 = 1303,
  kIdCw5 = 1304,
  kIdSet = 1305,
  kIdDelete = 1306,
  kIdAddSlug = 1307,
  kIdResetAll = 1308,
  kIdSlugSizeFirst = 2000,  // size selection check boxes: 2000 + table index
};

}  // namespace balancer
