// Entity type codes of the classic library: every row of the table, through entities of the
// drawing and through entity data lists the host hands out.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbHatch.h"
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
#include "sdk/modeler/QvDb3dSolid.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "xqcmdutil/XqEntityData.h"

namespace {

using P = QvGePoint3d;

int typeOf(QvDbObjectId id) {
  int64_t name[2] = {0, 0};
  EXPECT_EQ(qvdbGetAdsName(name, id), Vexa::eOk);
  return getEntType(name);
}

QvGePoint3dArray points(std::initializer_list<P> list) {
  QvGePoint3dArray out;
  for (const P& p : list) out.append(p);
  return out;
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
    return add(new QvDb2dPolyline(k2dSimplePoly, points({P(0, 0, 0), P(1, 0, 0), P(1, 1, 0)})));
  }
  QvDbObjectId polygonMesh() {
    return add(new QvDbPolygonMesh(kSimpleMesh, 2, 2,
                                   points({P(0, 0, 0), P(0, 1, 0), P(1, 0, 0), P(1, 1, 1)})));
  }
  QvDbObjectId polyfaceMesh() {
    auto* mesh = new QvDbPolyFaceMesh();
    for (const P& p : {P(0, 0, 0), P(1, 0, 0), P(0, 1, 0)})
      EXPECT_EQ(mesh->appendVertex(new QvDbPolyFaceMeshVertex(p)), Vexa::eOk);
    EXPECT_EQ(mesh->appendFaceRecord(new QvDbFaceRecord(1, 2, 3, 0)), Vexa::eOk);
    return add(mesh);
  }
  // The attribute of a reference that carries one.
  QvDbObjectId attribute() {
    const QvDbObjectId ref = add(new QvDbBlockReference(P(0, 0, 0), addBlock(db(), L"TAGGED")));
    QvDbObjectPointer<QvDbBlockReference> open(ref, QvDb::kForWrite);
    auto* tag = new QvDbAttribute();
    tag->setTag(L"NAME");
    tag->setTextString(L"Rowan");
    QvDbObjectId id;
    EXPECT_EQ(open->appendAttribute(id, tag), Vexa::eOk);
    tag->close();
    return id;
  }
  QvDbObjectId hatch() {
    auto* fill = new QvDbHatch();
    fill->setPattern(QvDbHatch::kPreDefined, L"SOLID");
    QvGePoint2dArray square;
    for (const QvGePoint2d& p : {QvGePoint2d(0, 0), QvGePoint2d(1, 0), QvGePoint2d(1, 1)})
      square.append(p);
    QvGeDoubleArray bulges;
    for (int k = 0; k < 3; ++k) bulges.append(0.0);
    EXPECT_EQ(fill->appendLoop(QvDbHatch::kExternal | QvDbHatch::kPolyline, square, bulges),
              Vexa::eOk);
    return add(fill);
  }
  QvDbObjectId text() {
    auto* made = new QvDbText();
    made->setTextString(L"t");
    return add(made);
  }
  QvDbObjectId viewport() { return appendEntity(db()->paperSpaceId(), new QvDbViewport()); }
};

