// Objects through a DXF file: dictionaries, records, reactors, extended data (one codec for
// both) and draw order come back with their handles; erased objects are left out. Handles are
// kept, new ones come above them, and a handle a marker and an object both claim is resolved.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/db/QvDbXrecord.h"
#include "sdk/io/QvDxfHandleSet.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

// A stand-in entity: a proxy of a made-up type on a layer, in a block.
QvDbObjectId addProxyEntity(QvDbObjectId blockId, QvDbObjectId layerId) {
  auto* entity = new QvDbProxyEntity(QvDbProxyClass{L"TESTSHAPE", L"", L"", 0});
  entity->setLayer(layerId);
  return appendEntity(blockId, entity);
}

}  // namespace

class DxfObjectsTest : public HostFixture {};

TEST_F(DxfObjectsTest, DictionariesRecordsReactorsAndExtensionDictionariesComeBack) {
  const QvDbObjectId layer = addLayer(db(), L"Survey");
  // A dictionary of the root dictionary with an extended record of every kind of value, one
  // of them naming the layer.
  QvDbObjectId dictId, recordId;
  {
    QvDbDictionary* root = nullptr;
    ASSERT_EQ(Vexa::eOk, db()->getNamedObjectsDictionary(root, QvDb::kForWrite));
    auto* dict = new QvDbDictionary();
    ASSERT_EQ(Vexa::eOk, root->setAt(L"TARVO_SURVEY", dict, dictId));
    root->close();
    auto* record = new QvDbXrecord();
    ASSERT_EQ(Vexa::eOk, dict->setAt(L"Station 1", record, recordId));
    dict->close();
    int64_t name[2];
    qvdbGetAdsName(name, layer);
    const double point[3] = {10.5, -3.25, 1e-7};
    QvRbListPtr data(qvutBuildList(1, L"north-east corner", 40, 123.456, 70, 12, 90, 70000, 10,
                                   point, 340, name, 0));
    ASSERT_TRUE(data);
    ASSERT_EQ(Vexa::eOk, record->setFromRbChain(data.get()));
    // The record watches the layer.
    record->close();
    QvDbObjectPointer<QvDbLayerTableRecord> watched(layer, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, watched->addPersistentReactor(recordId));
    // The layer has an extension dictionary with a record of its own.
    ASSERT_EQ(Vexa::eOk, watched->createExtensionDictionary());
    QvDbObjectPointer<QvDbDictionary> xdict(watched->extensionDictionary(), QvDb::kForWrite);
    auto* note = new QvDbXrecord();
    QvDbObjectId noteId;
    ASSERT_EQ(Vexa::eOk, xdict->setAt(L"NOTE", note, noteId));
    QvRbListPtr noteData(qvutBuildList(1, L"checked", 0));
    note->setFromRbChain(noteData.get());
    note->close();
  }
  resbuf* original = nullptr;
  {
    QvDbObjectPointer<QvDbXrecord> record(recordId, QvDb::kForRead);
    record->rbChain(original);
  }
  QvRbListPtr originalData(original);

  const std::string text = dxfText(*db());
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  QvDbObjectId readLayer = layerNamed(read.get(), L"Survey");
  ASSERT_FALSE(readLayer.isNull());
  {
    QvDbObjectId readDict;
    EXPECT_EQ(Vexa::eOk,
              QvDbObjectPointer<QvDbDictionary>(read->namedObjectsDictionaryId(), QvDb::kForRead)
                  ->getAt(L"TARVO_SURVEY", readDict));
    EXPECT_EQ(dictId.handle(), readDict.handle());
    QvDbObjectPointer<QvDbDictionary> dict(readDict, QvDb::kForRead);
    QvDbObjectId readRecord;
    ASSERT_EQ(Vexa::eOk, dict->getAt(L"Station 1", readRecord));
    EXPECT_EQ(recordId.handle(), readRecord.handle());
    QvDbObjectPointer<QvDbXrecord> record(readRecord, QvDb::kForRead);
    EXPECT_EQ(readDict, record->ownerId());
    resbuf* data = nullptr;
    record->rbChain(data);
    QvRbListPtr readData(data);
    EXPECT_EQ(json::list(originalData.get()), json::list(readData.get()));
    // The reference in the data names the layer of the new database.
    QvDbObjectId named;
    const resbuf* last = readData.get();
    while (last && last->next) last = last->next;
    ASSERT_TRUE(last);
    qvdbGetObjectId(named, last->value.name);
    EXPECT_EQ(readLayer, named);
    QvDbObjectPointer<QvDbLayerTableRecord> watched(readLayer, QvDb::kForRead);
    EXPECT_TRUE(watched->hasPersistentReactor(readRecord));
    const QvDbObjectId xdictId = watched->extensionDictionary();
    ASSERT_FALSE(xdictId.isNull());
    QvDbObjectPointer<QvDbDictionary> xdict(xdictId, QvDb::kForRead);
    EXPECT_EQ(readLayer, xdict->ownerId());
    EXPECT_TRUE(xdict->has(L"NOTE"));
  }
  EXPECT_TRUE(nothingLeftOpen(read.get()));
  EXPECT_TRUE(text == dxfText(*read));
}

