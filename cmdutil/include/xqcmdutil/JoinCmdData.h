#pragma once

#include "sdk/base/QvArray.h"
#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"

// One join request between the host's join command and the steps that carry it out: the
// entity to join to, the entities to join, the kind of entity joined, whether several chains
// may be joined at once, how end points that do not meet are treated and the distance within
// which they count as meeting. A plain record: the module stores and copies it, nothing reads
// it. Copies are deep (both id lists element by element); assigning a record to itself
// changes nothing.
class XQCMDUTIL_EXPORT JoinCmdData {
 public:
  // The kind of entity being joined; what each kind means is the join command's.
  enum JEntityType : int {
    kUnknownEntity = 0,
    kLineEntity = 1,
    kArcEntity = 2,
    kPolylineEntity = 3,
    kSplineEntity = 4,
    kEllipticalArcEntity = 5,
  };
  // How a gap between end points is treated.
  enum JoinTypeWhenUnEqualPt : int {
    kNoJoin = 0,
    kExtend = 1,
    kAddSegment = 2,
    kBoth = 3,
  };

  JoinCmdData();
  JoinCmdData(const JoinCmdData& other);
  JoinCmdData& operator=(const JoinCmdData& other);
  ~JoinCmdData();

  // The source id only.
  void setData(const QvDbObjectId& sourceId);
  // The source id, and the ids to join replaced by a copy of `ids`.
  void setData(const QvDbObjectId& sourceId, const QvArray<QvDbObjectId>& ids);
  // The source id, and a copy of the ids to join.
  void getData(QvDbObjectId& sourceId, QvArray<QvDbObjectId>& ids) const;

  void setEntityType(JEntityType type);
  void getEntityType(JEntityType& type) const;
  void setMultipleJoin(bool multiple);
  bool multipleJoin() const;
  void setJoinType(JoinTypeWhenUnEqualPt type);
  JoinTypeWhenUnEqualPt getJoinType() const;
  void setJoinFuzzy(double fuzz);
  double getJoinFuzzy() const;

  // The further id list carried with the record; it has no operation of its own.
  QvArray<QvDbObjectId>& secondIds() { return secondIds_; }
  const QvArray<QvDbObjectId>& secondIds() const { return secondIds_; }

 private:
  QvDbObjectId sourceId_;
  QvArray<QvDbObjectId> idsToJoin_{0, 8};
  QvArray<QvDbObjectId> secondIds_{0, 8};
  JEntityType entityType_ = kUnknownEntity;
  bool multipleJoin_ = false;
  JoinTypeWhenUnEqualPt joinType_ = kNoJoin;
  double joinFuzz_ = 0.0;
};