// Every row of the table through an entity of that type: the host's data list names it, and
// the code follows the name (and for polylines, the kind of polyline).
TEST_F(EntityTypesTest, EveryRowOfTheTableThroughEntitiesOfThatType) {
  const struct {
    const char* what;
    std::function<QvDbObjectId()> make;
    int code;
  } rows[] = {
      {"line", [&] { return add(new QvDbLine(P(0, 0, 0), P(1, 0, 0))); }, 1},
      {"lightweight polyline",
       [&] {
         auto* pl = new QvDbPolyline(2);
         pl->addVertexAt(0, QvGePoint2d(0, 0));
         pl->addVertexAt(1, QvGePoint2d(1, 0));
         return add(pl);
       },
       2},
      {"arc", [&] { return add(new QvDbArc(P(0, 0, 0), 1, 0, 1)); }, 3},
      {"circle",
       [&] {
         return add(new QvDbCircle(P(0, 0, 0), {0, 0, 1}, 1));
       },
       4},
      {"ellipse",
       [&] {
         return add(new QvDbEllipse(P(0, 0, 0), {0, 0, 1}, {2, 0, 0}, 0.5));
       },
       5},
      {"2D polyline", [&] { return polyline2d(); }, 6},
      {"3D polyline",
       [&] {
         return add(new QvDb3dPolyline(k3dSimplePoly, points({P(0, 0, 0), P(1, 1, 1)})));
       },
       7},
      {"polygon mesh", [&] { return polygonMesh(); }, 11},
      {"polyface mesh", [&] { return polyfaceMesh(); }, 19},
      {"spline",
       [&] {
         return add(new QvDbSpline(points({P(0, 0, 0), P(1, 1, 0), P(2, 0, 0), P(3, 1, 0)})));
       },
       8},
      {"point", [&] { return add(new QvDbPoint(P(0, 0, 0))); }, 9},
      {"3D face", [&] { return add(new QvDbFace(P(0, 0, 0), P(1, 0, 0), P(1, 1, 0), P(0, 1, 0))); },
       10},
      {"3D solid", [&] { return add(new QvDb3dSolid()); }, 12},
      {"region of a file", [&] { return add(proxyOf(L"REGION")); }, 13},
      {"body of a file", [&] { return add(proxyOf(L"BODY")); }, 14},
      {"block reference",
       [&] { return add(new QvDbBlockReference(P(0, 0, 0), addBlock(db(), L"B"))); }, 15},
      {"text", [&] { return text(); }, 16},
      {"attribute definition",
       [&] { return add(new QvDbAttributeDefinition(P(0, 0, 0), L"v", L"TAG", L"Value?")); }, 17},
      {"attribute", [&] { return attribute(); }, 18},
      {"hatch", [&] { return hatch(); }, 20},
      {"rotated dimension",
       [&] { return add(new QvDbRotatedDimension(0.0, P(0, 0, 0), P(4, 0, 0), P(2, 1, 0))); }, 21},
      {"trace", [&] { return add(new QvDbTrace(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0), P(1, 1, 0))); },
       22},
      {"solid", [&] { return add(new QvDbSolid(P(0, 0, 0), P(1, 0, 0), P(0, 1, 0))); }, 23},
      {"multiline text", [&] { return add(new QvDbMText()); }, 24},
      {"vertex of a 2D polyline", [&] { return firstVertexOf<QvDb2dPolyline>(polyline2d()); }, 25},
      {"vertex of a polygon mesh", [&] { return firstVertexOf<QvDbPolygonMesh>(polygonMesh()); },
       25},
      {"plant object of a file", [&] { return add(proxyOf(L"PLANT")); }, 27},
      {"multiline", [&] { return add(new QvDbMline()); }, 101},
      {"construction line", [&] { return add(new QvDbXline()); }, 102},
      {"viewport", [&] { return viewport(); }, 201},
      // Types the table does not name.
      {"ray",
       [&] {
         return add(new QvDbRay(P(0, 0, 0), {1, 0, 0}));
       },
       0},
      {"leader",
       [&] {
         auto* leader = new QvDbLeader();
         leader->appendVertex(P(0, 0, 0));
         leader->appendVertex(P(1, 1, 0));
         return add(leader);
       },
       0},
      {"unknown object of a file", [&] { return add(proxyOf(L"PLANTS")); }, 0},
  };
  for (const auto& row : rows) {
    const QvDbObjectId id = row.make();
    ASSERT_FALSE(id.isNull()) << row.what;
    EXPECT_EQ(typeOf(id), row.code) << row.what;
  }
  // A name that names nothing.
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
  // Lists without a type name.
  data.next = [] { return qvutBuildList(8, L"0", 70, 8, 0); };
  EXPECT_EQ(typeOf(any), 0);
  data.next = [] { return nullptr; };
  EXPECT_EQ(typeOf(any), 0);
}

}  // namespace
