#pragma once

#include <map>
#include <memory>
#include <utility>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaWindowTypes.h"

// Text measurement of the headless window layer, with a real font: DejaVu Sans (Bold for
// heavy weights) read by FreeType, so widths are proportional and the same on every machine
// that has the font. A size is the font's em height in pixels. When the font file cannot be
// read, every character measures as the average width of the font at that size, so that
// layout still works (fontFound() tells which).
class VexaFontEngine : public VexaHostService {
 public:
  VexaFontEngine();
  ~VexaFontEngine() override;

  // The width and the line height of one line of text.
  SIZE measure(const QvString& text, int emPixels, bool bold);
  TEXTMETRIC metrics(int emPixels, bool bold);
  bool fontFound() const;

  // The font of the running host, or null when no host runs.
  static VexaFontEngine* current();

 private:
  struct Face;
  Face* face(bool bold);
  long advance(Face& f, wchar_t ch, int emPixels);

  void* library_ = nullptr;  // the FreeType library
  std::unique_ptr<Face> regular_;
  std::unique_ptr<Face> bold_;
};
