#include "xqcmdutil/JoinCmdData.h"

// The members' own copies: the id arrays element by element, self-assignment a no-op.
JoinCmdData::JoinCmdData() = default;
JoinCmdData::JoinCmdData(const JoinCmdData& other) = default;
JoinCmdData& JoinCmdData::operator=(const JoinCmdData& other) = default;
JoinCmdData::~JoinCmdData() = default;

void JoinCmdData::setData(const QvDbObjectId& sourceId) {
  sourceId_ = sourceId;
}

void JoinCmdData::setData(const QvDbObjectId& sourceId, const QvArray<QvDbObjectId>& ids) {
  sourceId_ = sourceId;
  idsToJoin_ = ids;
}

void JoinCmdData::getData(QvDbObjectId& sourceId, QvArray<QvDbObjectId>& ids) const {
  sourceId = sourceId_;
  ids = idsToJoin_;
}

void JoinCmdData::setEntityType(JEntityType type) {
  entityType_ = type;
}

void JoinCmdData::getEntityType(JEntityType& type) const {
  type = entityType_;
}

void JoinCmdData::setMultipleJoin(bool multiple) {
  multipleJoin_ = multiple;
}

bool JoinCmdData::multipleJoin() const {
  return multipleJoin_;
}

void JoinCmdData::setJoinType(JoinTypeWhenUnEqualPt type) {
  joinType_ = type;
}

JoinCmdData::JoinTypeWhenUnEqualPt JoinCmdData::getJoinType() const {
  return joinType_;
}

void JoinCmdData::setJoinFuzzy(double fuzz) {
  joinFuzz_ = fuzz;
}

double JoinCmdData::getJoinFuzzy() const {
  return joinFuzz_;
}