TEST_F(DxfObjectsTest, ExtendedDataOfEveryKindComesBack) {
  ASSERT_FALSE(addRegApp(db(), L"TARVO_DATA").isNull());
  const QvDbObjectId layer = addLayer(db(), L"Data");
  const QvDbObjectId entity = addProxyEntity(db()->modelSpaceId(), layer);
  const double where[3] = {1.5, 2.25, -7.0};
  const double dir[3] = {0.0, 0.0, 1.0};
  QvRbListPtr xdata(qvutBuildList(1001, L"TARVO_DATA", 1000, L"text with spaces ", 1002, L"{", 1003,
                                  L"Data", 1005, L"1F", 1010, where, 1013, dir, 1040, 0.1, 1041,
                                  2.5e-12, 1042, 3.0, 1070, -7, 1071, 123456789, 1002, L"}", 0));
  ASSERT_TRUE(xdata);
  // Binary data (1004) is not among qvutBuildList's kinds: appended by hand.
  resbuf* chunk = qvutNewRb(1004);
  chunk->value.binary.length = 3;
  chunk->value.binary.data = static_cast<char*>(std::malloc(3));
  std::memcpy(chunk->value.binary.data, "\x00\xAB\x7F", 3);
  resbuf* tail = xdata.get();
  while (tail->next) tail = tail->next;
  tail->next = chunk;
  for (const QvDbObjectId& id : {layer, entity}) {
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, object->setXData(xdata.get()));
  }

  auto read = readDxf(dxfText(*db()));
  ASSERT_TRUE(read);
  for (const QvDbObjectId& id : {layer, entity}) {
    QvDbObjectPointer<QvDbObject> object(sameHandleIn(*read, id), QvDb::kForRead);
    ASSERT_TRUE(object);
    QvRbListPtr back(object->xData(L"TARVO_DATA"));
    EXPECT_EQ(json::list(xdata.get()), json::list(back.get())) << "object " << handleOf(id);
  }
}

TEST_F(DxfObjectsTest, DrawOrderComesBack) {
  const QvDbObjectId layer = layerNamed(db(), L"0");
  QvDbObjectIdArray ids;
  for (int i = 0; i < 4; ++i) ids.append(addProxyEntity(db()->modelSpaceId(), layer));
  {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db()->modelSpaceId(), QvDb::kForWrite);
    QvDbSortentsTable* table = nullptr;
    ASSERT_EQ(Vexa::eOk, space->getSortentsTable(table, QvDb::kForWrite, true));
    ASSERT_EQ(Vexa::eOk, table->moveToTop(QvDbObjectIdArray{ids[0]}));
    ASSERT_EQ(Vexa::eOk, table->moveToBottom(QvDbObjectIdArray{ids[3]}));
    table->close();
  }
  auto orderOf = [](QvDbDatabase& db) {
    std::vector<std::string> handles;
    QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForRead);
    QvDbSortentsTable* table = nullptr;
    if (space->getSortentsTable(table, QvDb::kForRead) != Vexa::eOk) return handles;
    QvDbObjectIdArray order;
    table->getFullDrawOrder(order);
    table->close();
    for (const QvDbObjectId& id : order) handles.push_back(handleOf(id));
    return handles;
  };
  const std::vector<std::string> before = orderOf(*db());
  ASSERT_EQ(4u, before.size());
  EXPECT_EQ(handleOf(ids[3]), before.front());
  EXPECT_EQ(handleOf(ids[0]), before.back());
  auto read = readDxf(dxfText(*db()));
  ASSERT_TRUE(read);
  EXPECT_EQ(before, orderOf(*read));
}

