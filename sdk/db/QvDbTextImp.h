#pragma once

#include "sdk/db/QvDbImpObject.h"
#include "sdk/ge/QvGeArrays.h"

class QvDbText;

// The implementation object of a text (and of attributes and attribute definitions).
class QvDbTextImp : public QvDbImpObject {
 public:
  explicit QvDbTextImp(QvDbText* text);

  // p0 top left, p1 top right, p2 bottom left, p3 bottom right (see QvDbText).
  Vexa::ErrorStatus getBoundingPoints(QvGePoint3dArray& points) const;

 private:
  QvDbText* text_;
};
