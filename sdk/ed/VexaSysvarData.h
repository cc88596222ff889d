#pragma once

#include <cstdint>
#include <span>

// One record of the host's system-variable table: what a variable is, not what it holds.
// Values live in VexaSysVarService (per session) or in the current drawing's store.
//
// Flags (bit values):
//   kSysVarReadOnly    0x01  refused by qvedSetVar; only the host changes it
//   kSysVarPerDrawing  0x02  kept by the drawing (its header), not by the session
//   kSysVarSwitch      0x04  a two-state value, 0 or 1. Range readers treat either bit of
//                            kSysVarTwoStateMask (0x0C) as a range of 0 to 1; the table uses 0x04.
//   kSysVarUcsAxis     0x10  part of the current UCS; written only together with the other two
//                            (VexaSysVarService::setCurrentUcs), so the axes stay orthonormal
struct VexaSysvarData {
  const wchar_t* name;  // upper case
  int16_t type;         // kRbShort, kRbReal, kRbPoint3d or kRbString
  uint32_t flags;
  const char* range;       // "min_max" for a bounded short (as "0_24"), "" when the text gives none
  double defaultNumber;    // default of a short or real variable
  double defaultPoint[3];  // default of a point variable
  const wchar_t* defaultText;  // default of a string variable

  bool isReadOnly() const;
  bool isPerDrawing() const;
  // The allowed interval of a short variable: from the range text when it parses, else 0..1
  // for a two-state variable. False when neither gives one (any 16-bit value is allowed).
  bool shortRange(int& min, int& max) const;
};

inline constexpr uint32_t kSysVarReadOnly = 0x01;
inline constexpr uint32_t kSysVarPerDrawing = 0x02;
inline constexpr uint32_t kSysVarSwitch = 0x04;
inline constexpr uint32_t kSysVarTwoStateMask = 0x0C;
inline constexpr uint32_t kSysVarUcsAxis = 0x10;

// The record of a variable by name, in any case; null when the host has no such variable.
const VexaSysvarData* vexaFindSysvarData(const wchar_t* name);

// Every record of the table, in alphabetical order of name.
std::span<const VexaSysvarData> vexaSysvarTable();
