#include "sdk/ed/VexaSelectionSets.h"

#include "sdk/ed/IVexaEditorDocuments.h"

void VexaSelectionSets::create(VexaSelectSet set, int64_t name[2]) {
  const int64_t number = ++lastNumber_;
  sets_.emplace(number, std::move(set));
  name[0] = number;
  name[1] = kSelectionSetTag;
}

VexaSelectSet* VexaSelectionSets::find(const int64_t name[2]) {
  if (!name || name[1] != kSelectionSetTag) return nullptr;
  const auto it = sets_.find(name[0]);
  return it == sets_.end() ? nullptr : &it->second;
}

bool VexaSelectionSets::free(const int64_t name[2]) {
  if (!find(name)) return false;
  sets_.erase(name[0]);
  return true;
}

const VexaSelectSet& VexaSelectionSets::previous() const {
  static const VexaSelectSet kNone;
  const auto it = previous_.find(vexaEditorCurDocument());
  return it == previous_.end() ? kNone : it->second;
}

void VexaSelectionSets::setPrevious(const VexaSelectSet& set) {
  previous_[vexaEditorCurDocument()] = set;
}

VexaSelectionSets* VexaSelectionSets::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaSelectionSets>() : nullptr;
}
