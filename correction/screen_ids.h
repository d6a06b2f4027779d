// Control ids of the correction screens that are not field codes. Field codes
// (app/field_table) double as the ids of their boxes and buttons.
#pragma once

namespace balancer {

enum : int {
  kIdExit = 56,             // "Exit" on every correction screen
  kIdOk = 141,              // "OK"
  kIdMaterial = 142,        // "&Material"
  kIdRadialComp = 143,      // "Radial &Compensation"
  kIdAutoSelect = 174,      // "Auto Select"
  kIdSelectNow = 177,       // "Select Now"
  kIdCalculate = 243,       // "Calculate"
  kIdReluctorSide = 267,    // "Side"
  kIdDensity = 305,         // "Heavy Metal Density"
  kIdHelp = 306,            // "Help"
  kIdClassFirst = 1001,     // tolerance class buttons: 1001 class 1, 1002 class 2
  kIdReluctorFirst = 1100,  // radio buttons 1100 + reluctorType
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
