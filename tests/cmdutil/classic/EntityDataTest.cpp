// Result-buffer lists and entity data of the classic library: hits, misses and wrong kinds; the
// entity type codes, through entities of the drawing and through entity data lists the host
// hands out.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbMline.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbPolyFaceMesh.h"
#include "sdk/db/QvDbPolygonMesh.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/db/QvDbViewport.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/ed/IVexaEntityData.h"
#include "sdk/ed/qvdbEntData.h"
#include "sdk/ed/qvedSelection.h"
#include "sdk/modeler/QvDb3dSolid.h"
#include "tests/support/AdsNames.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HatchShapes.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "xqcmdutil/XqEntityData.h"
#include "xqcmdutil/XqResbufs.h"

namespace {

using P = QvGePoint3d;

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
  EXPECT_EQ(GetEntPoint(AdsName(id), 11, pt), kQvNormal);
  EXPECT_EQ(pt[2], 6.0);
  EXPECT_EQ(GetEntPoint(AdsName(id), 12, pt), kQvError);  // no such group: not a success
  EXPECT_EQ(GetEntPoint(AdsName(id), 8, pt), kQvError);
  wchar_t buf[16] = L"";
  EXPECT_EQ(GetEntType(AdsName(id), buf, 16), kQvNormal);
  EXPECT_EQ(std::wstring(buf), L"LINE");
  EXPECT_EQ(GetEntString(AdsName(id), 8, buf, 16), kQvNormal);
  EXPECT_EQ(std::wstring(buf), L"0");
  EXPECT_EQ(GetEntString(AdsName(id), 7, buf, 16), kQvError);
  int64_t owner[2] = {0, 0};
  EXPECT_EQ(GetEntName(AdsName(id), 330, owner), kQvNormal);
  EXPECT_EQ(GetEntName(AdsName(id), 331, owner), kQvError);

  EXPECT_EQ(SetEntLayer(AdsName(id), L"Kerb"), kQvNormal);
  QvDbObjectPointer<QvDbLine> line(id, QvDb::kForRead);
  EXPECT_EQ(line->layer(), L"Kerb");
  line.close();
  EXPECT_EQ(SetEntLayer(AdsName(id), L"bad<name>"), kQvError);
  const int64_t nothing[2] = {0x7fffffff, 0};
  EXPECT_EQ(SetEntLayer(nothing, L"Kerb"), kQvError);
}

// An erased entity has no data: readers answer an error with their output untouched, and its
// layer is not changed.
TEST_F(EntityDataHelpersTest, ErasedEntitiesAreNeitherReadNorChanged) {
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbLine(P(1, 2, 3), P(4, 5, 6)));
  ASSERT_EQ(eraseObject(id), Vexa::eOk);
  const AdsName ent(id);
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
  EXPECT_EQ(GetLastSel(AdsName(ids[1]), set), kQvNormal);
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
  const AdsName ent(id);
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

TEST_F(EntityDataHelpersTest, LongBlockNamesInEntityDataAreRefused) {
  const std::wstring longest(255, L'B');
  const QvDbObjectId block = addBlock(db(), longest.c_str());
  ASSERT_FALSE(block.isNull());
  const QvDbObjectId id = appendToModelSpace(db(), new QvDbBlockReference(P(0, 0, 0), block));
  wchar_t name[300];
  EXPECT_EQ(GetEntString(AdsName(id), 2, name, 300), kQvNormal);
  EXPECT_EQ(std::wstring(name), longest);
  QvRbListPtr data(qvdbEntGet(AdsName(id)));
  ASSERT_TRUE(data);
  const std::wstring tooLong = longest + L"B";
  ASSERT_EQ(setrb_string(data.get(), 2, qvutDupString(tooLong.c_str()), nullptr), 1);
  EXPECT_EQ(qvdbEntMod(data.get()), kQvError);
  QvDbObjectPointer<QvDbBlockReference> ref(id, QvDb::kForRead);
  EXPECT_EQ(ref->blockTableRecord(), block);
}

int typeOf(QvDbObjectId id) {
  return getEntType(AdsName(id));
}

// The first vertex of a polyline or mesh of model space.
template <class Owner>
QvDbObjectId firstVertexOf(QvDbObjectId ownerId) {
  QvDbObjectPointer<Owner> owner(ownerId, QvDb::kForRead);
  EXPECT_EQ(owner.openStatus(), Vexa::eOk);
  if (owner.openStatus() != Vexa::eOk) return {};
  QvDbObjectIterator* it = owner->vertexIterator();
  const QvDbObjectId id = it && !it->done() ? it->objectId() : QvDbObjectId();
  delete it;
  return id;
}

QvDbEntity* proxyOf(const wchar_t* dxfName) {
  QvDbProxyClass original;
  original.dxfName = dxfName;
  return new QvDbProxyEntity(original);
}

