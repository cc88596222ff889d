#include "sdk/db/QvDbHeader.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string_view>
#include <unordered_map>

namespace {

struct KnownVariable {
  const wchar_t* name;
  QvDbHeaderValue::Kind kind;
  double defaultValue;  // numbers; the default of texts and triples is given below
  double minValue;
  double maxValue;
};

// The header variables of a new drawing that the stand-in checks. Texts and triples take
// their defaults from defaultOf().
constexpr KnownVariable kKnownVariables[] = {
    {L"ANNOTATIVEDWG", QvDbHeaderValue::kShort, 0, 0, 1},
    {L"ATTMODE", QvDbHeaderValue::kShort, 1, 0, 2},
    {L"AUNITS", QvDbHeaderValue::kShort, 0, 0, 4},
    {L"AUPREC", QvDbHeaderValue::kShort, 0, 0, 8},
    {L"CANNOSCALE", QvDbHeaderValue::kString, 0, 0, 0},
    {L"CECOLOR", QvDbHeaderValue::kShort, 256, 0, 257},
    {L"CELTSCALE", QvDbHeaderValue::kReal, 1, 1e-100, 1e100},
    {L"DIMSCALE", QvDbHeaderValue::kReal, 1, 0, 1e100},
    {L"EXTMAX", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"EXTMIN", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"EXTNAMES", QvDbHeaderValue::kShort, 1, 0, 1},
    {L"INSBASE", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"INSUNITS", QvDbHeaderValue::kShort, 4, 0, 24},
    {L"LASTPOINT", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"LTSCALE", QvDbHeaderValue::kReal, 1, 1e-100, 1e100},
    {L"LUNITS", QvDbHeaderValue::kShort, 2, 1, 5},
    {L"LUPREC", QvDbHeaderValue::kShort, 4, 0, 8},
    {L"MEASUREMENT", QvDbHeaderValue::kShort, 0, 0, 1},
    {L"MSLTSCALE", QvDbHeaderValue::kShort, 1, 0, 1},
    {L"ORTHOMODE", QvDbHeaderValue::kShort, 0, 0, 1},
    {L"PDMODE", QvDbHeaderValue::kShort, 0, -32768, 32767},
    {L"PDSIZE", QvDbHeaderValue::kReal, 0, -1e100, 1e100},
    {L"PSLTSCALE", QvDbHeaderValue::kShort, 1, 0, 1},
    {L"SNAPANG", QvDbHeaderValue::kReal, 0, -1e100, 1e100},
    {L"TEXTSIZE", QvDbHeaderValue::kReal, 0.2, 1e-100, 1e100},
    {L"TILEMODE", QvDbHeaderValue::kShort, 1, 0, 1},
    {L"UCSORG", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"UCSXDIR", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"UCSICON", QvDbHeaderValue::kShort, 3, 0, 3},
    {L"UCSYDIR", QvDbHeaderValue::kTriple, 0, 0, 0},
    {L"VIEWDIR", QvDbHeaderValue::kTriple, 0, 0, 0},
};

const KnownVariable* findKnown(const QvString& name) {
  static const std::unordered_map<std::wstring_view, const KnownVariable*> byName = [] {
    std::unordered_map<std::wstring_view, const KnownVariable*> all;
    for (const KnownVariable& v : kKnownVariables) all.emplace(v.name, &v);
    return all;
  }();
  const auto it = byName.find(std::wstring_view(name.c_str(), static_cast<size_t>(name.length())));
  return it == byName.end() ? nullptr : it->second;
}

QvDbHeaderValue defaultOf(const KnownVariable& v) {
  const QvString name(v.name);
  switch (v.kind) {
    case QvDbHeaderValue::kShort:
      return QvDbHeaderValue::ofShort(static_cast<int16_t>(v.defaultValue));
    case QvDbHeaderValue::kLong:
      return QvDbHeaderValue::ofLong(static_cast<int32_t>(v.defaultValue));
    case QvDbHeaderValue::kReal:
      return QvDbHeaderValue::ofReal(v.defaultValue);
    case QvDbHeaderValue::kString:
      return QvDbHeaderValue::ofString(name == L"CANNOSCALE" ? L"1:1" : L"");
    case QvDbHeaderValue::kTriple:
      if (name == L"UCSXDIR") return QvDbHeaderValue::ofTriple(1, 0, 0);
      if (name == L"UCSYDIR") return QvDbHeaderValue::ofTriple(0, 1, 0);
      if (name == L"VIEWDIR") return QvDbHeaderValue::ofTriple(0, 0, 1);
      return QvDbHeaderValue::ofTriple(0, 0, 0);
    case QvDbHeaderValue::kNone:
      break;
  }
  return QvDbHeaderValue();
}

// The value converted to the variable's kind, or none when it cannot be.
QvDbHeaderValue checked(const KnownVariable& v, const QvDbHeaderValue& value,
                        Vexa::ErrorStatus& es) {
  es = Vexa::eOk;
  const QvDbHeaderValue::Kind given = value.kind();
  const bool givenInteger = given == QvDbHeaderValue::kShort || given == QvDbHeaderValue::kLong;
  switch (v.kind) {
    case QvDbHeaderValue::kShort:
    case QvDbHeaderValue::kLong: {
      if (!givenInteger) break;
      const double n = value.asLong();
      if (n < v.minValue || n > v.maxValue) {
        es = Vexa::eOutOfRange;
        return QvDbHeaderValue();
      }
      return v.kind == QvDbHeaderValue::kShort
                 ? QvDbHeaderValue::ofShort(static_cast<int16_t>(value.asLong()))
                 : QvDbHeaderValue::ofLong(value.asLong());
    }
    case QvDbHeaderValue::kReal: {
      if (given != QvDbHeaderValue::kReal && !givenInteger) break;
      const double r = value.asReal();
      if (!std::isfinite(r) || r < v.minValue || r > v.maxValue) {
        es = Vexa::eOutOfRange;
        return QvDbHeaderValue();
      }
      return QvDbHeaderValue::ofReal(r);
    }
    case QvDbHeaderValue::kString:
      if (given == QvDbHeaderValue::kString) return value;
      break;
    case QvDbHeaderValue::kTriple:
      if (given != QvDbHeaderValue::kTriple) break;
      for (double c : value.asTriple()) {
        if (!std::isfinite(c)) {
          es = Vexa::eOutOfRange;
          return QvDbHeaderValue();
        }
      }
      return value;
    case QvDbHeaderValue::kNone:
      break;
  }
  es = Vexa::eInvalidInput;
  return QvDbHeaderValue();
}

QvString normalName(const QvString& name) {
  QvString upper = name;
  upper.makeUpper();
  if (upper.startsWith(L"$")) upper = upper.mid(1);
  return upper;
}

// Whether a name is already as the header keeps it (upper case, no "$"), so needs no copy.
bool isNormal(const QvString& name) {
  const wchar_t* p = name.c_str();
  if (*p == L'$') return false;
  for (; *p; ++p)
    if (*p >= 0x80 || (*p >= L'a' && *p <= L'z')) return false;
  return true;
}

// The name as the header keeps it: `name` itself when it is so already (the usual case), else
// `copy`.
const QvString& keyOf(const QvString& name, QvString& copy) {
  if (isNormal(name)) return name;
  copy = normalName(name);
  return copy;
}

std::uint64_t newPlacesRevision() {
  static std::atomic<std::uint64_t> last{0};
  return ++last;
}

}  // namespace

