// QvDbDatabase's variables: the header, the drawing variables the editor reads and writes
// through it, and the settings kept there (units, tile mode and viewport, UCS, insertion base,
// annotation scale, current records).

#include "sdk/db/QvDbDatabase.h"

#include <cmath>
#include <string_view>

#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbScale.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/db/QvDbUCSTableRecord.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGePrecision.h"

namespace {

// The drawing variables that are not header variables of their own.
enum class Special {
  kNone,
  kClayer,
  kTextstyle,
  kDimstyle,
  kCeltype,
  kCvport,
  kCannoscaleValue,
  kHandseed
};

Special specialOf(const QvString& upper) {
  const std::wstring_view name = upper.wstr();
  // Most names read are header variables: the first letter rules them out cheaply.
  switch (name.empty() ? L'\0' : name[0]) {
    case L'C':
    case L'T':
    case L'D':
    case L'H':
      break;
    default:
      return Special::kNone;
  }
  if (name == L"CLAYER") return Special::kClayer;
  if (name == L"TEXTSTYLE") return Special::kTextstyle;
  if (name == L"DIMSTYLE") return Special::kDimstyle;
  if (name == L"CELTYPE") return Special::kCeltype;
  if (name == L"CVPORT") return Special::kCvport;
  if (name == L"CANNOSCALEVALUE") return Special::kCannoscaleValue;
  if (name == L"HANDSEED") return Special::kHandseed;
  return Special::kNone;
}

// The name in upper case: `name` itself when it is so already (the usual case), else `copy`.
const QvString& upperName(const QvString& name, QvString& copy) {
  for (const wchar_t* p = name.c_str(); *p; ++p) {
    if (*p >= 0x80 || (*p >= L'a' && *p <= L'z')) {
      copy = name;
      copy.makeUpper();
      return copy;
    }
  }
  return name;
}

}  // namespace

Vexa::ErrorStatus QvDbDatabase::setHeaderValue(const QvString& name, const QvDbHeaderValue& value) {
  QvString copy;
  const QvString& key = upperName(name, copy);
  if (key == L"TILEMODE" || key == L"$TILEMODE") {
    if (value.kind() != QvDbHeaderValue::kShort && value.kind() != QvDbHeaderValue::kLong)
      return Vexa::eInvalidInput;
    if (value.asLong() != 0 && value.asLong() != 1) return Vexa::eOutOfRange;
    return setTilemode(value.asLong() != 0);
  }
  return state_.header.set(name, value);
}

bool QvDbDatabase::isDrawingVariable(const QvString& name) {
  QvString upper = name;
  upper.makeUpper();
  return specialOf(upper) != Special::kNone || QvDbHeader::isKnown(upper);
}

bool QvDbDatabase::isHeaderVariable(const QvString& name) {
  QvString copy;
  return specialOf(upperName(name, copy)) == Special::kNone;
}

Vexa::ErrorStatus QvDbDatabase::getSystemVariable(const QvString& name,
                                                  QvDbHeaderValue& value) const {
  QvString copy;
  const QvString& upper = upperName(name, copy);
  switch (specialOf(upper)) {
    case Special::kClayer:
      value = QvDbHeaderValue::ofString(QvDbSymbolTableRecord::nameOf(state_.clayer));
      return Vexa::eOk;
    case Special::kTextstyle:
      value = QvDbHeaderValue::ofString(QvDbSymbolTableRecord::nameOf(state_.textstyle));
      return Vexa::eOk;
    case Special::kDimstyle:
      value = QvDbHeaderValue::ofString(QvDbSymbolTableRecord::nameOf(state_.dimstyle));
      return Vexa::eOk;
    case Special::kCeltype:
      value = QvDbHeaderValue::ofString(state_.celtype.isNull()
                                            ? QvString(L"ByLayer")
                                            : QvDbSymbolTableRecord::nameOf(state_.celtype));
      return Vexa::eOk;
    case Special::kCvport:
      value = QvDbHeaderValue::ofShort(state_.cvport);
      return Vexa::eOk;
    case Special::kCannoscaleValue:
      value = QvDbHeaderValue::ofReal(cannoscaleValue());
      return Vexa::eOk;
    case Special::kHandseed:
      value = QvDbHeaderValue::ofString(handseed_.ascii());
      return Vexa::eOk;
    case Special::kNone:
      break;
  }
  value = state_.header.get(upper);
  return value.isNone() ? Vexa::eUnknownSystemVariable : Vexa::eOk;
}

