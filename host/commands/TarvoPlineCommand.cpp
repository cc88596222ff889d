#include "host/commands/TarvoPlineCommand.h"

#include <cmath>
#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/ge/QvGeMatrix3d.h"

namespace {

// The polyline as it is drawn: world points, and the bulge of the segment leaving each.
class PolylineDraft {
 public:
  explicit PolylineDraft(const QvGePoint3d& start) : points_{start}, bulges_{0.0} {}

  size_t vertexCount() const { return points_.size(); }
  const QvGePoint3d& last() const { return points_.back(); }
  const QvGePoint3d& first() const { return points_.front(); }

  void add(const QvGePoint3d& point, double bulge) {
    bulges_.back() = bulge;
    points_.push_back(point);
    bulges_.push_back(0.0);
  }
  void undo() {
    points_.pop_back();
    bulges_.pop_back();
    bulges_.back() = 0.0;
  }
  void close(double bulge) {
    bulges_.back() = bulge;
    closed_ = true;
  }

  // The direction at the end of the last segment (`start` when there is none).
  QvGeVector3d endDirection(const QvGeVector3d& start, const QvGeVector3d& normal) const {
    if (points_.size() < 2) return start;
    QvGeVector3d chord = points_.back() - points_[points_.size() - 2];
    const double bulge = bulges_[bulges_.size() - 2];
    // An arc ends turned by half its sweep from its chord.
    return chord.rotateBy(2.0 * std::atan(bulge), normal);
  }

  // The polyline in the plane of `normal` through the first point.
  QvDbPolyline* make(const QvGeVector3d& normal) const {
    const QvGeMatrix3d toPlane = QvGeMatrix3d::worldToPlane(normal);
    auto* polyline = new QvDbPolyline(static_cast<unsigned int>(points_.size()));
    polyline->setNormal(normal);
    for (size_t i = 0; i < points_.size(); ++i) {
      QvGePoint3d p = points_[i];
      p.transformBy(toPlane);
      if (i == 0) polyline->setElevation(p.z);
      polyline->addVertexAt(static_cast<unsigned int>(i), QvGePoint2d(p.x, p.y), bulges_[i]);
    }
    polyline->setClosed(closed_);
    return polyline;
  }

 private:
  std::vector<QvGePoint3d> points_;
  std::vector<double> bulges_;
  bool closed_ = false;
};

int addPolyline(const PolylineDraft& draft, const QvGeVector3d& normal) {
  if (draft.vertexCount() < 2) return kQvNone;
  if (TarvoDrawing::addToCurrentSpace(draft.make(normal)).isNull()) {
    TarvoCommandInput::say(L"\nThe polyline could not be added to the drawing.");
    return kQvError;
  }
  return kQvNormal;
}

}  // namespace

int TarvoPlineCommand::run(IVexaBuildInCommandContext& /*context*/) {
  const TarvoAnswer start =
      TarvoCommandInput::point(L"\nSpecify start point: ", nullptr, nullptr, true);
  if (start.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
  const QvGeVector3d normal = TarvoCommandInput::ucsNormal();
  const QvGeVector3d startDirection = TarvoCommandInput::ucsXAxis();
  PolylineDraft draft(start.point);
  bool arcMode = false;
  for (;;) {
    const QvGePoint3d from = draft.last();
    const TarvoAnswer next =
        arcMode ? TarvoCommandInput::point(
                      L"\nSpecify end point of arc or [Line/Second pt/Close/Undo]: ", &from,
                      L"Line Second Close Undo")
                : TarvoCommandInput::point(L"\nSpecify next point or [Arc/Close/Undo]: ", &from,
                                           L"Arc Close Undo");
    if (next.kind == TarvoAnswer::Kind::kCancel) return kQvCancel;
    if (next.kind == TarvoAnswer::Kind::kEnter) return addPolyline(draft, normal);
    if (next.kind == TarvoAnswer::Kind::kValue) {
      const double bulge =
          arcMode ? TarvoDrawing::tangentArcBulge(from, draft.endDirection(startDirection, normal),
                                                  next.point, normal)
                  : 0.0;
      draft.add(next.point, bulge);
    } else if (next.is(L"Arc") || next.is(L"Line")) {
      arcMode = next.is(L"Arc");
    } else if (next.is(L"Undo")) {
      if (draft.vertexCount() < 2)
        TarvoCommandInput::say(L"\nAll segments already undone.");
      else
        draft.undo();
    } else if (next.is(L"Close")) {
      if (draft.vertexCount() < 2) {
        TarvoCommandInput::say(L"\nA polyline needs two points before it can close.");
        continue;
      }
      draft.close(arcMode
                      ? TarvoDrawing::tangentArcBulge(
                            from, draft.endDirection(startDirection, normal), draft.first(), normal)
                      : 0.0);
      return addPolyline(draft, normal);
    } else {  // Second pt
      const TarvoAnswer second =
          TarvoCommandInput::point(L"\nSpecify second point on arc: ", &from, nullptr, true);
      if (second.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
      const TarvoAnswer end =
          TarvoCommandInput::point(L"\nSpecify end point of arc: ", &second.point, nullptr, true);
      if (end.kind != TarvoAnswer::Kind::kValue) return kQvCancel;
      draft.add(end.point, TarvoDrawing::threePointBulge(from, second.point, end.point, normal));
    }
  }
}
