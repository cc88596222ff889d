#pragma once

#include "sdk/app/VexaDocData.h"
#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePlane.h"
#include "sdk/ge/QvGePoint3d.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqVector.h"

class QvDbCurve;
class QvDbDatabase;
class QvDbEntity;
class QvDbSpline;
class QvDb2dPolyline;
class QvDbBlockReference;
class QvDbPolyline;
class QvGeCurve3d;
class QvGeVector3d;

// The points where the box of a text, grown by `margin` on every side, meets `other`, appended
// to `points`. The box is given by four corners b0..b3, b3 the corner from which b2 and b0 are
// reached (b0 = (0,2), b1 = (10,2), b2 = (10,0), b3 = (0,0) for a box 10 wide, 2 high). Each
// edge of the grown box is intersected with `other` in mode `intType`, projected onto `plane`
// when `usePlane`. eInvalidInput for other than four corners, a null entity or a margin that
// is not finite; eOk otherwise, also when nothing is met.
XQCMDUTIL_EXPORT Vexa::ErrorStatus getExtendedIntPtsWithEnt(const QvArray<QvGePoint3d>& boxPoints,
                                                            const QvDbEntity* other, double margin,
                                                            QvDb::Intersect intType,
                                                            QvArray<QvGePoint3d>& points,
                                                            const QvGePlane& plane, bool usePlane);

// Geometry and database utilities shared by the module's subsystems: static functions only.
class XQCMDUTIL_EXPORT XqDbUtil {
 public:
  XqDbUtil() = delete;

  // ---- Conversion between entities and geometry curves ----

  // The geometry of an entity as a new curve that the caller deletes; null for a null entity,
  // a class outside the list below or geometry that makes no curve. The entity must be
  // readable. Matched in this order, first match wins: line, circle, arc, ellipse, spline, 3D
  // polyline, 2D polyline, lightweight polyline, ray, xline, leader, aligned and rotated
  // dimension, raster image, solid, trace, face, wipeout, multiline text, text, feature control
  // frame. With exactClass only an entity of exactly that class matches, otherwise also one
  // derived from it. With unbounded, bounded curves give their carrier: a line its unbounded
  // line, an arc its circle, an ellipse its full ellipse, a ray its line, a dimension the line
  // through its extension-line origins.
  //   line: segment; circle, arc: circular arc; ellipse: elliptical arc from its start point
  //   (a whole ellipse makes the full turn from there); spline: NURBS curve;
  //   3D polyline: polyline through its vertices (closed ones end at the first again);
  //   2D and lightweight polyline: composite of lines and arcs; ray: ray; xline: line;
  //   leader: polyline through its grip points; aligned and rotated dimension: segment from
  //   xLine1Point to xLine2Point; raster image and wipeout: closed polyline through the
  //   boundary vertices; solid and trace: closed outline of corners 1, 2, 4, 3, 1; face:
  //   closed polyline through its grip points; text, multiline text, feature control frame:
  //   closed outline of the bounding points p0, p1, p3, p2, p0.
  static QvGeCurve3d* asQvGeCurve(const QvDbEntity* entity, bool unbounded = false,
                                  bool exactClass = false);

  // A new database curve (in no database, owned by the caller) for a geometry curve: a closed
  // circular arc gives a circle, an open one an arc; an elliptical arc an ellipse; an
  // unbounded line an xline, a segment a line, a ray a ray; a polyline a 3D polyline (one
  // vertex per fit point, never closed); a NURBS curve a spline. An elliptical arc whose minor
  // radius is the larger gives the ellipse with the axes exchanged. Null for a null curve,
  // invalid geometry and any other kind (composites).
  static QvDbCurve* asDbCurve(const QvGeCurve3d* curve);

  // Makes `target`, a lightweight polyline, the copy of `source`, a 2D polyline: its vertices
  // (curve-fit vertices skipped) with bulges, widths and identifiers, its properties, closed
  // state, linetype generation, elevation, thickness, normal and extended data. Both must be of
  // exactly those classes (eInvalidInput, nothing touched). A vertex carrying extended data,
  // which the copy would lose, is refused with eNotApplicable unless ignoreVertexXData; the
  // target is then unchanged, as it is when it may not be changed (eNotOpenForWrite).
  static Vexa::ErrorStatus lwPlineFrom2DPline(QvDbCurve* target, const QvDbCurve* source,
                                              bool ignoreVertexXData);

  // Appends to `params` (without repeats) the parameters of `curve` at `point`: for a
  // lightweight polyline, of every segment the point lies on, the vertex index plus the
  // fraction of the segment (of its length, or of its angle for an arc; a point at a vertex
  // gives one parameter for the two segments that meet there); for a 3D polyline the curve's
  // own parameter. Points within the curve's dynamic tolerance (qvdbCalDynamicTol) count as on
  // it; one that lies just beyond a segment's end counts as at that end. eInvalidInput when the
  // point is on none, for a polyline without segments and for other classes (matched exactly).
  static Vexa::ErrorStatus getParamsAtPoint(const QvDbCurve* curve, const QvGePoint3d& point,
                                            QvArray<double>& params);

