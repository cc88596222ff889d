#include "sdk/io/entities/QvDxfTextPart.h"

#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbText.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr int64_t kMirroredInX = 2;
constexpr int64_t kMirroredInY = 4;

// The OCS point of the group at `at` (x, then y and z after it) and its world point.
QvGePoint3d pointAt(QvDxfObjectReader& in, size_t at) {
  if (at == QvDxfObjectReader::npos) return QvGePoint3d::kOrigin;
  in.release(at);
  in.select(2);
  return in.point(in.code(at), QvGePoint3d::kOrigin);
}

void ocsValues(const QvGePoint3d& world, const QvGeVector3d& normal, double values[3]) {
  const QvGePoint3d ocs = QvDxfEntityFiler::toOcs(world, normal);
  values[0] = ocs.x;
  values[1] = ocs.y;
  values[2] = ocs.z;
}

}  // namespace

void QvDxfTextPart::read(QvDxfObjectReader& in, QvDbText& text, int verticalSubclass,
                         int verticalCode) {
  in.select(2);
  const QvGeVector3d normal = QvDxfEntityFiler::readNormal(in);
  QvDxfEntityFiler::check(in, text.setNormal(normal), "the extrusion direction (210) is zero");
  text.setThickness(in.real(39, 0.0));
  const size_t styleAt = in.find(7);
  if (styleAt != QvDxfObjectReader::npos)
    text.setTextStyle(in.session().textStyle(in.value(styleAt), in.lineAt(styleAt) + 1));
  const size_t heightAt = in.find(40);
  if (heightAt != QvDxfObjectReader::npos)
    QvDxfEntityFiler::check(in, text.setHeight(in.realAt(heightAt)),
                            "the height (40) is not positive");
  const size_t widthAt = in.find(41);
  if (widthAt != QvDxfObjectReader::npos)
    QvDxfEntityFiler::check(in, text.setWidthFactor(in.realAt(widthAt)),
                            "the width factor (41) is not positive");
  const size_t obliqueAt = in.find(51);
  if (obliqueAt != QvDxfObjectReader::npos)
    QvDxfEntityFiler::check(in,
                            text.setOblique(QvDxfNumber::degreesToRadians(in.realAt(obliqueAt))),
                            "the obliquing angle (51) is beyond 85 degrees");
  const size_t rotationAt = in.find(50);
  if (rotationAt != QvDxfObjectReader::npos)
    text.setRotation(QvDxfNumber::degreesToRadians(in.realAt(rotationAt)));
  const int64_t flags = in.flags(71, 0, kMirroredInX | kMirroredInY);
  text.mirrorInX((flags & kMirroredInX) != 0);
  text.mirrorInY((flags & kMirroredInY) != 0);
  const size_t stringAt = in.find(1);
  if (stringAt != QvDxfObjectReader::npos) text.setTextString(in.textAt(stringAt).c_str());
  const auto horizontal =
      static_cast<QvDbTextHorzMode>(in.integer(72, kTextLeft, kTextLeft, kTextFit));
  const size_t positionAt = in.find(10);
  const size_t alignmentAt = in.find(11);
  in.select(verticalSubclass);
  const auto vertical =
      static_cast<QvDbTextVertMode>(in.integer(verticalCode, kTextBase, kTextBase, kTextTop));
  text.setHorizontalMode(horizontal);
  text.setVerticalMode(vertical);
  const QvGePoint3d position = QvDxfEntityFiler::toWorld(pointAt(in, positionAt), normal);
  const QvGePoint3d alignment = alignmentAt == QvDxfObjectReader::npos
                                    ? position
                                    : QvDxfEntityFiler::toWorld(pointAt(in, alignmentAt), normal);
  text.setPosition(position);
  if (!text.isDefaultAlignment()) text.setAlignmentPoint(alignment);

  // What the database made of the values, against what was read.
  double values[3];
  ocsValues(text.position(), normal, values);
  QvDxfEntityFiler::keepDerived(in, positionAt, 3, values);
  ocsValues(text.alignmentPoint(), normal, values);
  QvDxfEntityFiler::keepDerived(in, alignmentAt, 3, values);
  const double height = text.height();
  QvDxfEntityFiler::keepDerived(in, heightAt, 1, &height);
  const double width = text.widthFactor();
  QvDxfEntityFiler::keepDerived(in, widthAt, 1, &width);
  const double rotation = QvDxfNumber::radiansToDegrees(text.rotation());
  QvDxfEntityFiler::keepDerived(in, rotationAt, 1, &rotation);
  const double oblique = QvDxfNumber::radiansToDegrees(text.oblique());
  QvDxfEntityFiler::keepDerived(in, obliqueAt, 1, &oblique);
}

void QvDxfTextPart::write(QvDxfObjectWriter& out, const QvDbText& text) {
  const QvGeVector3d normal = text.normal();
  if (out.writesGroup(39, text.thickness() != 0.0)) out.real(39, text.thickness());
  double values[3];
  ocsValues(text.position(), normal, values);
  QvDxfEntityFiler::writeDerived(out, 10, 3, values);
  const double height = text.height();
  QvDxfEntityFiler::writeDerived(out, 40, 1, &height);
  out.text(1, text.textString());
  if (out.writesGroup(50, text.rotation() != 0.0)) {
    const double rotation = QvDxfNumber::radiansToDegrees(text.rotation());
    QvDxfEntityFiler::writeDerived(out, 50, 1, &rotation);
  }
  if (out.writesGroup(41, text.widthFactor() != 1.0)) {
    const double width = text.widthFactor();
    QvDxfEntityFiler::writeDerived(out, 41, 1, &width);
  }
  if (out.writesGroup(51, text.oblique() != 0.0)) {
    const double oblique = QvDxfNumber::radiansToDegrees(text.oblique());
    QvDxfEntityFiler::writeDerived(out, 51, 1, &oblique);
  }
  const QvDbObjectId style = text.textStyle();
  out.text(7, out.session().isWritten(style) ? QvDbSymbolTableRecord::nameOf(style)
                                             : QvString(L"Standard"));
  const int64_t flags =
      (text.isMirroredInX() ? kMirroredInX : 0) | (text.isMirroredInY() ? kMirroredInY : 0);
  if (flags != 0 || out.hasKept(QvDxfSlot::kMerged, 71)) out.flags(71, flags);
  if (out.writesGroup(72, text.horizontalMode() != kTextLeft))
    out.integer(72, text.horizontalMode());
  if (out.writesGroup(11, !text.isDefaultAlignment())) {
    ocsValues(text.alignmentPoint(), normal, values);
    QvDxfEntityFiler::writeDerived(out, 11, 3, values);
  }
  QvDxfEntityFiler::writeNormal(out, normal);
}
