#include "xqcmdutil/QvDbEntityInternalBasePE.h"

#include "xqcmdutil/XqRxRegistration.h"

namespace {

constexpr const wchar_t* kName = L"QvDbEntityInternalBasePE";
constexpr auto kLookup = XqRxRegistration::Lookup::kClassDictionary;

QvRxObject* makeBasePE() {
  return new QvDbEntityInternalBasePE;
}

}  // namespace

// This class is looked up in the system registry's class dictionary, and a mismatch aborts
// with an empty message.
QvRxClass* QvDbEntityInternalBasePE::gpDesc = nullptr;

QvRxClass* QvDbEntityInternalBasePE::desc() {
  return XqRxRegistration::desc(gpDesc, kName, kLookup);
}

QvRxClass* QvDbEntityInternalBasePE::isA() const {
  return desc();
}

void QvDbEntityInternalBasePE::rxInit() {
  XqRxRegistration::rxInit(gpDesc, kName, kLookup, L"",
                           [] { return newQvRxClass(kName, L"AcRxObject", &makeBasePE); });
}

QvDbEntityInternalBasePE::QvDbEntityInternalBasePE() = default;

QvDbEntityInternalBasePE::QvDbEntityInternalBasePE(const QvDbEntityInternalBasePE& other) = default;

QvDbEntityInternalBasePE& QvDbEntityInternalBasePE::operator=(
    const QvDbEntityInternalBasePE& other) = default;

QvDbEntityInternalBasePE::~QvDbEntityInternalBasePE() = default;

Vexa::ErrorStatus QvDbEntityInternalBasePE::entityArea(const QvDbEntity*, double&) {
  return Vexa::eNotImplemented;
}

Vexa::ErrorStatus QvDbEntityInternalBasePE::entityLength(const QvDbEntity*, double&) {
  return Vexa::eNotImplemented;
}

Vexa::ErrorStatus QvDbEntityInternalBasePE::entityAngle(const QvDbEntity*, double&) {
  return Vexa::eNotImplemented;
}

Vexa::ErrorStatus QvDbEntityInternalBasePE::setEntityLength(QvDbEntity*, double,
                                                            const QvGePoint3d&) {
  return Vexa::eNotImplemented;
}

Vexa::ErrorStatus QvDbEntityInternalBasePE::setEntityAngle(QvDbEntity*, double,
                                                           const QvGePoint3d&) {
  return Vexa::eNotImplemented;
}
