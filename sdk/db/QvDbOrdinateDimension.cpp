#include "sdk/db/QvDbOrdinateDimension.h"

#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbTextMetrics.h"
#include "sdk/db/detail/DimensionDrawing.h"
#include "sdk/ge/QvGe.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbOrdinateDimension)

using namespace qvdb_detail;

// The user's x axis is the plane's turned back by the horizontal rotation.
QvGeVector3d QvDbOrdinateDimension::measuredAxis() const {
  const double x = -horizontalRotation();
  return planeDirection(usingXAxis_ ? x : x + QvGe::kPi / 2.0, normal());
}

QvGeVector3d QvDbOrdinateDimension::leaderAxis() const {
  const double x = -horizontalRotation();
  return planeDirection(usingXAxis_ ? x + QvGe::kPi / 2.0 : x, normal());
}

double QvDbOrdinateDimension::measuredValue() const {
  return std::fabs((definingPoint_ - origin_).dotProduct(measuredAxis()));
}

void QvDbOrdinateDimension::getDefinitionPoints(QvGePoint3dArray& points) const {
  points.append(origin_);
  points.append(definingPoint_);
  points.append(leaderEndPoint_);
}

void QvDbOrdinateDimension::setDefinitionPoints(const QvGePoint3dArray& points) {
  origin_ = points[0];
  definingPoint_ = points[1];
  leaderEndPoint_ = points[2];
}

Vexa::ErrorStatus QvDbOrdinateDimension::subMakeBlockEntities(
    const BlockSizes& sizes, bool placeText, QvGePoint3d& textPosition,
    QvArray<QvDbEntity*>& entities) const {
  const QvGeVector3d normal = this->normal();
  const QvGeVector3d across = measuredAxis();
  QvGeVector3d lead = leaderAxis();
  double run = (leaderEndPoint_ - definingPoint_).dotProduct(lead);
  if (run < 0.0) {
    lead = -lead;
    run = -run;
  }
  // Straight from the defining point across the measured axis, then a jog over the last two
  // arrow sizes to the leader's end when that lies off the straight line.
  const double jog = (leaderEndPoint_ - definingPoint_).dotProduct(across);
  const double offset = std::min(sizes.extensionOffset, run);
  const QvGePoint3d start = definingPoint_ + lead * offset;
  const double straight =
      std::fabs(jog) > 0.0 ? std::max(offset, run - 2.0 * sizes.arrowSize) : run;
  const QvGePoint3d knee = definingPoint_ + lead * straight;
  if (!start.isEqualTo(knee)) entities.append(new QvDbLine(start, knee));
  if (!knee.isEqualTo(leaderEndPoint_)) entities.append(new QvDbLine(knee, leaderEndPoint_));

  const QvString contents = dimensionNumber(measuredValue());
  const QvGeVector3d reading = readingDirection(lead, normal);
  if (placeText) {
    const double width = QvDbTextMetrics::width(contents, sizes.textHeight);
    textPosition = leaderEndPoint_ + lead * (sizes.textGap + width / 2.0);
  }
  entities.append(dimensionLabel(textPosition, reading, normal, sizes.textHeight, contents));
  return Vexa::eOk;
}
