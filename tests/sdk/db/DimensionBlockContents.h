#pragma once

#include <array>
#include <vector>

#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeLineSeg3d.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

// What a dimension block holds, read with every object closed again.
struct BlockContents {
  struct Arc {
    QvGePoint3d center;
    double radius = 0.0;
  };
  QvString name;
  QvDbObjectIdArray ids;
  std::vector<QvGeLineSeg3d> lines;
  std::vector<Arc> arcs;
  std::vector<std::array<QvGePoint3d, 3>> arrows;  // the solids' three corners, the tip first
  std::vector<QvString> texts;
  std::vector<QvGePoint3d> textLocations;
  std::vector<QvGeVector3d> textDirections;
  int onLayerZeroByBlock = 0;  // entities on layer "0" with colour by block

  // How many lines run between the two points, either way round.
  int countJoining(const QvGePoint3d& a, const QvGePoint3d& b) const;
  // The arrowhead whose tip is at `tip`, or null.
  const std::array<QvGePoint3d, 3>* arrowAt(const QvGePoint3d& tip) const;
  // Whether a line has one end at `a` and its other end on the ray from `a` through `b`.
  bool hasLineFromTowards(const QvGePoint3d& a, const QvGePoint3d& b) const;
};

BlockContents contentsOf(QvDbObjectId blockId);
// The block of a dimension (null when it does not open).
QvDbObjectId dimBlockOf(QvDbObjectId dimensionId);
// The contents of a dimension's block; a failure when it has none.
BlockContents drawnIn(QvDbObjectId dimensionId);

// A dimension draws `polylines` lines, `polygons` arrowheads, `arcs` arcs and the one text.
void expectDrawing(QvDbEntity* dimension, int polylines, int polygons, int arcs,
                   const wchar_t* text);

class DimensionTest : public HostFixture {
 protected:
  QvDbObjectId append(QvDbEntity* entity) { return appendEntity(db()->modelSpaceId(), entity); }
};
