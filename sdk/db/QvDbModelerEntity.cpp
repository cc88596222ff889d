#include "sdk/db/QvDbModelerEntity.h"

const QvDbModelerData& QvDbModelerEntity::modelerData() const {
  assertReadEnabled();
  return data_;
}

Vexa::ErrorStatus QvDbModelerEntity::setModelerData(const QvDbModelerData& data) {
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  data_ = data;
  subBodyFromData(data_);
  return Vexa::eOk;
}

bool QvDbModelerEntity::hasBody() const {
  assertReadEnabled();
  return subHasBody();
}
