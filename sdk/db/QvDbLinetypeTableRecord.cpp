#include "sdk/db/QvDbLinetypeTableRecord.h"

#include <cmath>

#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbLinetypeTableRecord)

QvString QvDbLinetypeTableRecord::comments() const {
  assertReadEnabled();
  return comments_;
}

Vexa::ErrorStatus QvDbLinetypeTableRecord::setComments(const wchar_t* text) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  comments_ = QvString(text);
  return Vexa::eOk;
}

int QvDbLinetypeTableRecord::numDashes() const {
  assertReadEnabled();
  return static_cast<int>(dashes_.size());
}

double QvDbLinetypeTableRecord::dashLengthAt(int index) const {
  assertReadEnabled();
  if (index < 0 || index >= static_cast<int>(dashes_.size())) return 0.0;
  return dashes_[static_cast<size_t>(index)];
}

Vexa::ErrorStatus QvDbLinetypeTableRecord::setDashes(const std::vector<double>& dashes) {
  for (double d : dashes)
    if (!std::isfinite(d)) return Vexa::eInvalidInput;
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  dashes_ = dashes;
  return Vexa::eOk;
}

double QvDbLinetypeTableRecord::patternLength() const {
  assertReadEnabled();
  double length = 0.0;
  for (double d : dashes_) length += std::fabs(d);
  return length;
}

bool QvDbLinetypeTableRecord::isRenamable() const {
  const QvString& name = storedName();
  return QvDbSymbolTableRecord::isRenamable() && name.compareNoCase(L"ByBlock") != 0 &&
         name.compareNoCase(L"ByLayer") != 0 && name.compareNoCase(L"Continuous") != 0;
}
