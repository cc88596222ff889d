// Result-buffer lists and entity data of the classic library: hits, misses and wrong kinds.
#include <gtest/gtest.h>

#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvedSelection.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqEntityData.h"
#include "xqcmdutil/XqResbufs.h"

namespace {

using P = QvGePoint3d;

struct Name {
  int64_t words[2] = {0, 0};
  explicit Name(QvDbObjectId id) { qvdbGetAdsName(words, id); }
  operator const int64_t*() const { return words; }
};

// (8 . "Walls") (10 1 2 3) (40 . 2.5) (70 . 9) (90 . 70000) (330 . <name 7>)
QvRbListPtr sample() {
  const double point[3] = {1, 2, 3};
  const int64_t name[2] = {7, 0};
  return QvRbListPtr(
      qvutBuildList(8, L"Walls", 10, point, 40, 2.5, 70, 9, 90, 70000, 330, name, 0));
}

TEST(ResbufsTest, ReadersFindTheFirstRecordAndRefuseOtherKinds) {
  QvRbListPtr list = sample();
  ASSERT_TRUE(list);
  int i = -1;
  double r = -1;
  wchar_t text[4] = L"old";
  int64_t name[2] = {0, 0};
  EXPECT_EQ(GetBufInt(list.get(), 70, &i), kQvNormal);
  EXPECT_EQ(i, 9);
  EXPECT_EQ(GetBufInt(list.get(), 90, &i), kQvNormal);
  EXPECT_EQ(i, 70000);
  EXPECT_EQ(GetBufReal(list.get(), 40, &r), kQvNormal);
  EXPECT_EQ(r, 2.5);
  EXPECT_EQ(GetBufString(list.get(), 8, text, 4), kQvNormal);
  EXPECT_EQ(std::wstring(text), L"Wal");  // cut to the buffer
  EXPECT_EQ(GetEntNameFromRb(list.get(), 330, name), kQvNormal);
  EXPECT_EQ(name[0], 7);
  // Misses and records of another kind leave the output alone.
  i = -1;
  EXPECT_EQ(GetBufInt(list.get(), 71, &i), kQvError);
  EXPECT_EQ(GetBufInt(list.get(), 10, &i), kQvError);
  EXPECT_EQ(i, -1);
  EXPECT_EQ(GetBufString(list.get(), 10, text, 4), kQvError);
  EXPECT_EQ(GetBufString(list.get(), 8, nullptr, 4), kQvError);
  EXPECT_EQ(GetBufString(list.get(), 8, text, 0), kQvError);
  EXPECT_EQ(GetBufReal(list.get(), 8, &r), kQvError);
  EXPECT_EQ(GetEntNameFromRb(list.get(), 331, name), kQvError);
  EXPECT_EQ(GetEntNameFromRb(list.get(), 8, name), kQvError);
  EXPECT_EQ(GetFirstNameInBuf(list.get(), name), kQvError);  // the first record is a string
  EXPECT_EQ(GetFirstNameInBuf(nullptr, name), kQvError);
  EXPECT_EQ(GetBufInt(nullptr, 70, &i), kQvError);

  EXPECT_EQ(dxf(list.get(), 40)->value.real, 2.5);
  EXPECT_EQ(dxf(list.get(), 41), nullptr);
  resbuf* rec = list.get();
  EXPECT_EQ(xq_Associate(list.get(), 41, &rec), -1);
  EXPECT_EQ(rec, nullptr);
  EXPECT_EQ(xq_Associate(list.get(), 70, &rec), 0);
  EXPECT_EQ(rec->value.int16, 9);
}

TEST(ResbufsTest, WritersChangeOnlyRecordsOfTheirKind) {
  QvRbListPtr list = sample();
  EXPECT_EQ(SetBufInt(list.get(), 70, 12), kQvNormal);
  EXPECT_EQ(SetBufInt(list.get(), 70, 40000), kQvError);  // beyond 16 bits
  EXPECT_EQ(dxf(list.get(), 70)->value.int16, 12);
  EXPECT_EQ(SetBufReal(list.get(), 40, 0.25), kQvNormal);
  EXPECT_EQ(dxf(list.get(), 40)->value.real, 0.25);
  EXPECT_EQ(SetBufReal(list.get(), 10, 1.0), kQvError);
  EXPECT_EQ(dxf(list.get(), 10)->value.point[0], 1.0);
  EXPECT_EQ(SetBufInt(list.get(), 8, 1), kQvError);

  wchar_t* old = nullptr;
  EXPECT_EQ(setrb_string(list.get(), 8, qvutDupString(L"Doors"), &old), 1);
  EXPECT_EQ(std::wstring(old), L"Walls");
  qvutFreeString(old);
  EXPECT_EQ(setrb_string(list.get(), 8, qvutDupString(L"Roof"), nullptr), 1);
  EXPECT_EQ(std::wstring(dxf(list.get(), 8)->value.string), L"Roof");
  wchar_t* refused = qvutDupString(L"x");
  EXPECT_EQ(setrb_string(list.get(), 10, refused, nullptr), 0);  // a point keeps its value
  EXPECT_EQ(setrb_string(list.get(), 1, refused, nullptr), 0);
  qvutFreeString(refused);

  resbuf* head = nullptr;
  append_rblist(&head, qvutBuildList(1, L"a", 0));
  append_rblist(&head, qvutBuildList(2, L"b", 0));
  QvRbListPtr joined(head);
  EXPECT_EQ(qvutListLength(joined.get()), 2);
  EXPECT_EQ(joined->next->type, 2);
}

class EntityDataHelpersTest : public HostFixture {};

TEST_F(EntityDataHelpersTest, PointsStringsNamesAndLayersOfAnEntity) {
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbLine(P(1, 2, 3), P(4, 5, 6)));
  double pt[3] = {0, 0, 0};
  EXPECT_EQ(GetEntPoint(Name(id), 11, pt), kQvNormal);
  EXPECT_EQ(pt[2], 6.0);
  EXPECT_EQ(GetEntPoint(Name(id), 12, pt), kQvError);  // no such group: not a success
  EXPECT_EQ(GetEntPoint(Name(id), 8, pt), kQvError);
  wchar_t buf[16] = L"";
  EXPECT_EQ(GetEntType(Name(id), buf, 16), kQvNormal);
  EXPECT_EQ(std::wstring(buf), L"LINE");
  EXPECT_EQ(GetEntString(Name(id), 8, buf, 16), kQvNormal);
  EXPECT_EQ(std::wstring(buf), L"0");
  EXPECT_EQ(GetEntString(Name(id), 7, buf, 16), kQvError);
  int64_t owner[2] = {0, 0};
  EXPECT_EQ(GetEntName(Name(id), 330, owner), kQvNormal);
  EXPECT_EQ(GetEntName(Name(id), 331, owner), kQvError);

