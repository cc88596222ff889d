// The picture of a block definition drawn into a rectangle of a device context.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>

#include "sdk/app/VexaDCDrawSupport.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/win/CDC.h"
#include "sdk/win/VexaGdi.h"
#include "sdk/win/VexaWinUser.h"
#include "sdk/win/VexaWindowRegistry.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using testing::HasSubstr;
using testing::Not;

class DCDrawSupportTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    window_ = CreateWindowEx(0, L"Static", L"", WS_POPUP, 0, 0, 300, 200, nullptr, 0);
    ASSERT_NE(window_, nullptr);
    dc_.Attach(GetDC(window_));
  }
  void TearDown() override {
    ReleaseDC(window_, dc_.Detach());
    DestroyWindow(window_);
    HostFixture::TearDown();
  }
  // The pictures painted on the window so far.
  std::vector<VexaDrawOp> pictures() const {
    std::vector<VexaDrawOp> found;
    for (const VexaDrawOp& op : *VexaWindowRegistry::current()->surface(window_))
      if (op.kind == VexaDrawOp::Kind::kPicture) found.push_back(op);
    return found;
  }
  // The viewBox of a picture: left, top, width, height.
  static std::array<double, 4> viewBox(const std::string& svg) {
    std::array<double, 4> box{};
    const size_t at = svg.find("viewBox=\"");
    if (at == std::string::npos) return box;
    std::istringstream in(svg.substr(at + 9));
    in >> box[0] >> box[1] >> box[2] >> box[3];
    return box;
  }
  static std::string handleOf(QvDbObjectId id) { return id.handle().ascii().utf8(); }

  HWND window_ = nullptr;
  CDC dc_;
};

TEST_F(DCDrawSupportTest, ABlockFittedIntoARectangle) {
  const QvDbObjectId off =
      addLayer(db(), L"Off", [](QvDbLayerTableRecord& l) { l.setIsOff(true); });
  const QvDbObjectId block = addBlock(db(), L"Door");
  const QvDbObjectId frame =
      appendEntity(block, new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(90, 0, 0)));
  const QvDbObjectId swing =
      appendEntity(block, new QvDbCircle(QvGePoint3d(0, 0, 0), QvGeVector3d::kZAxis, 10));
  auto* hiddenLine = new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(0, 500, 0));
  hiddenLine->setLayer(off);
  const QvDbObjectId onOff = appendEntity(block, hiddenLine);
  appendEntity(block, new QvDbAttributeDefinition(QvGePoint3d(0, 5, 0), L"1", L"NUMBER", L"No."));

  const RECT rect{10, 20, 210, 120};
  VexaDCDrawSupportInternal* support = getVexaDCDrawSupportInternalInterface();
  ASSERT_NE(support, nullptr);
  ASSERT_EQ(support->drawBlockToDC(&dc_, rect, block, 0), kQvNormal);
  ASSERT_EQ(pictures().size(), 1u);
  const VexaDrawOp op = pictures().front();
  EXPECT_EQ(op.rect.left, 10);
  EXPECT_EQ(op.rect.bottom, 120);
  EXPECT_THAT(op.picture, HasSubstr("<title>Door</title>"));
  EXPECT_THAT(op.picture, HasSubstr("data-handle=\"" + handleOf(frame) + "\""));
  EXPECT_THAT(op.picture, HasSubstr("data-handle=\"" + handleOf(swing) + "\""));
  EXPECT_THAT(op.picture, Not(HasSubstr("data-handle=\"" + handleOf(onOff) + "\"")));
  EXPECT_THAT(op.picture, Not(HasSubstr("NUMBER")));
  EXPECT_THAT(op.picture, HasSubstr("width=\"200\" height=\"100\""));
  // The block's box (-10..90 by -10..10, the hidden line not counted) with 5 % margins, grown
  // in height to the rectangle's proportions: 110 by 55 around (40, 0).
  const std::array<double, 4> box = viewBox(op.picture);
  EXPECT_NEAR(box[0], -15.0, 1e-9);
  EXPECT_NEAR(box[1], -27.5, 1e-9);
  EXPECT_NEAR(box[2], 110.0, 1e-9);
  EXPECT_NEAR(box[3], 55.0, 1e-9);

  // The definition's tags on request.
  ASSERT_EQ(support->drawBlockToDC(&dc_, rect, block,
                                   VexaDCDrawSupportInternal::kShowAttributeDefinitions),
            kQvNormal);
  EXPECT_THAT(pictures().back().picture, HasSubstr("NUMBER"));
}

TEST_F(DCDrawSupportTest, RefusalsDrawNothing) {
  const QvDbObjectId empty = addBlock(db(), L"Empty");
  const QvDbObjectId gone = addBlock(db(), L"Gone");
  ASSERT_EQ(eraseObject(gone), Vexa::eOk);
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(1, 0, 0)));
  const VexaDCDrawSupportInternal* support = getVexaDCDrawSupportInternalInterface();
  const RECT rect{0, 0, 100, 100};
  EXPECT_EQ(support->drawBlockToDC(nullptr, rect, empty, 0), kQvError);
  EXPECT_EQ(support->drawBlockToDC(&dc_, RECT{0, 0, 0, 100}, empty, 0), kQvError);
  EXPECT_EQ(support->drawBlockToDC(&dc_, RECT{50, 50, 10, 80}, empty, 0), kQvError);
  for (const QvDbObjectId bad : {QvDbObjectId(), gone, line, db()->clayer()})
    EXPECT_EQ(support->drawBlockToDC(&dc_, rect, bad, 0), kQvError);
  CDC released;
  EXPECT_EQ(support->drawBlockToDC(&released, rect, empty, 0), kQvError);
  EXPECT_TRUE(pictures().empty());
  // A block with nothing in it gives an empty white picture.
  ASSERT_EQ(support->drawBlockToDC(&dc_, rect, empty, 0), kQvNormal);
  ASSERT_EQ(pictures().size(), 1u);
  EXPECT_THAT(pictures().front().picture, Not(HasSubstr("data-handle")));
}

TEST(DCDrawSupportWithoutHostTest, NoInterface) {
  EXPECT_EQ(getVexaDCDrawSupportInternalInterface(), nullptr);
}

}  // namespace
