#pragma once

#include "sdk/db/QvDbEntity.h"

enum QvDbTextHorzMode {
  kTextLeft = 0,
  kTextCenter = 1,
  kTextRight = 2,
  kTextAlign = 3,  // between position and alignment point; the height follows
  kTextMid = 4,    // centered both ways on the alignment point
  kTextFit = 5,    // between position and alignment point; the width factor follows
};

enum QvDbTextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

// One line of text. The baseline starts at the position and runs along the direction given by
// the rotation in the plane of the normal (from the x axis of the arbitrary-axis frame);
// height, width factor and oblique angle shape the characters (the font metric is
// QvDbTextMetrics). Left and baseline aligned text is placed by its position; any other
// alignment by its alignment point, from which the position follows (aligned and fit text by
// both). Points are in world coordinates.
//
// Bounding points: p0 top left, p1 top right, p2 bottom left, p3 bottom right of the box the
// characters fill (from the baseline to the height), "left" being where the text starts.
class QvDbText : public QvDbEntity {
  QVDB_DECLARE_MEMBERS(QvDbText);

  QvDbText() = default;
  QvDbText(const QvGePoint3d& position, const wchar_t* text, QvDbObjectId style = QvDbObjectId(),
           double height = 0.0, double rotation = 0.0);

  QvGePoint3d position() const;
  // Moves the text (and its alignment point with it).
  Vexa::ErrorStatus setPosition(const QvGePoint3d& position);
  QvGePoint3d alignmentPoint() const;
  Vexa::ErrorStatus setAlignmentPoint(const QvGePoint3d& point);
  bool isDefaultAlignment() const;  // left and baseline
  QvDbTextHorzMode horizontalMode() const;
  Vexa::ErrorStatus setHorizontalMode(QvDbTextHorzMode mode);
  QvDbTextVertMode verticalMode() const;
  Vexa::ErrorStatus setVerticalMode(QvDbTextVertMode mode);
  // Places the text again after changes of its alignment (setters already do).
  Vexa::ErrorStatus adjustAlignment(QvDbDatabase* db = nullptr);

  const QvString& textString() const;
  virtual Vexa::ErrorStatus setTextString(const wchar_t* text);
  double height() const;
  Vexa::ErrorStatus setHeight(double height);  // eInvalidInput unless positive
  double rotation() const;
  Vexa::ErrorStatus setRotation(double rotation);
  double widthFactor() const;
  Vexa::ErrorStatus setWidthFactor(double factor);  // eInvalidInput unless positive
  double oblique() const;
  Vexa::ErrorStatus setOblique(double angle);  // eInvalidInput beyond 85 degrees either way
  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero
  double thickness() const;
  Vexa::ErrorStatus setThickness(double thickness);
  QvDbObjectId textStyle() const;
  Vexa::ErrorStatus setTextStyle(QvDbObjectId styleId);
  bool isMirroredInX() const;  // runs backwards
  Vexa::ErrorStatus mirrorInX(bool mirror);
  bool isMirroredInY() const;  // upside down
  Vexa::ErrorStatus mirrorInY(bool mirror);

  // The direction of the baseline and the upward direction (unit vectors, world).
  QvGeVector3d direction() const;
  QvGeVector3d upDirection() const;
  // The four bounding points p0..p3 (also through the implementation object, QvDbTextImp).
  Vexa::ErrorStatus getBoundingPoints(QvGePoint3dArray& points) const;

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  // The text keeps a straight baseline under any non-singular map: height, width factor and
  // oblique angle take up scaling and shear; a mirror sets mirroredInX.
  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The position, and the alignment point when it governs.
  Vexa::ErrorStatus subGetGripPoints(QvGePoint3dArray& gripPoints, QvDbIntArray& osnapModes,
                                     QvDbIntArray& geomIds) const override;
  Vexa::ErrorStatus subGetPlane(QvGePlane& plane, QvDb::Planarity& planarity) const override;
  // The four edges of the bounding box.
  Vexa::ErrorStatus subGetOutlineCurves(bool extended,
                                        QvArray<QvGeCurve3d*>& curves) const override;
  void subSetDatabaseDefaults(QvDbDatabase* db) override;
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  QvDbImpObject* createImpObject() override;

  // What a subclass draws (an attribute definition its tag).
  virtual QvString displayString() const;
  // Takes the text data of another text (placement, string, style, shape), nothing else.
  void takeTextData(const QvDbText& other);

 private:
  // Width of the text along its baseline, with the present data.
  double advanceWidth() const;
  // Sets the position from the alignment point (or the rotation, height or width factor of
  // aligned and fit text).
  void realign();

  QvGePoint3d position_;
  QvGePoint3d alignmentPoint_;
  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvString text_;
  QvDbObjectId style_;
  double height_ = 0.2;
  double rotation_ = 0.0;
  double widthFactor_ = 1.0;
  double oblique_ = 0.0;
  double thickness_ = 0.0;
  QvDbTextHorzMode horzMode_ = kTextLeft;
  QvDbTextVertMode vertMode_ = kTextBase;
  bool mirroredInX_ = false;
  bool mirroredInY_ = false;
};