Vexa::ErrorStatus QvDbDatabase::setSystemVariable(const QvString& name,
                                                  const QvDbHeaderValue& value) {
  QvString copy;
  const QvString& upper = upperName(name, copy);
  const Special special = specialOf(upper);
  auto setByName = [&](int kind, Vexa::ErrorStatus (QvDbDatabase::*setter)(QvDbObjectId)) {
    if (value.kind() != QvDbHeaderValue::kString) return Vexa::eInvalidInput;
    const QvDbObjectId id = findSymbolRecord(kind, value.asString());
    if (id.isNull()) return Vexa::eKeyNotFound;
    return (this->*setter)(id);
  };
  switch (special) {
    case Special::kClayer:
      return setByName(kLayerTable, &QvDbDatabase::setClayer);
    case Special::kTextstyle:
      return setByName(kTextStyleTable, &QvDbDatabase::setTextstyle);
    case Special::kDimstyle:
      return setByName(kDimStyleTable, &QvDbDatabase::setDimstyle);
    case Special::kCeltype:
      return setByName(kLinetypeTable, &QvDbDatabase::setCeltype);
    case Special::kCvport:
      if (value.kind() != QvDbHeaderValue::kShort && value.kind() != QvDbHeaderValue::kLong)
        return Vexa::eInvalidInput;
      if (value.asLong() < 1 || value.asLong() > INT16_MAX) return Vexa::eOutOfRange;
      return setCvport(value.asShort());
    case Special::kCannoscaleValue:
      if (value.kind() == QvDbHeaderValue::kString || value.kind() == QvDbHeaderValue::kTriple)
        return Vexa::eInvalidInput;
      return setCannoscaleValue(value.asReal());
    case Special::kHandseed:
      return Vexa::eNotApplicable;  // read only
    case Special::kNone:
      break;
  }
  if (!state_.header.has(upper)) return Vexa::eUnknownSystemVariable;
  if (upper == L"CANNOSCALE" && findScale(value.asString()).isNull()) return Vexa::eKeyNotFound;
  return setHeaderValue(upper, value);
}

QvDb::UnitsValue QvDbDatabase::insunits() const {
  return static_cast<QvDb::UnitsValue>(state_.header.get(L"INSUNITS").asShort());
}

Vexa::ErrorStatus QvDbDatabase::setInsunits(QvDb::UnitsValue units) {
  return state_.header.set(L"INSUNITS", QvDbHeaderValue::ofShort(static_cast<int16_t>(units)));
}

bool QvDbDatabase::tilemode() const {
  // Read for every look-up of the current space.
  const QvDbHeaderValue* value = tilemodePlace_.in(state_.header);
  return value && value->asShort() != 0;
}

Vexa::ErrorStatus QvDbDatabase::setTilemode(bool on) {
  if (on == tilemode()) return Vexa::eOk;
  QvDbLayoutManager manager;
  const QvDbObjectId layout =
      on ? manager.findLayoutNamed(QvDbLayoutManager::kModelLayoutName, this)
         : manager.getActiveLayoutId(false, this);
  if (layout.isNull()) {
    // A database without layouts: only the setting changes.
    setTilemodeValue(on);
    return Vexa::eOk;
  }
  return manager.setCurrentLayoutId(layout);
}

void QvDbDatabase::setTilemodeValue(bool on) {
  state_.header.set(L"TILEMODE", QvDbHeaderValue::ofShort(on ? 1 : 0));
  state_.cvport = on ? 2 : 1;
}

Vexa::ErrorStatus QvDbDatabase::setCvport(int16_t viewport) {
  if (viewport < 1) return Vexa::eOutOfRange;
  if (viewport == 1 && tilemode()) return Vexa::eInvalidInput;  // model has no paper viewport
  state_.cvport = viewport;
  return Vexa::eOk;
}

namespace {

QvGePoint3d pointOf(const QvDbHeaderValue& value) {
  const QvDbHeaderValue::Triple t = value.asTriple();
  return QvGePoint3d(t[0], t[1], t[2]);
}

QvDbHeaderValue tripleOf(double x, double y, double z) {
  return QvDbHeaderValue::ofTriple(x, y, z);
}

}  // namespace

QvGePoint3d QvDbDatabase::ucsorg() const {
  return pointOf(state_.header.get(L"UCSORG"));
}

QvGeVector3d QvDbDatabase::ucsxdir() const {
  return pointOf(state_.header.get(L"UCSXDIR")).asVector();
}

QvGeVector3d QvDbDatabase::ucsydir() const {
  return pointOf(state_.header.get(L"UCSYDIR")).asVector();
}

Vexa::ErrorStatus QvDbDatabase::setUcs(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                                       const QvGeVector3d& yAxis) {
  QvGeVector3d x, y;
  if (!QvDbUCSTableRecord::normalizedAxes(xAxis, yAxis, x, y)) return Vexa::eInvalidInput;
  QvDbHeader header = state_.header;
  Vexa::ErrorStatus es = header.set(L"UCSORG", tripleOf(origin.x, origin.y, origin.z));
  if (es == Vexa::eOk) es = header.set(L"UCSXDIR", tripleOf(x.x, x.y, x.z));
  if (es == Vexa::eOk) es = header.set(L"UCSYDIR", tripleOf(y.x, y.y, y.z));
  if (es == Vexa::eOk) state_.header = std::move(header);
  return es;
}

