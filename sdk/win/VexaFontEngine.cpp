#include "sdk/win/VexaFontEngine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

const char* fontFolder() {
  const char* folder = std::getenv("TARVO_FONT_DIR");
  return folder && *folder ? folder : "/usr/share/fonts/truetype/dejavu";
}

long round26(FT_Pos v) {
  return static_cast<long>((v + 32) >> 6);
}

}  // namespace

struct VexaFontEngine::Face {
  FT_Face face = nullptr;
  int size = 0;  // the em size the face is set to
  std::map<std::pair<int, wchar_t>, long> advances;
};

VexaFontEngine::VexaFontEngine() {
  FT_Library lib = nullptr;
  if (FT_Init_FreeType(&lib) == 0) library_ = lib;
}

VexaFontEngine::~VexaFontEngine() {
  for (auto* f : {regular_.get(), bold_.get()})
    if (f && f->face) FT_Done_Face(f->face);
  if (library_) FT_Done_FreeType(static_cast<FT_Library>(library_));
}

VexaFontEngine::Face* VexaFontEngine::face(bool bold) {
  std::unique_ptr<Face>& slot = bold ? bold_ : regular_;
  if (!slot) {
    slot = std::make_unique<Face>();
    const std::string path =
        std::string(fontFolder()) + (bold ? "/DejaVuSans-Bold.ttf" : "/DejaVuSans.ttf");
    if (library_ && FT_New_Face(static_cast<FT_Library>(library_), path.c_str(), 0, &slot->face))
      slot->face = nullptr;
  }
  return slot.get();
}

bool VexaFontEngine::fontFound() const {
  return const_cast<VexaFontEngine*>(this)->face(false)->face != nullptr;
}

long VexaFontEngine::advance(Face& f, wchar_t ch, int emPixels) {
  const auto key = std::make_pair(emPixels, ch);
  if (const auto it = f.advances.find(key); it != f.advances.end()) return it->second;
  long width = (emPixels * 5 + 4) / 9;  // without a font: the average width of DejaVu Sans
  if (f.face) {
    if (f.size != emPixels) {
      FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(emPixels));
      f.size = emPixels;
    }
    if (FT_Load_Char(f.face, static_cast<FT_ULong>(ch), FT_LOAD_DEFAULT) == 0)
      width = round26(f.face->glyph->advance.x);
  }
  f.advances.emplace(key, width);
  return width;
}

SIZE VexaFontEngine::measure(const QvString& text, int emPixels, bool bold) {
  SIZE size;
  size.cy = metrics(emPixels, bold).tmHeight;
  Face& f = *face(bold);
  for (int i = 0; i < text.length(); ++i) size.cx += advance(f, text.getAt(i), emPixels);
  return size;
}

TEXTMETRIC VexaFontEngine::metrics(int emPixels, bool bold) {
  TEXTMETRIC tm;
  emPixels = emPixels > 0 ? emPixels : 1;
  Face& f = *face(bold);
  if (!f.face) {
    tm.tmAscent = (emPixels * 19 + 9) / 20;
    tm.tmDescent = (emPixels * 5 + 19) / 20;
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmAveCharWidth = (emPixels * 5 + 4) / 9;
    tm.tmMaxCharWidth = emPixels * 2;
    tm.tmInternalLeading = tm.tmHeight - emPixels;
    return tm;
  }
  if (f.size != emPixels) {
    FT_Set_Pixel_Sizes(f.face, 0, static_cast<FT_UInt>(emPixels));
    f.size = emPixels;
  }
  const FT_Size_Metrics& m = f.face->size->metrics;
  tm.tmAscent = round26(m.ascender);
  tm.tmDescent = round26(-m.descender);
  tm.tmHeight = tm.tmAscent + tm.tmDescent;
  tm.tmInternalLeading = tm.tmHeight - emPixels;
  tm.tmMaxCharWidth = round26(m.max_advance);
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f.face, FT_SFNT_OS2));
  const double unitsPerEm = f.face->units_per_EM ? f.face->units_per_EM : 2048;
  tm.tmAveCharWidth =
      os2 ? std::lround(os2->xAvgCharWidth * emPixels / unitsPerEm) : advance(f, L'x', emPixels);
  return tm;
}

VexaFontEngine* VexaFontEngine::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaFontEngine>() : nullptr;
}
