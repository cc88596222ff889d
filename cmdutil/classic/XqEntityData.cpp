#include "xqcmdutil/XqEntityData.h"

#include <array>
#include <cwchar>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaAcquireInput.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/ed/qvedSelection.h"
#include "xqcmdutil/XqResbufs.h"
#include "xqcmdutil/XqStrings.h"

namespace {

struct TypeCode {
  const wchar_t* name;
  int code;
};

constexpr std::array kTypes{
    TypeCode{L"LINE", 1},     TypeCode{L"LWPOLYLINE", 2}, TypeCode{L"ARC", 3},
    TypeCode{L"CIRCLE", 4},   TypeCode{L"ELLIPSE", 5},    TypeCode{L"POLYLINE", 6},
    TypeCode{L"SPLINE", 8},   TypeCode{L"POINT", 9},      TypeCode{L"3DFACE", 10},
    TypeCode{L"3DSOLID", 12}, TypeCode{L"REGION", 13},    TypeCode{L"BODY", 14},
    TypeCode{L"INSERT", 15},  TypeCode{L"TEXT", 16},      TypeCode{L"ATTDEF", 17},
    TypeCode{L"ATTRIB", 18},  TypeCode{L"HATCH", 20},     TypeCode{L"DIMENSION", 21},
    TypeCode{L"TRACE", 22},   TypeCode{L"SOLID", 23},     TypeCode{L"MTEXT", 24},
    TypeCode{L"VERTEX", 25},  TypeCode{L"SEQEND", 26},    TypeCode{L"PLANT", 27},
    TypeCode{L"MLINE", 101},  TypeCode{L"XLINE", 102},    TypeCode{L"VIEWPORT", 201},
};

QvRbListPtr dataOf(const int64_t ent[2]) {
  return QvRbListPtr(ent ? qvdbEntGet(ent) : nullptr);
}

}  // namespace

int getEntType(const int64_t ent[2]) {
  const QvRbListPtr data = dataOf(ent);
  const resbuf* type = dxf(data.get(), 0);
  if (!type || qvRbValueKind(0) != QvRbKind::kString || !type->value.string) return 0;
  for (const TypeCode& entry : kTypes) {
    if (strings_i_compare(type->value.string, entry.name) != 0) continue;
    if (entry.code != 6) return entry.code;
    int flags = 0;
    if (GetBufInt(data.get(), 70, &flags) != kQvNormal) return kQvError;
    if (flags & 8) return 7;
    if (flags & 16) return 11;
    if (flags & 64) return 19;
    return 6;
  }
  return 0;
}

int GetEntType(const int64_t ent[2], wchar_t* buf, size_t size) {
  const QvRbListPtr data = dataOf(ent);
  if (!data) return kQvError;
  if (buf && size > 0) GetBufString(data.get(), 0, buf, size);
  return kQvNormal;
}

int GetEntPoint(const int64_t ent[2], int code, double pt[3]) {
  const QvRbListPtr data = dataOf(ent);
  const resbuf* rb = dxf(data.get(), code);
  if (!rb || !pt || qvRbValueKind(code) != QvRbKind::kPoint) return kQvError;
  for (int k = 0; k < 3; ++k) pt[k] = rb->value.point[k];
  return kQvNormal;
}

int GetEntString(const int64_t ent[2], int code, wchar_t* buf, size_t size) {
  const QvRbListPtr data = dataOf(ent);
  return GetBufString(data.get(), code, buf, size);
}

int GetEntName(const int64_t ent[2], int code, int64_t name[2]) {
  const QvRbListPtr data = dataOf(ent);
  return GetEntNameFromRb(data.get(), code, name);
}

int SetEntLayer(const int64_t ent[2], const wchar_t* layer) {
  QvRbListPtr data = dataOf(ent);
  if (!data || !layer) return kQvError;
  for (resbuf* rb = data.get(); rb; rb = rb->next)
    if (rb->type == 8) qvutSetRbString(rb, layer);
  if (qvdbEntMod(data.get()) != kQvNormal) return kQvError;
  qvdbEntUpd(ent);
  qvedRetVoid();
  return kQvNormal;
}

int GetLastSel(const int64_t start[2], int64_t ss[2]) {
  if (!ss) return kQvError;
  int64_t current[2] = {start ? start[0] : 0, start ? start[1] : 0};
  int64_t next[2] = {0, 0};
  while (qvdbEntNext(current, next) == kQvNormal) {
    int64_t set[2] = {ss[0], ss[1]};
    const bool fresh = set[0] == 0 && set[1] == 0;
    if (qvedSSAdd(next, fresh ? nullptr : set, ss) != kQvNormal) break;
    current[0] = next[0];
    current[1] = next[1];
  }
  return kQvNormal;
}

resbuf* qds_tblgetter(const wchar_t* table, const wchar_t* name, int rewind) {
  if (!table || !*table) return nullptr;
  if (name && *name) return qvdbTblSearch(table, name, rewind);
  return qvdbTblNext(table, rewind);
}

int GetString(int mode, const wchar_t* prompt, QvString& out) {
  constexpr int kFirst = 0x100000;
  constexpr int kSecond = 0x200000;
  VexaAcquireInput input;
  input.setPrompt(prompt ? prompt : L"");
  input.setCursor(5);
  if (mode == 0) input.addInputControls(kFirst | kSecond);
  if (mode == 1) input.removeInputControls(kFirst | kSecond);
  if (mode == 2) {
    input.removeInputControls(kFirst);
    input.addInputControls(kSecond);
  }
  std::vector<wchar_t> buffer(2049, L'\0');
  const int status = input.getString(buffer.data(), buffer.size());
  if (status == kQvNormal) out = buffer.data();
  if (status == kQvNone) out.empty();
  return status;
}
