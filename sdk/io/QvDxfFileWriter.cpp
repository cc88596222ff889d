#include "sdk/io/QvDxfFileWriter.h"

#include <algorithm>
#include <new>
#include <set>
#include <vector>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileExtras.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfHeaderSection.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfProgress.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfText.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kTableMarkers[] = {"AcDbSymbolTable", "AcDbDimStyleTable"};

// The text reserved for each object at the start.
constexpr uint64_t kRoomPerObject = 384;

void beginSection(QvDxfOutput& out, std::string_view name) {
  out.raw(0, "SECTION");
  out.raw(2, name);
}

void endSection(QvDxfOutput& out) {
  out.raw(0, "ENDSEC");
}

// Opens an object for read for the life of the guard.
class ReadOpen {
 public:
  explicit ReadOpen(QvDbObjectId id) {
    if (qvdbOpenObject(object_, id, QvDb::kForRead) != Vexa::eOk) object_ = nullptr;
  }
  ReadOpen(const ReadOpen&) = delete;
  ReadOpen& operator=(const ReadOpen&) = delete;
  ~ReadOpen() {
    if (object_) object_->close();
  }
  QvDbObject* get() const { return object_; }

 private:
  QvDbObject* object_ = nullptr;
};

void writeWith(QvDxfWriteSession& session, const QvDbObject& object) {
  const QvDxfClassFiler& filer = QvDxfFilerRegistry::instance().forObject(object.isA());
  filer.noteClass(session, object);
  QvDxfObjectWriter out(session, object, filer.subclassMarkers());
  filer.write(out, object);
}

}  // namespace

QvDxfFileWriter::QvDxfFileWriter(QvDbDatabase& db) : db_(db), session_(db) {}

QvDxfFileWriter::Parts QvDxfFileWriter::writeParts() {
  const auto objects = static_cast<uint64_t>(db_.numObjects());
  QvDxfProgress progress(L"Writing drawing", objects);
  progress_ = &progress;
  written_ = 0;
  QvDxfOutput& out = session_.out();
  // Above what most objects take, so that the text is seldom moved as it grows; memory not
  // written to is not used. Only a hint: without the room the text grows as it goes.
  try {
    out.reserve(objects * kRoomPerObject);
  } catch (const std::bad_alloc&) {
  }
  writeTables();
  writeBlocks();
  beginSection(out, "ENTITIES");
  writeEntitiesOf(db_.modelSpaceId());
  writeEntitiesOf(db_.paperSpaceId());
  endSection(out);
  writeObjects();
  writeKeptSections();
  out.raw(0, "EOF");
  Parts parts;
  parts.body = std::move(out.str());
  parts.head = headerAndClasses();
  progress.at(objects);
  progress_ = nullptr;
  return parts;
}

void QvDxfFileWriter::written() {
  if (progress_) progress_->at(++written_);
}

std::string QvDxfFileWriter::headerAndClasses() {
  QvDxfOutput out;
  const QvDxfFileExtras* extras = QvDxfFileExtras::of(db_);
  beginSection(out, "HEADER");
  QvDxfHeaderSection::write(out, db_, extras, session_.handseed());
  endSection(out);
  beginSection(out, "CLASSES");
  std::set<std::string> listed;
  if (extras) {
    for (const QvDxfRawGroups& record : extras->classes) {
      out.raw(0, "CLASS");
      for (const QvDxfRawGroup& g : record) {
        out.raw(g.code, g.text);
        if (g.code == 1) listed.insert(g.text);
      }
    }
  }
  for (const auto& [name, use] : session_.classes()) {
    // Names come from files and may hold control characters; kept records hold them encoded.
    const std::string dxfName = QvDxfText::encoded(use.dxfName);
    if (listed.count(dxfName) != 0) continue;
    out.raw(0, "CLASS");
    out.raw(1, dxfName);
    out.raw(2, QvDxfText::encoded(use.className));
    out.raw(3, QvDxfText::encoded(use.appName));
    out.integer(90, use.record.proxyFlags);
    out.integer(91, use.count);
    out.integer(280, 0);
    out.integer(281, use.record.isEntity ? 1 : 0);
  }
  endSection(out);
  return out.str();
}

// Tables.

void QvDxfFileWriter::writeTables() {
  QvDxfOutput& out = session_.out();
  beginSection(out, "TABLES");
  writeTable(db_.viewportTableId(), "VPORT");
  writeTable(db_.linetypeTableId(), "LTYPE");
  writeTable(db_.layerTableId(), "LAYER");
  writeTable(db_.textStyleTableId(), "STYLE");
  writeTable(db_.viewTableId(), "VIEW");
  writeTable(db_.UCSTableId(), "UCS");
  writeTable(db_.regAppTableId(), "APPID");
  writeTable(db_.dimStyleTableId(), "DIMSTYLE");
  writeTable(db_.blockTableId(), "BLOCK_RECORD");
  endSection(out);
}

