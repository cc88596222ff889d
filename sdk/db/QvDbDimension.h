#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/ge/QvGeArrays.h"

// A dimension: it measures geometry given by its definition points (the kinds say which), lies
// in the plane of its normal, shows its text at the text position and draws itself through an
// anonymous block, the dimension block. The kinds are the classes derived from it.
//
// transformBy carries the definition points, the text position and the plane along; a matrix
// that flattens the plane answers eDegenerateGeometry and changes nothing.
//
// The dimension block ("*D1", "*D2", ... of the block table) holds, in world coordinates, what
// draws the dimension: for a length dimension its two extension lines, its dimension line, two
// filled arrowheads and the measurement as multi-line text, on layer "0" by block. A dimension
// keeps it current itself: it is made when the dimension joins a database and made again when
// the dimension, changed in its geometry, is closed. A block the dimension cannot refill (not
// an anonymous block, or one made for another dimension, as a copy's is) is left as it is and a
// new one is made. Until the user places the text (setTextPosition), the text goes above the
// middle of the dimension line.
class QvDbDimension : public QvDbEntity {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbDimension);

  QvGeVector3d normal() const;
  Vexa::ErrorStatus setNormal(const QvGeVector3d& normal);  // eInvalidInput for zero

  QvGePoint3d textPosition() const;
  Vexa::ErrorStatus setTextPosition(const QvGePoint3d& position);

  // What the dimension measures: a length, an angle in radians, an arc length, a radius, a
  // diameter or an ordinate, as the kind says.
  double measurement() const;

  // The angle of the text's horizontal from the x axis of the dimension's plane.
  double horizontalRotation() const;
  Vexa::ErrorStatus setHorizontalRotation(double rotation);

  // The text the user gave: empty shows the measurement as the kind writes it, "<>" in the
  // text stands for that, and a single blank shows no text.
  QvString dimensionText() const;
  Vexa::ErrorStatus setDimensionText(const QvString& text);
  // The angle (radians) of the text's direction from the x axis of the arbitrary-axis frame of
  // the normal; 0 leaves the text where the kind turns it (along the dimension, readable).
  // eInvalidInput for an angle that is not finite.
  double textRotation() const;
  Vexa::ErrorStatus setTextRotation(double rotation);

  // The block that draws the dimension (null when none is made). It must be a block table
  // record of the dimension's database (eWrongObjectType, eWrongDatabase).
  // Setting it hands the block to this dimension as drawing it as it is now (a file reader's
  // link).
  QvDbObjectId dimBlockId() const;
  Vexa::ErrorStatus setDimBlockId(QvDbObjectId blockId);

  // Makes or refills the dimension block from the dimension's present geometry and takes it as
  // dimBlockId. The dimension must be in a database (eNotInDatabase), live (eWasErased) and open
  // for write; the block table must be free to open for write when a new block is needed.
  // Without forceUpdate a block that is current is left alone. On failure nothing changes.
  Vexa::ErrorStatus recomputeDimBlock(bool forceUpdate = true);

  // While one lives (on this thread), dimensions do not make their blocks on their own: a
  // drawing-file reader takes the blocks the file has.
  class AutomaticUpdateSuspension {
   public:
    AutomaticUpdateSuspension();
    ~AutomaticUpdateSuspension();
    AutomaticUpdateSuspension(const AutomaticUpdateSuspension&) = delete;
    AutomaticUpdateSuspension& operator=(const AutomaticUpdateSuspension&) = delete;
  };

  void visitIds(QvDbIdVisitor& visitor) override;

 protected:
  QvDbDimension() = default;
  QvDbDimension(const QvDbDimension&) = default;
  QvDbDimension& operator=(const QvDbDimension&) = default;

  // The sizes a dimension block is drawn with, in drawing units.
  struct BlockSizes {
    double arrowSize = 0.18;
    double textHeight = 0.18;
    double extensionOffset = 0.0625;  // gap between a measured point and its extension line
    double extensionBeyond = 0.18;    // extension lines go this far past the dimension line
    double textGap = 0.09;            // between the dimension line and the text
  };

  // The measured value of the kind's present geometry.
  virtual double measuredValue() const = 0;
  // The definition points of the kind, in a fixed order, and setting them back in that order.
  virtual void getDefinitionPoints(QvGePoint3dArray& points) const = 0;
  virtual void setDefinitionPoints(const QvGePoint3dArray& points) = 0;
  // Appends new entities (in no database, owned by the caller) that draw the dimension in world
  // coordinates, the text at `textPosition`; when `placeText`, sets `textPosition` to where the
  // text goes by default first. The base has nothing to draw (eNotApplicable).
  virtual Vexa::ErrorStatus subMakeBlockEntities(const BlockSizes& sizes, bool placeText,
                                                 QvGePoint3d& textPosition,
                                                 QvArray<QvDbEntity*>& entities) const;
  // A setter of the kind changed the geometry: the block is made again at the next close.
  void noteGeometryChanged() { blockCurrent_ = false; }
  // The getters and setters of the kinds' geometry: read access asserted, and write access
  // asserted before the value changes and the block is due again.
  template <class T>
  T geometryValue(const T& member) const {
    assertReadEnabled();
    return member;
  }
  template <class T>
  Vexa::ErrorStatus setGeometryValue(T& member, const T& value) {
    if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
    member = value;
    noteGeometryChanged();
    return Vexa::eOk;
  }

  Vexa::ErrorStatus subTransformBy(const QvGeMatrix3d& xform) override;
  // The definition points and the text position.
  Vexa::ErrorStatus subGetGeomExtents(QvDbExtents& extents) const override;
  // The block's entities; without a block, the entities it would hold.
  bool subWorldDraw(QvGiWorldDraw* wd) override;
  // A new dimension makes its block; a block given before it joined becomes its own.
  Vexa::ErrorStatus subAppendedToDatabase() override;
  // A dimension changed in its geometry refreshes its block.
  void subClose() override;

 private:
  // The entities of the kind, with the user's text and text rotation applied to its label.
  Vexa::ErrorStatus makeBlockEntities(const BlockSizes& sizes, bool placeText,
                                      QvGePoint3d& textPosition,
                                      QvArray<QvDbEntity*>& entities) const;
  // The sizes from the drawing's current dimension style (defaults without one).
  static BlockSizes blockSizes(QvDbDatabase* db);
  // Whether the dimension may empty and refill its present block.
  bool mayRefillBlock() const;
  // Brings the block up to date when dimensions update on their own and the block is not current;
  // a failure leaves it for a later close.
  void updateBlockIfNeeded();

  QvGeVector3d normal_ = QvGeVector3d::kZAxis;
  QvGePoint3d textPosition_;
  double horizontalRotation_ = 0.0;
  QvString dimensionText_;
  double textRotation_ = 0.0;
  QvDbObjectId dimBlockId_;
  // The dimension the block was made for or given to; a copy sees another one's id here and
  // makes a block of its own instead of refilling a shared one.
  QvDbObjectId blockMadeFor_;
  bool blockCurrent_ = false;  // the block draws the present geometry
  bool textPlaced_ = false;    // the user placed the text
};
