#pragma once

#include "sdk/db/QvDbSymbolTableRecord.h"

// A dimension style: the overall scale, text height and text style of the dimensions drawn
// with it. Its annotative setting lives in its extended data ("AcadAnnotative").
class QvDbDimStyleTableRecord : public QvDbSymbolTableRecord {
  QVDB_DECLARE_MEMBERS(QvDbDimStyleTableRecord);

  QvDbDimStyleTableRecord() = default;

  double dimscale() const;
  Vexa::ErrorStatus setDimscale(double scale);  // >= 0
  double dimtxt() const;
  Vexa::ErrorStatus setDimtxt(double height);  // > 0
  // The text style of the dimension text (null: the drawing's "Standard").
  QvDbObjectId dimtxsty() const;
  Vexa::ErrorStatus setDimtxsty(QvDbObjectId textStyleId);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  double dimscale_ = 1.0;
  double dimtxt_ = 0.18;
  QvDbObjectId dimtxsty_;
};