void QvDxfFileWriter::writeTable(QvDbObjectId tableId, std::string_view name) {
  ReadOpen open(tableId);
  const auto* table = QvDbSymbolTable::cast(open.get());
  if (!table)
    throw QvDxfError(Vexa::eInvalidInput, QvDxfDiagnostic::kDrawingRefused, 0,
                     "the drawing has no " + std::string(name) + " table");
  QvDbSymbolTableIterator* iterator = nullptr;
  table->newIterator(iterator);
  std::unique_ptr<QvDbSymbolTableIterator> it(iterator);
  QvDbObjectIdArray records;
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    if (it->getRecordId(id) == Vexa::eOk) records.append(id);
  }
  const QvDxfFileExtras* extras = QvDxfFileExtras::of(db_);
  int keptRecords = 0;
  if (extras)
    for (const QvDxfFileExtras::TableRecord& r : extras->tableRecords)
      if (r.table == name) ++keptRecords;

  const bool dimstyles = name == "DIMSTYLE";
  const std::span<const std::string_view> markers(kTableMarkers, dimstyles ? 2 : 1);
  QvDxfObjectWriter head(session_, *table, markers);
  head.begin("TABLE", 5, name);
  head.subclass(1);
  head.integer(70, records.length() + keptRecords);
  if (dimstyles) {
    head.subclass(2);
    head.integer(71, records.length());
    for (const QvDbObjectId& id : records) head.pointer(340, id);
  }
  head.end();

  for (const QvDbObjectId& id : records) {
    ReadOpen record(id);
    if (record.get()) writeWith(session_, *record.get());
  }
  if (extras) {
    QvDxfOutput& out = session_.out();
    for (const QvDxfFileExtras::TableRecord& r : extras->tableRecords) {
      if (r.table != name) continue;
      bool handled = false;
      for (const QvDxfRawGroup& g : r.groups) {
        if (g.code == 5 && !handled) {
          out.handle(5, session_.markerHandle(g.text));
          handled = true;
        } else if (g.code == 330) {
          out.handle(330, tableId.handle());
        } else {
          out.raw(g.code, g.text);
        }
      }
    }
  }
  session_.out().raw(0, "ENDTAB");
}

// Blocks and entities.

void QvDxfFileWriter::writeBlocks() {
  QvDxfOutput& out = session_.out();
  beginSection(out, "BLOCKS");
  ReadOpen open(db_.blockTableId());
  const auto* table = QvDbBlockTable::cast(open.get());
  QvDbObjectIdArray blocks;
  if (table) {
    QvDbSymbolTableIterator* iterator = nullptr;
    table->newIterator(iterator);
    std::unique_ptr<QvDbSymbolTableIterator> it(iterator);
    for (; !it->done(); it->step()) {
      QvDbObjectId id;
      if (it->getRecordId(id) == Vexa::eOk) blocks.append(id);
    }
  }
  const QvDbObjectId modelSpace = db_.modelSpaceId();
  const QvDbObjectId paperSpace = db_.paperSpaceId();
  for (const QvDbObjectId& id : blocks) {
    {
      ReadOpen block(id);
      const auto* record = QvDbBlockTableRecord::cast(block.get());
      if (!record) continue;
      writeBlockMarker(*record, true);
    }
    if (id != modelSpace && id != paperSpace) writeEntitiesOf(id);
    ReadOpen block(id);
    if (const auto* record = QvDbBlockTableRecord::cast(block.get()))
      writeBlockMarker(*record, false);
  }
  endSection(out);
}

void QvDxfFileWriter::writeBlockMarker(const QvDbBlockTableRecord& block, bool begin) {
  const uint16_t base = begin ? QvDxfSlot::kBlockBegin : QvDxfSlot::kBlockEnd;
  QvDxfObjectWriter w(session_, block, {});
  const QvDbHandle handle = session_.markerHandle(w.keptText(base + QvDxfSlot::kMarkerHandle, 5));
  w.beginMarker(begin ? "BLOCK" : "ENDBLK", handle, block.handle(), base + QvDxfSlot::kHead);
  w.raw(100, "AcDbEntity");
  if (session_.isPaperSpaceBlock(block.objectId())) w.integer(67, 1);
  if (!w.hasKept(base + 1, 8)) w.raw(8, "0");
  w.keptGroups(base + 1);
  if (begin) {
    w.raw(100, "AcDbBlockBegin");
    const QvString name = block.name();
    w.text(2, name);
    int64_t flags = 0;
    if (block.isAnonymous()) flags |= 1;
    if (block.hasAttributeDefinitions()) flags |= 2;
    if (block.isFromExternalReference()) flags |= 4;
    if (block.isFromOverlayReference()) flags |= 8;
    if (block.isDependent()) flags |= 16;
    if (block.isResolved()) flags |= 32;
    w.flags(70, flags);
    w.point(10, block.origin());
    w.text(3, name);
    w.text(1, block.pathName());
    if (!block.comments().isEmpty()) w.text(4, block.comments());
  } else {
    w.raw(100, "AcDbBlockEnd");
  }
  w.keptGroups(base + 2);
  w.keptGroups(base + QvDxfSlot::kXData);
}

