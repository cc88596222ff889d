#pragma once

#include "sdk/db/QvDbEntity.h"

// A vertex of a polyline that keeps its vertices as entities: owned by the polyline, reached
// through its vertex iterator.
class QvDbVertex : public QvDbEntity {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbVertex);

 protected:
  QvDbVertex() = default;
  QvDbVertex(const QvDbVertex&) = default;
  QvDbVertex& operator=(const QvDbVertex&) = default;
};
