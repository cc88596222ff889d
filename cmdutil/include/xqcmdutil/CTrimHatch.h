#pragma once

#include <utility>
#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeArrays.h"
#include "sdk/ge/QvGeVector3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqVector.h"

class QvDbCurve;
class QvDbDatabase;
class QvDbEntity;
class QvDbHatch;
class QvDbPolyline;
class QvDbRegion;
class QvGeCurve2d;
class QvGeMatrix3d;
class QvGePlane;
namespace xq_hatchtrim {
class CutterIndex;
}  // namespace xq_hatchtrim

// Trims the loops of a hatch with cutting curves: each loop is replaced by the loops of the
// parts of it that lie inside a cutting curve, and removed when no part does. Seed points
// follow (a centroid per new loop), and so does associativity (the cutting objects' ids, plus
// the old loop's where its edges are reused; never the hatch's own).
//
// Each loop is cut on its own: its curves and the cutting pieces are split where they meet,
// the faces of the arrangement become regions of the modeler, the face around everything is
// dropped, nested faces become holes, and the regions inside a cutting curve are kept. A loop
// whose step fails in any way (no region, no modeler, an intersection cut short by the
// geometry work limit, a new loop the hatch refuses) stays as it was.
class XQCMDUTIL_EXPORT CTrimHatch {
 public:
  // A piece of curve and the drawing object it came from.
  using PieceRecord = std::pair<QvDbObjectId, QvDbEntity*>;
  using PieceList = XqVector<PieceRecord>;
  // A region and the distinct source ids of the pieces it was made of.
  struct RegionRecord {
    QvDbRegion* region = nullptr;
    QvArray<QvDbObjectId> ids;
  };
  using RegionList = std::vector<RegionRecord>;

  CTrimHatch() = delete;
  ~CTrimHatch() = default;

  // Trims `hatch` (open for write) with the cutting entities (opened by the caller; null
  // entries are skipped; entities that explode contribute their pieces). With projectionMode
  // 1 or 2 the pieces are first projected onto the hatch plane along the normal of
  // `projectionPlane`. True when a loop was replaced or removed; false for a null database or
  // hatch, or when no loop changed. Every cutting entity but the hatch is closed on return.
  static bool TrimHatch(QvDbDatabase* database, const QvArray<QvDbCurve*>& cuttingCurves,
                        QvDbHatch* hatch, int projectionMode, const QvGePlane& projectionPlane);

  // Appends the pieces of the cutting entities (exploded as far as they explode; splines as
  // chains of lines through their samples), each with its entity's id, and closes each
  // entity visited. Hatches, texts, multiline texts, leaders, traces and tables give nothing.
  static void _getAllSubEnties(const QvArray<QvDbCurve*>& cuttingCurves, PieceList& pieces);

  // How pieces, nodes and cutters near one another are found: through spatial indexes (true,
  // the default) or by going through all of them (the reference the tests compare with). The
  // results are the same either way.
  static void setIndexedSearch(bool indexed);

 private:
  struct Loop;

  // ---- Loop decomposition and cutting pieces ----
  static void _collectPieces(const QvArray<QvDbCurve*>& cuttingCurves, const QvDbHatch* hatch,
                             PieceList& pieces);
  static void _expandPieces(const QvDbObjectId& id, const QvDbEntity* entity, PieceList& pieces);
  static void _loopToCurves(const QvDbHatch* hatch, int loopIndex, std::vector<QvDbCurve*>& curves,
                            QvDbPolyline*& outline);
  static void _projectPieces(PieceList& pieces, const QvGePlane& plane,
                             const QvGeVector3d& direction);
  static Vexa::ErrorStatus _filterPiecesOutsideLoop(const QvDbPolyline* outline,
                                                    const QvDbObjectId& hatchId, PieceList& pieces,
                                                    bool deletePieces);
  static Vexa::ErrorStatus _isPieceOutsideLoop(const QvDbPolyline* outline, const QvDbCurve* piece,
                                               bool& outside);
  static bool _isPointInsideClosedCurve(const QvDbCurve* curve, const QvGePoint3d& point);
  static Vexa::ErrorStatus _splitAtIntersections(const PieceList& pieces, PieceList& split);

  // ---- Faces, regions and the survival test ----
  static int _buildRegions(const PieceList& pieces, RegionList& regions,
                           const QvDbObjectId& hatchId, const QvGeVector3d& normal);
  // `index` (when given) names the cutters a test ray may cross.
  static int _selectRegionsInsideCutters(const QvGePoint3d& origin, const QvGeVector3d& normal,
                                         const QvArray<QvDbCurve*>& cuttingCurves,
                                         const QvGePlane& hatchPlane, RegionList& regions,
                                         const xq_hatchtrim::CutterIndex* index = nullptr);
  static bool _findInteriorPoint(const QvDbRegion* region, QvGePoint3d& point);
  static bool _anyPointInsideCurve(const QvDbEntity* entity, const QvGePoint3dArray& points,
                                   const QvGePlane& fallbackPlane);
  static void _uniteTouchingRegions(RegionList& regions);

  // ---- New loops ----
  static void _curvesToHatchEdges(const std::vector<QvDbCurve*>& curves, const QvGeVector3d& normal,
                                  const QvGeMatrix3d& worldToPlane, QvArray<QvGeCurve2d*>& edges,
                                  QvArray<int>& edgeTypes);
  static bool _regionToLoops(const QvDbRegion* region, const QvDbHatch* hatch,
                             std::vector<Loop>& loops);
};
