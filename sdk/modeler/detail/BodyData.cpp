#include "sdk/modeler/detail/BodyData.h"

#include <BRepTools.hxx>
#include <BRep_Builder.hxx>
#include <Standard_Failure.hxx>

#include <cstdint>
#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>

namespace qvmodeler_detail {

namespace {

// What a text group holds at most; the rest of a line goes on in groups 3.
constexpr size_t kGroupText = 255;
// The first line of the modeler's text form.
constexpr std::string_view kHeader = "CASCADE Topology";
// The last line of data written here: the number of lines before it and a hash of their text.
// The modeler's reader does not stop on a stream cut short or damaged, so only data that is
// whole is handed to it.
constexpr std::string_view kTrailer = "End of shape ";

uint64_t hashOf(std::string_view text) {
  uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
  for (const unsigned char c : text) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string trailerOf(size_t lines, std::string_view text) {
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hashOf(text)));
  return std::string(kTrailer) + std::to_string(lines) + " " + hex;
}

std::string_view trimmed(std::string_view line) {
  const size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = line.find_last_not_of(" \t\r");
  return line.substr(first, last - first + 1);
}

}  // namespace

QvDbModelerData dataOfShape(const TopoDS_Shape& shape) {
  QvDbModelerData data;
  if (shape.IsNull()) return data;
  std::ostringstream text;
  BRepTools::Write(shape, text);
  std::istringstream stream(text.str());
  std::string line;
  while (std::getline(stream, line)) {
    std::string_view rest = trimmed(line);
    if (rest.empty() && data.empty()) continue;  // before the header
    // Blank lines are part of the form: they are kept as empty groups.
    int16_t code = 1;
    do {
      const size_t n = std::min(rest.size(), kGroupText);
      data.push_back({code, std::string(rest.substr(0, n))});
      rest.remove_prefix(n);
      code = 3;
    } while (!rest.empty());
  }
  // The lines as they will be read back, for the trailer.
  std::string joined;
  size_t lines = 0;
  for (const QvDbModelerGroup& group : data) {
    if (group.code == 1 && lines++ > 0) joined += '\n';
    joined += group.value;
  }
  data.push_back({1, trailerOf(lines, joined)});
  return data;
}

bool shapeOfData(const QvDbModelerData& data, TopoDS_Shape& shape) {
  if (data.empty() || data.back().code != 1) return false;
  std::string text;
  size_t lines = 0;
  for (size_t i = 0; i + 1 < data.size(); ++i) {
    const QvDbModelerGroup& group = data[i];
    if (group.code == 1) {
      if (lines++ > 0) text += '\n';
    } else if (group.code != 3) {
      return false;  // binary data
    }
    text += group.value;
  }
  if (text.compare(0, kHeader.size(), kHeader) != 0 || data.back().value != trailerOf(lines, text))
    return false;
  text = '\n' + text + '\n';
  try {
    std::istringstream in(text);
    BRep_Builder builder;
    TopoDS_Shape read;
    BRepTools::Read(read, in, builder);
    if (read.IsNull()) return false;
    shape = read;
  } catch (const Standard_Failure&) {
    return false;
  }
  return true;
}

}  // namespace qvmodeler_detail
