#include "sdk/win/VexaDialogPictures.h"

#include <cstdio>
#include <fstream>

#include "sdk/win/VexaWindowPicture.h"

std::string VexaDialogPictures::write(HWND dialog, const std::string& name) {
  if (!enabled()) return std::string();
  const std::string svg = vexaWindowSvg(dialog);
  if (svg.empty()) return std::string();
  char number[24];  // "-", any int, ".svg"
  std::snprintf(number, sizeof number, "-%02d.svg", count_ + 1);
  const std::string path = folder_ + "/" + name + number;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << svg;
  out.close();
  if (!out) return std::string();
  ++count_;
  return path;
}

VexaDialogPictures* VexaDialogPictures::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaDialogPictures>() : nullptr;
}
