#include "cmdutil/frame/XqCmdUtilApp.h"

#include <iterator>

#include "cmdutil/geometry/QvDb2dPolylineInternalPE.h"
#include "cmdutil/geometry/QvDb3dPolylineInternalPE.h"
#include "cmdutil/geometry/QvDb3dSolidInternalPE.h"
#include "cmdutil/geometry/QvDbArcInternalPE.h"
#include "cmdutil/geometry/QvDbCircleInternalPE.h"
#include "cmdutil/geometry/QvDbCurveInternalPE.h"
#include "cmdutil/geometry/QvDbEllipseInternalPE.h"
#include "cmdutil/geometry/QvDbEntityInternalPE.h"
#include "cmdutil/geometry/QvDbHatchInternalPE.h"
#include "cmdutil/geometry/QvDbHelixInternalPE.h"
#include "cmdutil/geometry/QvDbLineInternalPE.h"
#include "cmdutil/geometry/QvDbPlaneSurfaceInternalPE.h"
#include "cmdutil/geometry/QvDbPolylineInternalPE.h"
#include "cmdutil/geometry/QvDbRegionInternalPE.h"
#include "cmdutil/geometry/QvDbSectionInternalPE.h"
#include "cmdutil/geometry/QvDbSplineInternalPE.h"
#include "cmdutil/geometry/QvDbSurfaceInternalPE.h"
#include "cmdutil/geometry/QvDbSweptSurfaceInternalPE.h"
#include "cmdutil/geometry/Vexa2dPolyline_Extension.h"
#include "cmdutil/geometry/VexaArc_Extension.h"
#include "cmdutil/geometry/VexaBlockReference_Extension.h"
#include "cmdutil/geometry/VexaCircle_Extension.h"
#include "cmdutil/geometry/VexaDimension_Extension.h"
#include "cmdutil/geometry/VexaEllipse_Extension.h"
#include "cmdutil/geometry/VexaFace_Extension.h"
#include "cmdutil/geometry/VexaHatch_Extension.h"
#include "cmdutil/geometry/VexaLine_Extension.h"
#include "cmdutil/geometry/VexaMLine_Extension.h"
#include "cmdutil/geometry/VexaMText_Extension.h"
#include "cmdutil/geometry/VexaOle2Frame_Extension.h"
#include "cmdutil/geometry/VexaPoint_Extension.h"
#include "cmdutil/geometry/VexaPolyline_Extension.h"
#include "cmdutil/geometry/VexaRay_Extension.h"
#include "cmdutil/geometry/VexaSection_Extension.h"
#include "cmdutil/geometry/VexaShape_Extension.h"
#include "cmdutil/geometry/VexaSolid_Extension.h"
#include "cmdutil/geometry/VexaSpline_Extension.h"
#include "cmdutil/geometry/VexaText_Extension.h"
#include "cmdutil/geometry/VexaTrace_Extension.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"
#include "xqcmdutil/VexaEntityPE.h"
#include "xqcmdutil/XqDbSubEntContainer.h"
#include "xqcmdutil/XqRxRegistration.h"

