#include "sdk/db/detail/DimensionDrawing.h"

#include <algorithm>
#include <cmath>

#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/ge/QvGe.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ge/QvGePrecision.h"

namespace qvdb_detail {

QvString dimensionNumber(double value) {
  QvString text = QvString::format(L"%.4f", value);
  while (text.find(L'.') >= 0 && (text.right(1) == L"0" || text.right(1) == L"."))
    text = text.left(text.length() - 1);
  return text == L"-0" ? QvString(L"0") : text;
}

QvString dimensionDegrees(double radians) {
  return dimensionNumber(radians * 180.0 / QvGe::kPi) + L"\u00B0";
}

QvDbSolid* dimensionArrowhead(const QvGePoint3d& tip, const QvGeVector3d& back, double size,
                              const QvGeVector3d& normal) {
  const QvGePoint3d base = tip + back * size;
  const QvGeVector3d side = normal.crossProduct(back).normal() * (size / 6.0);
  auto* solid = new QvDbSolid(tip, base + side, base - side);
  solid->setNormal(normal);
  return solid;
}

QvDbLine* dimensionExtensionLine(const QvGePoint3d& origin, const QvGePoint3d& foot,
                                 const QvGeVector3d& fallback, double offset, double beyond) {
  const double length = origin.distanceTo(foot);
  QvGeVector3d up = foot - origin;
  up = up.isZeroLength() ? fallback : up.normal();
  return new QvDbLine(origin + up * std::min(offset, length), foot + up * beyond);
}

QvGeVector3d readingDirection(const QvGeVector3d& along, const QvGeVector3d& normal) {
  QvGeVector3d inPlane = along.normal();
  inPlane.transformBy(QvGeMatrix3d::worldToPlane(normal));
  const double vertical = QvGePrecision::kRelative;
  if (inPlane.x < -vertical || (inPlane.x <= vertical && inPlane.y < 0.0)) return -along;
  return along;
}

QvDbMText* dimensionLabel(const QvGePoint3d& position, const QvGeVector3d& direction,
                          const QvGeVector3d& normal, double height, const QvString& contents) {
  auto* text = new QvDbMText();
  text->setNormal(normal);
  text->setDirection(direction);
  text->setLocation(position);
  text->setAttachment(QvDbMText::kMiddleCenter);
  text->setTextHeight(height);
  text->setContents(contents.c_str());
  return text;
}

double planeAngle(const QvGeVector3d& direction, const QvGeVector3d& normal) {
  return normal.perpVector().angleTo(direction, normal);
}

QvGeVector3d planeDirection(double angle, const QvGeVector3d& normal) {
  QvGeVector3d direction(std::cos(angle), std::sin(angle), 0.0);
  return direction.transformBy(QvGeMatrix3d::planeToWorld(normal));
}

}  // namespace qvdb_detail
