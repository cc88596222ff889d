#include "sdk/ed/VexaSelectSet.h"

#include <algorithm>

QvDbObjectId VexaSelectSet::idAt(int index) const {
  if (index < 0 || index >= length()) return QvDbObjectId();
  return QvDbObjectId().setFromOldId(names_[static_cast<size_t>(index)]);
}

QvDbObjectIdArray VexaSelectSet::ids() const {
  QvDbObjectIdArray out(length());
  for (const QvDbObjectId id : *this) out.append(id);
  return out;
}

bool VexaSelectSet::contains(QvDbObjectId id) const {
  return !id.isNull() && members_.contains(id.asOldId());
}

bool VexaSelectSet::append(QvDbObjectId id) {
  if (id.isNull() || !members_.insert(id.asOldId()).second) return false;
  names_.push_back(id.asOldId());
  return true;
}

int VexaSelectSet::appendAll(const VexaSelectSet& other) {
  int added = 0;
  for (const int64_t name : other.names_)
    if (members_.insert(name).second) {
      names_.push_back(name);
      ++added;
    }
  return added;
}

bool VexaSelectSet::remove(QvDbObjectId id) {
  if (id.isNull() || members_.erase(id.asOldId()) == 0) return false;
  names_.erase(std::find(names_.begin(), names_.end(), id.asOldId()));
  return true;
}

int VexaSelectSet::removeAll(const VexaSelectSet& other) {
  int removed = 0;
  for (const int64_t name : other.names_) removed += static_cast<int>(members_.erase(name));
  if (removed > 0) std::erase_if(names_, [&](int64_t name) { return !members_.contains(name); });
  return removed;
}

void VexaSelectSet::clear() {
  names_.clear();
  members_.clear();
}
