#pragma once

// What the module XqCmdUtil registers while it is loaded, as its documentation gives it: the
// runtime classes with the parent name given at registration, and the host entity classes
// that receive an object of each protocol-extension family.
namespace XqCmdUtilClassTable {

struct ClassRow {
  const wchar_t* name;
  const wchar_t* parent;
};

inline constexpr ClassRow kModuleClasses[] = {
    {L"VexaEntityPE", L"QvRxObject"},
    {L"VexaEntity_Extension", L"VexaEntityPE"},
    {L"QvDbEntityInternalBasePE", L"AcRxObject"},
    {L"QvDbEntityInternalPE", L"QvDbEntityInternalBasePE"},
    {L"QvDbCurveInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbLineInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDbHelixInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDbHatchInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbArcInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDbPlaneSurfaceInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbRegionInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDb3dSolidInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbSplineInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDbSurfaceInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbSweptSurfaceInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbPolylineInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDb2dPolylineInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDb3dPolylineInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDbCircleInternalPE", L"QvDbCurveInternalPE"},
    {L"QvDbSectionInternalPE", L"QvDbEntityInternalPE"},
    {L"QvDbEllipseInternalPE", L"QvDbCurveInternalPE"},
    {L"XqDbSubEntContainer", L"AcDbEntity"},
};

// The host entity classes that answer VexaEntityPE with a VexaEntity_Extension object.
inline constexpr const wchar_t* kEntityExtensionHosts[] = {
    L"QvDbCircle",    L"QvDb2dPolyline", L"QvDbArc",   L"QvDbBlockReference", L"QvDbDimension",
    L"QvDbEllipse",   L"QvDbFace",       L"QvDbHatch", L"QvDbLine",           L"QvDbMline",
    L"QvDbOle2Frame", L"QvDbRay",        L"QvDbMText", L"QvDbPoint",          L"QvDbPolyline",
    L"QvDbSolid",     L"QvDbText",       L"QvDbTrace", L"QvDbShape",          L"QvDbSpline",
    L"QvDbSection",
};

// The host entity classes that answer QvDbEntityInternalBasePE, with the extension's class.
inline constexpr ClassRow kInternalExtensionHosts[] = {
    {L"QvDbEntity", L"QvDbEntityInternalPE"},
    {L"QvDbCurve", L"QvDbCurveInternalPE"},
    {L"QvDbLine", L"QvDbLineInternalPE"},
    {L"QvDbHelix", L"QvDbHelixInternalPE"},
    {L"QvDbHatch", L"QvDbHatchInternalPE"},
    {L"QvDbArc", L"QvDbArcInternalPE"},
    {L"QvDbPlaneSurface", L"QvDbPlaneSurfaceInternalPE"},
    {L"QvDbRegion", L"QvDbRegionInternalPE"},
    {L"QvDb3dSolid", L"QvDb3dSolidInternalPE"},
    {L"QvDbSpline", L"QvDbSplineInternalPE"},
    {L"QvDbSurface", L"QvDbSurfaceInternalPE"},
    {L"QvDbSweptSurface", L"QvDbSweptSurfaceInternalPE"},
    {L"QvDbPolyline", L"QvDbPolylineInternalPE"},
    {L"QvDb2dPolyline", L"QvDb2dPolylineInternalPE"},
    {L"QvDb3dPolyline", L"QvDb3dPolylineInternalPE"},
    {L"QvDbCircle", L"QvDbCircleInternalPE"},
    {L"QvDbSection", L"QvDbSectionInternalPE"},
    {L"QvDbEllipse", L"QvDbEllipseInternalPE"},
};

// The number of protocol extensions attached to all registered classes together.
int attachedExtensionCount();

}  // namespace XqCmdUtilClassTable
