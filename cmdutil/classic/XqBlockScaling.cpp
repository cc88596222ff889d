#include <array>
#include <cmath>
#include <string_view>

#include "cmdutil/classic/XqShortVar.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/ed/qvedCommand.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqBlockInserts.h"
#include "xqcmdutil/XqResbufs.h"

namespace {

constexpr const wchar_t* kTempBlock = L"acet-tmp-block";
constexpr double kOrigin[3] = {0.0, 0.0, 0.0};

bool usable(double factor) {
  return std::isfinite(factor) && factor != 0.0;
}

bool blockExists(const wchar_t* name) {
  return static_cast<bool>(QvRbListPtr(qvdbTblSearch(L"BLOCK", name, 0)));
}

bool isGone(const int64_t ent[2]) {
  return !QvRbListPtr(qvdbEntGet(ent));
}

// The last entity of the drawing, or (0, 0) when it has none.
std::array<int64_t, 2> lastEntity() {
  std::array<int64_t, 2> name{0, 0};
  if (qvdbEntLast(name.data()) != kQvNormal) name = {0, 0};
  return name;
}

// Places a reference of the temporary block scaled by `factors` and explodes it, which leaves
// its content (the user's reference) rescaled. False when no reference was made or it did not
// explode.
bool insertAndExplode(const wchar_t* tempName, const double factors[3]) {
  const std::array<int64_t, 2> before = lastEntity();
  qvedCommand(kRbString, L"_.INSERT", kRbString, tempName, kRbString, L"_X", kRbReal, factors[0],
              kRbString, L"_Y", kRbReal, factors[1], kRbString, L"_Z", kRbReal, factors[2],
              kRbPoint3d, kOrigin, kRbReal, 0.0, kRbNone);
  std::array<int64_t, 2> made = lastEntity();
  if (made == before || made == std::array<int64_t, 2>{0, 0}) return false;
  {
    XqShortVarOverride unevenExplodes(L"EXPLMODE", 1);
    qvedCommand(kRbString, L"_.EXPLODE", kRbEntityName, made.data(), kRbNone);
  }
  return isGone(made.data());
}

// Rescales a reference with attributes through the host's commands: with the UCS on the
// reference, a temporary block takes it, and a reference of that block scaled by `factors` is
// exploded, which leaves the reference rescaled with its attributes.
int scaleThroughCommands(const int64_t ent[2], const double factors[3], const wchar_t* tempName) {
  int64_t set[2] = {0, 0};
  if (qvedSSAdd(ent, nullptr, set) != kQvNormal) return kQvError;
  // "Previous" only undoes a UCS this function set.
  const bool ucsSet =
      qvedCommand(kRbString, L"_.UCS", kRbString, L"_OB", kRbEntityName, ent, kRbNone) == kQvNormal;
  if (blockExists(tempName))
    qvedCommand(kRbString, L"_.BLOCK", kRbString, tempName, kRbString, L"_Y", kRbPoint3d, kOrigin,
                kRbPickSet, set, kRbString, L"", kRbNone);
  else
    qvedCommand(kRbString, L"_.BLOCK", kRbString, tempName, kRbPoint3d, kOrigin, kRbPickSet, set,
                kRbString, L"", kRbNone);
  int rc = kQvError;  // nothing scaled unless the block took the reference
  if (isGone(ent)) {
    // Should the scaled reference not come back, the reference returns as it was.
    static constexpr double kAsItWas[3] = {1.0, 1.0, 1.0};
    if (insertAndExplode(tempName, factors))
      rc = kQvNormal;
    else
      insertAndExplode(tempName, kAsItWas);
  }
  qvedSSFree(set);
  if (ucsSet) qvedCommand(kRbString, L"_.UCS", kRbString, L"_P", kRbNone);
  return rc;
}

// The temporary block of the rebuild, erased when nothing uses it.
void purgeTemporaryBlock() {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  QvDbDatabase* db = services ? services->workingDatabase() : nullptr;
  if (!db) return;
  QvDbObjectId blockId;
  {
    QvDbBlockTable* table = nullptr;
    if (db->getBlockTable(table, QvDb::kForRead) != Vexa::eOk) return;
    table->getAt(kTempBlock, blockId);
    table->close();
  }
  if (blockId.isNull()) return;
  QvDbObjectIdArray ids;
  ids.append(blockId);
  if (db->purge(ids) != Vexa::eOk || ids.isEmpty()) return;
  QvDbObjectPointer<QvDbBlockTableRecord> block(blockId, QvDb::kForWrite);
  if (block.openStatus() == Vexa::eOk) block->erase();
}

}  // namespace

int ScaleOneBlkInsert(const int64_t ent[2], double sx, double sy, double sz, int mode,
                      const wchar_t* tempName) {
  // A zero or endless factor would lose the reference: refused before anything changes.
  if (!usable(sx) || !usable(sy) || !usable(sz)) return kQvError;
  QvRbListPtr data(ent ? qvdbEntGet(ent) : nullptr);
  if (!data) return kQvError;
  const resbuf* type = dxf(data.get(), 0);
  if (!type || !type->value.string || std::wstring_view(type->value.string) != L"INSERT")
    return kQvError;
  const double given[3] = {sx, sy, sz};
  double factors[3] = {1.0, 1.0, 1.0};    // the new scale factors
  double insertion[3] = {1.0, 1.0, 1.0};  // what the rebuild scales the reference by
  for (int k = 0; k < 3; ++k) {
    double current = 1.0;
    if (GetBufReal(data.get(), 41 + k, &current) != kQvNormal || std::fabs(current) <= 1e-10)
      current = 1.0;
    factors[k] = mode == 0 ? given[k] * current : given[k];
    insertion[k] = mode == 0 ? given[k] : given[k] / current;
    if (!usable(factors[k]) || !usable(insertion[k])) return kQvError;
  }
  int attributesFollow = 0;
  if (GetBufInt(data.get(), 66, &attributesFollow) != kQvNormal) attributesFollow = 0;
  const resbuf* blockName = dxf(data.get(), 2);
  if (!blockName || qvRbValueKind(2) != QvRbKind::kString || !blockName->value.string)
    return kQvError;
  if (attributesFollow == 1 && blockName->value.string[0] != L'*') {
    data.reset();
    return scaleThroughCommands(ent, insertion, tempName && *tempName ? tempName : kTempBlock);
  }
  for (int k = 0; k < 3; ++k)
    if (SetBufReal(data.get(), 41 + k, factors[k]) != kQvNormal) return kQvError;
  return qvdbEntMod(data.get()) == kQvNormal ? kQvNormal : kQvError;
}

int ScaleBlkInserts(const int64_t ss[2], double sx, double sy, double sz, int mode) {
  int32_t length = 0;
  if (!ss || qvedSSLength(ss, &length) != kQvNormal) return kQvError;
  int result = kQvNormal;
  {
    XqShortVarOverride attreq(L"ATTREQ", 0);
    XqShortVarOverride ucsicon(L"ucsicon", 0);
    for (int32_t i = 0; i < length; ++i) {
      int64_t name[2] = {0, 0};
      QvDbObjectId id;
      if (qvedSSName(ss, i, name) != kQvNormal || qvdbGetObjectId(id, name) != Vexa::eOk) {
        result = kQvError;
        continue;
      }
      if (!id.objectClass() || !id.objectClass()->isDerivedFrom(QvDbBlockReference::desc()))
        continue;  // only references are rescaled
      if (ScaleOneBlkInsert(name, sx, sy, sz, mode, kTempBlock) != kQvNormal) result = kQvError;
    }
    purgeTemporaryBlock();
  }
  return result;
}
