#include "sdk/db/QvDbIdMapping.h"

Vexa::ErrorStatus QvDbIdMapping::assign(const QvDbIdPair& pair) {
  if (pair.key().isNull()) return Vexa::eNullObjectId;
  const size_t position = index_.insert(pair.key().stub(), pairs_.size());
  if (position == pairs_.size()) {
    pairs_.push_back(pair);
  } else {
    pairs_[position] = pair;
  }
  return Vexa::eOk;
}

bool QvDbIdMapping::compute(QvDbIdPair& pair) const {
  const size_t position = index_.find(pair.key().stub());
  if (position == QvPointerIndex::npos) return false;
  pair = pairs_[position];
  return true;
}

bool QvDbIdMapping::change(const QvDbIdPair& pair) {
  const size_t position = index_.find(pair.key().stub());
  if (position == QvPointerIndex::npos) return false;
  pairs_[position] = pair;
  return true;
}

bool QvDbIdMapping::del(QvDbObjectId key) {
  const size_t position = index_.find(key.stub());
  if (position == QvPointerIndex::npos) return false;
  pairs_.erase(pairs_.begin() + static_cast<std::ptrdiff_t>(position));
  index_.clear();
  for (size_t i = 0; i < pairs_.size(); ++i) index_.insert(pairs_[i].key().stub(), i);
  return true;
}

void QvDbIdMapping::clear() {
  pairs_.clear();
  index_.clear();
}
