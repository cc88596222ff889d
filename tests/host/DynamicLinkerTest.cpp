#include "sdk/rx/QvRxDynamicLinker.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "sdk/rx/QvRxClass.h"
#include "sdk/rx/QvRxDictionary.h"
#include "sdk/rx/QvRxDynamicLinkerImp.h"
#include "tests/support/HostFixture.h"
#include "tests/support/TestPaths.h"
#include "tests/support/XqCmdUtilClassTable.h"

using namespace XqCmdUtilClassTable;

namespace {

const std::string kTestModules = testBinaryDir() + "/testmodules/";

// Whether the file is mapped into the process.
bool isMapped(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (!handle) return false;
  dlclose(handle);
  return true;
}

std::wstring name(const QvRxClass* cls) {
  return cls ? cls->name() : L"(null)";
}

class DynamicLinker : public HostFixture {
 protected:
  QvRxDynamicLinker& linker() { return *qvrxDynamicLinker(); }

  static int moduleClassesRegistered() {
    int count = 0;
    for (const ClassRow& row : kModuleClasses) count += qvrxFindQvRxClass(row.name) != nullptr;
    return count;
  }
};

TEST_F(DynamicLinker, IsTheHostImplementationInTheSystemRegistry) {
  QvRxObject* entry = qvrxSysRegistry()->at(kQvRxDynamicLinker);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(QvRxDynamicLinker::cast(entry), &linker());
  EXPECT_EQ(entry->isA(), QvRxDynamicLinkerImp::desc());
  EXPECT_EQ(name(entry->isA()), L"QvRxDynamicLinkerImp");
  EXPECT_TRUE(entry->isKindOf(qvrxFindQvRxClass(L"QvRxDynamicLinker")));
}

TEST_F(DynamicLinker, LoadingXqCmdUtilRegistersItsClassesAndUnloadingLeavesNothingBehind) {
  const int extensionsBefore = attachedExtensionCount();
  ASSERT_EQ(moduleClassesRegistered(), 0);

  ASSERT_TRUE(linker().loadModule(L"XqCmdUtil.dll", false)) << linker().lastError();
  EXPECT_TRUE(linker().lastError().isEmpty());
  EXPECT_TRUE(linker().isModuleLoaded(L"XqCmdUtil"));
  EXPECT_TRUE(linker().isModuleLoaded(L"xqcmdutil.DLL"));
  const std::string path = linker().modulePath(L"XqCmdUtil").utf8();
  EXPECT_TRUE(isMapped(path)) << path;
  ASSERT_EQ(linker().loadedModules().size(), 1u);
  EXPECT_EQ(linker().loadedModules()[0], L"XqCmdUtil");

  // The classes, with their parents.
  for (const ClassRow& row : kModuleClasses) {
    const QvRxClass* cls = qvrxFindQvRxClass(row.name);
    ASSERT_NE(cls, nullptr) << QvString(row.name);
    EXPECT_EQ(cls->myParent(), qvrxFindQvRxClass(row.parent)) << QvString(row.name);
    EXPECT_NE(cls->myParent(), nullptr) << QvString(row.name);
  }
  const QvRxClass* basePE = qvrxFindQvRxClass(L"QvDbEntityInternalBasePE");
  EXPECT_EQ(basePE->myParent(), qvrxFindQvRxClass(L"QvRxObject"));
  EXPECT_EQ(std::wstring(basePE->parentName()), L"AcRxObject");
  // Only the base of the internal family has a pseudo-constructor; it makes an object of it.
  QvRxObject* made = basePE->create();
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->isA(), basePE);
  delete made;
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE")->create(), nullptr);
  // The offset preview entity's class makes its objects. (Its registration values and the
  // objects each class of the two families answers are checked in cmdutil_frame.)
  const QvRxClass* container = qvrxFindQvRxClass(L"XqDbSubEntContainer");
  QvRxObject* preview = container->create();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(preview->isA(), container);
  EXPECT_TRUE(preview->isKindOf(qvrxFindQvRxClass(L"QvDbEntity")));
  delete preview;
  EXPECT_EQ(qvrxFindQvRxClass(L"QvDbArcInternalPE")->create(), nullptr);