class EntityTypesTest : public HostFixture {
 protected:
  QvDbObjectId add(QvDbEntity* entity) { return appendToModelSpace(db(), entity); }

  QvDbObjectId polyline2d() {
    return add(
        new QvDb2dPolyline(k2dSimplePoly, QvGePoint3dArray{P(0, 0, 0), P(1, 0, 0), P(1, 1, 0)}));
  }
  QvDbObjectId polygonMesh() {
    return add(new QvDbPolygonMesh(
        kSimpleMesh, 2, 2, QvGePoint3dArray{P(0, 0, 0), P(0, 1, 0), P(1, 0, 0), P(1, 1, 1)}));
  }
  QvDbObjectId polyfaceMesh() {
    auto* mesh = new QvDbPolyFaceMesh();
    for (const P& p : {P(0, 0, 0), P(1, 0, 0), P(0, 1, 0)})
      EXPECT_EQ(mesh->appendVertex(new QvDbPolyFaceMeshVertex(p)), Vexa::eOk);
    EXPECT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(1, 2, 3, 0)), Vexa::eOk);
    return add(mesh);
  }
  QvDbObjectId attribute() {
    const QvDbObjectId ref = add(new QvDbBlockReference(P(0, 0, 0), addBlock(db(), L"TAGGED")));
    return appendAttribute(ref, new QvDbAttribute(P(0, 0, 0), L"Rowan", L"NAME"));
  }
  QvDbObjectId hatch() {
    std::unique_ptr<QvDbHatch> fill = solidHatch();
    addPolylineLoop(*fill, {{0, 0}, {1, 0}, {1, 1}}, {},
                    QvDbHatch::kExternal | QvDbHatch::kPolyline);
    return add(fill.release());
  }
  QvDbObjectId lightweightPolyline() {
    auto* pl = new QvDbPolyline(2);
    pl->addVertexAt(0, QvGePoint2d(0, 0));
    pl->addVertexAt(1, QvGePoint2d(1, 0));
    return add(pl);
  }
  QvDbObjectId leader() {
    auto* made = new QvDbLeader();
    made->appendVertex(P(0, 0, 0));
    made->appendVertex(P(1, 1, 0));
    return add(made);
  }
};

// Every row of the table through an entity of that type: the host's data list names it, and
// the code follows the name (and for polylines, the kind of polyline).
TEST_F(EntityTypesTest, EveryRowOfTheTableThroughEntitiesOfThatType) {
  // Rows are made in order (braced lists are evaluated left to right).
  const struct {
    const char* what;
    QvDbObjectId id;
    int code;
  } rows[] = {
      {"line", add(new QvDbLine(P(0, 0, 0), P(1, 0, 0))), 1},
      {"lightweight polyline", lightweightPolyline(), 2},
      {"arc", add(new QvDbArc(P(0, 0, 0), 1, 0, 1)), 3},
      {"circle", add(new QvDbCircle(P(0, 0, 0), QvGeVector3d::kZAxis, 1)), 4},
      {"ellipse", add(new QvDbEllipse(P(0, 0, 0), QvGeVector3d::kZAxis, {2, 0, 0}, 0.5)), 5},
      {"2D polyline", polyline2d(), 6},
      {"3D polyline",
       add(new QvDb3dPolyline(k3dSimplePoly, QvGePoint3dArray{P(0, 0, 0), P(1, 1, 1)})), 7},
      {"polygon mesh", polygonMesh(), 11},
      {"polyface mesh", polyfaceMesh(), 19},
      {"spline",
       add(new QvDbSpline(QvGePoint3dArray{P(0, 0, 0), P(1, 1, 0), P(2, 0, 0), P(3, 1, 0)})), 8},
      {"point", add(new QvDbPoint(P(0, 0, 0))), 9},
      {"3D face", add(new QvDbFace(P(0, 0, 0), P(1, 0, 0), P(1, 1, 0), P(0, 1, 0))), 10},
      {"3D solid", add(new QvDb3dSolid()), 12},
      {"region of a file", add(proxyOf(L"REGION")), 13},
      {"body of a file", add(proxyOf(L"BODY")), 14},
      {"block reference", add(new QvDbBlockReference(P(0, 0, 0), addBlock(db(), L"B"))), 15},
      {"text", add(new QvDbText(P(0, 0, 0), L"t")), 16},
      {"attribute definition", add(new QvDbAttributeDefinition(P(0, 0, 0), L"v", L"T", L"V?")), 17},
      {"attribute", attribute(), 18},
      {"hatch", hatch(), 20},
      {"rotated dimension", add(new QvDbRotatedDimension(0.0, P(0, 0, 0), P(4, 0, 0), P(2, 1, 0))),
       21},
      {"trace", add(new QvDbTrace(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0), P(1, 1, 0))), 22},
      {"solid", add(new QvDbSolid(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0))), 23},
      {"multiline text", add(new QvDbMText()), 24},
      {"vertex of a 2D polyline", firstVertexOf<QvDb2dPolyline>(polyline2d()), 25},
      {"vertex of a polygon mesh", firstVertexOf<QvDbPolygonMesh>(polygonMesh()), 25},
      {"plant object of a file", add(proxyOf(L"PLANT")), 27},
      {"multiline", add(new QvDbMline()), 101},
      {"construction line", add(new QvDbXline()), 102},
      {"viewport", appendEntity(db()->paperSpaceId(), new QvDbViewport()), 201},
      // Types the table does not name.
      {"ray", add(new QvDbRay(P(0, 0, 0), {1, 0, 0})), 0},
      {"leader", leader(), 0},
      {"unknown object of a file", add(proxyOf(L"PLANTS")), 0},
  };
  for (const auto& row : rows) {
    ASSERT_FALSE(row.id.isNull()) << row.what;
    EXPECT_EQ(typeOf(row.id), row.code) << row.what;
  }
  const int64_t nothing[2] = {0x7fffffff, 0};
  EXPECT_EQ(getEntType(nothing), 0);
  EXPECT_EQ(getEntType(nullptr), 0);
}

