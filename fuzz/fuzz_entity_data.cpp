// Entity data lists through qvdbEntMod. Each input opens a drawing holding entities of every
// class, takes the list of one of them (the first byte picks which) and edits it (the rest: a
// value changed, a record replaced, removed or added, see Editor) before handing it to
// qvdbEntMod. A refused list leaves the entity as it was; an accepted one leaves a drawing that
// is written and read again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/FuzzSupport.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/io/QvDxfFile.h"

namespace {

using Name = std::vector<int64_t>;

// The drawing every input starts from (TARVO_FUZZ_ENTITY_DRAWING, or the one built in).
const std::string& drawingText() {
  static const std::string text = [] {
    const char* path = std::getenv("TARVO_FUZZ_ENTITY_DRAWING");
    std::ifstream in(path ? path : TARVO_FUZZ_ENTITY_DRAWING, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    if (all.str().empty()) fuzzFinding("no drawing to start from");
    return all.str();
  }();
  return text;
}

std::vector<Name> entityNames() {
  std::vector<Name> names;
  int64_t name[2] = {0, 0};
  int64_t next[2];
  while (qvdbEntNext(name, next) == kQvNormal) {
    names.push_back({next[0], next[1]});
    name[0] = next[0];
    name[1] = next[1];
  }
  return names;
}

// Reads the edits of an input, byte by byte.
class Editor {
 public:
  Editor(const uint8_t* data, size_t size, const std::vector<Name>& names)
      : data_(data), size_(size), names_(names) {}

  bool atEnd() const { return at_ >= size_; }

  // One edit: an operation byte (what, and on which record), then what it needs.
  void edit(std::vector<resbuf*>& records) {
    const uint8_t op = byte();
    const size_t index = records.empty() ? 0 : byte() % records.size();
    switch (op % 4) {
      case 0:  // a new value of the same code
        if (!records.empty()) setValue(records[index]);
        break;
      case 1:  // another code and value in its place
        if (!records.empty()) {
          resbuf* made = record();
          qvutRelRb(records[index]);
          records[index] = made;
        }
        break;
      case 2:  // removed
        if (!records.empty()) {
          qvutRelRb(records[index]);
          records.erase(records.begin() + static_cast<std::ptrdiff_t>(index));
        }
        break;
      default:  // a record added after it
        records.insert(
            records.begin() + static_cast<std::ptrdiff_t>(records.empty() ? 0 : index + 1),
            record());
        break;
    }
  }

 private:
  uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint64_t bytes(int n) {
    uint64_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | byte();
    return v;
  }
  // A number: one of a few telling values, or eight bytes of a double.
  double real() {
    static const double kTelling[] = {
        0.0,   -1.0, 1.0,   0.5,  1e300, -1e-300, NAN, INFINITY, 360.0, 6.283185307179586,
        1e-12, 2.0,  100.0, -0.0, 7.5,   1e9};
    const uint8_t b = byte();
    if (b < 0xF0) return kTelling[b % 16];
    double d;
    const uint64_t raw = bytes(8);
    std::memcpy(&d, &raw, sizeof d);
    return d;
  }
  resbuf* record() {
    const auto code = static_cast<int16_t>(bytes(2));
    resbuf* rb = qvutNewRb(code);
    if (rb) setValue(rb);
    return rb ? rb : qvutNewRb(8);
  }
  void setValue(resbuf* rb) {
    switch (qvRbValueKind(rb->type)) {
      case QvRbKind::kReal:
        rb->value.real = real();
        break;
      case QvRbKind::kPoint:
        for (double& c : rb->value.point) c = real();
        break;
      case QvRbKind::kShort:
        rb->value.int16 = static_cast<int16_t>(bytes(2));
        break;
      case QvRbKind::kLong:
        rb->value.int32 = static_cast<int32_t>(bytes(4));
        break;
      case QvRbKind::kInt64:
        rb->value.int64 = static_cast<int64_t>(bytes(8));
        break;
      case QvRbKind::kString: {
        const size_t length = byte() % 48;
        std::string utf8;
        for (size_t i = 0; i < length && !atEnd(); ++i) utf8 += static_cast<char>(byte());
        qvutSetRbString(rb, qvWidenUtf8(utf8).c_str());
        break;
      }
      case QvRbKind::kName: {
        const uint8_t b = byte();
        if (b < 0xF0 && !names_.empty()) {
          rb->value.name[0] = names_[b % names_.size()][0];
          rb->value.name[1] = names_[b % names_.size()][1];
        } else {
          rb->value.name[0] = static_cast<int64_t>(bytes(8));
          rb->value.name[1] = 0;
        }
        break;
      }
      case QvRbKind::kBinary: {
        const auto length = static_cast<int16_t>(byte() % 32);
        std::free(rb->value.binary.data);
        rb->value.binary.data = static_cast<char*>(std::malloc(length ? length : 1));
        for (int i = 0; i < length; ++i) rb->value.binary.data[i] = static_cast<char>(byte());
        rb->value.binary.length = length;
        break;
      }
      case QvRbKind::kNone:
        break;
    }
  }

  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
  const std::vector<Name>& names_;
};

std::vector<resbuf*> recordsOf(resbuf* list) {
  std::vector<resbuf*> records;
  while (list) {
    resbuf* next = list->next;
    list->next = nullptr;
    records.push_back(list);
    list = next;
  }
  return records;
}

resbuf* listOf(const std::vector<resbuf*>& records) {
  resbuf* head = nullptr;
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    (*it)->next = head;
    head = *it;
  }
  return head;
}

bool sameValue(const resbuf& a, const resbuf& b) {
  if (a.type != b.type) return false;
  switch (qvRbValueKind(a.type)) {
    case QvRbKind::kReal:
      return std::memcmp(&a.value.real, &b.value.real, sizeof(double)) == 0;
    case QvRbKind::kPoint:
      return std::memcmp(a.value.point, b.value.point, sizeof a.value.point) == 0;
    case QvRbKind::kShort:
      return a.value.int16 == b.value.int16;
    case QvRbKind::kLong:
      return a.value.int32 == b.value.int32;
    case QvRbKind::kInt64:
      return a.value.int64 == b.value.int64;
    case QvRbKind::kString:
      return std::wcscmp(a.value.string ? a.value.string : L"",
                         b.value.string ? b.value.string : L"") == 0;
    case QvRbKind::kName:
      return a.value.name[0] == b.value.name[0] && a.value.name[1] == b.value.name[1];
    case QvRbKind::kBinary:
      return a.value.binary.length == b.value.binary.length &&
             std::memcmp(a.value.binary.data, b.value.binary.data,
                         static_cast<size_t>(a.value.binary.length)) == 0;
    case QvRbKind::kNone:
      return true;
  }
  return true;
}

// A list in words, for looking into an input (TARVO_FUZZ_VERBOSE).
void print(const char* what, const resbuf* list) {
  if (!std::getenv("TARVO_FUZZ_VERBOSE")) return;
  std::fprintf(stderr, "%s:", what);
  for (; list; list = list->next) {
    std::fprintf(stderr, " (%d", list->type);
    switch (qvRbValueKind(list->type)) {
      case QvRbKind::kReal:
        std::fprintf(stderr, " %.17g", list->value.real);
        break;
      case QvRbKind::kPoint:
        std::fprintf(stderr, " %.17g,%.17g,%.17g", list->value.point[0], list->value.point[1],
                     list->value.point[2]);
        break;
      case QvRbKind::kShort:
        std::fprintf(stderr, " %d", list->value.int16);
        break;
      case QvRbKind::kLong:
        std::fprintf(stderr, " %d", list->value.int32);
        break;
      case QvRbKind::kString:
        std::fprintf(stderr, " \"%s\"",
                     qvNarrowUtf8(list->value.string ? list->value.string : L"").c_str());
        break;
      case QvRbKind::kName:
        std::fprintf(stderr, " <%lld>", static_cast<long long>(list->value.name[0]));
        break;
      default:
        break;
    }
    std::fprintf(stderr, ")");
  }
  std::fprintf(stderr, "\n");
}

// Where two lists first differ, or empty when they are alike.
std::string difference(const resbuf* a, const resbuf* b) {
  for (int i = 0; a || b; ++i, a = a->next, b = b->next) {
    if (!a || !b) return "lengths differ at record " + std::to_string(i);
    if (!sameValue(*a, *b))
      return "record " + std::to_string(i) + " (code " + std::to_string(a->type) + ", then " +
             std::to_string(b->type) + ")";
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  FuzzHost host;
  const QvDxfReadResult read = QvDxfFile::readText(drawingText(), host.db());
  if (!read.ok()) fuzzFinding("the drawing to start from was refused", fuzzNarrow(read.message()));
  const std::vector<Name> names = entityNames();
  if (names.empty()) fuzzFinding("the drawing to start from has no entity");
  const Name& name = names[data[0] % names.size()];

  QvRbListPtr before(qvdbEntGet(name.data()));
  if (!before) fuzzFinding("a live entity has no list");
  std::vector<resbuf*> records = recordsOf(qvutDupList(before.get()));
  Editor editor(data + 1, size - 1, names);
  while (!editor.atEnd()) editor.edit(records);
  QvRbListPtr edited(listOf(records));

  print("before", before.get());
  print("edited", edited.get());
  const int rc = qvdbEntMod(edited.get());
  fuzzCheckDatabase(host.db(), "after qvdbEntMod");
  QvRbListPtr after(qvdbEntGet(name.data()));
  print("after", after.get());
  if (rc != kQvNormal) {
    if (rc != kQvError) fuzzFinding("qvdbEntMod answered " + std::to_string(rc));
    if (!after) fuzzFinding("a refused list took the entity away");
    const std::string changed = difference(before.get(), after.get());
    if (!changed.empty()) fuzzFinding("a refused list changed the entity", changed);
    return 0;
  }
  if (!after) fuzzFinding("an accepted list took the entity away");
  // The entity's own list changes nothing.
  if (qvdbEntMod(after.get()) != kQvNormal) fuzzFinding("the entity's own list is refused");
  QvRbListPtr again(qvdbEntGet(name.data()));
  const std::string drift = difference(after.get(), again.get());
  if (!drift.empty()) fuzzFinding("the entity's own list changed it", drift);
  std::string text;
  QvString message;
  if (QvDxfFile::writeText(host.db(), text, message) != Vexa::eOk)
    fuzzFinding("the changed drawing cannot be written", fuzzNarrow(message));
  QvDbDatabase reread(false);
  const QvDxfReadResult readAgain = QvDxfFile::readText(text, reread);
  if (!readAgain.ok())
    fuzzFinding("the changed drawing, written, does not read again",
                fuzzNarrow(readAgain.message()));
  return 0;
}
