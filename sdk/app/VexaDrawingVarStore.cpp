#include "sdk/app/VexaDrawingVarStore.h"

#include <functional>
#include <span>
#include <vector>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaSysvarData.h"

namespace {

QvDbDatabase* workingDatabase() {
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

// The variable's name as a string: those of the host's table are made once, so that reads,
// the most frequent use, do not copy it each time.
const QvString& nameOf(const VexaSysvarData& var, QvString& copy) {
  static const std::vector<QvString> names = [] {
    std::vector<QvString> all;
    for (const VexaSysvarData& v : vexaSysvarTable()) all.emplace_back(v.name);
    return all;
  }();
  const std::span<const VexaSysvarData> table = vexaSysvarTable();
  const std::less<const VexaSysvarData*> before;
  if (!before(&var, table.data()) && before(&var, table.data() + table.size()))
    return names[static_cast<size_t>(&var - table.data())];
  copy = QvString(var.name);
  return copy;
}

}  // namespace

std::optional<VexaSysVarValue> VexaDrawingVarStore::read(const VexaSysvarData& var) const {
  const QvDbDatabase* db = workingDatabase();
  QvDbHeaderValue value;
  QvString copy;
  if (!db || db->getSystemVariable(nameOf(var, copy), value) != Vexa::eOk) return std::nullopt;
  switch (var.type) {
    case kRbShort:
      if (value.kind() == QvDbHeaderValue::kShort || value.kind() == QvDbHeaderValue::kLong)
        return VexaSysVarValue::ofShort(value.asShort());
      break;
    case kRbReal:
      if (value.kind() != QvDbHeaderValue::kString && value.kind() != QvDbHeaderValue::kTriple)
        return VexaSysVarValue::ofReal(value.asReal());
      break;
    case kRbPoint3d:
      if (value.kind() == QvDbHeaderValue::kTriple)
        return VexaSysVarValue::ofPoint(value.asTriple());
      break;
    case kRbString:
      if (value.kind() == QvDbHeaderValue::kString)
        return VexaSysVarValue::ofText(value.asString());
      break;
    default:
      break;
  }
  return std::nullopt;
}

Vexa::ErrorStatus VexaDrawingVarStore::write(const VexaSysvarData& var,
                                             const VexaSysVarValue& value) {
  QvDbDatabase* db = workingDatabase();
  if (!db) return Vexa::eNoDatabase;
  QvDbHeaderValue header;
  switch (value.type()) {
    case kRbShort:
      header = QvDbHeaderValue::ofShort(value.shortValue());
      break;
    case kRbReal:
      header = QvDbHeaderValue::ofReal(value.realValue());
      break;
    case kRbPoint3d: {
      const VexaSysVarValue::Point p = value.pointValue();
      header = QvDbHeaderValue::ofTriple(p[0], p[1], p[2]);
      break;
    }
    case kRbString:
      header = QvDbHeaderValue::ofString(value.textValue());
      break;
    default:
      return Vexa::eInvalidInput;
  }
  QvString copy;
  return db->setSystemVariable(nameOf(var, copy), header);
}
