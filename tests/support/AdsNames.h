#pragma once

#include <cstdint>

#include "sdk/db/QvDbAdsName.h"

// An entity's name as the classic functions take it (two words), made from its id.
struct AdsName {
  int64_t w[2] = {0, 0};
  AdsName() = default;
  explicit AdsName(QvDbObjectId id) { qvdbGetAdsName(w, id); }
  operator const int64_t*() const { return w; }
  // The id it names; null when it names none.
  QvDbObjectId id() const {
    QvDbObjectId named;
    qvdbGetObjectId(named, w);
    return named;
  }
};
