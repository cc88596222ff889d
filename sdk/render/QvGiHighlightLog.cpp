#include "sdk/render/QvGiHighlightLog.h"

#include <algorithm>

namespace {

bool sameTarget(const QvGiHighlightLog::Entry& e, QvDbObjectId id, const QvGiDrawable* drawable,
                int64_t marker) {
  if (e.marker != marker) return false;
  return id.isNull() ? e.id.isNull() && e.drawable == drawable : e.id == id;
}

}  // namespace

void QvGiHighlightLog::highlight(QvDbObjectId id, const QvGiDrawable* drawable, int64_t marker) {
  ++highlightCalls_;
  if (!id.isNull()) drawable = nullptr;
  for (const Entry& e : entries_)
    if (sameTarget(e, id, drawable, marker)) return;
  entries_.push_back({id, drawable, marker});
}

void QvGiHighlightLog::unhighlight(QvDbObjectId id, const QvGiDrawable* drawable, int64_t marker) {
  ++unhighlightCalls_;
  if (!id.isNull()) drawable = nullptr;
  entries_.erase(
      std::remove_if(entries_.begin(), entries_.end(),
                     [&](const Entry& e) { return sameTarget(e, id, drawable, marker); }),
      entries_.end());
}

bool QvGiHighlightLog::isHighlighted(QvDbObjectId id, int64_t marker) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return !id.isNull() && sameTarget(e, id, nullptr, marker);
  });
}

bool QvGiHighlightLog::isHighlighted(const QvGiDrawable* drawable, int64_t marker) const {
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return sameTarget(e, QvDbObjectId(), drawable, marker);
  });
}
