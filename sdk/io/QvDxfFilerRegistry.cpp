#include "sdk/io/QvDxfFilerRegistry.h"

#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbMInsertBlock.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbPolyFaceMesh.h"
#include "sdk/db/QvDbPolygonMesh.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/entities/QvDxfModelerFilers.h"
#include "sdk/rx/QvRxClass.h"

const QvDxfFilerRegistry& QvDxfFilerRegistry::instance() {
  static const QvDxfFilerRegistry registry;
  return registry;
}

QvDxfFilerRegistry::QvDxfFilerRegistry() {
  // Symbol-table records.
  add(qvDxfViewportFiler());
  add(qvDxfLinetypeFiler());
  add(qvDxfLayerFiler());
  add(qvDxfTextStyleFiler());
  add(qvDxfViewFiler());
  add(qvDxfUcsFiler());
  add(qvDxfRegAppFiler());
  add(qvDxfDimStyleFiler());
  add(qvDxfBlockRecordFiler());
  // Objects.
  add(qvDxfDictionaryFiler());
  add(qvDxfXrecordFiler());
  add(qvDxfLayoutFiler());
  add(qvDxfSortentsTableFiler());
  add(qvDxfScaleFiler());
  add(qvDxfRasterImageDefFiler());
  add(qvDxfFieldFiler());
  add(qvDxfEvalGraphFiler());
  add(qvDxfTagEvalGraphFiler());
  add(qvDxfPdfDefinitionFiler());
  add(qvDxfDwfDefinitionFiler());
  add(qvDxfDgnDefinitionFiler());
  // Entities.
  add(qvDxfLineFiler());
  add(qvDxfPointFiler());
  add(qvDxfCircleFiler());
  add(qvDxfArcFiler());
  add(qvDxfEllipseFiler());
  add(qvDxfSplineFiler());
  add(qvDxfHelixFiler());
  add(qvDxfMlineFiler());
  add(qvDxfSectionFiler());
  add(qvDxfShapeFiler());
  add(qvDxfOle2FrameFiler());
  add(qvDxfViewportEntityFiler());
  add(qvDxfTableFiler());
  add(qvDxfRayFiler());
  add(qvDxfXlineFiler());
  add(qvDxfSolidFiler());
  add(qvDxfTraceFiler());
  add(qvDxfFaceFiler());
  add(qvDxfTextFiler());
  add(qvDxfMTextFiler());
  add(qvDxfAttributeDefinitionFiler());
  add(qvDxfAttributeFiler());
  add(qvDxfBlockReferenceFiler(), {QvDbMInsertBlock::desc()});
  add(qvDxfPolylineFiler());
  add(qvDxfPolyline2d3dFiler(),
      {QvDb3dPolyline::desc(), QvDbPolygonMesh::desc(), QvDbPolyFaceMesh::desc()});
  // Vertices are read as followers of their polyline, by class.
  add(qvDxfPolygonMeshVertexFiler());
  add(qvDxfPolyFaceMeshVertexFiler());
  add(qvDxfFaceRecordFiler());
  add(qvDxfVertex2dFiler());
  add(qvDxfVertex3dFiler());
  // Annotations: DIMENSION for every kind of dimension but two, which have records of their
  // own.
  add(qvDxfDimensionFiler(), {QvDbAlignedDimension::desc(), QvDb2LineAngularDimension::desc(),
                              QvDbDiametricDimension::desc(), QvDbRadialDimension::desc(),
                              QvDb3PointAngularDimension::desc(), QvDbOrdinateDimension::desc()});
  add(qvDxfArcDimensionFiler());
  add(qvDxfLargeRadialDimensionFiler());
  add(qvDxfLeaderFiler());
  add(qvDxfToleranceFiler());
  add(qvDxfRasterImageFiler());
  add(qvDxfWipeoutFiler());
  add(qvDxfHatchFiler());
  add(qvDxfPdfReferenceFiler());
  add(qvDxfDwfReferenceFiler());
  add(qvDxfDgnReferenceFiler());
  // Regions, 3D solids and surfaces, made by the modeler.
  add(qvDxfRegionFiler());
  add(qvDxf3dSolidFiler());
  add(qvDxfSurfaceFiler());
  add(qvDxfPlaneSurfaceFiler());
  add(qvDxfSweptSurfaceFiler());

  // Proxies: by class only, for what no other filer reads.
  filers_.push_back(qvDxfProxyEntityFiler());
  proxyEntities_ = filers_.back().get();
  byClass_[proxyEntities_->objectClass()] = proxyEntities_;
  filers_.push_back(qvDxfProxyObjectFiler());
  proxyObjects_ = filers_.back().get();
  byClass_[proxyObjects_->objectClass()] = proxyObjects_;
}

void QvDxfFilerRegistry::add(std::unique_ptr<QvDxfClassFiler> filer,
                             std::initializer_list<const QvRxClass*> alsoFor) {
  byName_[filer->placement()][filer->recordName()] = filer.get();
  byClass_[filer->objectClass()] = filer.get();
  for (const QvRxClass* cls : alsoFor) byClass_[cls] = filer.get();
  filers_.push_back(std::move(filer));
}

const QvDxfClassFiler* QvDxfFilerRegistry::forRecord(QvDxfClassFiler::Placement placement,
                                                     std::string_view recordName) const {
  const auto& map = byName_[placement];
  const auto it = map.find(recordName);
  return it == map.end() ? nullptr : it->second;
}

const QvDxfClassFiler& QvDxfFilerRegistry::forObject(const QvRxClass* cls) const {
  if (const auto it = byClass_.find(cls); it != byClass_.end()) return *it->second;
  return cls && cls->isDerivedFrom(QvDbEntity::desc()) ? *proxyEntities_ : *proxyObjects_;
}
