#include "sdk/ed/VexaSysvarData.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cwchar>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/QvString.h"

namespace {

constexpr VexaSysvarData shortVar(const wchar_t* name, int value, const char* range,
                                  uint32_t flags = 0) {
  return {name, kRbShort, flags, range, static_cast<double>(value), {0, 0, 0}, nullptr};
}
constexpr VexaSysvarData switchVar(const wchar_t* name, int value, uint32_t flags = 0,
                                   const char* range = "0_1") {
  return shortVar(name, value, range, flags | kSysVarSwitch);
}
constexpr VexaSysvarData realVar(const wchar_t* name, double value, uint32_t flags = 0) {
  return {name, kRbReal, flags, "", value, {0, 0, 0}, nullptr};
}
constexpr VexaSysvarData pointVar(const wchar_t* name, double x, double y, double z,
                                  uint32_t flags = 0) {
  return {name, kRbPoint3d, flags, "", 0.0, {x, y, z}, nullptr};
}
constexpr VexaSysvarData textVar(const wchar_t* name, const wchar_t* value, uint32_t flags = 0) {
  return {name, kRbString, flags, "", 0.0, {0, 0, 0}, value};
}

constexpr uint32_t kDrawing = kSysVarPerDrawing;
constexpr uint32_t kReadOnly = kSysVarReadOnly;
constexpr uint32_t kUcs = kSysVarPerDrawing | kSysVarReadOnly | kSysVarUcsAxis;

// Alphabetical by name, as vexaSysvarTable() lists them. The host's own additions (LASTPOINTINIT,
// LISPCOMMANDHASMORE, MIRRORDRAW) are two-state values that carry only the switch flag, no range
// text.
constexpr VexaSysvarData kTable[] = {
    switchVar(L"ATTDIA", 0),
    switchVar(L"ATTREQ", 1),
    shortVar(L"AUNITS", 0, "0_4", kDrawing),
    shortVar(L"AUPREC", 0, "0_8", kDrawing),
    textVar(L"CANNOSCALE", L"1:1", kDrawing),
    realVar(L"CANNOSCALEVALUE", 1.0, kDrawing | kReadOnly),
    switchVar(L"CMDECHO", 1),
    shortVar(L"CVPORT", 2, "1_32767", kDrawing),
    shortVar(L"EXPERT", 0, "0_5"),
    switchVar(L"EXPLMODE", 1),
    switchVar(L"EXTNAMES", 1, kDrawing),
    switchVar(L"FILEDIA", 1),
    textVar(L"INSNAME", L""),
    shortVar(L"INSUNITS", 4, "0_24", kDrawing),
    shortVar(L"INSUNITSDEFSOURCE", 0, "0_24"),
    shortVar(L"INSUNITSDEFTARGET", 0, "0_24"),
    pointVar(L"LASTPOINT", 0, 0, 0, kDrawing),
    switchVar(L"LASTPOINTINIT", 0, 0, ""),
    switchVar(L"LISPCOMMANDHASMORE", 0, kReadOnly, ""),
    shortVar(L"LUNITS", 2, "1_5", kDrawing),
    shortVar(L"LUPREC", 4, "0_8", kDrawing),
    switchVar(L"MIRRORDRAW", 0, 0, ""),
    switchVar(L"ORTHOMODE", 0, kDrawing),
    switchVar(L"PICKFIRST", 1),
    realVar(L"SNAPANG", 0.0, kDrawing),
    switchVar(L"TILEMODE", 1, kDrawing),
    shortVar(L"UCSICON", 3, "0_3", kDrawing),
    pointVar(L"UCSORG", 0, 0, 0, kUcs),
    pointVar(L"UCSXDIR", 1, 0, 0, kUcs),
    pointVar(L"UCSYDIR", 0, 1, 0, kUcs),
    pointVar(L"VIEWDIR", 0, 0, 1, kDrawing | kReadOnly),
    textVar(L"XREFSAVEPATH", L""),
};

// Reads an optionally signed decimal integer at *p, moving p past it.
bool readInt(const char*& p, int& value) {
  char* end = nullptr;
  const long v = std::strtol(p, &end, 10);
  if (end == p || v < -32768 || v > 32767) return false;
  value = static_cast<int>(v);
  p = end;
  return true;
}

// Names compare without case, and without copies: variables are read often.
wchar_t folded(wchar_t c) {
  if (c >= 0x80) return qvToLower(c);
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
}
// Orders names as the table is ordered: by their folded characters.
int compareNames(const wchar_t* a, const wchar_t* b) {
  for (; *a && *b; ++a, ++b) {
    if (*a == *b) continue;
    const wchar_t fa = folded(*a), fb = folded(*b);
    if (fa != fb) return fa < fb ? -1 : 1;
  }
  return *a == *b ? 0 : (*a ? 1 : -1);
}

// The table's index by name: slots of an open-addressed hash of the folded names, made once.
constexpr size_t kSlots = 128;
static_assert(std::size(kTable) * 2 <= kSlots, "the index needs room to stay sparse");

size_t nameHash(const wchar_t* name) {
  uint32_t hash = 2166136261u;
  for (; *name; ++name) hash = (hash ^ static_cast<uint32_t>(folded(*name))) * 16777619u;
  return hash;
}

struct NameIndex {
  std::array<int16_t, kSlots> slots;
  NameIndex() {
    slots.fill(-1);
    for (size_t i = 0; i < std::size(kTable); ++i) {
      size_t slot = nameHash(kTable[i].name) & (kSlots - 1);
      while (slots[slot] >= 0) slot = (slot + 1) & (kSlots - 1);
      slots[slot] = static_cast<int16_t>(i);
    }
  }
};

const VexaSysvarData* findByHash(const wchar_t* name) {
  static const NameIndex index;
  for (size_t slot = nameHash(name) & (kSlots - 1);; slot = (slot + 1) & (kSlots - 1)) {
    const int16_t i = index.slots[slot];
    if (i < 0) return nullptr;
    const VexaSysvarData& var = kTable[static_cast<size_t>(i)];
    if (compareNames(var.name, name) == 0) return &var;
  }
}

}  // namespace