QvDbHeader::QvDbHeader() : placesRevision_(newPlacesRevision()) {
  for (const KnownVariable& v : kKnownVariables) values_[v.name] = defaultOf(v);
}

QvDbHeader::QvDbHeader(const QvDbHeader& other)
    : values_(other.values_), placesRevision_(newPlacesRevision()) {}

QvDbHeader::QvDbHeader(QvDbHeader&& other) noexcept
    : values_(std::move(other.values_)), placesRevision_(newPlacesRevision()) {
  other.placesRevision_ = newPlacesRevision();
}

QvDbHeader& QvDbHeader::operator=(const QvDbHeader& other) {
  values_ = other.values_;
  placesRevision_ = newPlacesRevision();
  return *this;
}

QvDbHeader& QvDbHeader::operator=(QvDbHeader&& other) noexcept {
  values_ = std::move(other.values_);
  placesRevision_ = newPlacesRevision();
  other.placesRevision_ = newPlacesRevision();
  return *this;
}

QvDbHeaderValue QvDbHeader::get(const QvString& name) const {
  const QvDbHeaderValue* value = find(name);
  return value ? *value : QvDbHeaderValue();
}

const QvDbHeaderValue* QvDbHeader::find(const QvString& name) const {
  QvString copy;
  const auto it = values_.find(keyOf(name, copy));
  return it == values_.end() ? nullptr : &it->second;
}

Vexa::ErrorStatus QvDbHeader::set(const QvString& name, const QvDbHeaderValue& value) {
  QvString copy;
  const QvString& key = keyOf(name, copy);
  if (key.isEmpty() || value.isNone()) return Vexa::eInvalidInput;
  QvDbHeaderValue accepted = value;
  if (const KnownVariable* known = findKnown(key)) {
    Vexa::ErrorStatus es;
    accepted = checked(*known, value, es);
    if (es != Vexa::eOk) return es;
  }
  const auto [place, added] = values_.try_emplace(key);
  place->second = std::move(accepted);
  if (added) placesRevision_ = newPlacesRevision();
  return Vexa::eOk;
}

std::vector<QvString> QvDbHeader::names() const {
  std::vector<QvString> all;
  all.reserve(values_.size());
  for (const auto& entry : values_) all.push_back(entry.first);
  std::sort(all.begin(), all.end());
  return all;
}

bool QvDbHeader::has(const QvString& name) const {
  QvString copy;
  return values_.count(keyOf(name, copy)) != 0;
}

bool QvDbHeader::isKnown(const QvString& name) {
  return findKnown(normalName(name)) != nullptr;
}

QvDbHeaderValue QvDbHeader::clamped(const QvString& name, const QvDbHeaderValue& value) {
  const KnownVariable* known = findKnown(normalName(name));
  const QvDbHeaderValue::Kind given = value.kind();
  if (!known || (given != QvDbHeaderValue::kShort && given != QvDbHeaderValue::kLong &&
                 given != QvDbHeaderValue::kReal))
    return QvDbHeaderValue();
  const double n = value.asReal();
  if (!std::isfinite(n)) return QvDbHeaderValue();
  const double within = std::min(std::max(n, known->minValue), known->maxValue);
  switch (known->kind) {
    case QvDbHeaderValue::kShort:
      return QvDbHeaderValue::ofShort(static_cast<int16_t>(within));
    case QvDbHeaderValue::kLong:
      return QvDbHeaderValue::ofLong(static_cast<int32_t>(within));
    case QvDbHeaderValue::kReal:
      return QvDbHeaderValue::ofReal(within);
    default:
      return QvDbHeaderValue();
  }
}
