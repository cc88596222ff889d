#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sdk/db/QvDbEntity.h"

// One group of a modeler entity's data in a drawing file: a text line (1), its continuation
// (3) or a binary chunk (310), with its value as written.
struct QvDbModelerGroup {
  int16_t code = 1;
  std::string value;
  bool operator==(const QvDbModelerGroup&) const = default;
};
using QvDbModelerData = std::vector<QvDbModelerGroup>;

// The part 3D solids and surfaces share: a body of the modeler that drawing files keep as
// modeler data. Data read from a file is kept as read and written back unchanged until the
// body changes; the modeler (sdk/modeler) makes the body of the data it can read and answers
// eNotApplicable for what it cannot compute from other data. A body made or changed here
// writes data the modeler reads back.
class QvDbModelerEntity : public QvDbEntity {
 public:
  // The data as it is to be written (as read, or made from the current body).
  const QvDbModelerData& modelerData() const;
  // The data of a file; the modeler makes the body of it when it can. The data is kept
  // either way.
  Vexa::ErrorStatus setModelerData(const QvDbModelerData& data);
  // Whether the entity has a body the modeler computes with.
  bool hasBody() const;

 protected:
  QvDbModelerEntity() = default;
  QvDbModelerEntity(const QvDbModelerEntity&) = default;
  QvDbModelerEntity& operator=(const QvDbModelerEntity&) = default;

  // The modeler's hooks: make the body of the data (false when it cannot), and whether a body
  // is held.
  virtual bool subBodyFromData(const QvDbModelerData& data) = 0;
  virtual bool subHasBody() const = 0;
  // For the modeler, when the body changed: the data now written.
  void replaceModelerData(QvDbModelerData data) { data_ = std::move(data); }

 private:
  QvDbModelerData data_;
};
