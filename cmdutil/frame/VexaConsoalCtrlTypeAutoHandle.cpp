#include "xqcmdutil/VexaConsoalCtrlTypeAutoHandle.h"

VexaConsoalCtrlTypeAutoHandle::VexaConsoalCtrlTypeAutoHandle()
    : m_oldType(static_cast<VexaConsoleOutputController::eType>(1)) {
  if (IVexaUserInteraction* interaction = qvedGetActiveUserInteraction()) {
    m_oldType = interaction->setConsoleOutputControllerType(
        static_cast<VexaConsoleOutputController::eType>(2), false, nullptr, nullptr);
  }
}

VexaConsoalCtrlTypeAutoHandle::~VexaConsoalCtrlTypeAutoHandle() {
  if (IVexaUserInteraction* interaction = qvedGetActiveUserInteraction())
    interaction->setConsoleOutputControllerType(m_oldType, false, nullptr, nullptr);
}
