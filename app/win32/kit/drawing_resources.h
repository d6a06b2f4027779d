// Fonts, pens, brushes and bitmaps of the main screen, created once at start
// and deleted at exit. Bitmaps are loaded by resource name at their scaled
// design size; a missing one is replaced by a plain face so the screen still
// works.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/main_commands.h"

namespace balancer {

struct DrawingResources {
  float scale = 1.0f;
  std::map<std::pair<int, int>, HFONT> fonts;  // (design height, weight)
  std::vector<HBRUSH> brushes;
  std::vector<HPEN> pens;
  std::map<std::string, HBITMAP> pictures;  // plain pictures: logo, shaft, lamps
  std::map<int, HBITMAP> faces;             // button id -> labelled face
  HBITMAP stopFace = nullptr;               // "STOP" on the Heavy Metal button
  HBITMAP spinStopFace = nullptr;           // the spin button's stop image
  HBITMAP acquireFace = nullptr;            // second spin copy labelled "Acquire"
  HBITMAP spinFace = nullptr;               // "Spin"
};

// The button label font.
constexpr int kLabelFontHeight = 21;
constexpr int kLabelFontWeight = 600;

// The fonts of the design, the brushes and pens, the pictures and every
// button's face with its label drawn on.
void CreateDrawingResources(DrawingResources& res, HINSTANCE instance, float scale);
void DestroyDrawingResources(DrawingResources& res);

// A font of the set (made on first use for any other height / weight).
HFONT FontOf(DrawingResources& res, int height, int weight);

// Loads a bitmap resource at a pixel size; a plain face when it is missing.
HBITMAP LoadPicture(HINSTANCE instance, const char* name, int width, int height, bool button);

// Draws one or two centred label lines on a face, the key letter underlined.
void DrawLabel(HBITMAP face, HFONT font, const char* line1, const char* line2, int keyIndex);

}  // namespace balancer