TEST_F(DxfObjectsTest, ErasedObjectsAndReferencesToThemAreLeftOut) {
  const QvDbObjectId kept = addLayer(db(), L"Kept");
  const QvDbObjectId gone = addLayer(db(), L"Gone");
  QvDbObjectId recordId;
  {
    QvDbObjectPointer<QvDbDictionary> root(db()->namedObjectsDictionaryId(), QvDb::kForWrite);
    auto* record = new QvDbXrecord();
    ASSERT_EQ(Vexa::eOk, root->setAt(L"TARVO_GONE", record, recordId));
    record->close();
    QvDbObjectPointer<QvDbLayerTableRecord> layer(kept, QvDb::kForWrite);
    layer->addPersistentReactor(recordId);
  }
  for (const QvDbObjectId& id : {gone, recordId}) {
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, object->erase());
  }
  const std::string text = dxfText(*db());
  const DxfGroups groups = groupsOf(text);
  EXPECT_TRUE(recordOf(groups, handleOf(gone)).empty());
  EXPECT_TRUE(recordOf(groups, handleOf(recordId)).empty());
  EXPECT_TRUE(valuesOf(recordOf(groups, handleOf(kept)), 102).empty());
  EXPECT_EQ(std::string::npos, text.find("TARVO_GONE"));
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_TRUE(layerNamed(read.get(), L"Gone").isNull());
  EXPECT_FALSE(layerNamed(read.get(), L"Kept").isNull());
}

TEST_F(DxfObjectsTest, EntitiesKeepTheirSpaceAroundTheAttributesOfReferences) {
  // Paper space, then model space, each with references whose attributes come between them
  // and the next entity of their space.
  const QvDbObjectId blockId = addBlock(db(), L"TAG");
  std::vector<std::pair<QvDbObjectId, bool>> placed;  // id, in paper space
  for (const bool paper : {true, false}) {
    const QvDbObjectId spaceId = paper ? db()->paperSpaceId() : db()->modelSpaceId();
    for (int i = 0; i < 2; ++i) {
      const QvDbObjectId refId =
          appendEntity(spaceId, new QvDbBlockReference(QvGePoint3d(i, 0, 0), blockId));
      ASSERT_FALSE(appendAttribute(refId, new QvDbAttribute(QvGePoint3d(i, 1, 0), L"v", L"T"))
                       .isNull());
      placed.emplace_back(refId, paper);
      placed.emplace_back(
          appendEntity(spaceId, new QvDbLine(QvGePoint3d(i, 2, 0), QvGePoint3d(i, 3, 0))), paper);
    }
  }
  const std::string text = dxfText(*db());
  const DxfGroups groups = groupsOf(text);
  for (const auto& [id, paper] : placed) {
    const std::vector<std::string> flags = valuesOf(recordOf(groups, handleOf(id)), 67);
    EXPECT_EQ(flags, paper ? std::vector<std::string>{"1"} : std::vector<std::string>{})
        << handleOf(id);
  }
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_EQ(entitiesOf(read->paperSpaceId()).length(), 4);
  EXPECT_EQ(entitiesOf(read->modelSpaceId()).length(), 4);
}

TEST_F(DxfObjectsTest, HandlesStayAndNewOnesComeAboveEveryHandleOfTheFile) {
  const QvDbObjectId layer = addLayer(db(), L"L1");
  addProxyEntity(db()->modelSpaceId(), layer);
  const std::string text = dxfText(*db());
  const DxfGroups groups = groupsOf(text);
  // Every handle of the file is below $HANDSEED, and none is used twice.
  uint64_t seed = 0;
  std::set<uint64_t> handles;
  for (size_t i = 0; i + 1 < groups.size(); ++i) {
    if (groups[i] == DxfGroups::value_type{9, "$HANDSEED"})
      seed = std::stoull(groups[i + 1].second, nullptr, 16);
    if ((groups[i].first == 5 || groups[i].first == 105) && i > 0 && groups[i - 1].first == 0) {
      EXPECT_TRUE(handles.insert(std::stoull(groups[i].second, nullptr, 16)).second)
          << "handle " << groups[i].second << " twice";
    }
  }
  ASSERT_FALSE(handles.empty());
  EXPECT_LT(*handles.rbegin(), seed);

  auto read = readDxf(text);
  ASSERT_TRUE(read);
  for (const QvDbObjectId& id : db()->objectIds()) {
    const QvDbObjectId same = sameHandleIn(*read, id);
    ASSERT_FALSE(same.isNull()) << "handle " << id.handle().ascii();
    EXPECT_EQ(id.objectClass(), same.objectClass()) << "handle " << id.handle().ascii();
  }
  const QvDbObjectId added = addLayer(read.get(), L"Added after reading");
  EXPECT_GE(added.handle().value(), seed);
}