QvGePoint3d QvDbDatabase::insbase() const {
  return pointOf(state_.header.get(L"INSBASE"));
}

Vexa::ErrorStatus QvDbDatabase::setInsbase(const QvGePoint3d& base) {
  return state_.header.set(L"INSBASE", tripleOf(base.x, base.y, base.z));
}

bool QvDbDatabase::annotativeDwg() const {
  return state_.header.get(L"ANNOTATIVEDWG").asShort() != 0;
}

Vexa::ErrorStatus QvDbDatabase::setAnnotativeDwg(bool on) {
  return state_.header.set(L"ANNOTATIVEDWG", QvDbHeaderValue::ofShort(on ? 1 : 0));
}

bool QvDbDatabase::extnames() const {
  return state_.header.get(L"EXTNAMES").asShort() != 0;
}

QvString QvDbDatabase::cannoscaleName() const {
  return state_.header.get(L"CANNOSCALE").asString();
}

QvDbObjectId QvDbDatabase::findScale(const QvString& name) const {
  const auto* scales = QvDbDictionary::cast(peek(scaleListDictionaryId()));
  if (!scales) return QvDbObjectId();
  for (const auto& [key, entry] : scales->entries_) {
    const auto* scale = QvDbScale::cast(peek(entry.id));
    if (scale && !entry.id.isErased() && scale->name_.compareNoCase(name) == 0) return entry.id;
  }
  return QvDbObjectId();
}

double QvDbDatabase::cannoscaleValue() const {
  const auto* scale = QvDbScale::cast(peek(findScale(cannoscaleName())));
  return scale ? scale->paperUnits_ / scale->drawingUnits_ : 1.0;
}

Vexa::ErrorStatus QvDbDatabase::setCannoscaleValue(double value) {
  if (!std::isfinite(value) || value <= 0.0) return Vexa::eOutOfRange;
  const auto* scales = QvDbDictionary::cast(peek(scaleListDictionaryId()));
  if (!scales) return Vexa::eKeyNotFound;
  for (const auto& [key, entry] : scales->entries_) {
    const auto* scale = QvDbScale::cast(peek(entry.id));
    if (!scale || entry.id.isErased()) continue;
    if (std::fabs(scale->paperUnits_ / scale->drawingUnits_ - value) <=
        QvGePrecision::kRelative * value)
      return setHeaderValue(L"CANNOSCALE", QvDbHeaderValue::ofString(scale->name_));
  }
  // No scale of that value yet: the list gets one.
  QvDbObjectPointer<QvDbDictionary> list(scaleListDictionaryId(), QvDb::kForWrite);
  if (list.openStatus() != Vexa::eOk) return list.openStatus();
  QvDbObjectPointer<QvDbScale> scale(new QvDbScale());
  const double paper = value >= 1.0 ? value : 1.0;
  const double drawing = value >= 1.0 ? 1.0 : 1.0 / value;
  const QvString name = QvString::format(L"%.10g:%.10g", paper, drawing);
  scale->setScaleName(name.c_str());
  scale->setUnits(paper, drawing);
  QvString key;
  for (int n = list->numEntries();; ++n) {
    key = QvString::format(L"A%d", n);
    if (!list->has(key.c_str())) break;
  }
  QvDbObjectId id;
  if (const Vexa::ErrorStatus es = list->setAt(key.c_str(), scale.object(), id); es != Vexa::eOk)
    return es;
  return setHeaderValue(L"CANNOSCALE", QvDbHeaderValue::ofString(name));
}

Vexa::ErrorStatus QvDbDatabase::setCurrentRecord(QvDbObjectId& slot, QvDbObjectId id, int kind) {
  if (id.isNull()) return Vexa::eNullObjectId;
  if (id.database() != this) return Vexa::eWrongDatabase;
  if (id.isErased()) return Vexa::eWasErased;
  const QvRxClass* tableCls = tableClass(kind);
  const QvDbObject* object = peek(id);
  if (!object || !tableCls) return Vexa::eWrongObjectType;
  const QvDbObject* owner = peek(object->ownerId());
  if (!owner || owner->isA() != tableCls) return Vexa::eWrongObjectType;
  slot = id;
  return Vexa::eOk;
}

Vexa::ErrorStatus QvDbDatabase::setClayer(QvDbObjectId layerId) {
  return setCurrentRecord(state_.clayer, layerId, kLayerTable);
}

Vexa::ErrorStatus QvDbDatabase::setTextstyle(QvDbObjectId styleId) {
  return setCurrentRecord(state_.textstyle, styleId, kTextStyleTable);
}

Vexa::ErrorStatus QvDbDatabase::setDimstyle(QvDbObjectId styleId) {
  return setCurrentRecord(state_.dimstyle, styleId, kDimStyleTable);
}

Vexa::ErrorStatus QvDbDatabase::setCeltype(QvDbObjectId linetypeId) {
  return setCurrentRecord(state_.celtype, linetypeId, kLinetypeTable);
}
