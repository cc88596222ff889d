#include "xqcmdutil/XqDbSubEntContainer.h"

#include "sdk/gi/QvGiGeometry.h"
#include "sdk/gi/QvGiViewportDraw.h"
#include "sdk/gi/QvGiWorldDraw.h"
#include "xqcmdutil/XqRxRegistration.h"

namespace {

constexpr const wchar_t* kName = L"XqDbSubEntContainer";
constexpr auto kLookup = XqRxRegistration::Lookup::kClassRegistry;

QvRxObject* makeContainer() {
  return new XqDbSubEntContainer;
}

void registerClass(QvRxClass*& descriptor, QvRxAppNameChangeFunc appNameChange) {
  XqRxRegistration::rxInit(descriptor, kName, kLookup, XqRxRegistration::kClassMismatch, [&] {
    return newQvRxClass(kName, L"AcDbEntity", 33, 55, 0, &makeContainer, L"QVDBOFFSETPREVIEWENTITY",
                        L"XqDbSubEntContainer|Description: TARVO Offset Entity", appNameChange);
  });
}

}  // namespace

QvRxClass* XqDbSubEntContainer::gpDesc = nullptr;

QvRxClass* XqDbSubEntContainer::desc() {
  return XqRxRegistration::desc(gpDesc, kName, kLookup);
}

QvRxClass* XqDbSubEntContainer::isA() const {
  return desc();
}

void XqDbSubEntContainer::rxInit() {
  registerClass(gpDesc, nullptr);
}

void XqDbSubEntContainer::rxInit(QvRxAppNameChangeFunc appNameChange) {
  registerClass(gpDesc, appNameChange);
}

XqDbSubEntContainer::XqDbSubEntContainer() : XqDbSubEntContainer(false) {}

XqDbSubEntContainer::XqDbSubEntContainer(bool ownsSubEntities)
    : m_ownsSubEntities(ownsSubEntities) {}

XqDbSubEntContainer::XqDbSubEntContainer(const XqDbSubEntContainer& other)
    : QvDbEntity(other),
      m_subEntities(other.m_subEntities),
      m_drawList(other.m_drawList),
      m_ownsSubEntities(false) {}

XqDbSubEntContainer& XqDbSubEntContainer::operator=(const XqDbSubEntContainer& other) {
  if (this != &other) {
    QvDbEntity::operator=(other);
    m_subEntities = other.m_subEntities;
    m_drawList = other.m_drawList;
  }
  return *this;
}

XqDbSubEntContainer::~XqDbSubEntContainer() {
  if (m_ownsSubEntities) clearSubEntity();
}

bool XqDbSubEntContainer::addSubEntity(QvDbEntity* entity) {
  if (!entity || entity->isResident()) return false;
  if (m_subEntities.insert(entity).second) m_drawList.push_back(entity);
  return true;
}

bool XqDbSubEntContainer::deleteSubEntity(QvDbEntity* entity) {
  if (!entity || m_subEntities.erase(entity) == 0) return false;
  m_drawList.remove(entity);
  return true;
}

void XqDbSubEntContainer::clearSubEntity() {
  for (QvDbEntity* entity : m_subEntities)
    if (!entity->isResident()) delete entity;
  m_subEntities.clear();
  m_drawList.clear();
}

bool XqDbSubEntContainer::subWorldDraw(QvGiWorldDraw* wd) {
  assertReadEnabled();
  QvGiGeometry& geometry = wd->geometry();
  for (QvDbEntity* entity : m_drawList) geometry.draw(entity);
  return true;
}

void XqDbSubEntContainer::subViewportDraw(QvGiViewportDraw* vd) {
  assertReadEnabled();
  QvGiGeometry& geometry = vd->geometry();
  for (QvDbEntity* entity : m_drawList) geometry.draw(entity);
}

Vexa::ErrorStatus XqDbSubEntContainer::subGetGeomExtents(QvDbExtents& extents) const {
  extents = QvDbExtents();
  bool any = false;
  for (const QvDbEntity* entity : m_subEntities) {
    QvDbExtents own;
    if (entity && entity->getGeomExtents(own) == Vexa::eOk) {
      extents.addExt(own);
      any = true;
    }
  }
  return any ? Vexa::eOk : Vexa::eInvalidExtents;
}