void QvDxfFileWriter::writeEntitiesOf(QvDbObjectId blockId) {
  QvDbObjectIdArray entities;
  {
    ReadOpen open(blockId);
    const auto* block = QvDbBlockTableRecord::cast(open.get());
    if (!block) return;
    entities = block->entityIds();
  }
  for (const QvDbObjectId& id : entities) writeEntity(id);
}

void QvDxfFileWriter::writeEntity(QvDbObjectId id) {
  ReadOpen open(id);
  const auto* entity = QvDbEntity::cast(open.get());
  if (!entity) return;
  written();
  const QvDxfClassFiler& filer = QvDxfFilerRegistry::instance().forObject(entity->isA());
  writeWith(session_, *entity);
  for (const QvDbObjectId& followerId : filer.followers(*entity)) {
    ReadOpen follower(followerId);
    if (follower.get()) writeWith(session_, *follower.get());
  }
  if (filer.endsWithSequence(*entity)) writeSequenceEnd(*entity);
  writeKeptFollowers(*entity);
}

void QvDxfFileWriter::writeSequenceEnd(const QvDbEntity& owner) {
  constexpr uint16_t base = QvDxfSlot::kSequenceEnd;
  QvDxfObjectWriter w(session_, owner, {});
  const QvDbHandle handle = session_.markerHandle(w.keptText(base + QvDxfSlot::kMarkerHandle, 5));
  w.beginMarker("SEQEND", handle, owner.handle(), base + QvDxfSlot::kHead);
  w.raw(100, "AcDbEntity");
  if (session_.isPaperSpaceBlock(owner.ownerId())) w.integer(67, 1);
  if (!w.hasKept(base + 1, 8)) {
    const QvString layer = owner.layer();
    w.text(8, layer.isEmpty() ? QvString(L"0") : layer);
  }
  w.keptGroups(base + 1);
  w.keptGroups(base + QvDxfSlot::kXData);
}

void QvDxfFileWriter::writeKeptFollowers(const QvDbEntity& owner) {
  const QvDbFileGroups& kept = owner.fileGroups();
  if (!kept.hasSlot(QvDxfSlot::kFollowers)) return;
  QvDxfOutput& out = session_.out();
  int previous = -1;
  bool ownerToCome = false;  // the first 330 of a record's head, outside its 102 groups
  bool inGroup = false;
  for (int i = 0; i < kept.length(); ++i) {
    const QvDbFileGroup& g = kept.at(i);
    if (g.slot != QvDxfSlot::kFollowers) continue;
    if (g.code == 0) ownerToCome = true;
    if (g.code == 100) ownerToCome = false;
    if (g.code == 102) inGroup = !g.text.empty() && g.text.front() == '{';
    if (g.code == 5 && previous == 0) {
      out.handle(5, session_.markerHandle(g.text));
    } else if (g.code == 330 && ownerToCome && !inGroup) {
      out.handle(330, owner.handle());
      ownerToCome = false;
    } else if (QvDbFileGroup::isPointerCode(g.code)) {
      out.handle(g.code, session_.isWritten(g.id) ? g.id.handle() : QvDbHandle());
    } else {
      out.raw(g.code, g.text);
    }
    previous = g.code;
  }
}

// Objects.

void QvDxfFileWriter::writeObjects() {
  QvDxfOutput& out = session_.out();
  beginSection(out, "OBJECTS");
  const QvDbObjectId root = db_.namedObjectsDictionaryId();
  writeObject(root);
  // The other objects in handle order, which a drawing read and written again keeps.
  const QvRxClass* entityClass = QvDbEntity::desc();
  const QvRxClass* tableClass = QvDbSymbolTable::desc();
  const QvRxClass* recordClass = QvDbSymbolTableRecord::desc();
  std::vector<QvDbObjectId> objects;
  for (const QvDbObjectId& id : db_.objectIds()) {
    if (id == root) continue;
    const QvRxClass* cls = id.objectClass();
    if (!cls || cls->isDerivedFrom(entityClass) || cls->isDerivedFrom(tableClass) ||
        cls->isDerivedFrom(recordClass))
      continue;
    objects.push_back(id);
  }
  std::sort(objects.begin(), objects.end(),
            [](QvDbObjectId a, QvDbObjectId b) { return a.handle() < b.handle(); });
  for (const QvDbObjectId& id : objects) writeObject(id);
  endSection(out);
}

void QvDxfFileWriter::writeObject(QvDbObjectId id) {
  ReadOpen open(id);
  QvDbObject* object = open.get();
  if (!object) return;
  // An object whose owner is gone goes with it.
  const QvDbObjectId owner = object->ownerId();
  if (!owner.isNull() && !session_.isWritten(owner)) return;
  written();
  writeWith(session_, *object);
}

void QvDxfFileWriter::writeKeptSections() {
  const QvDxfFileExtras* extras = QvDxfFileExtras::of(db_);
  if (!extras) return;
  QvDxfOutput& out = session_.out();
  for (const QvDxfFileExtras::Section& section : extras->sections) {
    beginSection(out, section.name);
    for (const QvDxfRawGroup& g : section.groups) out.raw(g.code, g.text);
    endSection(out);
  }
}