  const QvRxClass* entityPE = qvrxFindQvRxClass(L"VexaEntityPE");
  // Classes without their own object answer through their parents.
  EXPECT_EQ(qvrxFindQvRxClass(L"QvDbMInsertBlock")->queryX(entityPE),
            qvrxFindQvRxClass(L"QvDbBlockReference")->getX(entityPE));
  EXPECT_EQ(name(qvrxFindQvRxClass(L"QvDbXline")->queryX(basePE)->isA()), L"QvDbCurveInternalPE");
  EXPECT_EQ(name(qvrxFindQvRxClass(L"QvDbMText")->queryX(basePE)->isA()), L"QvDbEntityInternalPE");
  EXPECT_EQ(qvrxFindQvRxClass(L"QvDbXline")->queryX(entityPE), nullptr);
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore + 21 + 18);

  // Loading again changes nothing.
  EXPECT_TRUE(linker().loadModule(L"XqCmdUtil", false));
  EXPECT_EQ(linker().loadedModules().size(), 1u);
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore + 21 + 18);

  ASSERT_TRUE(linker().unloadModule(L"XqCmdUtil.dll"));
  EXPECT_FALSE(linker().isModuleLoaded(L"XqCmdUtil"));
  EXPECT_EQ(moduleClassesRegistered(), 0);
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore);
  EXPECT_FALSE(isMapped(path));
  EXPECT_FALSE(linker().unloadModule(L"XqCmdUtil"));
  EXPECT_NE(linker().lastError().find(L"not loaded"), QvString::kNotFound);
}

TEST(DynamicLinkerShutdown, TheHostUnloadsEveryModuleWhenItEnds) {
  const int extensionsBefore = attachedExtensionCount();
  {
    VexaHost host;
    ASSERT_TRUE(qvrxDynamicLinker()->loadModule(L"XqCmdUtil", false));
    EXPECT_NE(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
  }
  EXPECT_FALSE(qvrxDynamicLinker()->isModuleLoaded(L"XqCmdUtil"));
  EXPECT_EQ(qvrxFindQvRxClass(L"VexaEntityPE"), nullptr);
  EXPECT_EQ(attachedExtensionCount(), extensionsBefore);
}

TEST_F(DynamicLinker, AMissingModuleIsRefusedWithTheFoldersSearched) {
  EXPECT_FALSE(linker().loadModule(L"XqNoSuchCmds.qrx", false));
  const QvString error = linker().lastError();
  EXPECT_NE(error.find(L"Cannot find the module XqNoSuchCmds"), QvString::kNotFound) << error;
  EXPECT_NE(error.find(L"libXqNoSuchCmds.so"), QvString::kNotFound) << error;
  EXPECT_FALSE(linker().isModuleLoaded(L"XqNoSuchCmds"));
  EXPECT_FALSE(linker().loadModule(L"", false));
  EXPECT_FALSE(linker().loadModule(nullptr, false));
  EXPECT_TRUE(linker().loadedModules().empty());
}

TEST_F(DynamicLinker, AModuleOfAnotherVersionIsRefusedAndNotInitialised) {
  const std::string path = kTestModules + "wrong-version/libXqCmdUtil.so";
  EXPECT_FALSE(linker().loadModule(QvString(path.c_str()), false));
  const QvString error = linker().lastError();
  EXPECT_NE(error.find(L"interface version 132448305 (0x07E50031)"), QvString::kNotFound) << error;
  EXPECT_NE(error.find(L"version 132448306 (0x07E50032)"), QvString::kNotFound) << error;
  EXPECT_FALSE(linker().isModuleLoaded(L"XqCmdUtil"));
  EXPECT_EQ(qvrxFindQvRxClass(L"XqTestWrongVersionInitialised"), nullptr);
  EXPECT_FALSE(isMapped(path));
}

TEST_F(DynamicLinker, ALibraryWithoutTheEntryPointsIsRefused) {
  const std::string path = kTestModules + "no-entry/libXqCmdUtil.so";
  EXPECT_FALSE(linker().loadModule(QvString(path.c_str()), false));
  const QvString error = linker().lastError();
  EXPECT_NE(error.find(L"does not export GetVexaCmdApplication"), QvString::kNotFound) << error;
  EXPECT_FALSE(linker().isModuleLoaded(L"XqCmdUtil"));
  EXPECT_FALSE(isMapped(path));
  // A file that is no shared library at all (__FILE__ may be relative to the build folder).
  const std::string drawing = testDataDir() + "/dxf/sound_r2018.dxf";
  EXPECT_FALSE(linker().loadModule(QvString(drawing.c_str()), false));
  EXPECT_NE(linker().lastError().find(L"Cannot load the module"), QvString::kNotFound);
}

TEST_F(DynamicLinker, AModuleWhoseInitialisationFailsIsUndoneAndClosed) {
  const std::string path = kTestModules + "failing-init/libXqCmdUtil.so";
  EXPECT_FALSE(linker().loadModule(QvString(path.c_str()), false));
  EXPECT_NE(linker().lastError().find(L"failed to initialise"), QvString::kNotFound);
  EXPECT_EQ(qvrxFindQvRxClass(L"XqTestFailingInitInitialised"), nullptr);
  EXPECT_FALSE(linker().isModuleLoaded(L"XqCmdUtil"));
  EXPECT_FALSE(isMapped(path));
}

}  // namespace
