// Draws a composed print page into an RGB raster and writes it as PNG: the
// same PrintPage the printer gets, for `balancer-cli print` and for looking
// at a printout without a printer. Text in a sans bold face (the one the
// font configuration gives for "Arial:bold"), rules, and the pictures that
// can be read here (PNG and uncompressed BMP; others are left out as a
// missing picture is).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bobweight/bobweight_print.h"

namespace balancer {

struct Raster {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;         // top-down rows, 3 bytes a pixel
  uint32_t At(int x, int y) const;  // 0xRRGGBB
};

struct PngPageStyle {
  PrintPicturePaths pictures;
  uint8_t companyRed = 0, companyGreen = 0, companyBlue = 0;  // job and company lines
  std::string fontFile;                                       // empty: asks the font configuration
};

// The sans bold font file to draw with, or "" when none is installed.
std::string FindPrintFontFile();

// Draws `page` on a white raster of width x height. Returns false with
// `error` set when the size is unusable or no font could be loaded.
// `picturesDrawn` counts the pictures that were found and drawn.
bool RenderPrintPage(const PrintPage& page, int width, int height, const PngPageStyle& style,
                     Raster& out, int& picturesDrawn, std::string& error);

bool WritePng(const Raster& raster, const std::string& path);
// Reads a PNG or an uncompressed 24/32-bit BMP; false when it cannot.
bool ReadPicture(const std::string& path, Raster& out);

}  // namespace balancer
