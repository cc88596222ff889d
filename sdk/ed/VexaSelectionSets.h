#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>

#include "sdk/base/VexaHost.h"
#include "sdk/ed/VexaSelectSet.h"

class VexaDocument;

// The selection sets of the classic interface, by name, and the previous selection of each
// document. A set's name is two 64-bit words: its number (from 1, never given twice in a
// session) and kSelectionSetTag, which tells it from an entity name (whose second word is 0).
class VexaSelectionSets : public VexaHostService {
 public:
  static constexpr int64_t kSelectionSetTag = 0x5353;

  // Keeps `set` as a new selection set and writes its name.
  void create(VexaSelectSet set, int64_t name[2]);
  // The set of a name, or null for a name that names no live set.
  VexaSelectSet* find(const int64_t name[2]);
  // Ends a set; false for a name that names no live set.
  bool free(const int64_t name[2]);
  // How many sets are alive (programs must free what they make).
  int count() const { return static_cast<int>(sets_.size()); }

  // The selection the last completed selection question of the current document made (empty
  // when none); each document keeps its own.
  const VexaSelectSet& previous() const;
  void setPrevious(const VexaSelectSet& set);

  // The sets of the running host, or null when no host runs.
  static VexaSelectionSets* current();

 private:
  std::map<int64_t, VexaSelectSet> sets_;
  int64_t lastNumber_ = 0;
  std::unordered_map<const VexaDocument*, VexaSelectSet> previous_;
};
