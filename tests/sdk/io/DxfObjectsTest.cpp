// Objects through a DXF file: dictionaries, extended records, extension dictionaries,
// persistent reactors, extended data and draw order come back equal, with their handles;
// erased objects are left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSortentsTable.h"
#include "sdk/db/QvDbXrecord.h"
#include "tests/sdk/io/DxfTestRecords.h"
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

// The values of two result-buffer lists, record by record.
::testing::AssertionResult sameList(const resbuf* a, const resbuf* b) {
  int index = 0;
  for (; a && b; a = a->next, b = b->next, ++index) {
    if (a->type != b->type)
      return ::testing::AssertionFailure()
             << "record " << index << ": type " << a->type << " vs " << b->type;
    bool same = true;
    switch (qvRbValueKind(a->type)) {
      case QvRbKind::kString:
        same = QvString(a->value.string) == QvString(b->value.string);
        break;
      case QvRbKind::kReal:
        same = a->value.real == b->value.real;
        break;
      case QvRbKind::kPoint:
        for (int k = 0; k < 3; ++k) same = same && a->value.point[k] == b->value.point[k];
        break;
      case QvRbKind::kShort:
        same = a->value.int16 == b->value.int16;
        break;
      case QvRbKind::kLong:
        same = a->value.int32 == b->value.int32;
        break;
      case QvRbKind::kBinary:
        same = a->value.binary.length == b->value.binary.length &&
               std::equal(a->value.binary.data, a->value.binary.data + a->value.binary.length,
                          b->value.binary.data);
        break;
      case QvRbKind::kName: {
        QvDbObjectId x, y;
        qvdbGetObjectId(x, a->value.name);
        qvdbGetObjectId(y, b->value.name);
        same = x.handle() == y.handle();
        break;
      }
      default:
        break;
    }
    if (!same)
      return ::testing::AssertionFailure() << "record " << index << " (" << a->type << ") differs";
  }
  if (a || b) return ::testing::AssertionFailure() << "lengths differ at record " << index;
  return ::testing::AssertionSuccess();
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
    QvDbDictionary* root = nullptr;
    ASSERT_EQ(Vexa::eOk, read->getNamedObjectsDictionary(root, QvDb::kForRead));
    QvDbObjectId readDict;
    EXPECT_EQ(Vexa::eOk, root->getAt(L"TARVO_SURVEY", readDict));
    root->close();
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
    EXPECT_TRUE(sameList(originalData.get(), readData.get()));
    // The reference in the data names the layer of the new database.
    QvDbObjectId named;
    const resbuf* last = readData.get();
    while (last && last->next) last = last->next;
    ASSERT_TRUE(last);
    qvdbGetObjectId(named, last->value.name);
    EXPECT_EQ(readLayer, named);
    record.close();

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
  chunk->value.binary.data[0] = 0x00;
  chunk->value.binary.data[1] = static_cast<char>(0xAB);
  chunk->value.binary.data[2] = 0x7F;
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
    QvDbObjectPointer<QvDbObject> object(idOfHandle(*read, id.handle().ascii().utf8()),
                                         QvDb::kForRead);
    ASSERT_TRUE(object);
    QvRbListPtr back(object->xData(L"TARVO_DATA"));
    EXPECT_TRUE(sameList(xdata.get(), back.get())) << "object " << id.handle().ascii();
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
    QvDbObjectIdArray first;
    first.append(ids[0]);
    ASSERT_EQ(Vexa::eOk, table->moveToTop(first));
    QvDbObjectIdArray last;
    last.append(ids[3]);
    ASSERT_EQ(Vexa::eOk, table->moveToBottom(last));
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
    for (const QvDbObjectId& id : order) handles.push_back(id.handle().ascii().utf8());
    return handles;
  };
  const std::vector<std::string> before = orderOf(*db());
  ASSERT_EQ(4u, before.size());
  EXPECT_EQ(ids[3].handle().ascii().utf8(), before.front());
  EXPECT_EQ(ids[0].handle().ascii().utf8(), before.back());
  auto read = readDxf(dxfText(*db()));
  ASSERT_TRUE(read);
  EXPECT_EQ(before, orderOf(*read));
}

TEST_F(DxfObjectsTest, ErasedObjectsAndReferencesToThemAreLeftOut) {
  const QvDbObjectId kept = addLayer(db(), L"Kept");
  const QvDbObjectId gone = addLayer(db(), L"Gone");
  QvDbObjectId recordId;
  {
    QvDbDictionary* root = nullptr;
    ASSERT_EQ(Vexa::eOk, db()->getNamedObjectsDictionary(root, QvDb::kForWrite));
    auto* record = new QvDbXrecord();
    ASSERT_EQ(Vexa::eOk, root->setAt(L"TARVO_GONE", record, recordId));
    record->close();
    root->close();
    QvDbObjectPointer<QvDbLayerTableRecord> layer(kept, QvDb::kForWrite);
    layer->addPersistentReactor(recordId);
  }
  for (const QvDbObjectId& id : {gone, recordId}) {
    QvDbObjectPointer<QvDbObject> object(id, QvDb::kForWrite);
    ASSERT_EQ(Vexa::eOk, object->erase());
  }
  const std::string text = dxfText(*db());
  const DxfGroups groups = groupsOf(text);
  EXPECT_TRUE(recordOf(groups, gone.handle().ascii().utf8()).empty());
  EXPECT_TRUE(recordOf(groups, recordId.handle().ascii().utf8()).empty());
  EXPECT_TRUE(valuesOf(recordOf(groups, kept.handle().ascii().utf8()), 102).empty());
  EXPECT_EQ(std::string::npos, text.find("TARVO_GONE"));
  auto read = readDxf(text);
  ASSERT_TRUE(read);
  EXPECT_TRUE(layerNamed(read.get(), L"Gone").isNull());
  EXPECT_FALSE(layerNamed(read.get(), L"Kept").isNull());
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
    const QvDbObjectId same = idOfHandle(*read, id.handle().ascii().utf8());
    ASSERT_FALSE(same.isNull()) << "handle " << id.handle().ascii();
    EXPECT_EQ(id.objectClass(), same.objectClass()) << "handle " << id.handle().ascii();
  }
  const QvDbObjectId added = addLayer(read.get(), L"Added after reading");
  EXPECT_GE(added.handle().value(), seed);
}
