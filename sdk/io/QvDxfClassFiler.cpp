#include "sdk/io/QvDxfClassFiler.h"

void QvDxfClassFiler::noteClass(QvDxfWriteSession&, const QvDbObject&) const {}

bool QvDxfClassFiler::hasFollowers(QvDxfObjectReader&) const {
  return false;
}

QvDbEntity* QvDxfClassFiler::createFollower(const QvDbObject&, std::string_view) const {
  return nullptr;
}

Vexa::ErrorStatus QvDxfClassFiler::adoptFollower(QvDbObject&, QvDbEntity&) const {
  return Vexa::eNotApplicable;
}

QvDbObjectIdArray QvDxfClassFiler::followers(const QvDbObject&) const {
  return QvDbObjectIdArray();
}

bool QvDxfClassFiler::endsWithSequence(const QvDbObject&) const {
  return false;
}
