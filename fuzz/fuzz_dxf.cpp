// The DXF reader on any text: a file is refused with a finding that names what is wrong,
// leaving the drawing it was read into as it was, or read; a drawing read is written, and what
// was written reads again and is written to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/io/QvDxfFile.h"

namespace {

std::string written(QvDbDatabase& db, const char* what) {
  std::string text;
  QvString message;
  if (QvDxfFile::writeText(db, text, message) != Vexa::eOk)
    fuzzFinding(std::string("writing ") + what + " failed", fuzzNarrow(message));
  return text;
}

// The first line where two texts differ, for the report.
std::string firstDifference(const std::string& a, const std::string& b) {
  size_t line = 1, at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) line += a[at++] == '\n';
  const size_t from = a.rfind('\n', at == 0 ? 0 : at - 1);
  const size_t start = from == std::string::npos ? 0 : from + 1;
  return "line " + std::to_string(line) + ": \"" + a.substr(start, 60) + "\" against \"" +
         b.substr(start, 60) + "\"";
}

// With TARVO_FUZZ_KEEP naming a folder (to look into an input), what a read found is printed and
// what was written is kept there: first.dxf, and second.dxf after reading that again.
const char* keptIn() {
  return std::getenv("TARVO_FUZZ_KEEP");
}

void keep(const std::string& text, const char* name) {
  if (keptIn()) std::ofstream(std::string(keptIn()) + "/" + name, std::ios::binary) << text;
}

// What a fresh host's new drawing writes, which a refused file must leave as it was. Written once
// per process: two fresh drawings writing differently is itself a finding.
const std::string& newDrawingText() {
  static const std::string text = [] {
    std::string once;
    for (int i = 0; i < 2; ++i) {
      FuzzHost fresh;
      std::string now = written(fresh.db(), "a new drawing");
      if (i == 1 && now != once)
        fuzzFinding("two new drawings are written differently", firstDifference(once, now));
      once = std::move(now);
    }
    return once;
  }();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& before = newDrawingText();
  FuzzHost host;
  QvDbDatabase& drawing = host.db();
  const int objectsBefore = drawing.numObjects();

  const std::string text(reinterpret_cast<const char*>(data), size);
  const QvDxfReadResult read = QvDxfFile::readText(text, drawing);
  fuzzCheckDatabase(drawing, "after reading");
  if (keptIn()) std::fprintf(stderr, "read: %s\n", fuzzNarrow(read.message()).c_str());
  if (!read.ok()) {
    if (!read.refusal() || read.message().isEmpty()) fuzzFinding("a refusal without a finding");
    if (drawing.numObjects() != objectsBefore || written(drawing, "the drawing") != before)
      fuzzFinding("a refused file changed the drawing", fuzzNarrow(read.message()));
    return 0;
  }

  const std::string first = written(drawing, "the drawing read");
  keep(first, "first.dxf");
  QvDbDatabase again(false);
  const QvDxfReadResult reread = QvDxfFile::readText(first, again);
  fuzzCheckDatabase(again, "after reading what was written");
  if (!reread.ok())
    fuzzFinding("what was written does not read again", fuzzNarrow(reread.message()));
  const std::string second = written(again, "the drawing read again");
  keep(second, "second.dxf");
  if (second != first)
    fuzzFinding("what was written is written differently after reading it again",
                firstDifference(first, second));
  return 0;
}
