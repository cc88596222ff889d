#pragma once

#include <memory>

#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"

// Walks the vertices of a polyline made of vertex entities, in order. Each vertex is the one
// the iterator holds (a polyline in no database) or is opened for read by its id (a polyline
// in a database) and closed again after `visit`. A vertex of another class, or one that does
// not open, is skipped. `visit` takes a const Vertex& and answers false to stop the walk.
template <class Vertex, class Polyline, class Visit>
void xqForEachVertex(const Polyline& polyline, Visit visit) {
  const std::unique_ptr<QvDbObjectIterator> iterator(polyline.vertexIterator());
  if (!iterator) return;
  for (iterator->start(); !iterator->done(); iterator->step()) {
    if (QvDbEntity* held = iterator->entity()) {
      const Vertex* vertex = Vertex::cast(held);
      if (vertex && !visit(*vertex)) return;
      continue;
    }
    const QvDbObjectPointer<Vertex> vertex(iterator->objectId(), QvDb::kForRead);
    if (vertex && !visit(*vertex)) return;
  }
}
