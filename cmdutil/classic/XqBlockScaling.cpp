#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ge/QvGeMatrix3d.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/ed/qvedSysVar.h"
#include "sdk/rx/QvRxClass.h"
#include "xqcmdutil/XqBlockInserts.h"
#include "xqcmdutil/XqResbufs.h"

namespace {

constexpr const wchar_t* kTempBlock = L"acet-tmp-block";

// Sets a 16-bit variable to 0 while it lives when it can be read, and restores it.
class ZeroedShortVar {
 public:
  explicit ZeroedShortVar(const wchar_t* name) : name_(name) {
    resbuf rb{};
    if (qvedGetVar(name, &rb) != kQvNormal) return;
    if (rb.type != kRbShort) {
      if (rb.type == kRbString) std::free(rb.value.string);
      return;
    }
    saved_ = rb.value.int16;
    set(0);
  }
  ~ZeroedShortVar() {
    if (saved_) set(*saved_);
  }
  ZeroedShortVar(const ZeroedShortVar&) = delete;
  ZeroedShortVar& operator=(const ZeroedShortVar&) = delete;

 private:
  void set(int16_t value) const {
    resbuf rb{};
    rb.type = kRbShort;
    rb.value.int16 = value;
    qvedSetVar(name_, &rb);
  }
  const wchar_t* name_;
  std::optional<int16_t> saved_;
};

bool usable(double factor) {
  return std::isfinite(factor) && factor != 0.0;
}

// Rescales a reference with its attributes: the change of its block transform carries them.
int scaleWithAttributes(const int64_t ent[2], const QvGeScale3d& scale) {
  QvDbObjectId id;
  if (qvdbGetObjectId(id, ent) != Vexa::eOk) return kQvError;
  QvDbObjectPointer<QvDbBlockReference> reference(id, QvDb::kForWrite);
  if (reference.openStatus() != Vexa::eOk) return kQvError;
  const QvGeScale3d before = reference->scaleFactors();
  const QvGeMatrix3d from = reference->blockTransform();
  if (reference->setScaleFactors(scale) != Vexa::eOk) return kQvError;
  const QvGeMatrix3d to = reference->blockTransform();
  reference->setScaleFactors(before);
  QvGeMatrix3d back;
  if (!from.inverse(back)) return kQvError;
  if (reference->transformBy(to * back) != Vexa::eOk) {
    reference->setScaleFactors(before);
    return kQvError;
  }
  return kQvNormal;
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
                      const wchar_t* /*tempName*/) {
  // A zero or endless factor would lose the reference: refused before anything changes.
  if (!usable(sx) || !usable(sy) || !usable(sz)) return kQvError;
  QvRbListPtr data(ent ? qvdbEntGet(ent) : nullptr);
  if (!data) return kQvError;
  const resbuf* type = dxf(data.get(), 0);
  if (!type || !type->value.string || std::wstring_view(type->value.string) != L"INSERT")
    return kQvError;
  const double given[3] = {sx, sy, sz};
  double factors[3] = {1.0, 1.0, 1.0};
  for (int k = 0; k < 3; ++k) {
    double current = 1.0;
    if (GetBufReal(data.get(), 41 + k, &current) != kQvNormal || std::fabs(current) <= 1e-10)
      current = 1.0;
    factors[k] = mode == 0 ? given[k] * current : given[k];
    if (!usable(factors[k])) return kQvError;
  }
  int attributesFollow = 0;
  if (GetBufInt(data.get(), 66, &attributesFollow) != kQvNormal) attributesFollow = 0;
  const resbuf* blockName = dxf(data.get(), 2);
  if (!blockName || qvRbValueKind(2) != QvRbKind::kString || !blockName->value.string)
    return kQvError;
  if (attributesFollow == 1 && blockName->value.string[0] != L'*') {
    data.reset();
    return scaleWithAttributes(ent, QvGeScale3d(factors[0], factors[1], factors[2]));
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
    ZeroedShortVar attreq(L"ATTREQ");
    ZeroedShortVar ucsicon(L"ucsicon");
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
