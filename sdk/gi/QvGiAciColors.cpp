#include "sdk/gi/QvGiAciColors.h"

#include <array>
#include <cmath>

namespace {

constexpr std::array<uint32_t, 10> kNamed = {0x000000, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
                                             0x0000FF, 0xFF00FF, 0xFFFFFF, 0x808080, 0xC0C0C0};
constexpr std::array<uint32_t, 6> kGreys = {0x333333, 0x505050, 0x696969,
                                            0x828282, 0xBEBEBE, 0xFFFFFF};
constexpr std::array<double, 5> kValues = {255, 165, 127, 76, 38};

uint32_t rgb(double r, double g, double b) {
  auto channel = [](double c) { return static_cast<uint32_t>(std::floor(c)); };
  return (channel(r) << 16) | (channel(g) << 8) | channel(b);
}

// The colour of a hue (degrees, a multiple of 15), a value and a saturation of 1 or 1/2.
uint32_t fromHue(int hue, double value, double saturation) {
  const double low = value * (1.0 - saturation);
  const int sector = hue / 60;
  const double f = (hue % 60) / 60.0;
  const double rising = low + (value - low) * f;
  const double falling = value - (value - low) * f;
  switch (sector) {
    case 0:
      return rgb(value, rising, low);
    case 1:
      return rgb(falling, value, low);
    case 2:
      return rgb(low, value, rising);
    case 3:
      return rgb(low, falling, value);
    case 4:
      return rgb(rising, low, value);
    default:
      return rgb(value, low, falling);
  }
}

}  // namespace

uint32_t qvgiAciToRgb(int colorIndex) {
  if (colorIndex < 1 || colorIndex > 255) return kNamed[7];
  if (colorIndex < 10) return kNamed[static_cast<size_t>(colorIndex)];
  if (colorIndex >= 250) return kGreys[static_cast<size_t>(colorIndex - 250)];
  const int step = colorIndex - 10;
  const int hue = (step / 10) * 15;
  const int shade = step % 10;
  return fromHue(hue, kValues[static_cast<size_t>(shade / 2)], shade % 2 == 0 ? 1.0 : 0.5);
}
