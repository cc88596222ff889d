#pragma once

#include "xqcmdutil/QvDbEntityInternalBasePE.h"

// The internal protocol extension of entities (QvDbEntity).
class QvDbEntityInternalPE : public QvDbEntityInternalBasePE {
 public:
  XQRX_DECLARE_MEMBERS(QvDbEntityInternalPE);
};
