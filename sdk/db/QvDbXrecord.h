#pragma once

#include "sdk/db/QvDbObject.h"

// A record of arbitrary data, kept in a dictionary: a result-buffer list of drawing-format
// group codes. Ids in it (groups 330 to 369, as entity names) are translated when it is
// cloned: 330 soft pointers, 340 hard pointers, 350 soft owners, 360 hard owners.
class QvDbXrecord : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbXrecord);

  QvDbXrecord() = default;
  QvDbXrecord(const QvDbXrecord& other);
  QvDbXrecord& operator=(const QvDbXrecord& other);
  ~QvDbXrecord() override;

  // A copy of the data for the caller (null when empty).
  Vexa::ErrorStatus rbChain(resbuf*& data) const;
  // Replaces the data. Every group code must have a value kind (eInvalidInput otherwise;
  // nothing changes then).
  Vexa::ErrorStatus setFromRbChain(const resbuf* data);

  void visitIds(QvDbIdVisitor& visitor) override;

 private:
  resbuf* data_ = nullptr;
};
