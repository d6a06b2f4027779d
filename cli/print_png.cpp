#include "cli/print_png.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace balancer {

uint32_t Raster::At(int x, int y) const {
  const size_t i = (static_cast<size_t>(y) * width + x) * 3;
  return (uint32_t(rgb[i]) << 16) | (uint32_t(rgb[i + 1]) << 8) | rgb[i + 2];
}

namespace {

struct Colour {
  uint8_t r, g, b;
};

void Blend(Raster& r, int x, int y, Colour c, int alpha) {
  if (x < 0 || y < 0 || x >= r.width || y >= r.height || alpha <= 0) return;
  uint8_t* p = &r.rgb[(static_cast<size_t>(y) * r.width + x) * 3];
  if (alpha >= 255) {
    p[0] = c.r, p[1] = c.g, p[2] = c.b;
    return;
  }
  p[0] = static_cast<uint8_t>((c.r * alpha + p[0] * (255 - alpha)) / 255);
  p[1] = static_cast<uint8_t>((c.g * alpha + p[1] * (255 - alpha)) / 255);
  p[2] = static_cast<uint8_t>((c.b * alpha + p[2] * (255 - alpha)) / 255);
}

// A rule `thickness` pixels wide from (x0, y0) to (x1, y1).
void DrawLine(Raster& r, int x0, int y0, int x1, int y1, int thickness) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= steps; ++i) {
    const int x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
    const int y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
    for (int dy = 0; dy < thickness; ++dy)
      for (int dx = 0; dx < thickness; ++dx) Blend(r, x + dx, y + dy, {0, 0, 0}, 255);
  }
}

class PrintFace {
 public:
  ~PrintFace() {
    if (face_ != nullptr) FT_Done_Face(face_);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }
  bool Open(const std::string& file) {
    if (FT_Init_FreeType(&library_) != 0) return false;
    return FT_New_Face(library_, file.c_str(), 0, &face_) == 0;
  }
  // Sizes the face so its cell (ascent + descent) is `height` pixels, as
  // a font of that height is on a printer.
  void SetCellHeight(int height) {
    const double cell = static_cast<double>(face_->ascender - face_->descender);
    const double em = face_->units_per_EM;
    const int pixels = std::max(1, static_cast<int>(std::lround(height * em / cell)));
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
    ascent_ = static_cast<int>(std::lround(height * face_->ascender / cell));
  }
  int Width(const std::string& text) {
    long width = 0;
    for (unsigned char ch : text) {
      if (FT_Load_Char(face_, ch, FT_LOAD_DEFAULT) == 0) width += face_->glyph->advance.x;
    }
    return static_cast<int>(width >> 6);
  }
  // Text with its top-left at (x, top). The bytes are the ANSI page, whose
  // printable upper half matches Latin-1 (the degree sign 0xB0).
  void Draw(Raster& r, int x, int top, const std::string& text, Colour colour) {
    long pen = static_cast<long>(x) << 6;
    const int baseline = top + ascent_;
    for (unsigned char ch : text) {
      if (FT_Load_Char(face_, ch, FT_LOAD_RENDER) != 0) continue;
      const FT_GlyphSlot g = face_->glyph;
      const int left = static_cast<int>(pen >> 6) + g->bitmap_left;
      const int glyphTop = baseline - g->bitmap_top;
      for (unsigned row = 0; row < g->bitmap.rows; ++row) {
        const unsigned char* line = g->bitmap.buffer + row * g->bitmap.pitch;
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
          Blend(r, left + static_cast<int>(col), glyphTop + static_cast<int>(row), colour,
                line[col]);
        }
      }
      pen += g->advance.x;
    }
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  int ascent_ = 0;
};

uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8) | (uint32_t(b[at + 2]) << 16) |
         (uint32_t(b[at + 3]) << 24);
}

bool ReadBmp(const std::vector<uint8_t>& b, Raster& out) {
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
  const uint32_t offset = Le32(b, 10);
  const int32_t width = static_cast<int32_t>(Le32(b, 18));
  const int32_t rawHeight = static_cast<int32_t>(Le32(b, 22));
  const int bits = Le16(b, 28);
  const uint32_t compression = Le32(b, 30);
  if (width <= 0 || width > 20000 || rawHeight == 0 || std::abs(rawHeight) > 20000) return false;
  if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3)) return false;
  const int height = std::abs(rawHeight);
  const size_t stride = (static_cast<size_t>(width) * (bits / 8) + 3) & ~size_t(3);
  if (offset > b.size() || b.size() - offset < stride * height) return false;
  out.width = width;
  out.height = height;
  out.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
  for (int y = 0; y < height; ++y) {
    const int source = rawHeight > 0 ? height - 1 - y : y;  // bottom-up unless negative
    const uint8_t* row = &b[offset + stride * source];
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = row + x * (bits / 8);
      uint8_t* q = &out.rgb[(static_cast<size_t>(y) * width + x) * 3];
      q[0] = p[2], q[1] = p[1], q[2] = p[0];
    }
  }
  return true;
}