  EXPECT_EQ(SetEntLayer(Name(id), L"Kerb"), kQvNormal);
  QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
  EXPECT_EQ(line->layer(), L"Kerb");
  line.close();
  EXPECT_EQ(SetEntLayer(Name(id), L"bad<name>"), kQvError);
  const int64_t nothing[2] = {0x7fffffff, 0};
  EXPECT_EQ(SetEntLayer(nothing, L"Kerb"), kQvError);
}

// An erased entity has no data: readers answer an error with their output untouched, and its
// layer is not changed.
TEST_F(EntityDataHelpersTest, ErasedEntitiesAreNeitherReadNorChanged) {
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbLine(P(1, 2, 3), P(4, 5, 6)));
  {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForWrite);
    ASSERT_EQ(line->erase(), Vexa::eOk);
  }
  const Name ent(id);
  double pt[3] = {-1, -1, -1};
  wchar_t buf[16] = L"kept";
  int64_t owner[2] = {-1, -1};
  EXPECT_EQ(getEntType(ent), 0);
  EXPECT_EQ(GetEntType(ent, buf, 16), kQvError);
  EXPECT_EQ(GetEntPoint(ent, 10, pt), kQvError);
  EXPECT_EQ(GetEntString(ent, 8, buf, 16), kQvError);
  EXPECT_EQ(GetEntName(ent, 330, owner), kQvError);
  EXPECT_EQ(pt[0], -1.0);
  EXPECT_EQ(std::wstring(buf), L"kept");
  EXPECT_EQ(owner[0], -1);
  EXPECT_EQ(SetEntLayer(ent, L"Kerb"), kQvError);
  QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead, true);
  ASSERT_EQ(line.openStatus(), Vexa::eOk);
  EXPECT_EQ(line->layer(), L"0");
}

