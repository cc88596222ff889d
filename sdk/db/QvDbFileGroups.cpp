#include "sdk/db/QvDbFileGroups.h"

bool QvDbFileGroup::isPointerCode(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399) || code == 480 || code == 481;
}

QvDbIdVisitor::Kind QvDbFileGroup::pointerKind(int code) {
  if (code >= 330 && code <= 339) return QvDbIdVisitor::kSoftPointer;
  if (code >= 350 && code <= 359) return QvDbIdVisitor::kSoftOwner;
  if (code >= 360 && code <= 369) return QvDbIdVisitor::kHardOwner;
  return QvDbIdVisitor::kHardPointer;  // 340-349, 390-399, 480, 481
}

QvDbFileGroups::QvDbFileGroups(const QvDbFileGroups& other)
    : groups_(other.isEmpty() ? nullptr
                              : std::make_unique<std::vector<QvDbFileGroup>>(*other.groups_)) {}

QvDbFileGroups& QvDbFileGroups::operator=(const QvDbFileGroups& other) {
  if (this != &other) {
    QvDbFileGroups copy(other);
    *this = std::move(copy);
  }
  return *this;
}

bool QvDbFileGroups::hasSlot(uint16_t slot) const {
  if (!groups_) return false;
  for (const QvDbFileGroup& g : *groups_)
    if (g.slot == slot) return true;
  return false;
}

void QvDbFileGroups::append(QvDbFileGroup group) {
  if (!groups_) groups_ = std::make_unique<std::vector<QvDbFileGroup>>();
  groups_->push_back(std::move(group));
}

void QvDbFileGroups::visitIds(QvDbIdVisitor& visitor) {
  if (!groups_) return;
  for (QvDbFileGroup& g : *groups_)
    if (!g.id.isNull()) visitor.visit(g.id, QvDbFileGroup::pointerKind(g.code));
}

bool operator==(const QvDbFileGroups& a, const QvDbFileGroups& b) {
  if (a.length() != b.length()) return false;
  for (int i = 0; i < a.length(); ++i) {
    const QvDbFileGroup& x = a.at(i);
    const QvDbFileGroup& y = b.at(i);
    if (x.code != y.code || x.slot != y.slot || x.text != y.text || x.id != y.id) return false;
  }
  return true;
}
