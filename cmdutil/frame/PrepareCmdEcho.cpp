#include "xqcmdutil/PrepareCmdEcho.h"

#include "sdk/base/resbuf.h"
#include "sdk/ed/qvedSysVar.h"

namespace {
constexpr const wchar_t* kCmdEcho = L"CMDECHO";
}

// The buffers start with type 0, so that a failed read is never written back.
PrepareCmdEcho::PrepareCmdEcho() {
  resbuf value{nullptr, 0, {}};
  qvedGetVar(kCmdEcho, &value);
  m_oldValue = value.value.int16;
  value.value.int16 = 0;
  qvedSetVar(kCmdEcho, &value);
}

PrepareCmdEcho::~PrepareCmdEcho() {
  // Read again for a buffer of the variable's type.
  resbuf value{nullptr, 0, {}};
  qvedGetVar(kCmdEcho, &value);
  value.value.int16 = static_cast<int16_t>(m_oldValue);
  qvedSetVar(kCmdEcho, &value);
}
