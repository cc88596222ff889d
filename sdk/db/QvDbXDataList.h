#pragma once

#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/base/resbuf.h"

// The extended data of an object as sections, one per application, each a list that starts
// with the application's name record (1001). Owns its lists.
class QvDbXDataList {
 public:
  QvDbXDataList() = default;
  QvDbXDataList(const QvDbXDataList& other);
  QvDbXDataList& operator=(const QvDbXDataList& other);
  QvDbXDataList(QvDbXDataList&& other) noexcept;
  QvDbXDataList& operator=(QvDbXDataList&& other) noexcept;
  ~QvDbXDataList();

  // Splits a caller's list into checked sections: it must start with a name record; names are
  // not empty; every item has an extended-data group code (1000 to 1071) whose value kind the
  // code implies; strings are at most 255 characters; "{" and "}" (1002) are balanced.
  // eInvalidInput otherwise, and `sections` is left empty.
  static Vexa::ErrorStatus parse(const resbuf* list, QvDbXDataList& sections);

  bool isEmpty() const { return sections_.empty(); }
  int numSections() const { return static_cast<int>(sections_.size()); }
  QvString applicationAt(int i) const;
  const resbuf* sectionAt(int i) const { return sections_[static_cast<size_t>(i)]; }
  // The section of an application (case-insensitive), or null.
  const resbuf* find(std::wstring_view application) const;

  // A copy of one application's section, or of every section chained, for the caller.
  resbuf* copyOf(std::wstring_view application) const;
  resbuf* copyAll() const;

  // Puts each section of `changes` in place of the same application's section, appends new
  // applications and removes those whose section is the name record alone.
  void merge(const QvDbXDataList& changes);

  // Calls `visit(resbuf&)` on every record of every section, for changes in place that keep
  // the records' kinds.
  template <class Visit>
  void forEachRecord(Visit visit) {
    for (resbuf* section : sections_)
      for (resbuf* rb = section; rb; rb = rb->next) visit(*rb);
  }

 private:
  void clear();
  std::vector<resbuf*> sections_;  // each an owned list; `next` of its last record is null
};
