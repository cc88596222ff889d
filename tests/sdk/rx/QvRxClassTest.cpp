#include "sdk/rx/QvRxClass.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "sdk/rx/QvRxDictionary.h"

namespace {

class Extension : public QvRxObject {
 public:
  explicit Extension(int* alive) : alive_(alive) { ++*alive_; }
  ~Extension() override { --*alive_; }

 private:
  int* alive_;
};

// Registers a class for one test and removes it again.
struct ScopedClass {
  ScopedClass(const wchar_t* name, const wchar_t* parent) : cls(newQvRxClass(name, parent)) {}
  ~ScopedClass() { deleteQvRxClass(cls); }
  QvRxClass* cls;
};

TEST(QvRxClass, HostTreeIsRegisteredWithAliases) {
  QvRxClass* root = qvrxFindQvRxClass(L"QvRxObject");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root, QvRxObject::desc());
  EXPECT_EQ(qvrxFindQvRxClass(L"AcRxObject"), root);
  QvRxClass* entity = qvrxFindQvRxClass(L"QvDbEntity");
  ASSERT_NE(entity, nullptr);
  EXPECT_EQ(qvrxFindQvRxClass(L"AcDbEntity"), entity);
  QvRxClass* minsert = qvrxFindQvRxClass(L"QvDbMInsertBlock");
  ASSERT_NE(minsert, nullptr);
  EXPECT_TRUE(minsert->isDerivedFrom(qvrxFindQvRxClass(L"QvDbBlockReference")));
  EXPECT_TRUE(qvrxFindQvRxClass(L"QvDbArc")->isDerivedFrom(qvrxFindQvRxClass(L"QvDbCurve")));
  EXPECT_TRUE(qvrxFindQvRxClass(L"QvDbRotatedDimension")
                  ->isDerivedFrom(qvrxFindQvRxClass(L"QvDbDimension")));
  EXPECT_FALSE(entity->isDerivedFrom(qvrxFindQvRxClass(L"QvDbCurve")));
  auto* classes = QvRxDictionary::cast(qvrxSysRegistry()->at(kQvRxClassDictionary));
  ASSERT_NE(classes, nullptr);
  EXPECT_EQ(classes->at(L"QvDbLine"), qvrxFindQvRxClass(L"QvDbLine"));
}

TEST(QvRxClass, DuplicateNamesAndHostClassesAreRefused) {
  ScopedClass a(L"TestDuplicate", L"QvRxObject");
  ASSERT_NE(a.cls, nullptr);
  EXPECT_EQ(newQvRxClass(L"TestDuplicate", L"QvDbEntity"), nullptr);
  EXPECT_EQ(qvrxFindQvRxClass(L"TestDuplicate")->myParent(), QvRxObject::desc());
  EXPECT_EQ(newQvRxClass(L"", L"QvRxObject"), nullptr);
  deleteQvRxClass(qvrxFindQvRxClass(L"QvDbLine"));  // host classes stay
  EXPECT_NE(qvrxFindQvRxClass(L"QvDbLine"), nullptr);
}

TEST(QvRxClass, ParentsResolveLateAndTheConstructorIsKept) {
  ScopedClass child(L"TestChild", L"TestParentLate");
  EXPECT_EQ(child.cls->myParent(), nullptr);
  {
    ScopedClass parent(L"TestParentLate", L"AcDbEntity");
    qvrxBuildClassHierarchy();
    EXPECT_EQ(child.cls->myParent(), parent.cls);
    EXPECT_TRUE(child.cls->isDerivedFrom(qvrxFindQvRxClass(L"QvDbEntity")));
  }
  EXPECT_EQ(child.cls->myParent(), nullptr);  // its parent was deleted

  static int made = 0;
  QvRxClass* full = newQvRxClass(
      L"TestFull", L"AcDbEntity", 33, 55, 0,
      []() -> QvRxObject* {
        ++made;
        return nullptr;
      },
      L"TESTDXF", L"App|Description");
  ASSERT_NE(full, nullptr);
  full->create();
  EXPECT_EQ(made, 1);
  deleteQvRxClass(full);
  EXPECT_EQ(qvrxFindQvRxClass(L"TestFull"), nullptr);
}

TEST(QvRxClass, ExtensionsAreFoundThroughTheParents) {
  ScopedClass protocol(L"TestProtocol", L"QvRxObject");
  int alive = 0;
  QvRxClass* curve = qvrxFindQvRxClass(L"QvDbCurve");
  QvRxClass* line = qvrxFindQvRxClass(L"QvDbLine");
  auto* onCurve = new Extension(&alive);
  EXPECT_EQ(curve->addX(protocol.cls, onCurve), nullptr);
  EXPECT_EQ(line->queryX(protocol.cls), onCurve);  // inherited from the parent
  EXPECT_EQ(line->getX(protocol.cls), nullptr);
  auto* onLine = new Extension(&alive);
  line->addX(protocol.cls, onLine);
  EXPECT_EQ(line->queryX(protocol.cls), onLine);
  EXPECT_EQ(qvrxFindQvRxClass(L"QvDbArc")->queryX(protocol.cls), onCurve);
  delete line->delX(protocol.cls);
  EXPECT_EQ(line->delX(protocol.cls), nullptr);
  EXPECT_EQ(alive, 1);
  // Deleting the protocol class deletes what is still attached for it.
  deleteQvRxClass(protocol.cls);
  protocol.cls = nullptr;
  EXPECT_EQ(alive, 0);
  EXPECT_EQ(curve->extensionCount(), 0);
}

TEST(QvRxClass, AbortGoesToTheInstalledHandler) {
  const QvRxAbortHandler previous = qvrxSetAbortHandler(
      [](const wchar_t* message) { throw std::runtime_error(QvString(message).utf8()); });
  std::string message;
  try {
    qvrx_abort(L"Class %ls", L"mismatch");
  } catch (const std::runtime_error& e) {
    message = e.what();
  }
  EXPECT_EQ(message, "Class mismatch");
  qvrxSetAbortHandler(previous);
}

}  // namespace
