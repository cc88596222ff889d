#pragma once

#include <memory>

#include "sdk/io/QvDxfClassFiler.h"

// The filers of the database's classes (each in its own file under sdk/io), listed by
// QvDxfFilerRegistry.
using QvDxfFilerPtr = std::unique_ptr<QvDxfClassFiler>;

// Symbol-table records.
QvDxfFilerPtr qvDxfLayerFiler();
QvDxfFilerPtr qvDxfLinetypeFiler();
QvDxfFilerPtr qvDxfTextStyleFiler();
QvDxfFilerPtr qvDxfDimStyleFiler();
QvDxfFilerPtr qvDxfRegAppFiler();
QvDxfFilerPtr qvDxfUcsFiler();
QvDxfFilerPtr qvDxfViewFiler();
QvDxfFilerPtr qvDxfViewportFiler();
QvDxfFilerPtr qvDxfBlockRecordFiler();

// Objects.
QvDxfFilerPtr qvDxfDictionaryFiler();
QvDxfFilerPtr qvDxfXrecordFiler();
QvDxfFilerPtr qvDxfLayoutFiler();
QvDxfFilerPtr qvDxfSortentsTableFiler();
QvDxfFilerPtr qvDxfScaleFiler();
QvDxfFilerPtr qvDxfProxyObjectFiler();
QvDxfFilerPtr qvDxfRasterImageDefFiler();
QvDxfFilerPtr qvDxfFieldFiler();
QvDxfFilerPtr qvDxfEvalGraphFiler();
QvDxfFilerPtr qvDxfTagEvalGraphFiler();
QvDxfFilerPtr qvDxfPdfDefinitionFiler();
QvDxfFilerPtr qvDxfDwfDefinitionFiler();
QvDxfFilerPtr qvDxfDgnDefinitionFiler();

// Entities.
QvDxfFilerPtr qvDxfLineFiler();
QvDxfFilerPtr qvDxfPointFiler();
QvDxfFilerPtr qvDxfCircleFiler();
QvDxfFilerPtr qvDxfArcFiler();
QvDxfFilerPtr qvDxfEllipseFiler();
QvDxfFilerPtr qvDxfSplineFiler();
QvDxfFilerPtr qvDxfRayFiler();
QvDxfFilerPtr qvDxfXlineFiler();
QvDxfFilerPtr qvDxfSolidFiler();
QvDxfFilerPtr qvDxfTraceFiler();
QvDxfFilerPtr qvDxfFaceFiler();
QvDxfFilerPtr qvDxfTextFiler();
QvDxfFilerPtr qvDxfMTextFiler();
QvDxfFilerPtr qvDxfAttributeDefinitionFiler();
QvDxfFilerPtr qvDxfAttributeFiler();
QvDxfFilerPtr qvDxfBlockReferenceFiler();
QvDxfFilerPtr qvDxfPolylineFiler();
QvDxfFilerPtr qvDxfPolyline2d3dFiler();
QvDxfFilerPtr qvDxfVertex2dFiler();
QvDxfFilerPtr qvDxfVertex3dFiler();
QvDxfFilerPtr qvDxfDimensionFiler();
QvDxfFilerPtr qvDxfArcDimensionFiler();
QvDxfFilerPtr qvDxfLargeRadialDimensionFiler();
QvDxfFilerPtr qvDxfLeaderFiler();
QvDxfFilerPtr qvDxfToleranceFiler();
QvDxfFilerPtr qvDxfProxyEntityFiler();
QvDxfFilerPtr qvDxfRasterImageFiler();
QvDxfFilerPtr qvDxfWipeoutFiler();
QvDxfFilerPtr qvDxfHatchFiler();
QvDxfFilerPtr qvDxfPdfReferenceFiler();
QvDxfFilerPtr qvDxfDwfReferenceFiler();
QvDxfFilerPtr qvDxfDgnReferenceFiler();
