#include <cstring>
#include <iterator>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDynBlockReference.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbTagBlockReference.h"
#include "sdk/ed/qvedOutput.h"
#include "sdk/ed/qvedSelection.h"
#include "xqcmdutil/XqBlockInserts.h"

namespace {

constexpr wchar_t kDots[] = L"...................................................";

// The name counted for a definition; nothing for external references and anonymous blocks.
std::optional<std::wstring> countedName(QvDbObjectId blockId) {
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForRead);
  if (block.openStatus() != Vexa::eOk || block->isFromExternalReference() || block->isAnonymous())
    return std::nullopt;
  return block->name().wstr();
}

// Whether references of a block show the block itself: it is no dynamic or tag block and no
// representation of one (those are anonymous).
bool showsItself(QvDbObjectId blockId) {
  return !QvDbDynBlockReference::isDynamicBlock(blockId) &&
         !QvDbTagBlockReference::isDynamicBlock(blockId);
}

// The definition a reference shows: the dynamic or tag block's own record, else its block.
// `plainBlocks` remembers the blocks that show themselves, so that most references need one
// open only.
QvDbObjectId visibleBlock(QvDbObjectId referenceId,
                          std::unordered_map<QvDbObjectId, bool>& plainBlocks) {
  QvDbObjectId blockId;
  {
    QvDbObjectPointer<QvDbBlockReference> reference(referenceId, QvDb::kForRead);
    if (reference.openStatus() != Vexa::eOk) return {};
    blockId = reference->blockTableRecord();
  }
  auto [known, fresh] = plainBlocks.try_emplace(blockId, false);
  if (fresh) known->second = showsItself(blockId) && countedName(blockId).has_value();
  if (known->second) return blockId;
  if (QvDbDynBlockReference::isDynamicBlock(referenceId))
    return QvDbDynBlockReference(referenceId).dynamicBlockTableRecord();
  if (QvDbTagBlockReference::isDynamicBlock(referenceId))
    return QvDbTagBlockReference(referenceId).dynamicBlockTableRecord();
  return blockId;
}

template <class Counts>
int addTo(const wchar_t* name, CStringArray& names, Counts& counts, DWORD most) {
  if (!name) return kQvError;
  for (int i = 0; i < names.GetSize(); ++i) {
    if (names[i] != name) continue;
    if (i < counts.GetSize() && counts[i] < most) ++counts[i];
    return kQvNormal;
  }
  names.Add(name);
  counts.Add(1);
  return kQvNormal;
}

template <class Counts>
int output(const CStringArray& names, const Counts& counts) {
  if (names.IsEmpty()) return kQvError;
  qvutPrintf(L"\nBlock..............................Count");
  qvutPrintf(L"\n------------------------------------------------");
  for (int i = 0; i < names.GetSize(); ++i) {
    const int length = names[i].GetLength();
    const int dots = length < 30 ? 30 - length : 3;
    const unsigned long count = i < counts.GetSize() ? counts[i] : 0;
    qvutPrintf(L"\n%ls%ls%lu", names[i].GetString(), kDots + (std::size(kDots) - 1 - dots), count);
  }
  return kQvNormal;
}

}  // namespace

int CountBlockInserts(const int64_t ss[2]) {
  int32_t length = 0;
  if (!ss || qvedSSLength(ss, &length) != kQvNormal) return kQvError;
  CStringArray names;
  XqBlockCounts counts;
  // Many references share few blocks: each block is looked at once, each name found by hash.
  std::unordered_map<QvDbObjectId, int> slotOfBlock;  // -1: not counted
  std::unordered_map<QvDbObjectId, bool> plainBlocks;
  std::unordered_map<std::wstring, int> slotOfName;
  for (int32_t i = 0; i < length; ++i) {
    int64_t name[2] = {0, 0};
    QvDbObjectId id;
    if (qvedSSName(ss, i, name) != kQvNormal || qvdbGetObjectId(id, name) != Vexa::eOk) continue;
    const QvDbObjectId blockId = visibleBlock(id, plainBlocks);
    if (blockId.isNull()) continue;
    auto [at, fresh] = slotOfBlock.try_emplace(blockId, -1);
    if (fresh) {
      if (const std::optional<std::wstring> counted = countedName(blockId)) {
        auto [slot, added] = slotOfName.try_emplace(*counted, names.GetSize());
        if (added) {
          names.Add(CString(*counted));
          counts.Add(0);
        }
        at->second = slot->second;
      }
    }
    if (at->second >= 0) ++counts[at->second];
  }
  return OutputBlkInserts(names, counts);
}

int AddToBlkCount(const wchar_t* name, CStringArray& names, XqBlockCounts& counts) {
  return addTo(name, names, counts, std::numeric_limits<DWORD>::max());
}

int AddToBlkCount(const wchar_t* name, CStringArray& names, CWordArray& counts) {
  return addTo(name, names, counts, std::numeric_limits<WORD>::max());
}

int OutputBlkInserts(const CStringArray& names, const XqBlockCounts& counts) {
  return output(names, counts);
}

int OutputBlkInserts(const CStringArray& names, const CWordArray& counts) {
  return output(names, counts);
}
