// The host's own runtime classes, registered when the class registry is made, so that modules
// can attach protocol extensions to them before anything else runs. Each row is a class and the
// class it derives from; the classes of the SDK bind to these rows by name.
#include "sdk/rx/QvRxClassRegistry.h"

namespace {

struct HostClassRow {
  const wchar_t* name;
  const wchar_t* parent;
};

constexpr HostClassRow kHostClasses[] = {
    {L"QvRxObject", nullptr},
    {L"QvRxClass", L"QvRxObject"},
    {L"QvRxDictionary", L"QvRxObject"},
    {L"QvRxDynamicLinker", L"QvRxObject"},
    {L"QvRxDynamicLinkerImp", L"QvRxDynamicLinker"},
    {L"QvGiDrawable", L"QvRxObject"},

    // The database and its objects.
    {L"QvDbDatabase", L"QvRxObject"},
    {L"QvDbObject", L"QvGiDrawable"},
    {L"QvDbDictionary", L"QvDbObject"},
    {L"QvDbXrecord", L"QvDbObject"},
    {L"QvDbLayout", L"QvDbObject"},
    {L"QvDbSortentsTable", L"QvDbObject"},
    {L"QvDbField", L"QvDbObject"},
    {L"QvDbScale", L"QvDbObject"},
    {L"QvDbEvalGraph", L"QvDbObject"},
    {L"QvDbTagEvalGraph", L"QvDbObject"},
    {L"QvDbProxyObject", L"QvDbObject"},
    {L"QvDbRasterImageDef", L"QvDbObject"},
    {L"QvDbUnderlayDefinition", L"QvDbObject"},
    {L"QvDbDwfDefinition", L"QvDbUnderlayDefinition"},
    {L"QvDbPdfDefinition", L"QvDbUnderlayDefinition"},
    {L"QvDbDgnDefinition", L"QvDbUnderlayDefinition"},

    // Symbol tables and their records.
    {L"QvDbSymbolTable", L"QvDbObject"},
    {L"QvDbBlockTable", L"QvDbSymbolTable"},
    {L"QvDbLayerTable", L"QvDbSymbolTable"},
    {L"QvDbTextStyleTable", L"QvDbSymbolTable"},
    {L"QvDbDimStyleTable", L"QvDbSymbolTable"},
    {L"QvDbLinetypeTable", L"QvDbSymbolTable"},
    {L"QvDbRegAppTable", L"QvDbSymbolTable"},
    {L"QvDbUCSTable", L"QvDbSymbolTable"},
    {L"QvDbViewportTable", L"QvDbSymbolTable"},
    {L"QvDbViewTable", L"QvDbSymbolTable"},
    {L"QvDbSymbolTableRecord", L"QvDbObject"},
    {L"QvDbBlockTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbLayerTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbTextStyleTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbDimStyleTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbLinetypeTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbRegAppTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbUCSTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbViewportTableRecord", L"QvDbSymbolTableRecord"},
    {L"QvDbViewTableRecord", L"QvDbSymbolTableRecord"},

    // Entities.
    {L"QvDbEntity", L"QvDbObject"},
    {L"QvDbCurve", L"QvDbEntity"},
    {L"QvDbLine", L"QvDbCurve"},
    {L"QvDbArc", L"QvDbCurve"},
    {L"QvDbCircle", L"QvDbCurve"},
    {L"QvDbEllipse", L"QvDbCurve"},
    {L"QvDbSpline", L"QvDbCurve"},
    {L"QvDbHelix", L"QvDbSpline"},
    {L"QvDbPolyline", L"QvDbCurve"},
    {L"QvDb2dPolyline", L"QvDbCurve"},
    {L"QvDb3dPolyline", L"QvDbCurve"},
    {L"QvDbRay", L"QvDbCurve"},
    {L"QvDbXline", L"QvDbCurve"},
    {L"QvDbLeader", L"QvDbCurve"},
    {L"QvDbVertex", L"QvDbEntity"},
    {L"QvDb2dVertex", L"QvDbVertex"},
    {L"QvDb3dPolylineVertex", L"QvDbVertex"},
    {L"QvDbPolygonMeshVertex", L"QvDbVertex"},
    {L"QvDbPolyFaceMeshVertex", L"QvDbVertex"},
    {L"QvDbFaceRecord", L"QvDbVertex"},
    {L"QvDbSequenceEnd", L"QvDbEntity"},
    {L"QvDbPolygonMesh", L"QvDbEntity"},
    {L"QvDbPolyFaceMesh", L"QvDbEntity"},
    {L"QvDbMline", L"QvDbEntity"},
    {L"QvDbBlockReference", L"QvDbEntity"},
    {L"QvDbMInsertBlock", L"QvDbBlockReference"},
    {L"QvDbText", L"QvDbEntity"},
    {L"QvDbAttributeDefinition", L"QvDbText"},
    {L"QvDbAttribute", L"QvDbText"},
    {L"QvDbMText", L"QvDbEntity"},
    {L"QvDbHatch", L"QvDbEntity"},
    {L"QvDbRegion", L"QvDbEntity"},
    {L"QvDbSolid", L"QvDbEntity"},
    {L"QvDbTrace", L"QvDbEntity"},
    {L"QvDbFace", L"QvDbEntity"},
    {L"QvDbPoint", L"QvDbEntity"},
    {L"QvDbShape", L"QvDbEntity"},
    {L"QvDbOle2Frame", L"QvDbEntity"},
    {L"QvDbSection", L"QvDbEntity"},
    {L"QvDbFcf", L"QvDbEntity"},
    {L"QvDbTable", L"QvDbEntity"},
    {L"QvDbMLeader", L"QvDbEntity"},
    {L"QvDbViewport", L"QvDbEntity"},
    {L"QvDbRasterImage", L"QvDbEntity"},
    {L"QvDbWipeout", L"QvDbRasterImage"},
    {L"QvDb3dSolid", L"QvDbEntity"},
    {L"QvDbSurface", L"QvDbEntity"},
    {L"QvDbPlaneSurface", L"QvDbSurface"},
    {L"QvDbSweptSurface", L"QvDbSurface"},
    {L"QvDbUnderlayReference", L"QvDbEntity"},
    {L"QvDbDwfReference", L"QvDbUnderlayReference"},
    {L"QvDbPdfReference", L"QvDbUnderlayReference"},
    {L"QvDbDgnReference", L"QvDbUnderlayReference"},
    {L"QvDbProxyEntity", L"QvDbEntity"},
    {L"QvDbDimension", L"QvDbEntity"},
    {L"QvDbAlignedDimension", L"QvDbDimension"},
    {L"QvDbRotatedDimension", L"QvDbDimension"},
    {L"QvDb2LineAngularDimension", L"QvDbDimension"},
    {L"QvDb3PointAngularDimension", L"QvDbDimension"},
    {L"QvDbArcDimension", L"QvDbDimension"},
    {L"QvDbRadialDimension", L"QvDbDimension"},
    {L"QvDbRadialDimensionLarge", L"QvDbDimension"},
    {L"QvDbDiametricDimension", L"QvDbDimension"},
    {L"QvDbOrdinateDimension", L"QvDbDimension"},

    // Protocol extensions the host offers on its objects.
    {L"QvDbAnnotativeObjectPE", L"QvRxObject"},
    {L"QvDbPaperOrientationPE", L"QvRxObject"},
    {L"QvDbObjectContextInterface", L"QvRxObject"},

    // Contexts of annotative objects.
    {L"QvDbObjectContext", L"QvRxObject"},
    {L"QvDbAnnotationScale", L"QvDbObjectContext"},
};

// Second names of two classes, under which registrations may name them as parents.
constexpr HostClassRow kHostClassAliases[] = {
    {L"AcRxObject", L"QvRxObject"},
    {L"AcDbEntity", L"QvDbEntity"},
};

}  // namespace

void QvRxClassRegistry::registerHostClassTree() {
  for (const HostClassRow& row : kHostClasses) newClass(row.name, row.parent);
  for (const HostClassRow& row : kHostClassAliases) addAlias(row.name, row.parent);
}
