// vexaConvertStringToDistance on any text. The first byte picks the unit mode and whether a
// scale suffix is allowed; the rest is UTF-8 text. A distance read is finite and in range, and
// its shortest decimal form reads back to the same value.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/qvUtf8.h"
#include "xqcmdutil/XqDistance.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int unitMode = static_cast<int>(data[0] % 8) - 1;  // -1 (the drawing's) to 6
  const bool scaleSuffix = (data[0] & 0x80) != 0;
  const std::string utf8(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::wstring text = qvWidenUtf8(utf8);
  // A negative unit mode reads the working database's.
  FuzzHost host;
  double value = 0;
  const int rc = vexaConvertStringToDistance(text.c_str(), &value, unitMode, scaleSuffix);
  if (rc != kQvNormal) return 0;
  if (!std::isfinite(value) || std::fabs(value) > 1.2345678e304)
    fuzzFinding("a distance out of range was read as sound", utf8);
  char shortest[64];
  const auto [end, error] = std::to_chars(shortest, shortest + sizeof shortest, value);
  if (error != std::errc()) fuzzFinding("no decimal form of the distance read");
  const std::wstring again(shortest, end);
  double reread = 0;
  if (vexaConvertStringToDistance(again.c_str(), &reread, 2, false) != kQvNormal || reread != value)
    fuzzFinding("the distance read does not read back from its decimal form",
                utf8 + " -> " + std::string(shortest, end));
  return 0;
}
