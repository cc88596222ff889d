// The kind of modification declared to the current document's undo controller.
#include <gtest/gtest.h>

#include "sdk/app/VexaDocumentManager.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqDbModified.h"

namespace {

class DbModifiedTest : public HostFixture {
 protected:
  VexaDocumentManager& documents() { return host().service<VexaDocumentManager>(); }
};

TEST_F(DbModifiedTest, OnlyTheCurrentDocumentHearsOfIt) {
  VexaDocument* first = documents().curDocument();
  VexaDocument* second = documents().newDocument();
  ASSERT_EQ(documents().curDocument(), second);
  vexaSetDbModifiedType(3);
  EXPECT_EQ(second->undoController()->dbModifiedType(), 3);
  EXPECT_EQ(first->undoController()->dbModifiedType(), VexaUndoController::kNotDeclared);
  ASSERT_EQ(documents().setCurDocument(first), Vexa::eOk);
  vexaSetDbModifiedType(-7);
  EXPECT_EQ(first->undoController()->dbModifiedType(), -7);
  EXPECT_EQ(second->undoController()->dbModifiedType(), 3);
}

TEST_F(DbModifiedTest, NothingWithoutACurrentDocument) {
  while (documents().curDocument())
    ASSERT_EQ(documents().closeDocument(documents().curDocument()), Vexa::eOk);
  ASSERT_EQ(documents().documentCount(), 0);
  vexaSetDbModifiedType(3);  // nothing to tell: no crash, and no document made for it
  EXPECT_EQ(documents().documentCount(), 0);
}

}  // namespace
