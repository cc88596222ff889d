// The runtime class of the offset preview entity and the container it is.
#include <gtest/gtest.h>

#include <string>

#include "sdk/rx/QvRxDictionary.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqCmdUtilEntry.h"
#include "xqcmdutil/XqDbSubEntContainer.h"

namespace {

void renameApp(const QvRxClass*, wchar_t*&, int) {}

// An entity that counts how many of its kind are alive.
class CountedEntity : public QvDbEntity {
 public:
  explicit CountedEntity(int& alive) : alive_(alive) { ++alive_; }
  ~CountedEntity() override { --alive_; }

 private:
  int& alive_;
};

TEST(XqDbSubEntContainerClass, IsRegisteredOnLoadAndRemovedOnUnload) {
  VexaHost host;
  IVexaCmdApplication* app = GetVexaCmdApplication();
  ASSERT_TRUE(app->initApplication());
  QvRxClass* cls = XqDbSubEntContainer::desc();
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls, qvrxFindQvRxClass(L"XqDbSubEntContainer"));
  EXPECT_EQ(std::wstring(cls->parentName()), L"AcDbEntity");
  EXPECT_EQ(cls->myParent(), QvDbEntity::desc());
  EXPECT_EQ(std::wstring(cls->dxfName()), L"QVDBOFFSETPREVIEWENTITY");
  EXPECT_EQ(std::wstring(cls->appName()), L"XqDbSubEntContainer|Description: TARVO Offset Entity");
  EXPECT_EQ(cls->dwgVersion(), 33);
  EXPECT_EQ(cls->maintenanceVersion(), 55);
  EXPECT_EQ(cls->proxyFlags(), 0);
  EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);
  // A second registration, with a callback, finds the class and stops.
  XqDbSubEntContainer::rxInit(&renameApp);
  EXPECT_EQ(XqDbSubEntContainer::desc(), cls);
  EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);

  XqDbSubEntContainer container;
  EXPECT_EQ(container.isA(), cls);
  EXPECT_EQ(XqDbSubEntContainer::cast(&container), &container);
  EXPECT_EQ(XqDbSubEntContainer::cast(QvDbEntity::cast(&container)), &container);
  const QvRxDictionary unrelated;
  EXPECT_EQ(XqDbSubEntContainer::cast(&unrelated), nullptr);

  app->exitApplication();
  EXPECT_EQ(XqDbSubEntContainer::gpDesc, nullptr);
  EXPECT_EQ(XqDbSubEntContainer::cast(&container), nullptr) << "no class, no cast";
}

TEST(XqDbSubEntContainerClass, TheSecondRegistrationFormPassesTheCallback) {
  ASSERT_EQ(qvrxFindQvRxClass(L"XqDbSubEntContainer"), nullptr);
  XqDbSubEntContainer::rxInit(&renameApp);
  QvRxClass* cls = XqDbSubEntContainer::desc();
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->appNameCallbackPtr(), &renameApp);
  EXPECT_EQ(cls->dwgVersion(), 33);
  deleteQvRxClass(cls);
  XqDbSubEntContainer::gpDesc = nullptr;
}

TEST(XqDbSubEntContainer, HoldsEachEntityOnceInTheOrderAdded) {
  int alive = 0;
  CountedEntity* a = new CountedEntity(alive);
  CountedEntity* b = new CountedEntity(alive);
  {
    XqDbSubEntContainer container;  // does not own
    EXPECT_FALSE(container.ownsSubEntities());
    EXPECT_FALSE(container.addSubEntity(nullptr));
    EXPECT_TRUE(container.addSubEntity(b));
    EXPECT_TRUE(container.addSubEntity(a));
    EXPECT_TRUE(container.addSubEntity(b));  // already held: no second entry
    ASSERT_EQ(container.subEntities().size(), 2u);
    EXPECT_EQ(container.subEntities().front(), b);
    EXPECT_EQ(container.subEntities().back(), a);
    EXPECT_FALSE(container.deleteSubEntity(nullptr));
    CountedEntity never(alive);
    EXPECT_FALSE(container.deleteSubEntity(&never));
    EXPECT_TRUE(container.deleteSubEntity(b));
    EXPECT_FALSE(container.deleteSubEntity(b));
    ASSERT_EQ(container.subEntities().size(), 1u);
    EXPECT_TRUE(container.addSubEntity(b));
    EXPECT_EQ(container.subEntities().back(), b);
  }
  EXPECT_EQ(alive, 2) << "a container that does not own leaves its entities alive";
  {
    XqDbSubEntContainer owner(true);
    owner.addSubEntity(a);
    owner.addSubEntity(b);
    XqDbSubEntContainer copy(owner);  // refers to them, does not own them
    EXPECT_FALSE(copy.ownsSubEntities());
    EXPECT_EQ(copy.subEntities(), owner.subEntities());
  }
  EXPECT_EQ(alive, 0) << "an owning container deletes its entities";

  XqDbSubEntContainer borrowed;
  borrowed.addSubEntity(new CountedEntity(alive));
  borrowed.addSubEntity(new CountedEntity(alive));
  EXPECT_EQ(alive, 2);
  borrowed.clearSubEntity();  // deletes whatever the ownership
  EXPECT_EQ(alive, 0);
  EXPECT_TRUE(borrowed.subEntities().empty());
}

}  // namespace
