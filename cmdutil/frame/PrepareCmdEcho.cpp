#include "xqcmdutil/PrepareCmdEcho.h"

#include <cstdint>
#include <limits>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"

namespace {
constexpr const wchar_t* kCmdEcho = L"CMDECHO";
// Saved when the read failed: no 16-bit value reads as it, so nothing is written back.
constexpr int32_t kNotRead = std::numeric_limits<int32_t>::min();
}  // namespace

// The buffers start with type 0, so that a failed read is never written back.
PrepareCmdEcho::PrepareCmdEcho() {
  resbuf value{nullptr, 0, {}};
  if (qvedGetVar(kCmdEcho, &value) != kQvNormal) {
    m_oldValue = kNotRead;
    return;
  }
  m_oldValue = value.value.int16;
  value.value.int16 = 0;
  qvedSetVar(kCmdEcho, &value);
}

PrepareCmdEcho::~PrepareCmdEcho() {
  if (m_oldValue == kNotRead) return;
  // Read again for a buffer of the variable's type.
  resbuf value{nullptr, 0, {}};
  qvedGetVar(kCmdEcho, &value);
  value.value.int16 = static_cast<int16_t>(m_oldValue);
  qvedSetVar(kCmdEcho, &value);
}