// Entity data as a host hands it out, for lists no entity here makes (the sequence end, names
// in other cases, polylines without flags).
class ScriptedEntityData : public VexaHostService, public IVexaEntityData {
 public:
  std::function<resbuf*()> next;
  resbuf* entityData(const QvDbEntity&) const override { return next ? next() : nullptr; }
  Vexa::ErrorStatus setEntityData(QvDbEntity&, const resbuf*, QvString*) const override {
    return Vexa::eNotApplicable;
  }
  resbuf* tableRecordData(const QvDbSymbolTableRecord&) const override { return nullptr; }
};

// A type name (group 0) ahead of `rest`.
resbuf* typed(const wchar_t* name, resbuf* rest) {
  resbuf* head = qvutNewRb(0);
  qvutSetRbString(head, name);
  head->next = rest;
  return head;
}

TEST_F(EntityTypesTest, TypeNamesInAnyCaseAndTheFlagsOfPolylines) {
  const QvDbObjectId any = add(new QvDbPoint(P(0, 0, 0)));
  host().bind<IVexaEntityData, ScriptedEntityData>();
  ScriptedEntityData& data = host().service<ScriptedEntityData>();
  const int noFlags = -1;
  const struct {
    const wchar_t* name;
    int flags;  // group 70, or none
    int code;
  } rows[] = {
      // Every name is matched in any case (each is matched in capitals above).
      {L"line", noFlags, 1},
      {L"LwPolyline", noFlags, 2},
      {L"3dSolid", noFlags, 12},
      {L"attrib", noFlags, 18},
      {L"Plant", noFlags, 27},
      {L"viewport", noFlags, 201},
      // The end of a sequence, which no entity of a drawing is.
      {L"SEQEND", noFlags, 26},
      {L"seqend", noFlags, 26},
      // Polylines: bit 8 before bit 16 before bit 64; other bits do not count.
      {L"POLYLINE", 0, 6},
      {L"polyline", 1, 6},
      {L"POLYLINE", 6, 6},
      {L"POLYLINE", 8, 7},
      {L"POLYLINE", 9, 7},
      {L"POLYLINE", 11, 7},
      {L"POLYLINE", 16, 11},
      {L"POLYLINE", 17, 11},
      {L"POLYLINE", 19, 11},
      {L"POLYLINE", 64, 19},
      {L"POLYLINE", 8 + 64, 7},
      {L"POLYLINE", 16 + 64, 11},
      {L"POLYLINE", 128, 6},
      {L"POLYLINE", noFlags, kQvError},
      // Near misses and other types.
      {L"LINES", noFlags, 0},
      {L"LIN", noFlags, 0},
      {L"", noFlags, 0},
      {L"RAY", noFlags, 0},
      {L"3DSOLIDS", noFlags, 0},
  };
  for (const auto& row : rows) {
    data.next = [&row] {
      return typed(row.name, row.flags == noFlags ? qvutBuildList(8, L"0", 0)
                                                  : qvutBuildList(8, L"0", 70, row.flags, 0));
    };
    EXPECT_EQ(typeOf(any), row.code) << std::wstring(row.name) << " " << row.flags;
  }
  data.next = [] { return qvutBuildList(8, L"0", 70, 8, 0); };
  EXPECT_EQ(typeOf(any), 0);
  data.next = [] { return nullptr; };
  EXPECT_EQ(typeOf(any), 0);
}

}  // namespace