namespace {

// A drawing with an extended record (handle D) holding `recordData` and a line (handle E) with
// the extended data `lineData` of an application.
std::string drawing(const std::string& recordData, const std::string& lineData) {
  return "0\nSECTION\n2\nOBJECTS\n0\nDICTIONARY\n5\nC\n0\nXRECORD\n5\nD\n330\nC\n100\n"
         "AcDbXrecord\n280\n1\n" +
         recordData +
         "0\nENDSEC\n0\nSECTION\n2\nENTITIES\n0\nLINE\n5\nE\n8\n0\n10\n0.0\n20\n0.0\n30\n"
         "0.0\n11\n1.0\n21\n0.0\n31\n0.0\n1001\nTARVO_DATA\n" +
         lineData + "0\nENDSEC\n0\nEOF\n";
}

const std::string kSoundLineData = "1000\nnote\n";
const std::string kSoundRecordData = "1\nnote\n";

// The groups the object of a handle is written with, from its subclass marker or its first
// extended data on.
DxfGroups writtenGroups(QvDbDatabase& db, const std::string& handle, int from) {
  const DxfGroups record = recordOf(groupsOf(dxfText(db)), handle);
  for (size_t i = 0; i < record.size(); ++i)
    if (record[i].first == from)
      return DxfGroups(record.begin() + static_cast<std::ptrdiff_t>(i), record.end());
  return {};
}

std::string hexOf(int bytes) {
  std::string hex;
  for (int i = 0; i < bytes; ++i) hex += i % 2 ? "ab" : "0F";
  return hex;
}

using D = QvDxfDiagnostic;
using testing::ElementsAre;
using testing::Pair;

}  // namespace

class DxfResultBufferTest : public HostFixture {};

TEST_F(DxfResultBufferTest, APointNeedsItsYInBothAndALoneCoordinateStaysOneValue) {
  for (const auto& [record, line] :
       {std::pair{"10\n1.25\n40\n2.5\n" + kSoundRecordData, kSoundLineData},
        std::pair{kSoundRecordData, kSoundLineData + "1011\n1.25\n1040\n2.5\n"}}) {
    const std::string text = drawing(record, line);
    EXPECT_TRUE(refusedAt(text, D::kMissingGroup, lineOf(text, "1.25")));
  }
  // Elevation (38) and a y (1020) without their points; a 2D point gets its z.
  const std::string text = drawing("38\n4.5\n12\n1.0\n22\n2.0\n" + kSoundRecordData,
                                   kSoundLineData + "1020\n7.5\n1012\n1.0\n1022\n2.0\n");
  QvDxfReadResult result;
  auto read = readDxf(text, result);
  ASSERT_TRUE(read) << result.message();
  EXPECT_THAT(writtenGroups(*read, "D", 100),
              ElementsAre(Pair(100, "AcDbXrecord"), Pair(280, "1"), Pair(38, "4.5"),
                          Pair(12, "1.0"), Pair(22, "2.0"), Pair(32, "0.0"), Pair(1, "note")));
  EXPECT_THAT(writtenGroups(*read, "E", 1001),
              ElementsAre(Pair(1001, "TARVO_DATA"), Pair(1000, "note"), Pair(1020, "7.5"),
                          Pair(1012, "1.0"), Pair(1022, "2.0"), Pair(1032, "0.0")));
  EXPECT_TRUE(nothingLeftOpen(read.get()));
}

TEST_F(DxfResultBufferTest, BinaryChunksReadAlikeAndOnlyExtendedDataLimitsThemTo127Bytes) {
  // Either case in, the same bytes, upper case out.
  auto read = readDxf(drawing("310\n00ab7F\n", kSoundLineData + "1004\n00ab7F\n"));
  ASSERT_TRUE(read);
  {
    QvDbObjectPointer<QvDbXrecord> record(idOfHandle(*read, "D"), QvDb::kForRead);
    ASSERT_TRUE(record);
    resbuf* data = nullptr;
    ASSERT_EQ(Vexa::eOk, record->rbChain(data));
    QvRbListPtr owned(data);
    EXPECT_EQ("[[310,\"00AB7F\"]]", json::list(data));
  }
  EXPECT_THAT(valuesOf(writtenGroups(*read, "D", 100), 310), ElementsAre("00AB7F"));
  EXPECT_THAT(valuesOf(writtenGroups(*read, "E", 1001), 1004), ElementsAre("00AB7F"));

  // 128 bytes: a record keeps them, extended data cannot hold them.
  auto large = readDxf(drawing("310\n" + hexOf(128) + "\n", kSoundLineData));
  ASSERT_TRUE(large);
  const std::vector<std::string> written = valuesOf(writtenGroups(*large, "D", 100), 310);
  ASSERT_EQ(1u, written.size());
  EXPECT_EQ(256u, written[0].size());
  EXPECT_TRUE(refusedAt(drawing(kSoundRecordData, kSoundLineData + "1004\n" + hexOf(128) + "\n"),
                        D::kOutOfRange));
  for (const std::string& line : {kSoundLineData + "1004\n0G\n", kSoundLineData + "1004\nABC\n"})
    EXPECT_TRUE(refusedAt(drawing(kSoundRecordData, line), D::kBadValue)) << line;
  EXPECT_TRUE(refusedAt(drawing("310\nABC\n", kSoundLineData), D::kBadValue));
}

