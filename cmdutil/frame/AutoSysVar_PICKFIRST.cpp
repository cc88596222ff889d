#include "xqcmdutil/AutoSysVar_PICKFIRST.h"

#include "sdk/ed/qvedSysVar.h"

namespace {
constexpr const wchar_t* kPickFirst = L"PICKFIRST";
}

// Type 0 until the read succeeds, so that a failed read is never written back.
AutoSysVar_PICKFIRST::AutoSysVar_PICKFIRST() : m_value{nullptr, 0, {}}, m_oldValue(0) {
  qvedGetVar(kPickFirst, &m_value);
  m_oldValue = m_value.value.int16;
  m_value.value.int16 = 0;
  qvedSetVar(kPickFirst, &m_value);
}

AutoSysVar_PICKFIRST::~AutoSysVar_PICKFIRST() {
  m_value.value.int16 = m_oldValue;
  qvedSetVar(kPickFirst, &m_value);
}
