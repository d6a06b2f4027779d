#include "app/field_table.h"

namespace balancer {

namespace {

struct FieldEntry {
  const char* label;
  const char* hint;
};

// Indexed by code - 100.
const FieldEntry kFields[kLastFieldCode - kFirstFieldCode + 1] = {
    /* 100 */ {
        "Radius",
        "Left correction radius:\nthe radius of the hole centre\nor weight on the counterweight."},
    /* 101 */
    {"&Radius",
     "Right correction radius:\nthe radius of the hole centre\nor weight on the counterweight."},
    /* 102 */
    {"&Drill Diameter",
     "Both Left and Right Sides\n\nEnter a decimal number\nor fractional size.\n\nExamples: .625, "
     "5/8, 1 3/16"},
    /* 103 */ {"Rod &Total Weight", ""},
    /* 104 */ {"Rod Big &End Weight", ""},
    /* 105 */ {"Rod &Bearing Weight", "Both bearing shells\nof one rod."},
    /* 106 */ {"&Piston Weight", ""},
    /* 107 */ {"Piston Pi&n Weight", ""},
    /* 108 */ {"Pin &Lock Weight", "Both pin locks\nof one piston."},
    /* 109 */ {"Piston &Ring Weight", "The complete ring set\nof one piston."},
    /* 110 */ {"S&upport Rail Weight", "Support rails of one piston,\nif used."},
    /* 111 */ {"&Oil Weight", ""},
    /* 112 */ {"&Shaft RPM (250-1000)", "Balancing speed,\n250 to 1000 RPM."},
    /* 113 */ {"&Tolerance", "Balance tolerance per side."},
    /* 114 */ {"Sample &quality (1-3)", "1 = fastest,\n3 = most accurate."},
    /* 115 */ {"&Right upright", ""},
    /* 116 */ {"&Grams/Ounces", ""},
    /* 117 */ {"&Inches/Millimeters", ""},
    /* 118 */ {"Default &oil weight", "Oil weight used for\nnew bobweight cards."},
    /* 119 */ {"E&mpty Bobweight", "Weight of the empty\nbobweight assembly."},
    /* 120 */ {"Scale", ""},
    /* 121 */ {"Touchscreen", ""},
    /* 122 */
    {"Left side lag compensation", "Tunes the left drill position\nto the unbalance position."},
    /* 123 */
    {"Right side lag compensation", "Tunes the right drill position\nto the unbalance position."},
    /* 124 */ {"Left calibration factor", "Calibration factor\nof the left sensor."},
    /* 125 */ {"Right calibration factor", "Calibration factor\nof the right sensor."},
    /* 126 */
    {"Screen aspect ratio", "Circle height divided by width\non the screen.\n\n0.88 to 1.12"},
    /* 127 */ {"Desired left reading", ""},
    /* 128 */ {"Desired right reading", ""},
    /* 129 */ {"Printer X scale", ""},
    /* 130 */ {"Printer Y scale", ""},
    /* 131 */
    {"Upright spacing", "Distance between the\nbearing contact centres\nof the two uprights."},
    /* 132 */
    {"Left Plane Offset",
     "From the left bearing contact centre\nto the correction spot.\n\nNegative = outboard."},
    /* 133 */
    {"Right Plane Offset",
     "From the right bearing contact centre\nto the correction spot.\n\nNegative = outboard."},
    /* 134 */ {"Save as Initial", ""},
    /* 135 */ {"Save as Final", ""},
    /* 136 */ {"&Select Engine", ""},
    /* 137 */ {"Reciproc&ating Weight", "Percentage of the\nreciprocating weight."},
    /* 138 */ {"Rotating &Weight", "Percentage of the\nrotating weight."},
    /* 139 */ {"&Cyls. Per Bobweight", "Cylinders per crank pin."},
    /* 140 */ {"O&verbalance", "Overbalance percentage,\n0 or more."},
    /* 141 */ {"OK", ""},
    /* 142 */ {"&Material", ""},
    /* 143 */ {"Radial &Compensation", ""},
    /* 144 */ {"&Transfer From Scale", ""},
    /* 145 */ {"Max Depth", "Maximum hole depth,\nleft side."},
    /* 146 */ {"Max Depth", "Maximum hole depth,\nright side."},
    /* 147 */ {"Left Counterweight Radius", ""},
    /* 148 */ {"Right Counterweight Radius", ""},
    /* 149 */ {"Left Slug Diameter", ""},
    /* 150 */ {"Right Slug Diameter", ""},
    /* 151 */ {"Left Slug Length", ""},
    /* 152 */ {"Right Slug Length", ""},
    /* 153 */
    {"Web Thickness Between Slugs",
     "A minimum of 0.125 inches is recommended for crankshafts.\nAlso sets the thickness to the "
     "outside of the counterweight."},
    /* 154 */
    {"Left Counterweight Thickness",
     "Only used for Heavy Metal...\nif you are not drilling completely through the counterweight "
     "enter a value for the depth you are drilling."},
    /* 155 */
    {"Right Counterweight Thickness",
     "Only used for Heavy Metal...\nif you are not drilling completely through the counterweight "
     "enter a value for the depth you are drilling."},
    /* 156 */ {"Front External Weight", "Weight added to the front\nof the shaft."},
    /* 157 */ {"Rear External Weight", "Weight added to the rear\nof the shaft."},
    /* 158 */ {"", ""},
    /* 159 */ {"", ""},
    /* 160 */ {"", ""},
    /* 161 */ {"", ""},
    /* 162 */ {"", ""},
    /* 163 */ {"", ""},
    /* 164 */ {"", ""},
    /* 165 */ {"", ""},
    /* 166 */ {"", ""},
    /* 167 */ {"", ""},
    /* 168 */ {"", ""},
    /* 169 */ {"", ""},
    /* 170 */ {"", ""},
    /* 171 */ {"", ""},
    /* 172 */ {"", ""},
    /* 173 */ {"", ""},
    /* 174 */ {"Auto Select", ""},
    /* 175 */ {"", "Minimum extra weight"},
    /* 176 */ {"", "Maximum extra weight"},
    /* 177 */ {"Select Now", ""},
    /* 178 */ {"", ""},
    /* 179 */ {"", ""},
    /* 180 */ {"Update Software", ""},
    /* 181 */ {"Save", "Save the data to a file."},
    /* 182 */ {"Load", "Load the data from a file."},
    /* 183 */ {"Print", "Print the data."},
    /* 184 */ {"Use Average", ""},
    /* 185 */ {"Use Lightest", ""},
    /* 186 */ {"Match Pins", ""},
    /* 187 */ {"Rod #1 Total Weight", ""},
    /* 188 */ {"Rod #2 Total Weight", ""},
    /* 189 */ {"Rod #3 Total Weight", ""},
    /* 190 */ {"Rod #4 Total Weight", ""},
    /* 191 */ {"Rod #5 Total Weight", ""},
    /* 192 */ {"Rod #6 Total Weight", ""},
    /* 193 */ {"Rod #7 Total Weight", ""},
    /* 194 */ {"Rod #8 Total Weight", ""},
    /* 195 */ {"Rod #9 Total Weight", ""},
    /* 196 */ {"Rod #10 Total Weight", ""},
    /* 197 */ {"Rod #11 Total Weight", ""},
    /* 198 */ {"Rod #12 Total Weight", ""},
    /* 199 */ {"Rod #1 Big End Weight", ""},
    /* 200 */ {"Rod #2 Big End Weight", ""},
    /* 201 */ {"Rod #3 Big End Weight", ""},
    /* 202 */ {"Rod #4 Big End Weight", ""},
    /* 203 */ {"Rod #5 Big End Weight", ""},
    /* 204 */ {"Rod #6 Big End Weight", ""},
    /* 205 */ {"Rod #7 Big End Weight", ""},
    /* 206 */ {"Rod #8 Big End Weight", ""},
    /* 207 */ {"Rod #9 Big End Weight", ""},
    /* 208 */ {"Rod #10 Big End Weight", ""},
    /* 209 */ {"Rod #11 Big End Weight", ""},
    /* 210 */ {"Rod #12 Big End Weight", ""},
    /* 211 */ {"Piston #1 Weight", ""},
    /* 212 */ {"Piston #2 Weight", ""},
    /* 213 */ {"Piston #3 Weight", ""},
    /* 214 */ {"Piston #4 Weight", ""},
    /* 215 */ {"Piston #5 Weight", ""},
    /* 216 */ {"Piston #6 Weight", ""},
    /* 217 */ {"Piston #7 Weight", ""},
    /* 218 */ {"Piston #8 Weight", ""},
    /* 219 */ {"Piston #9 Weight", ""},
    /* 220 */ {"Piston #10 Weight", ""},
    /* 221 */ {"Piston #11 Weight", ""},
    /* 222 */ {"Piston #12 Weight", ""},
    /* 223 */ {"Pin Weight", ""},
    /* 224 */ {"Pin Weight", ""},
    /* 225 */ {"Pin Weight", ""},
    /* 226 */ {"Pin Weight", ""},
    /* 227 */ {"Pin Weight", ""},
    /* 228 */ {"Pin Weight", ""},
    /* 229 */ {"Pin Weight", ""},
    /* 230 */ {"Pin Weight", ""},
    /* 231 */ {"Pin Weight", ""},
    /* 232 */ {"Pin Weight", ""},
    /* 233 */ {"Pin Weight", ""},
    /* 234 */ {"Pin Weight", ""},
    /* 235 */ {"Bobweight Detail", "Single or Multiple\nbobweight detail."},
    /* 236 */ {"Sensor Type", "Type of the vibration sensors."},
    /* 237 */ {"Speed Control", "Manual, Auto or Semi-Auto\nmotor speed control."},
    /* 238 */ {"Shaft weight, in pounds", ""},
    /* 239 */ {"Maximum operating RPM", ""},
    /* 240 */ {"", ""},
    /* 241 */ {"Tolerance", "Tolerance at the left shaft radius."},
    /* 242 */ {"Tolerance", "Tolerance at the right shaft radius."},
    /* 243 */ {"Calculate", ""},
    /* 244 */ {"&Zero", ""},
    /* 245 */ {"&Sync", ""},
    /* 246 */ {"Encoder Count", ""},
    /* 247 */ {"Encoder Direction", ""},
    /* 248 */ {"Option Port Type", "Type of the device on the\noption port, 0 to 5."},
    /* 249 */ {"LOAD from EEPROM", ""},
    /* 250 */ {"SAVE to EEPROM", ""},
    /* 251 */ {"Photo Eye", ""},
    /* 252 */ {"P.E. Encoder Direction", ""},
    /* 253 */ {"", ""},
    /* 254 */ {"", ""},
    /* 255 */ {"", ""},
    /* 256 */ {"Option Encoder Res.", "Option encoder counts per inch."},
    /* 257 */ {"&Left", ""},
    /* 258 */ {"&Right", ""},
    /* 259 */ {"", ""},
    /* 260 */ {"&Date", ""},
    /* 261 */ {"Suspension", "Hard Bearing or Soft Bearing\nmachine suspension."},
    /* 262 */ {"Left Side Weight", "Weight carried by the\nleft upright."},
    /* 263 */ {"Right Side Weight", "Weight carried by the\nright upright."},
    /* 264 */ {"", ""},
    /* 265 */ {"", "Custom unbalance amount\nfor the simulated reluctor."},
    /* 266 */ {"", "Custom degree offset for\nthe simulated reluctor."},
    /* 267 */ {"Side", ""},
    /* 268 */ {"", ""},
    /* 269 */ {"", ""},
    /* 270 */ {"Left Initial Condition", ""},
    /* 271 */ {"Right Initial Condition", ""},
    /* 272 */ {"Left Final Condition", ""},
    /* 273 */ {"Right Final Condition", ""},
    /* 274 */ {"Left Radius", ""},
    /* 275 */ {"Right Radius", ""},
    /* 276 */ {"Tolerance", ""},
    /* 277 */ {"", ""},
    /* 278 */ {"", ""},
    /* 279 */ {"", ""},
    /* 280 */ {"", ""},
    /* 281 */ {"", ""},
    /* 282 */ {"", ""},
    /* 283 */ {"", ""},
    /* 284 */ {"", ""},
    /* 285 */ {"", ""},
    /* 286 */ {"", ""},
    /* 287 */ {"", ""},
    /* 288 */ {"", ""},
    /* 289 */ {"", ""},
    /* 290 */ {"", ""},
    /* 291 */ {"", ""},
    /* 292 */ {"", ""},
    /* 293 */ {"", ""},
    /* 294 */ {"", ""},
    /* 295 */ {"", ""},
    /* 296 */ {"", ""},
    /* 297 */ {"", ""},
    /* 298 */ {"", ""},
    /* 299 */ {"", ""},
    /* 300 */ {"", ""},
    /* 301 */ {"", ""},
    /* 302 */ {"", ""},
    /* 303 */ {"", ""},
    /* 304 */ {"", ""},
    /* 305 */ {"Heavy Metal Density", ""},
    /* 306 */ {"Help", ""},
    /* 307 */ {"Hint Button Active", ""},
    /* 308 */ {"", ""},
    /* 309 */ {"", ""},
    /* 310 */ {"", ""},
    /* 311 */ {"", ""},
    /* 312 */ {"", ""},
    /* 313 */ {"", ""},
    /* 314 */ {"", ""},
    /* 315 */ {"", ""},
    /* 316 */ {"", ""},
    /* 317 */ {"", ""},
    /* 318 */ {"", ""},
    /* 319 */ {"", ""},
    /* 320 */
    {"Left Drill Bit Diameter",
     "Enter a decimal number\nor fractional size.\n\nExamples: .625, 5/8, 1 3/16"},
    /* 321 */
    {"Right Drill Bit Diameter",
     "Enter a decimal number\nor fractional size.\n\nExamples: .625, 5/8, 1 3/16"},
    /* 322 */ {"", ""},
    /* 323 */ {"", ""},
    /* 324 */ {"", ""},
    /* 325 */ {"", ""},
    /* 326 */ {"", ""},
    /* 327 */ {"", ""},
    /* 328 */ {"", ""},
    /* 329 */ {"", ""},
    /* 330 */ {"", ""},
    /* 331 */ {"", ""},
    /* 332 */ {"", ""},
    /* 333 */ {"", ""},
    /* 334 */ {"", ""},
    /* 335 */ {"", ""},
    /* 336 */ {"", ""},
    /* 337 */ {"", ""},
    /* 338 */ {"", ""},
    /* 339 */ {"", ""},
    /* 340 */ {"Couple Forces", ""},
    /* 341 */ {"", ""},
    /* 342 */ {"", ""},
    /* 343 */ {"", ""},
    /* 344 */ {"", ""},
    /* 345 */ {"Slug Diameter", ""},
    /* 346 */ {"Slug Length", ""},
    /* 347 */ {"Slug Weight", ""},
    /* 348 */
    {"Heavy Metal Density",
     "Heavy metal density,\ngrams per cubic inch.\n\n278.6 is default.\n(HD17 alloy)"},
    /* 349 */
    {"Actual Slug Weight in Grams",
     "Enter 0 to allow the software\nto calculate the weight\nbased on size and density."},
    /* 350 */
    {"Slug Installation Radius",
     "Enter 0 to allow the software to\nset the slug radius back to the\nnormal Correction "
     "Radius."},
    /* 351 */ {"", ""},
    /* 352 */ {"", ""},
    /* 353 */ {"", ""},
    /* 354 */ {"", ""},
    /* 355 */ {"", ""},
    /* 356 */ {"", ""},
    /* 357 */ {"", ""},
    /* 358 */ {"", ""},
};

}  // namespace

namespace {

const FieldEntry* Entry(int code) {
  if (code == 15 || code == 16) code += 141;  // the external weights
  if (code < kFirstFieldCode || code > kLastFieldCode) return nullptr;
  return &kFields[code - kFirstFieldCode];
}

bool InRange(int code, int first, int last) {
  return code >= first && code <= last;
}

}  // namespace

const char* FieldLabel(int code) {
  const FieldEntry* entry = Entry(code);
  return entry ? entry->label : "";
}

const char* FieldHint(int code) {
  const FieldEntry* entry = Entry(code);
  return entry ? entry->hint : "";
}

bool IsLengthField(int code) {
  return InRange(code, 100, 102) || InRange(code, 131, 133) || InRange(code, 145, 155) ||
         code == 320 || code == 321;
}

bool AcceptsNegative(int code) {
  // Lag compensation, plane offsets and the simulated reluctor's amount and
  // angle offset. Not the overbalance: a negative one is a sign slip.
  return code == 122 || code == 123 || code == 132 || code == 133 || code == 265 || code == 266;
}

bool KeypadHasSlash(int code) {
  return InRange(code, 100, 102) || code == 131 || InRange(code, 145, 155) || code == 260 ||
         code == 320 || code == 321;
}

bool HasHelpButton(int code) {
  switch (code) {
    case 15:
    case 16:
    case 102:
    case 113:
    case 114:
    case 118:
    case 119:
    case 145:
    case 146:
    case 175:
    case 176:
    case 238:
    case 239:
    case 241:
    case 242:
    case 260:
    case 262:
    case 263:
    case 305:
    case 320:
    case 321:
      return false;
    default:
      return !InRange(code, 137, 140) && !InRange(code, 270, 276) && !InRange(code, 345, 350);
  }
}

bool ScaleButtonField(int code) {
  return InRange(code, 103, 110) || InRange(code, 187, 234);
}

bool ScaleKeyField(int code) {
  return InRange(code, 103, 111) || code == 119 || InRange(code, 187, 234);
}

const char* HelpTopic(int code) {
  if (code == 100 || code == 101) return "c:\\balancer\\balancer.chm::/Correction radius.htm";
  if (InRange(code, 131, 133)) return "c:\\balancer\\balancer.chm::/Correction plane offset.htm";
  if (InRange(code, 103, 111) || InRange(code, 187, 234)) {
    return "c:\\balancer\\balancer.chm::/Weighing parts.htm";
  }
  if (code == 112) return "c:\\balancer\\balancer.chm::/Balancing speed.htm";
  if (InRange(code, 149, 153)) return "c:\\balancer\\balancer.chm::/Heavy Metal Setup.htm";
  if (code == 147 || code == 148) return "c:\\balancer\\balancer.chm::/Counterweight Radius.htm";
  if (code == 154 || code == 155) {
    return "c:\\balancer\\balancer.chm::/Counterweight Thickness.htm";
  }
  return "";
}

}  // namespace balancer
