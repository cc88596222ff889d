#include "tests/cmdutil/hatchtrim/TrimHatchSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "sdk/db/QvDbHatch.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ge/QvGeCurve2d.h"
#include "xqcmdutil/CTrimHatch.h"

bool trimHatch(QvDbDatabase* db, QvDbObjectId hatchId, const std::vector<QvDbObjectId>& cutterIds,
               int mode, const QvGePlane& plane) {
  QvArray<QvDbCurve*> cutters;
  for (const QvDbObjectId& id : cutterIds) {
    QvDbEntity* entity = nullptr;
    EXPECT_EQ(Vexa::eOk, qvdbOpenObject(entity, id, QvDb::kForRead));
    cutters.append(reinterpret_cast<QvDbCurve*>(entity));
  }
  QvDbObjectPointer<QvDbHatch> hatch(hatchId, QvDb::kForWrite);
  return CTrimHatch::TrimHatch(db, cutters, hatch.object(), mode, plane);
}

std::string describeHatch(QvDbObjectId hatchId) {
  QvDbObjectPointer<QvDbHatch> hatch(hatchId, QvDb::kForRead);
  std::string text;
  char line[160];
  for (int i = 0; i < hatch->numLoops(); ++i) {
    int type = 0;
    QvArray<QvGeCurve2d*> edges;
    QvGeIntArray types;
    hatch->getLoopAt(i, type, edges, types);
    text += "loop " + std::to_string(type) + "\n";
    for (int k = 0; k < edges.length(); ++k) {
      QvGePoint2d s, e;
      edges[k]->hasStartPoint(s);
      edges[k]->hasEndPoint(e);
      std::snprintf(line, sizeof line, "%d %.17g %.17g %.17g %.17g\n", types[k], s.x, s.y, e.x,
                    e.y);
      text += line;
      delete edges[k];
    }
    QvDbObjectIdArray ids;
    hatch->getAssocObjIdsAt(i, ids);
    for (const QvDbObjectId& id : ids) text += std::to_string(id.asOldId()) + " ";
    text += "\n";
  }
  QvGePoint2dArray seeds;
  hatch->getHatchSeedPoints(seeds);
  for (const QvGePoint2d& p : seeds) {
    std::snprintf(line, sizeof line, "seed %.17g %.17g\n", p.x, p.y);
    text += line;
  }
  double area = 0.0;
  hatch->getArea(area);
  std::snprintf(line, sizeof line, "area %.17g\n", area);
  return text + line;
}
