#pragma once

#include <cstdint>
#include <string_view>

class QvDbEntity;
class QvDbObject;

// What a class filer adds when the records following its record differ by their flags rather
// than their name (a polyface mesh's VERTEX records are vertices or faces): the follower for a
// record of that name with that flags value (70, 0 when the record has none). The entity reader
// asks it instead of QvDxfClassFiler::createFollower.
class QvDxfFlaggedFollowers {
 public:
  virtual ~QvDxfFlaggedFollowers() = default;
  virtual QvDbEntity* createFlaggedFollower(const QvDbObject& owner, std::string_view recordName,
                                            int64_t flags) const = 0;
};