bool VexaSysvarData::isReadOnly() const {
  return (flags & kSysVarReadOnly) != 0;
}

bool VexaSysvarData::isPerDrawing() const {
  return (flags & kSysVarPerDrawing) != 0;
}

bool VexaSysvarData::shortRange(int& min, int& max) const {
  if (type != kRbShort) return false;
  const char* p = range ? range : "";
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  int lo = 0;
  int hi = 0;
  if (readInt(p, lo) && *p == '_') {
    ++p;
    while (std::isspace(static_cast<unsigned char>(*p))) ++p;
    if (readInt(p, hi) && lo <= hi) {
      min = lo;
      max = hi;
      return true;
    }
  }
  if (flags & kSysVarTwoStateMask) {
    min = 0;
    max = 1;
    return true;
  }
  return false;
}

const VexaSysvarData* vexaFindSysvarData(const wchar_t* name) {
  if (!name) return nullptr;
  // Callers name variables by literals: what a text at the same place found last is kept,
  // and taken again when the text still spells that name exactly.
  struct Found {
    const wchar_t* name = nullptr;
    const VexaSysvarData* var = nullptr;
  };
  thread_local std::array<Found, 64> recent;
  Found& seen = recent[(reinterpret_cast<std::uintptr_t>(name) >> 2) & 63];
  if (seen.name == name && std::wcscmp(name, seen.var->name) == 0) return seen.var;
  const VexaSysvarData* var = findByHash(name);
  if (var) seen = Found{name, var};
  return var;
}

std::span<const VexaSysvarData> vexaSysvarTable() {
  return kTable;
}
