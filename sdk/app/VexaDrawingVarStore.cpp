#include "sdk/app/VexaDrawingVarStore.h"

#include <cstddef>
#include <functional>
#include <optional>
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

// The variable's place in the host's table; -1 for a variable of another table.
std::ptrdiff_t indexOf(const VexaSysvarData& var) {
  const std::span<const VexaSysvarData> table = vexaSysvarTable();
  const std::less<const VexaSysvarData*> before;
  if (!before(&var, table.data()) && before(&var, table.data() + table.size()))
    return &var - table.data();
  return -1;
}

// The variable's name as a string: those of the host's table are made once, so that reads,
// the most frequent use, do not copy it each time.
const QvString& nameOf(const VexaSysvarData& var, QvString& copy) {
  static const std::vector<QvString> names = [] {
    std::vector<QvString> all;
    for (const VexaSysvarData& v : vexaSysvarTable()) all.emplace_back(v.name);
    return all;
  }();
  const std::ptrdiff_t index = indexOf(var);
  if (index >= 0) return names[static_cast<size_t>(index)];
  copy = QvString(var.name);
  return copy;
}

// A header value as the variable's type; nothing for a value of another kind.
std::optional<VexaSysVarValue> fromHeader(const VexaSysvarData& var, const QvDbHeaderValue& value) {
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

}  // namespace

std::optional<VexaSysVarValue> VexaDrawingVarStore::read(const VexaSysvarData& var) const {
  const QvDbDatabase* db = workingDatabase();
  if (!db) return std::nullopt;
  if (const QvDbHeaderValue* place = headerPlace(*db, var)) return fromHeader(var, *place);
  QvDbHeaderValue value;
  QvString copy;
  if (db->getSystemVariable(nameOf(var, copy), value) != Vexa::eOk) return std::nullopt;
  return fromHeader(var, value);
}

const QvDbHeaderValue* VexaDrawingVarStore::headerPlace(const QvDbDatabase& db,
                                                        const VexaSysvarData& var) const {
  const std::ptrdiff_t index = indexOf(var);
  if (index < 0) return nullptr;
  const QvDbHeader& header = db.header();
  if (placesRevision_ != header.placesRevision()) {
    placesRevision_ = header.placesRevision();
    places_.assign(vexaSysvarTable().size(), std::nullopt);
  }
  std::optional<const QvDbHeaderValue*>& place = places_[static_cast<size_t>(index)];
  if (!place) {
    QvString copy;
    const QvString& name = nameOf(var, copy);
    place = QvDbDatabase::isHeaderVariable(name) ? header.find(name) : nullptr;
  }
  return *place;
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