  // ---- Views ----

  // The current view direction (the system variable "VIEWDIR", from the viewer towards the
  // target's opposite, kept in the UCS) as a world vector. eNotApplicable when it cannot be
  // read.
  static Vexa::ErrorStatus getViewDirWcs(QvGeVector3d& viewDir);

  // Appends a new entity to `owner`, or, with a null owner, to the model space of `database`
  // (the working database when null) when tile mode is on or "CVPORT" is not 1, else to its
  // paper space. Answers the entity's id, which it keeps open for write for the caller to
  // close; an entity already in a database answers its own id and is not touched. The null
  // id for a null entity, no database, or an owner that does not open for write as a block
  // table record (the entity then stays with the caller).
  static QvDbObjectId CommitToDB(QvDbEntity*& entity, QvDbDatabase* database = nullptr,
                                 QvDbObjectId owner = QvDbObjectId::kNull);

  // ---- Normalisation matrices ----
  // A matrix that moves the centre of a curve's bounding box to the origin and, withScale,
  // then scales about the origin so that the box's diagonal is 10 (a box without size is only
  // moved). The axes never turn. The box of a ray runs from its base 10 direction units along
  // it; that of an unbounded line 5 units either side of its point.
  static QvGeMatrix3d normalizationMatrix(const QvGeCurve3d& curve, bool withScale);
  // The same for the box around both curves, always scaled.
  static QvGeMatrix3d normalizationMatrix(const QvGeCurve3d& first, const QvGeCurve3d& second);
  // The same for database curves, through their geometry curves; a curve that makes none takes
  // the box of the entity (rays and xlines as above, others their extents). The identity for a
  // null curve or one without a box.
  static QvGeMatrix3d normalizationMatrix(const QvDbCurve* const& curve, bool withScale);
  static QvGeMatrix3d normalizationMatrix(const QvDbCurve* const& first,
                                          const QvDbCurve* const& second);

  // ---- Extended intersections and spline extension ----

  // As the free function of the same name.
  static Vexa::ErrorStatus getExtendedIntPtsWithEnt(const QvArray<QvGePoint3d>& boxPoints,
                                                    const QvDbEntity* other, double margin,
                                                    QvDb::Intersect intType,
                                                    QvArray<QvGePoint3d>& points,
                                                    const QvGePlane& plane, bool usePlane);

  // What continues a spline beyond its ends, as new curves the caller deletes, in four slots
  // (null where nothing is): 0 the ray beyond the start, 1 the curve extension at the start,
  // 2 the curve extension at the end, 3 the ray beyond the end. A straight end (no curvature)
  // gets only its ray, from the end point along the tangent; a curved one the host's
  // extension segment, and the ray from that segment's far end. An end without a tangent gets
  // no ray. True when a curve was made. False with four null slots when nothing was asked or
  // the spline is null or has no curve; false with the array emptied when an evaluation or
  // extension failed.
  static bool getSplineExtendSegmentGeCurve(const QvDbSpline* spline, bool atStart, bool atEnd,
                                            QvArray<QvGeCurve3d*>& curves);

  // ---- Mirror preview ----

  // Under "MIRRORDRAW" = 1 and when the document's mirror mask shares a bit with `mask`, adds
  // the entity's mirror image (drawCopyEntity).
  static void drawSymmetricalLine(QvDbObjectId entityId, SymmetricalObjMask mask);
  // Adds the entity's mirror image in the document's mirror line (two UCS points): the plane
  // through the first point spanned by the line and the UCS z axis, or the UCS x axis when the
  // line runs along z. Under kSymmetricalTracked the copy made earlier is replaced in place
  // (same id); otherwise the copy joins the current space. Nothing happens for a null or
  // unreadable entity or a mirror line of zero length.
  static void drawCopyEntity(QvDbObjectId entityId, SymmetricalObjMask mask);

  // ---- System-variable ranges and strings ----

  // Parses "min_max" (white space allowed around the numbers, as " 0_ 4"): 1 with min and max
  // set; 0, with both untouched, for a null text, no underscore, a number missing or
  // malformed, one outside the int range, or min above max.
  static int getShortRange(const char* text, int& min, int& max);
  // The allowed interval of a short system variable: its range text, else 0..1 for a two-state
  // variable. False, with min and max untouched, for an unknown variable, one that is not a
  // short, and a short without a range (any value allowed).
  static bool GetSysVarRange(const QvString& name, double& min, double& max);
  // Appends to `parts` the non-empty pieces of `text` between occurrences of `separator`;
  // answers how many. 0, with nothing appended, for an empty text or separator or a text
  // without the separator.
  static int SplitString(const QvString& text, const QvString& separator, QvArray<QvString>& parts);