TEST(DxfHandleSetTest, HandlesInAndAboveTheDenseRangeAreKeptOnce) {
  for (const uint64_t dense :
       {uint64_t{0}, uint64_t{1}, uint64_t{64}, uint64_t{1000}, uint64_t{1} << 40}) {
    QvDxfHandleSet set(dense);
    const std::vector<uint64_t> handles = {
        0, 1, 63, 64, 65, 999, 1000, 1001, 4096, uint64_t{1} << 26, ~uint64_t{0}};
    for (const uint64_t h : handles) {
      EXPECT_FALSE(set.contains(h)) << h << " of " << dense;
      EXPECT_TRUE(set.insert(h)) << h << " of " << dense;
    }
    for (const uint64_t h : handles) {
      EXPECT_TRUE(set.contains(h)) << h << " of " << dense;
      EXPECT_FALSE(set.insert(h)) << h << " of " << dense;
    }
    // Neighbours stay out.
    for (const uint64_t h :
         {uint64_t{2}, uint64_t{62}, uint64_t{66}, uint64_t{998}, uint64_t{1002}})
      EXPECT_FALSE(set.contains(h)) << h << " of " << dense;
  }
}

namespace {

// A polyline whose sequence end takes `seqendHandle`, then a line with `lineHandle`.
std::string polylineThenLine(const std::string& seqendHandle, const std::string& lineHandle) {
  return "  0\nSECTION\n  2\nENTITIES\n"
         "  0\nPOLYLINE\n  5\n10\n  8\n0\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n0.0\n"
         "  0\nVERTEX\n  5\n11\n  8\n0\n 10\n1.0\n 20\n1.0\n 30\n0.0\n"
         "  0\nVERTEX\n  5\n13\n  8\n0\n 10\n2.0\n 20\n0.0\n 30\n0.0\n"
         "  0\nSEQEND\n  5\n" +
         seqendHandle +
         "\n  8\n0\n"
         "  0\nLINE\n  5\n" +
         lineHandle +
         "\n  8\n0\n 10\n0.0\n 20\n0.0\n 30\n0.0\n 11\n1.0\n 21\n1.0\n 31\n0.0\n"
         "  0\nENDSEC\n  0\nEOF\n";
}

}  // namespace

class DxfMarkerHandleTest : public HostFixture {};

// Whether the handle lies among the file's handles or far above them, an object that claims a
// sequence end's handle gets a new one, and the repair names its line.
TEST_F(DxfMarkerHandleTest, AnObjectOnAMarkersHandleGetsANewOne) {
  for (const std::string handle : {"12", "3FFFFFF0"}) {
    const std::string text = polylineThenLine(handle, handle);
    QvDxfReadResult result;
    auto db = readDxf(text, result);
    ASSERT_TRUE(db) << result.message().utf8();
    ASSERT_EQ(codesOf(result), std::vector<QvDxfDiagnostic::Code>{QvDxfDiagnostic::kHandleReplaced})
        << handle;
    // The line of the handle, right after the record's name.
    EXPECT_EQ(result.diagnostics[0].line, lineOf(text, "LINE") + 2);
    const QvDbObjectIdArray ids = entitiesOf(db->modelSpaceId());
    ASSERT_EQ(2, ids.length());
    EXPECT_TRUE(ids[1].objectClass() == QvDbLine::desc());
    EXPECT_NE(handleOf(ids[1]), "10");
    EXPECT_TRUE(idOfHandle(*db, handle).isNull()) << handle;
    // Written and read again, nothing is repaired any more.
    QvDxfReadResult again;
    ASSERT_TRUE(readDxf(dxfText(*db), again)) << again.message().utf8();
    EXPECT_TRUE(again.diagnostics.empty()) << again.message().utf8();
  }
}

// The other way round the marker comes second and the file is refused at it.
TEST_F(DxfMarkerHandleTest, AMarkerOnAnObjectsHandleIsRefused) {
  for (const std::string handle : {"11", "10"}) {
    EXPECT_TRUE(refusedAt(polylineThenLine(handle, "20"), QvDxfDiagnostic::kHandleUsedTwice))
        << handle;
  }
}
