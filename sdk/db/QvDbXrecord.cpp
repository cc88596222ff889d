#include "sdk/db/QvDbXrecord.h"

#include "sdk/db/QvDbAdsName.h"
#include "sdk/rx/QvRxClass.h"

QVRX_DEFINE_HOST_MEMBERS(QvDbXrecord)

QvDbXrecord::QvDbXrecord(const QvDbXrecord& other)
    : QvDbObject(other), data_(qvutDupList(other.data_)) {}

QvDbXrecord& QvDbXrecord::operator=(const QvDbXrecord& other) {
  if (this != &other) {
    QvDbObject::operator=(other);
    resbuf* copy = qvutDupList(other.data_);
    qvutRelRb(data_);
    data_ = copy;
  }
  return *this;
}

QvDbXrecord::~QvDbXrecord() {
  qvutRelRb(data_);
}

Vexa::ErrorStatus QvDbXrecord::rbChain(resbuf*& data) const {
  const Vexa::ErrorStatus es = assertReadEnabled();
  data = qvutDupList(data_);
  return es;
}

Vexa::ErrorStatus QvDbXrecord::setFromRbChain(const resbuf* data) {
  for (const resbuf* rb = data; rb; rb = rb->next) {
    if (rb->type < 0 || qvRbValueKind(rb->type) == QvRbKind::kNone) return Vexa::eInvalidInput;
    if (qvRbValueKind(rb->type) == QvRbKind::kString && !rb->value.string)
      return Vexa::eInvalidInput;
  }
  if (const Vexa::ErrorStatus es = assertWriteEnabled(); es != Vexa::eOk) return es;
  resbuf* copy = qvutDupList(data);
  qvutRelRb(data_);
  data_ = copy;
  return Vexa::eOk;
}

void QvDbXrecord::visitIds(QvDbIdVisitor& visitor) {
  QvDbObject::visitIds(visitor);
  for (resbuf* rb = data_; rb; rb = rb->next) {
    if (rb->type < 330 || rb->type > 369) continue;
    QvDbObjectId id;
    if (qvdbGetObjectId(id, rb->value.name) != Vexa::eOk) continue;
    const QvDbIdVisitor::Kind kind = rb->type < 340   ? QvDbIdVisitor::kSoftPointer
                                     : rb->type < 350 ? QvDbIdVisitor::kHardPointer
                                     : rb->type < 360 ? QvDbIdVisitor::kSoftOwner
                                                      : QvDbIdVisitor::kHardOwner;
    visitor.visit(id, kind);
    qvdbGetAdsName(rb->value.name, id);
  }
}