bool ReadPng(const std::string& path, Raster& out) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  if (image.width == 0 || image.height == 0 || image.width > 20000 || image.height > 20000) {
    png_image_free(&image);
    return false;
  }
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgb.assign(PNG_IMAGE_SIZE(image), 0);
  // Transparent parts come out on the white paper.
  png_color white = {255, 255, 255};
  if (!png_image_finish_read(&image, &white, out.rgb.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

// The picture scaled into its box (each target pixel takes the source pixel
// under its centre).
void DrawPicture(Raster& r, const Raster& picture, const PictureBox& box) {
  const int left = static_cast<int>(std::lround(box.left));
  const int top = static_cast<int>(std::lround(box.top));
  const int w = static_cast<int>(std::lround(box.width));
  const int h = static_cast<int>(std::lround(box.height));
  for (int y = 0; y < h; ++y) {
    const int sy = std::min(picture.height - 1, static_cast<int>((y + 0.5) * picture.height / h));
    for (int x = 0; x < w; ++x) {
      const int sx = std::min(picture.width - 1, static_cast<int>((x + 0.5) * picture.width / w));
      const uint8_t* p = &picture.rgb[(static_cast<size_t>(sy) * picture.width + sx) * 3];
      Blend(r, left + x, top + y, {p[0], p[1], p[2]}, 255);
    }
  }
}

}  // namespace

std::string FindPrintFontFile() {
  std::string file;
  if (FcInit()) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("Arial:bold"));
    if (pattern != nullptr) {
      FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      FcPattern* match = FcFontMatch(nullptr, pattern, &result);
      FcChar8* path = nullptr;
      if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
      }
      if (match != nullptr) FcPatternDestroy(match);
      FcPatternDestroy(pattern);
    }
    // Only the path is kept: the library's configuration can go.
    FcFini();
  }
  if (file.empty()) {
    const char* fallback = "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf";
    if (std::ifstream(fallback).good()) file = fallback;
  }
  return file;
}

bool ReadPicture(const std::string& path, Raster& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  if (bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0) return ReadPng(path, out);
  return ReadBmp(bytes, out);
}

bool RenderPrintPage(const PrintPage& page, int width, int height, const PngPageStyle& style,
                     Raster& out, int& picturesDrawn, std::string& error) {
  picturesDrawn = 0;
  if (width < 100 || height < 100 || width > 10000 || height > 10000) {
    error = "the page size must be 100 to 10000 pixels each way";
    return false;
  }
  const std::string fontFile = style.fontFile.empty() ? FindPrintFontFile() : style.fontFile;
  PrintFace face;
  if (fontFile.empty() || !face.Open(fontFile)) {
    error = "no sans bold font could be loaded";
    return false;
  }
  out.width = width;
  out.height = height;
  out.rgb.assign(static_cast<size_t>(width) * height * 3, 255);
  const int thickness = std::max(1, height / 1100);
  const Colour company = {style.companyRed, style.companyGreen, style.companyBlue};

  for (const PrintItem& item : page.items) {
    const int x = static_cast<int>(std::lround(PrintDeviceX(item.x, width)));
    const int y = static_cast<int>(std::lround(PrintDeviceY(item.y, height)));
    const int x2 = static_cast<int>(std::lround(PrintDeviceX(item.x2, width)));
    const int y2 = static_cast<int>(std::lround(PrintDeviceY(item.y2, height)));
    switch (item.kind) {
      case PrintItem::Kind::kText: {
        face.SetCellHeight(PrintFontHeight(item.font, height));
        int left = x;
        if (item.align == PrintAlign::kCentre) left = x - face.Width(item.text) / 2;
        if (item.align == PrintAlign::kRight) left = x - face.Width(item.text);
        face.Draw(out, left, y, item.text, item.companyColour ? company : Colour{0, 0, 0});
        break;
      }
      case PrintItem::Kind::kLine:
        DrawLine(out, x, y, x2, y2, thickness);
        break;
      case PrintItem::Kind::kBox:
        DrawLine(out, x, y, x2, y, thickness);
        DrawLine(out, x2, y, x2, y2, thickness);
        DrawLine(out, x2, y2, x, y2, thickness);
        DrawLine(out, x, y2, x, y, thickness);
        break;
      case PrintItem::Kind::kPicture: {
        Raster picture;
        if (!ReadPicture(PicturePath(style.pictures, item.picture), picture)) break;
        PictureBox box =
            PlacePrintPicture(item.picture, picture.width, picture.height, width, height);
        if (box.width < 1 || box.height < 1) break;
        DrawPicture(out, picture, box);
        ++picturesDrawn;
        break;
      }
    }
  }
  return true;
}

bool WritePng(const Raster& raster, const std::string& path) {
  if (raster.width <= 0 || raster.height <= 0) return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(raster.width);
  image.height = static_cast<png_uint_32>(raster.height);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, raster.rgb.data(), 0, nullptr) != 0;
}

}  // namespace balancer
