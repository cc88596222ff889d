#include "sdk/io/QvDxfGroupCode.h"

#include <array>
#include <cstddef>

namespace {

using Kind = QvDxfGroupCode::Kind;

struct Range {
  int first;
  int last;
  Kind kind;
};

// The DXF reference's ranges; later rows override earlier ones.
constexpr Range kRanges[] = {
    {0, 9, Kind::kString},       {5, 5, Kind::kHandle},       {10, 59, Kind::kReal},
    {60, 79, Kind::kInt16},      {90, 99, Kind::kInt32},      {100, 102, Kind::kString},
    {105, 105, Kind::kHandle},   {110, 149, Kind::kReal},     {160, 169, Kind::kInt64},
    {170, 179, Kind::kInt16},    {210, 239, Kind::kReal},     {270, 289, Kind::kInt16},
    {290, 299, Kind::kBool},     {300, 309, Kind::kString},   {310, 319, Kind::kBinary},
    {320, 329, Kind::kHandle},   {330, 369, Kind::kPointer},  {370, 389, Kind::kInt16},
    {390, 399, Kind::kPointer},  {400, 409, Kind::kInt16},    {410, 419, Kind::kString},
    {420, 429, Kind::kInt32},    {430, 439, Kind::kString},   {440, 459, Kind::kInt32},
    {460, 469, Kind::kReal},     {470, 479, Kind::kString},   {480, 481, Kind::kPointer},
    {999, 999, Kind::kString},   {1000, 1009, Kind::kString}, {1004, 1004, Kind::kBinary},
    {1005, 1005, Kind::kHandle}, {1010, 1059, Kind::kReal},   {1060, 1070, Kind::kInt16},
    {1071, 1071, Kind::kInt32},
};

std::array<Kind, QvDxfGroupCode::kMaxCode + 1> makeTable() {
  std::array<Kind, QvDxfGroupCode::kMaxCode + 1> table{};
  table.fill(Kind::kInvalid);
  for (const Range& r : kRanges)
    for (int code = r.first; code <= r.last; ++code) table[static_cast<std::size_t>(code)] = r.kind;
  return table;
}

}  // namespace

QvDxfGroupCode::Kind QvDxfGroupCode::kind(int code) {
  static const std::array<Kind, kMaxCode + 1> table = makeTable();
  if (code < 0 || code > kMaxCode) return kInvalid;
  return table[static_cast<std::size_t>(code)];
}

const char* QvDxfGroupCode::describe(Kind kind) {
  switch (kind) {
    case kString:
      return "a text";
    case kReal:
      return "a real number";
    case kInt16:
      return "a 16-bit integer";
    case kInt32:
      return "a 32-bit integer";
    case kInt64:
      return "a 64-bit integer";
    case kBool:
      return "0 or 1";
    case kHandle:
    case kPointer:
      return "a handle";
    case kBinary:
      return "hexadecimal bytes";
    case kInvalid:
      break;
  }
  return "nothing";
}
