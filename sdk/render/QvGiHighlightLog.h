#pragma once

#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/gi/IVexaHighlighter.h"

class QvGiDrawable;

// The host's record of what is shown highlighted: entities (by id, or by address for an
// entity in no database) and the sub-entity markers highlighted on them. Highlighting is a
// display state, not data: it is not copied, saved or undone. Reached through
// VexaHost::current()->service<QvGiHighlightLog>(), and by the database through its interface
// IVexaHighlighter.
class QvGiHighlightLog : public VexaHostService, public IVexaHighlighter {
 public:
  struct Entry {
    QvDbObjectId id;
    const QvGiDrawable* drawable = nullptr;  // only for drawables in no database
    int64_t marker = 0;                      // 0: the whole entity
  };

  void highlight(QvDbObjectId id, const QvGiDrawable* drawable, int64_t marker) override;
  void unhighlight(QvDbObjectId id, const QvGiDrawable* drawable, int64_t marker) override;
  bool isHighlighted(QvDbObjectId id, int64_t marker = 0) const;
  bool isHighlighted(const QvGiDrawable* drawable, int64_t marker = 0) const;
  // Every highlight and unhighlight call so far (highlights counted separately).
  int highlightCalls() const { return highlightCalls_; }
  int unhighlightCalls() const { return unhighlightCalls_; }
  const std::vector<Entry>& entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
  int highlightCalls_ = 0;
  int unhighlightCalls_ = 0;
};
