// The module's application object driven directly (the module is linked into this test), as
// the host's dynamic linker drives it.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxClassWatcher.h"
#include "sdk/rx/QvRxDictionary.h"
#include "tests/support/HostFixture.h"
#include "tests/support/XqCmdUtilClassTable.h"
#include "xqcmdutil/QvDbEntityInternalBasePE.h"
#include "xqcmdutil/VexaEntityPE.h"
#include "xqcmdutil/XqCmdUtilEntry.h"

using namespace XqCmdUtilClassTable;

namespace {

struct AbortCalled : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void throwingAbort(const wchar_t* message) {
  throw AbortCalled(QvString(message).utf8());
}

// Installs the throwing abort handler for a scope.
struct ThrowingAbort {
  ThrowingAbort() : previous(qvrxSetAbortHandler(throwingAbort)) {}
  ~ThrowingAbort() { qvrxSetAbortHandler(previous); }
  QvRxAbortHandler previous;
};

// The abort message of `call`, or "(no abort)".
template <typename Call>
std::string abortMessage(Call&& call) {
  ThrowingAbort handler;
  try {
    call();
  } catch (const AbortCalled& abort) {
    return abort.what();
  }
  return "(no abort)";
}

int registeredClassCount() {
  return QvRxDictionary::cast(qvrxSysRegistry()->at(kQvRxClassDictionary))->numEntries();
}

// A runtime object that answers no class.
class Classless : public QvRxObject {
 public:
  QvRxClass* isA() const override { return nullptr; }
};

class XqCmdUtilApp : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    classesBefore_ = registeredClassCount();
    extensionsBefore_ = attachedExtensionCount();
    ASSERT_TRUE(app()->initApplication());
  }
  void TearDown() override {
    app()->exitApplication();
    EXPECT_EQ(registeredClassCount(), classesBefore_);
    EXPECT_EQ(attachedExtensionCount(), extensionsBefore_);
    HostFixture::TearDown();
  }
  static IVexaCmdApplication* app() { return GetVexaCmdApplication(); }

  int classesBefore_ = 0;
  int extensionsBefore_ = 0;
};

TEST_F(XqCmdUtilApp, RegistersTheClassesAndAttachesBothFamilies) {
  EXPECT_EQ(registeredClassCount(), classesBefore_ + 22);
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore_ + 21 + 18);
  ASSERT_EQ(VexaEntityPE::desc(), qvrxFindQvRxClass(L"VexaEntityPE"));

  for (const wchar_t* host : kEntityExtensionHosts) {
    QvRxObject* extension = qvrxFindQvRxClass(host)->queryX(VexaEntityPE::desc());
    VexaEntityPE* pe = VexaEntityPE::cast(extension);
    ASSERT_NE(pe, nullptr) << QvString(host);
    EXPECT_EQ(std::wstring(pe->isA()->name()), L"VexaEntity_Extension");
  }
  const QvRxClass* basePE = QvDbEntityInternalBasePE::desc();
  ASSERT_NE(basePE, nullptr);
  for (const ClassRow& row : kInternalExtensionHosts) {
    QvDbEntityInternalBasePE* pe =
        QvDbEntityInternalBasePE::cast(qvrxFindQvRxClass(row.name)->queryX(basePE));
    ASSERT_NE(pe, nullptr) << QvString(row.name);
    EXPECT_EQ(std::wstring(pe->isA()->name()), row.parent);
  }
}

TEST_F(XqCmdUtilApp, TheEntityFamilyComesAndGoesWithItsOwnOperations) {
  app()->unregisterExtensions();
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntity_Extension"), nullptr);
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore_ + 18);
  app()->registerExtensions();
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore_ + 39);
  EXPECT_NE(qvrxFindQvRxClass(L"QvDbLine")->getX(VexaEntityPE::desc()), nullptr);
}

TEST_F(XqCmdUtilApp, ASecondRegistrationFindsTheClassAndDescLooksItUp) {
  QvRxClass* const entityPE = VexaEntityPE::desc();
  const QvRxClass* basePE = QvDbEntityInternalBasePE::desc();
  const int classes = registeredClassCount();
  VexaEntityPE::rxInit();
  QvDbEntityInternalBasePE::rxInit();
  EXPECT_EQ(VexaEntityPE::desc(), entityPE);
  EXPECT_EQ(QvDbEntityInternalBasePE::desc(), basePE);
  EXPECT_EQ(registeredClassCount(), classes);

  // With no descriptor stored, desc() finds the class and stores it.
  VexaEntityPE::gpDesc = nullptr;
  QvDbEntityInternalBasePE::gpDesc = nullptr;
  EXPECT_EQ(VexaEntityPE::desc(), entityPE);
  EXPECT_EQ(VexaEntityPE::gpDesc, entityPE);
  EXPECT_EQ(QvDbEntityInternalBasePE::desc(), basePE);
}

