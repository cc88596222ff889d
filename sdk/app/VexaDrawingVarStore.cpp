#include "sdk/app/VexaDrawingVarStore.h"

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaSysvarData.h"

namespace {

QvDbDatabase* workingDatabase() {
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

}  // namespace

std::optional<VexaSysVarValue> VexaDrawingVarStore::read(const VexaSysvarData& var) const {
  const QvDbDatabase* db = workingDatabase();
  QvDbHeaderValue value;
  if (!db || db->getSystemVariable(var.name, value) != Vexa::eOk) return std::nullopt;
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
  return db->setSystemVariable(var.name, header);
}
