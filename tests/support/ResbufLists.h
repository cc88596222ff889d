#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"

// Success when two result-buffer lists hold the same records, value by value (entity names
// compared by the handles they name); otherwise the failure names the first record that differs.
inline ::testing::AssertionResult sameResbufList(const resbuf* a, const resbuf* b) {
  int index = 0;
  for (; a && b; a = a->next, b = b->next, ++index) {
    if (a->type != b->type)
      return ::testing::AssertionFailure()
             << "record " << index << ": type " << a->type << " vs " << b->type;
    bool same = true;
    switch (qvRbValueKind(a->type)) {
      case QvRbKind::kString:
        same = QvString(a->value.string) == QvString(b->value.string);
        break;
      case QvRbKind::kReal:
        same = a->value.real == b->value.real;
        break;
      case QvRbKind::kPoint:
        same = std::equal(a->value.point, a->value.point + 3, b->value.point);
        break;
      case QvRbKind::kShort:
        same = a->value.int16 == b->value.int16;
        break;
      case QvRbKind::kLong:
        same = a->value.int32 == b->value.int32;
        break;
      case QvRbKind::kInt64:
        same = a->value.int64 == b->value.int64;
        break;
      case QvRbKind::kBinary:
        same = a->value.binary.length == b->value.binary.length &&
               std::equal(a->value.binary.data, a->value.binary.data + a->value.binary.length,
                          b->value.binary.data);
        break;
      case QvRbKind::kName: {
        QvDbObjectId x, y;
        qvdbGetObjectId(x, a->value.name);
        qvdbGetObjectId(y, b->value.name);
        same = x.handle() == y.handle();
        break;
      }
      case QvRbKind::kNone:
        break;
    }
    if (!same)
      return ::testing::AssertionFailure() << "record " << index << " (" << a->type << ") differs";
  }
  if (a || b) return ::testing::AssertionFailure() << "lengths differ at record " << index;
  return ::testing::AssertionSuccess();
}