TEST_F(XqCmdUtilApp, AClassOfTheSameNameThatIsNotTheStoredOneIsFatal) {
  // Another module's class under the name: the stored descriptor differs from the registry's.
  QvRxClass* const stored = VexaEntityPE::gpDesc;
  VexaEntityPE::gpDesc = qvrxFindQvRxClass(L"QvDbLine");
  EXPECT_EQ(abortMessage([] { VexaEntityPE::rxInit(); }), "Class mismatch");
  VexaEntityPE::gpDesc = stored;
  EXPECT_EQ(abortMessage([] { VexaEntityPE::rxInit(); }), "(no abort)");

  // The internal family's base is looked up in the class dictionary and aborts silently.
  auto* dictionary = QvRxDictionary::cast(qvrxSysRegistry()->at(kQvRxClassDictionary));
  QvRxObject* const registered = dictionary->at(L"QvDbEntityInternalBasePE");
  dictionary->atPut(L"QvDbEntityInternalBasePE", qvrxFindQvRxClass(L"QvDbArc"));
  EXPECT_EQ(abortMessage([] { QvDbEntityInternalBasePE::rxInit(); }), "");
  dictionary->atPut(L"QvDbEntityInternalBasePE", registered);
  EXPECT_EQ(abortMessage([] { QvDbEntityInternalBasePE::rxInit(); }), "(no abort)");
}

TEST_F(XqCmdUtilApp, CastAcceptsOnlyObjectsOfTheClassOrBelow) {
  EXPECT_EQ(VexaEntityPE::cast(nullptr), nullptr);
  const Classless classless;
  EXPECT_EQ(VexaEntityPE::cast(&classless), nullptr);
  const QvRxDictionary unrelated;
  EXPECT_EQ(VexaEntityPE::cast(&unrelated), nullptr);
  EXPECT_EQ(QvDbEntityInternalBasePE::cast(&unrelated), nullptr);
  QvRxObject* arcPE = qvrxFindQvRxClass(L"QvDbArc")->getX(QvDbEntityInternalBasePE::desc());
  EXPECT_EQ(QvDbEntityInternalBasePE::cast(arcPE), arcPE);
  EXPECT_EQ(VexaEntityPE::cast(arcPE), nullptr) << "the other family";
}

TEST(XqCmdUtilAppUnload, ForgetsItsDescriptorsAndLoadsAgain) {
  VexaHost host;
  IVexaCmdApplication* app = GetVexaCmdApplication();
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(app->initApplication());
    ASSERT_NE(VexaEntityPE::gpDesc, nullptr);
    app->exitApplication();
    // The module stays mapped (it is linked here): no descriptor may point at a deleted class.
    EXPECT_EQ(VexaEntityPE::gpDesc, nullptr);
    EXPECT_EQ(QvDbEntityInternalBasePE::gpDesc, nullptr);
    EXPECT_EQ(VexaEntityPE::desc(), nullptr);
    for (const ClassRow& row : kModuleClasses)
      EXPECT_EQ(qvrxFindQvRxClass(row.name), nullptr) << QvString(row.name);
  }
}

// What the host's class tree is told, one line an event, while `call` runs.
template <typename Call>
std::vector<std::wstring> classEvents(Call&& call) {
  std::vector<std::wstring> events;
  const QvRxClassWatcher previous = qvrxSetClassWatcher([&](const QvRxClassEvent& event) {
    static constexpr const wchar_t* kKinds[] = {L"new", L"delete", L"addX", L"delX"};
    std::wstring line = std::wstring(kKinds[event.kind]) + L" " + event.className;
    if (!event.protocolName.empty()) line += L" for " + event.protocolName;
    events.push_back(line);
  });
  call();
  qvrxSetClassWatcher(previous);
  return events;
}

// Extensions are attached and detached, and classes made and deleted, in the host's order:
// detaching follows attaching except that the section goes first, and classes go leaves first.
TEST(XqCmdUtilAppUnload, AttachDetachAndDeletionOrders) {
  VexaHost host;
  IVexaCmdApplication* app = GetVexaCmdApplication();
  const std::wstring entityPE = L"VexaEntityPE";
  const std::wstring basePE = L"QvDbEntityInternalBasePE";
  const std::vector<ClassRow> family(std::begin(kModuleClasses) + 2,
                                     std::begin(kModuleClasses) + 21);
  ASSERT_EQ(family.front().name, basePE);

  std::vector<std::wstring> load = {L"new VexaEntityPE", L"new VexaEntity_Extension"};
  for (const wchar_t* cls : kEntityExtensionHosts)
    load.push_back(L"addX " + std::wstring(cls) + L" for " + entityPE);
  for (const ClassRow& row : family) load.push_back(L"new " + std::wstring(row.name));
  for (const ClassRow& row : kInternalExtensionHosts)
    load.push_back(L"addX " + std::wstring(row.name) + L" for " + basePE);
  load.push_back(L"new XqDbSubEntContainer");

  std::vector<std::wstring> unload = {L"delX QvDbSection for " + entityPE};
  for (const wchar_t* cls : kEntityExtensionHosts)
    if (std::wstring(cls) != L"QvDbSection")
      unload.push_back(L"delX " + std::wstring(cls) + L" for " + entityPE);
  unload.push_back(L"delete VexaEntity_Extension");
  unload.push_back(L"delete VexaEntityPE");
  for (const ClassRow& row : kInternalExtensionHosts)
    unload.push_back(L"delX " + std::wstring(row.name) + L" for " + basePE);
  for (auto row = family.rbegin(); row != family.rend(); ++row)
    unload.push_back(L"delete " + std::wstring(row->name));
  unload.push_back(L"delete XqDbSubEntContainer");

  bool loaded = false;
  EXPECT_EQ(classEvents([&] { loaded = app->initApplication(); }), load);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(classEvents([&] { app->exitApplication(); }), unload);
}

}  // namespace