TEST_F(EntityDataHelpersTest, LastSelectionTakesWhatFollows) {
  std::vector<QvDbObjectId> ids;
  for (int k = 0; k < 4; ++k) ids.push_back(appendToModelSpace(db(), new QvDbPoint(P(k, 0, 0))));
  int64_t set[2] = {0, 0};
  EXPECT_EQ(GetLastSel(Name(ids[1]), set), kQvNormal);
  int32_t length = 0;
  ASSERT_EQ(qvedSSLength(set, &length), kQvNormal);
  EXPECT_EQ(length, 2);
  qvedSSFree(set);
  int64_t all[2] = {0, 0};
  EXPECT_EQ(GetLastSel(nullptr, all), kQvNormal);
  ASSERT_EQ(qvedSSLength(all, &length), kQvNormal);
  EXPECT_EQ(length, 4);
  qvedSSFree(all);
}

// Layer names through entity data: up to 255 characters they are kept whole, longer ones are
// refused with the entity unchanged and no layer made (never one of a cut name).
TEST_F(EntityDataHelpersTest, LongLayerNamesAreKeptWholeOrRefused) {
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbLine(P(0, 0, 0), P(1, 0, 0)));
  const Name ent(id);
  auto layerOf = [&] {
    QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
    return line->layer().wstr();
  };
  auto layerExists = [](const std::wstring& name) {
    return static_cast<bool>(QvRbListPtr(qds_tblgetter(L"LAYER", name.c_str(), 0)));
  };
  const std::wstring longest = L"L" + std::wstring(253, L'x') + L"Z";
  ASSERT_EQ(longest.size(), 255u);
  EXPECT_EQ(SetEntLayer(ent, longest.c_str()), kQvNormal);
  EXPECT_EQ(layerOf(), longest);
  QvRbListPtr record(qds_tblgetter(L"LAYER", longest.c_str(), 0));
  ASSERT_TRUE(record);
  EXPECT_EQ(std::wstring(dxf(record.get(), 2)->value.string), longest);
  std::wstring buf(300, L'#');
  EXPECT_EQ(GetEntString(ent, 8, buf.data(), buf.size()), kQvNormal);
  EXPECT_EQ(std::wstring(buf.c_str()), longest);

  for (const size_t length : {256u, 300u, 5000u}) {
    const std::wstring name(length, L'M');
    EXPECT_EQ(SetEntLayer(ent, name.c_str()), kQvError) << length;
    EXPECT_EQ(layerOf(), longest) << length;
    EXPECT_FALSE(layerExists(name)) << length;
    EXPECT_FALSE(layerExists(name.substr(0, 255))) << length;
    // The same change as a whole list.
    QvRbListPtr data(qvdbEntGet(ent));
    ASSERT_TRUE(data);
    for (resbuf* rb = data.get(); rb; rb = rb->next)
      if (rb->type == 8) qvutSetRbString(rb, name.c_str());
    EXPECT_EQ(qvdbEntMod(data.get()), kQvError) << length;
    EXPECT_EQ(layerOf(), longest) << length;
  }
  // A name ends at its first NUL.
  EXPECT_EQ(SetEntLayer(ent, std::wstring(L"Kerb\0stone", 10).c_str()), kQvNormal);
  EXPECT_EQ(layerOf(), L"Kerb");
  EXPECT_FALSE(layerExists(L"Kerbstone"));
}

// Block names through entity data: a reference does not move to a block of a name too long.
TEST_F(EntityDataHelpersTest, LongBlockNamesInEntityDataAreRefused) {
  const std::wstring longest(255, L'B');
  const QvDbObjectId block = addBlock(db(), longest.c_str());
  ASSERT_FALSE(block.isNull());
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbBlockReference(P(0, 0, 0), block));
  wchar_t name[300];
  EXPECT_EQ(GetEntString(Name(id), 2, name, 300), kQvNormal);
  EXPECT_EQ(std::wstring(name), longest);
  QvRbListPtr data(qvdbEntGet(Name(id)));
  ASSERT_TRUE(data);
  const std::wstring tooLong = longest + L"B";
  ASSERT_EQ(setrb_string(data.get(), 2, qvutDupString(tooLong.c_str()), nullptr), 1);
  EXPECT_EQ(qvdbEntMod(data.get()), kQvError);
  QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
  EXPECT_EQ(ref->blockTableRecord(), block);
}

}  // namespace
