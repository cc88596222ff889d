#pragma once

#include "sdk/db/QvDbObjectContext.h"

class QvDbDatabase;

// An annotation scale as a context: a named ratio of paper units to drawing units, taken from
// a drawing's scale list.
class QvDbAnnotationScale : public QvDbObjectContext {
 public:
  QVRX_DECLARE_MEMBERS(QvDbAnnotationScale);

  static constexpr const wchar_t* kCollectionName = L"ACDB_ANNOTATIONSCALES";

  QvDbAnnotationScale() = default;
  QvDbAnnotationScale(const QvString& name, double paperUnits, double drawingUnits)
      : name_(name), paperUnits_(paperUnits), drawingUnits_(drawingUnits) {}

  QvString collectionName() const override { return kCollectionName; }
  QvString getName() const override { return name_; }
  double getPaperUnits() const { return paperUnits_; }
  double getDrawingUnits() const { return drawingUnits_; }
  // paper units / drawing units
  double getScale() const { return paperUnits_ / drawingUnits_; }

 private:
  QvString name_ = L"1:1";
  double paperUnits_ = 1.0;
  double drawingUnits_ = 1.0;
};

// The current annotation scale of `db` (the working database when null) as a new object the
// caller deletes; null when there is no database or its scale list lacks "CANNOSCALE".
QvDbAnnotationScale* qvdbGetCurAnnoScale(const QvDbDatabase* db = nullptr);
