#include "sdk/db/QvDbIdMapping.h"

Vexa::ErrorStatus QvDbIdMapping::assign(const QvDbIdPair& pair) {
  if (pair.key().isNull()) return Vexa::eNullObjectId;
  if (const auto it = index_.find(pair.key()); it != index_.end()) {
    pairs_[it->second] = pair;
  } else {
    index_[pair.key()] = pairs_.size();
    pairs_.push_back(pair);
  }
  return Vexa::eOk;
}

bool QvDbIdMapping::compute(QvDbIdPair& pair) const {
  const auto it = index_.find(pair.key());
  if (it == index_.end()) return false;
  pair = pairs_[it->second];
  return true;
}

bool QvDbIdMapping::change(const QvDbIdPair& pair) {
  const auto it = index_.find(pair.key());
  if (it == index_.end()) return false;
  pairs_[it->second] = pair;
  return true;
}

bool QvDbIdMapping::del(QvDbObjectId key) {
  const auto it = index_.find(key);
  if (it == index_.end()) return false;
  pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(it->second));
  index_.clear();
  for (size_t i = 0; i < pairs_.size(); ++i) index_[pairs_[i].key()] = i;
  return true;
}

void QvDbIdMapping::clear() {
  pairs_.clear();
  index_.clear();
}
