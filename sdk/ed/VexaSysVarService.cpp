#include "sdk/ed/VexaSysVarService.h"

#include <cmath>
#include <utility>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/VexaPoint.h"
#include "sdk/ed/VexaSysvarData.h"

namespace {

VexaSysVarValue defaultValue(const VexaSysvarData& var) {
  switch (var.type) {
    case kRbShort:
      return VexaSysVarValue::ofShort(static_cast<int16_t>(var.defaultNumber));
    case kRbReal:
      return VexaSysVarValue::ofReal(var.defaultNumber);
    case kRbPoint3d:
      return VexaSysVarValue::ofPoint(
          {var.defaultPoint[0], var.defaultPoint[1], var.defaultPoint[2]});
    default:
      return VexaSysVarValue::ofText(var.defaultText ? var.defaultText : L"");
  }
}

bool isFinite(const VexaSysVarValue& value) {
  if (value.type() == kRbReal) return std::isfinite(value.realValue());
  if (value.type() == kRbPoint3d) {
    for (double c : value.pointValue())
      if (!std::isfinite(c)) return false;
  }
  return true;
}

const VexaSysvarData& ucsVar(const wchar_t* name) {
  return *vexaFindSysvarData(name);
}

}  // namespace

std::optional<VexaSysVarValue> VexaSysVarService::get(const wchar_t* name) const {
  const VexaSysvarData* var = vexaFindSysvarData(name);
  if (!var) return std::nullopt;
  return get(*var);
}

VexaSysVarValue VexaSysVarService::get(const VexaSysvarData& var) const {
  std::optional<VexaSysVarValue> stored = storeFor(var).read(var);
  // A store that hands back a value of another type is ignored.
  if (stored && stored->type() == var.type) return std::move(*stored);
  return defaultValue(var);
}

VexaSysVarResult VexaSysVarService::set(const wchar_t* name, const VexaSysVarValue& value) {
  return write(name, value, false);
}

VexaSysVarResult VexaSysVarService::setByHost(const wchar_t* name, const VexaSysVarValue& value) {
  return write(name, value, true);
}

VexaSysVarResult VexaSysVarService::write(const wchar_t* name, const VexaSysVarValue& value,
                                          bool byHost) {
  const VexaSysvarData* var = vexaFindSysvarData(name);
  if (!var) return VexaSysVarResult::kUnknownName;
  if (value.type() != var->type) return VexaSysVarResult::kWrongType;
  if ((var->isReadOnly() && !byHost) || (var->flags & kSysVarUcsAxis))
    return VexaSysVarResult::kReadOnly;
  if (!isFinite(value)) return VexaSysVarResult::kOutOfRange;
  int min = 0;
  int max = 0;
  if (var->shortRange(min, max) && (value.shortValue() < min || value.shortValue() > max))
    return VexaSysVarResult::kOutOfRange;
  if (storeFor(*var).write(*var, value) != Vexa::eOk) return VexaSysVarResult::kRefused;
  return VexaSysVarResult::kOk;
}

VexaUcs VexaSysVarService::currentUcs() const {
  // Found once: points are carried through the UCS at every answer.
  static const VexaSysvarData& org = ucsVar(L"UCSORG");
  static const VexaSysvarData& xdir = ucsVar(L"UCSXDIR");
  static const VexaSysvarData& ydir = ucsVar(L"UCSYDIR");
  const auto ucs = VexaUcs::fromAxes(toGePoint(get(org).pointValue()),
                                     toGeVector(get(xdir).pointValue()),
                                     toGeVector(get(ydir).pointValue()));
  return ucs ? *ucs : VexaUcs();
}

Vexa::ErrorStatus VexaSysVarService::setCurrentUcs(const VexaUcs& ucs) {
  // Axes of a VexaUcs are orthonormal by construction; all three are written or none.
  const VexaSysvarData& org = ucsVar(L"UCSORG");
  const VexaSysvarData& xdir = ucsVar(L"UCSXDIR");
  const VexaSysvarData& ydir = ucsVar(L"UCSYDIR");
  const VexaUcs previous = currentUcs();
  VexaSysVarStore& store = storeFor(org);
  auto point = [](const auto& p) { return VexaSysVarValue::ofPoint(toVexaPoint(p)); };
  Vexa::ErrorStatus es = store.write(org, point(ucs.origin()));
  if (es == Vexa::eOk) es = store.write(xdir, point(ucs.xAxis()));
  if (es == Vexa::eOk) es = store.write(ydir, point(ucs.yAxis()));
  if (es != Vexa::eOk) {
    store.write(org, point(previous.origin()));
    store.write(xdir, point(previous.xAxis()));
    store.write(ydir, point(previous.yAxis()));
  }
  return es;
}

VexaSysVarService* VexaSysVarService::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaSysVarService>() : nullptr;
}

VexaSysVarStore& VexaSysVarService::drawingStore() {
  if (drawingStore_) return *drawingStore_;
  return ownDrawingStore_;
}

const VexaSysVarStore& VexaSysVarService::drawingStore() const {
  if (drawingStore_) return *drawingStore_;
  return ownDrawingStore_;
}

VexaSysVarStore& VexaSysVarService::storeFor(const VexaSysvarData& var) {
  if (var.isPerDrawing()) return drawingStore();
  return sessionStore_;
}

const VexaSysVarStore& VexaSysVarService::storeFor(const VexaSysvarData& var) const {
  if (var.isPerDrawing()) return drawingStore();
  return sessionStore_;
}