namespace {

template <typename T>
QvRxObject* make() {
  return new T;
}

// The entity protocol extensions, in attachment order: host class, the registration of the
// extension's runtime class, and a new extension object.
struct EntityExtensionRow {
  const wchar_t* hostClass;
  void (*rxInit)();
  QvRxObject* (*make)();
};

constexpr EntityExtensionRow kEntityExtensions[] = {
    {L"QvDbCircle", &VexaCircle_Extension::rxInit, &make<VexaCircle_Extension>},
    {L"QvDb2dPolyline", &Vexa2dPolyline_Extension::rxInit, &make<Vexa2dPolyline_Extension>},
    {L"QvDbArc", &VexaArc_Extension::rxInit, &make<VexaArc_Extension>},
    {L"QvDbBlockReference", &VexaBlockReference_Extension::rxInit,
     &make<VexaBlockReference_Extension>},
    {L"QvDbDimension", &VexaDimension_Extension::rxInit, &make<VexaDimension_Extension>},
    {L"QvDbEllipse", &VexaEllipse_Extension::rxInit, &make<VexaEllipse_Extension>},
    {L"QvDbFace", &VexaFace_Extension::rxInit, &make<VexaFace_Extension>},
    {L"QvDbHatch", &VexaHatch_Extension::rxInit, &make<VexaHatch_Extension>},
    {L"QvDbLine", &VexaLine_Extension::rxInit, &make<VexaLine_Extension>},
    {L"QvDbMline", &VexaMLine_Extension::rxInit, &make<VexaMLine_Extension>},
    {L"QvDbOle2Frame", &VexaOle2Frame_Extension::rxInit, &make<VexaOle2Frame_Extension>},
    {L"QvDbRay", &VexaRay_Extension::rxInit, &make<VexaRay_Extension>},
    {L"QvDbMText", &VexaMText_Extension::rxInit, &make<VexaMText_Extension>},
    {L"QvDbPoint", &VexaPoint_Extension::rxInit, &make<VexaPoint_Extension>},
    {L"QvDbPolyline", &VexaPolyline_Extension::rxInit, &make<VexaPolyline_Extension>},
    {L"QvDbSolid", &VexaSolid_Extension::rxInit, &make<VexaSolid_Extension>},
    {L"QvDbText", &VexaText_Extension::rxInit, &make<VexaText_Extension>},
    {L"QvDbTrace", &VexaTrace_Extension::rxInit, &make<VexaTrace_Extension>},
    {L"QvDbShape", &VexaShape_Extension::rxInit, &make<VexaShape_Extension>},
    {L"QvDbSpline", &VexaSpline_Extension::rxInit, &make<VexaSpline_Extension>},
    {L"QvDbSection", &VexaSection_Extension::rxInit, &make<VexaSection_Extension>},
};

// The order in which the entity protocol extensions are detached.
constexpr const wchar_t* kEntityExtensionDetachOrder[] = {
    L"QvDbSection",   L"QvDbCircle",    L"QvDb2dPolyline", L"QvDbArc",   L"QvDbBlockReference",
    L"QvDbDimension", L"QvDbEllipse",   L"QvDbFace",       L"QvDbHatch", L"QvDbLine",
    L"QvDbMline",     L"QvDbOle2Frame", L"QvDbRay",        L"QvDbMText", L"QvDbPoint",
    L"QvDbPolyline",  L"QvDbSolid",     L"QvDbText",       L"QvDbTrace", L"QvDbShape",
    L"QvDbSpline",
};

// The internal protocol extensions below their base class, in registration and attachment
// order (their classes are deleted in the reverse order).
struct InternalExtensionRow {
  const wchar_t* hostClass;
  void (*rxInit)();
  QvRxObject* (*make)();
  void (*remove)();
};

constexpr InternalExtensionRow kInternalExtensions[] = {
    {L"QvDbEntity", &QvDbEntityInternalPE::rxInit, &make<QvDbEntityInternalPE>,
     &XqRxRegistration::remove<QvDbEntityInternalPE>},
    {L"QvDbCurve", &QvDbCurveInternalPE::rxInit, &make<QvDbCurveInternalPE>,
     &XqRxRegistration::remove<QvDbCurveInternalPE>},
    {L"QvDbLine", &QvDbLineInternalPE::rxInit, &make<QvDbLineInternalPE>,
     &XqRxRegistration::remove<QvDbLineInternalPE>},
    {L"QvDbHelix", &QvDbHelixInternalPE::rxInit, &make<QvDbHelixInternalPE>,
     &XqRxRegistration::remove<QvDbHelixInternalPE>},
    {L"QvDbHatch", &QvDbHatchInternalPE::rxInit, &make<QvDbHatchInternalPE>,
     &XqRxRegistration::remove<QvDbHatchInternalPE>},
    {L"QvDbArc", &QvDbArcInternalPE::rxInit, &make<QvDbArcInternalPE>,
     &XqRxRegistration::remove<QvDbArcInternalPE>},
    {L"QvDbPlaneSurface", &QvDbPlaneSurfaceInternalPE::rxInit, &make<QvDbPlaneSurfaceInternalPE>,
     &XqRxRegistration::remove<QvDbPlaneSurfaceInternalPE>},
    {L"QvDbRegion", &QvDbRegionInternalPE::rxInit, &make<QvDbRegionInternalPE>,
     &XqRxRegistration::remove<QvDbRegionInternalPE>},
    {L"QvDb3dSolid", &QvDb3dSolidInternalPE::rxInit, &make<QvDb3dSolidInternalPE>,
     &XqRxRegistration::remove<QvDb3dSolidInternalPE>},
    {L"QvDbSpline", &QvDbSplineInternalPE::rxInit, &make<QvDbSplineInternalPE>,
     &XqRxRegistration::remove<QvDbSplineInternalPE>},
    {L"QvDbSurface", &QvDbSurfaceInternalPE::rxInit, &make<QvDbSurfaceInternalPE>,
     &XqRxRegistration::remove<QvDbSurfaceInternalPE>},
    {L"QvDbSweptSurface", &QvDbSweptSurfaceInternalPE::rxInit, &make<QvDbSweptSurfaceInternalPE>,
     &XqRxRegistration::remove<QvDbSweptSurfaceInternalPE>},
    {L"QvDbPolyline", &QvDbPolylineInternalPE::rxInit, &make<QvDbPolylineInternalPE>,
     &XqRxRegistration::remove<QvDbPolylineInternalPE>},
    {L"QvDb2dPolyline", &QvDb2dPolylineInternalPE::rxInit, &make<QvDb2dPolylineInternalPE>,
     &XqRxRegistration::remove<QvDb2dPolylineInternalPE>},
    {L"QvDb3dPolyline", &QvDb3dPolylineInternalPE::rxInit, &make<QvDb3dPolylineInternalPE>,
     &XqRxRegistration::remove<QvDb3dPolylineInternalPE>},
    {L"QvDbCircle", &QvDbCircleInternalPE::rxInit, &make<QvDbCircleInternalPE>,
     &XqRxRegistration::remove<QvDbCircleInternalPE>},
    {L"QvDbSection", &QvDbSectionInternalPE::rxInit, &make<QvDbSectionInternalPE>,
     &XqRxRegistration::remove<QvDbSectionInternalPE>},
    {L"QvDbEllipse", &QvDbEllipseInternalPE::rxInit, &make<QvDbEllipseInternalPE>,
     &XqRxRegistration::remove<QvDbEllipseInternalPE>},
};

}  // namespace

