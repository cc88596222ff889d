#include "host/commands/TarvoDimensionCommand.h"

#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

#include "host/commands/TarvoCommandInput.h"
#include "host/commands/TarvoDrawing.h"
#include "host/commands/TarvoEntityLabel.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
#include "sdk/ed/qvedInput.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/VexaEntityPE.h"

namespace {

QvString text(const QvGePoint3d& p) {
  return QvString::format(L"(%.6g,%.6g,%.6g)", p.x, p.y, p.z);
}

// The points asked in turn; false when one is not given.
bool askPoints(std::initializer_list<const wchar_t*> prompts, std::vector<QvGePoint3d>& points) {
  for (const wchar_t* prompt : prompts) {
    const QvGePoint3d* from = points.empty() ? nullptr : &points.back();
    const TarvoAnswer answer = TarvoCommandInput::point(prompt, from, nullptr, true);
    if (answer.kind != TarvoAnswer::Kind::kValue) return false;
    points.push_back(answer.point);
  }
  return true;
}

// A dimension of the kind named, from the points the user gives; null when cancelled.
QvDbDimension* make(const QvString& kind) {
  std::vector<QvGePoint3d> p;
  if (kind == L"Angular") {
    if (!askPoints({L"\nFirst line, start point: ", L"\nFirst line, end point: ",
                    L"\nSecond line, start point: ", L"\nSecond line, end point: ",
                    L"\nDimension arc location: "},
                   p))
      return nullptr;
    return new QvDb2LineAngularDimension(p[0], p[1], p[2], p[3], p[4]);
  }
  if (kind == L"3point") {
    if (!askPoints({L"\nAngle vertex: ", L"\nFirst angle endpoint: ", L"\nSecond angle endpoint: ",
                    L"\nDimension arc location: "},
                   p))
      return nullptr;
    return new QvDb3PointAngularDimension(p[0], p[1], p[2], p[3]);
  }
  if (kind == L"ARc") {
    if (!askPoints({L"\nArc center: ", L"\nArc start point: ", L"\nArc end point: ",
                    L"\nDimension arc location: "},
                   p))
      return nullptr;
    return new QvDbArcDimension(p[0], p[1], p[2], p[3]);
  }
  if (kind == L"Radius") {
    if (!askPoints({L"\nCenter point: ", L"\nPoint on the curve: "}, p)) return nullptr;
    return new QvDbRadialDimension(p[0], p[1], 0.0);
  }
  if (kind == L"Jogged") {
    if (!askPoints({L"\nCenter point: ", L"\nPoint on the curve: ", L"\nCenter to show: ",
                    L"\nJog location: "},
                   p))
      return nullptr;
    return new QvDbRadialDimensionLarge(p[0], p[1], p[2], p[3], std::numbers::pi / 4.0);
  }
  if (kind == L"Diameter") {
    if (!askPoints({L"\nPoint on the curve: ", L"\nOpposite point: "}, p)) return nullptr;
    return new QvDbDiametricDimension(p[0], p[1], 0.0);
  }
  if (!askPoints({L"\nFeature location: ", L"\nLeader endpoint: "}, p)) return nullptr;
  // In the UCS: from its origin, along x when the leader runs more up than across.
  QvGeMatrix3d ucs;
  qvedGetCurrentUCS(ucs);
  QvGePoint3d origin = QvGePoint3d::kOrigin;
  origin.transformBy(ucs);
  const QvGeVector3d x = TarvoCommandInput::ucsXAxis(), normal = TarvoCommandInput::ucsNormal();
  const QvGeVector3d lead = p[1] - p[0];
  const bool useX =
      std::fabs(lead.dotProduct(normal.crossProduct(x))) > std::fabs(lead.dotProduct(x));
  auto* ordinate = new QvDbOrdinateDimension(useX, p[0], p[1]);
  ordinate->setOrigin(origin);
  ordinate->setNormal(normal);
  // The UCS x axis is the plane's turned back by the horizontal rotation.
  ordinate->setHorizontalRotation(-normal.perpVector().angleTo(x, normal));
  return ordinate;
}

// The measurement as the kind gives it: angles in degrees.
QvString measured(const QvDbDimension& dimension) {
  const double value = dimension.measurement();
  if (QvDb2LineAngularDimension::cast(&dimension) || QvDb3PointAngularDimension::cast(&dimension))
    return QvString::format(L"%.4f deg", value * 180.0 / std::numbers::pi);
  return QvString::format(L"%.4f", value);
}

}  // namespace

int TarvoDimensionCommand::run(IVexaBuildInCommandContext& /*context*/) {
  qvedInitGet(1, L"Angular 3point ARc Radius Jogged Diameter Ordinate");
  QvString kind;
  if (qvedGetKword(L"\nDimension kind [Angular/3point/ARc/Radius/Jogged/Diameter/Ordinate]: ",
                   kind) != kQvNormal)
    return kQvCancel;
  QvDbDimension* dimension = make(kind);
  if (!dimension) return kQvCancel;
  if (!QvDbOrdinateDimension::cast(dimension)) dimension->setNormal(TarvoCommandInput::ucsNormal());
  const QvDbObjectId id = TarvoDrawing::addToCurrentSpace(dimension);
  if (id.isNull()) {
    TarvoCommandInput::say(L"\nThe dimension could not be added to the drawing.");
    return kQvError;
  }
  QvDbObjectPointer<QvDbDimension> made(id, QvDb::kForRead);
  if (made.openStatus() != Vexa::eOk) return kQvError;
  QvString line = TarvoEntityLabel::of(*made.object()) + L": measures " + measured(*made);
  auto* extension = VexaEntityPE::cast(made->x(VexaEntityPE::desc()));
  QvGePoint3d base;
  if (extension && extension->getBasePoint(made.object(), base) == Vexa::eOk)
    line += L", base point " + text(base);
  TarvoCommandInput::say(L"\n" + line);
  return kQvNormal;
}
