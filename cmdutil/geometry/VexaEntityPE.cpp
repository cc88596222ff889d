#include "xqcmdutil/VexaEntityPE.h"

#include "xqcmdutil/XqRxRegistration.h"

XQRX_DEFINE_MEMBERS(VexaEntityPE, L"QvRxObject")

VexaEntityPE::VexaEntityPE() = default;

VexaEntityPE::VexaEntityPE(const VexaEntityPE& other) = default;

VexaEntityPE& VexaEntityPE::operator=(const VexaEntityPE& other) = default;

VexaEntityPE::~VexaEntityPE() = default;

void VexaEntityPE::getEcs(const QvDbEntity*, QvGeMatrix3d& ecs) const {
  ecs.setToIdentity();
}

Vexa::ErrorStatus VexaEntityPE::getAlignedUCS(QvDbEntity*, const QvGePoint3d*, QvGsView*,
                                              QvGeMatrix3d&) {
  return Vexa::eNotImplemented;
}

Vexa::ErrorStatus VexaEntityPE::getBasePoint(QvDbEntity*, QvGePoint3d&) {
  return Vexa::eNotImplemented;
}

Vexa::ErrorStatus VexaEntityPE::extendedBoundingBoxIntersectWith(QvDbEntity*, QvDbEntity*,
                                                                 QvDb::Intersect, QvGePoint3dArray&,
                                                                 const QvGePlane&, bool) {
  return Vexa::eNotImplemented;
}
