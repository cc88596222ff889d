#pragma once

#include "sdk/base/VexaErrorStatus.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqRxMembers.h"

// The entity protocol extension: per-type geometric services that the module attaches to
// the host's entity classes when it loads. Ask an entity for it with
// `entity->x(VexaEntityPE::desc())`. Extension objects hold no data.
class XQCMDUTIL_EXPORT VexaEntityPE : public QvRxObject {
 public:
  XQRX_DECLARE_MEMBERS(VexaEntityPE);

  VexaEntityPE();
  VexaEntityPE(const VexaEntityPE& other);
  VexaEntityPE& operator=(const VexaEntityPE& other);
  ~VexaEntityPE() override;
};
