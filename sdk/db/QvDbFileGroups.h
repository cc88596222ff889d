#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sdk/db/QvDbIdVisitor.h"
#include "sdk/db/QvDbObjectId.h"

// One group of a drawing file kept for an object whose class does not model it: its group
// code, the place among the object's groups where it was read (`slot`, given by the class's
// filer: the subclass it stood in, or a finer place), and its value as it was read (UTF-8
// text). A group that names another object (codes 330 to 369, 390 to 399, 480 and 481) also
// holds that object's id, so that the name follows the object when ids are translated; its
// text is then only what was read.
struct QvDbFileGroup {
  int16_t code = 0;
  uint16_t slot = 0;
  std::string text;
  QvDbObjectId id;

  // Whether a group code names another object, and how (for cloning and purging).
  static bool isPointerCode(int code);
  static QvDbIdVisitor::Kind pointerKind(int code);
};

// The file groups of one object, in the order they were read. Most objects have none; an empty
// list holds no memory.
class QvDbFileGroups {
 public:
  QvDbFileGroups() = default;
  QvDbFileGroups(const QvDbFileGroups& other);
  QvDbFileGroups& operator=(const QvDbFileGroups& other);
  QvDbFileGroups(QvDbFileGroups&&) noexcept = default;
  QvDbFileGroups& operator=(QvDbFileGroups&&) noexcept = default;
  ~QvDbFileGroups() = default;

  bool isEmpty() const { return !groups_ || groups_->empty(); }
  int length() const { return groups_ ? static_cast<int>(groups_->size()) : 0; }
  const QvDbFileGroup& at(int i) const { return (*groups_)[static_cast<size_t>(i)]; }
  // Whether a group was kept for the slot.
  bool hasSlot(uint16_t slot) const;

  void append(QvDbFileGroup group);
  void clear() { groups_.reset(); }

  // Shows the ids of the pointer groups with their kinds; a visitor may replace them.
  void visitIds(QvDbIdVisitor& visitor);

  friend bool operator==(const QvDbFileGroups& a, const QvDbFileGroups& b);

 private:
  std::unique_ptr<std::vector<QvDbFileGroup>> groups_;
};