  // ---- Dimension definition points and selection helpers ----
  //
  // A selection path runs from the outermost container to the picked entity; a viewport at
  // its front is dropped before use. Results of the int functions are classic result codes.

  // The definition points a new dimension takes from a pick: the two ends of the picked
  // segment in p1 and p2 (a line, an arc, the segment of a polyline under the pick point
  // seen along the z axis of `ucs`, the nearest piece of a region or multiline, the entity
  // picked inside a block reference), or the four quadrant points of a circle in the active
  // view (p1, p2 along the view's x axis, p3, p4 along its y axis). A polyline also gives the
  // index of its segment and sets `isPolyline`. kQvNormal; kQvError for an empty path or a
  // failed query; kQvRejected for a class that cannot be dimensioned.
  static int getDimensionDefPoints(const XqVector<QvDbObjectId>& path, QvGePoint3d& p1,
                                   QvGePoint3d& p2, QvGePoint3d& p3, QvGePoint3d& p4,
                                   const QvGePoint3d& pickPoint, const QvGeMatrix3d& ucs,
                                   unsigned int& segmentIndex, bool& isPolyline);
  // The same for the sub-entity a selection marker names on the entity the path ends at (a
  // lightweight polyline's segment index + 1, the vertex id a 2D or 3D polyline's segment
  // leaves; a picked vertex gives its own), in world coordinates: its two ends, or for a circle
  // the point nearest the pick and the one opposite, or with `circleQuadrants` its quadrant
  // points in the active view. The third argument is not used. kQvRejected for a path that
  // cannot be dimensioned (isSupportableSelEntToDim), a marker that names nothing and what is
  // not a curve.
  static int getDimensionDefPoints(const XqVector<QvDbObjectId>& path, const QvGePoint3d& pickPoint,
                                   bool unused, bool circleQuadrants, QvGePoint3d& p1,
                                   QvGePoint3d& p2, QvGePoint3d& p3, QvGePoint3d& p4,
                                   int64_t& marker);

  // The marker of the segment that leaves a vertex of a 2D or 3D polyline, polygon mesh or
  // polyface mesh; untouched for anything else.
  static void getGsMarkerBySubEnt(QvDbObjectId vertexId, int64_t& marker);
  // Of the pieces of an exploded block reference (nested references searched in turn, the
  // curves of regions measured), the one nearest `point`, when nearer than `distance`, which
  // is lowered to its distance; null when none is. The caller owns the result.
  static QvDbEntity* getSelectedEntityFromTheBlock(const QvDbBlockReference* reference,
                                                   const QvGePoint3d& point, double& distance);
  // A copy, in world coordinates, of the entity the path ends at (the polyline for a vertex);
  // null when it cannot be read. The caller owns it.
  static void getSelectedEntityFromIdPath(const XqVector<QvDbObjectId>& path, QvDbEntity*& entity);
  static bool getSymbolTableRecordName(QvDbObjectId recordId, QvString& name);
  // The point of a lightweight polyline nearest `point` and the index of its segment. A
  // polyline without vertices leaves both untouched; one of a single vertex gives it, index 0.
  static void closestPointOnPolyline(const QvDbPolyline* polyline, const QvGePoint3d& point,
                                     QvGePoint3d& closest, unsigned int& segmentIndex);
  // The id of the vertex at a 1-based index of a 2D polyline; untouched for an index of 0 or
  // past the last vertex, or another class.
  static void get2dPlineVertIdByIndex(const QvDb2dPolyline* polyline, unsigned int index,
                                      QvDbObjectId& vertexId);
  // The marker of the polyline segment under `point` seen along the view direction (a
  // lightweight polyline's segment index + 1, a 2D or 3D polyline's vertex id); with
  // `xform` the polyline is seen transformed. True when the marker is positive.
  static bool getPolylineGsMarkerByGivenPointInViewDir(const QvDbEntity* entity,
                                                       const QvGePoint3d& point, int64_t& marker,
                                                       const QvGeMatrix3d* xform = nullptr);
  static bool getPolylineGsMarkerByGivenPointInViewDir(QvDbObjectId entityId,
                                                       const QvGePoint3d& point, int64_t& marker,
                                                       const QvGeMatrix3d* xform = nullptr);
  // False for an empty path, one through a dimension (or a table, with `rejectTables`), or
  // one ending at a viewport.
  static bool isSupportableSelEntToDim(bool rejectTables, const XqVector<QvDbObjectId>& path);
  static bool isSupportableDimSnapObj(const XqVector<QvDbObjectId>& path, int64_t marker);
  // The UCS normal ("UCSXDIR" x "UCSYDIR", world axes where unreadable); answers the read
  // status of "UCSYDIR".
  static int calculateNormal(QvGeVector3d& normal);
};