bool XqCmdUtilApp::initApplication() {
  registerExtensions();

  QvDbEntityInternalBasePE::rxInit();
  for (const InternalExtensionRow& row : kInternalExtensions) row.rxInit();
  qvrxBuildClassHierarchy();
  for (const InternalExtensionRow& row : kInternalExtensions)
    qvrxHostClass(row.hostClass)->addX(QvDbEntityInternalBasePE::desc(), row.make());

  XqDbSubEntContainer::rxInit();
  qvrxBuildClassHierarchy();
  return true;
}

void XqCmdUtilApp::reservedHook1() {}

void XqCmdUtilApp::reservedHook2() {}

void XqCmdUtilApp::exitApplication() {
  unregisterExtensions();

  for (const InternalExtensionRow& row : kInternalExtensions)
    delete qvrxHostClass(row.hostClass)->delX(QvDbEntityInternalBasePE::desc());
  for (auto row = std::rbegin(kInternalExtensions); row != std::rend(kInternalExtensions); ++row)
    row->remove();
  XqRxRegistration::remove<QvDbEntityInternalBasePE>();
  XqRxRegistration::remove<XqDbSubEntContainer>();
}

int XqCmdUtilApp::reservedQuery() {
  return 0;
}

void XqCmdUtilApp::registerExtensions() {
  VexaEntityPE::rxInit();
  // Each concrete extension reaches the registration of VexaEntity_Extension: the first call
  // registers it, the others find it.
  for (const EntityExtensionRow& row : kEntityExtensions) row.rxInit();
  for (const EntityExtensionRow& row : kEntityExtensions)
    qvrxHostClass(row.hostClass)->addX(VexaEntityPE::desc(), row.make());
}

void XqCmdUtilApp::unregisterExtensions() {
  for (const wchar_t* hostClass : kEntityExtensionDetachOrder)
    delete qvrxHostClass(hostClass)->delX(VexaEntityPE::desc());
  XqRxRegistration::remove<VexaEntity_Extension>();
  XqRxRegistration::remove<VexaEntityPE>();
}
