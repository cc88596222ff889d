#include "sdk/io/QvDxfFileReader.h"

#include <algorithm>
#include <unordered_set>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbDimension.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/db/QvDbUCSTable.h"
#include "sdk/db/QvDbViewTable.h"
#include "sdk/db/QvDbViewportTable.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileExtras.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/records/QvDxfRecordFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// A symbol table of the TABLES section: its name, its class and the session's table.
struct TableKind {
  std::string_view name;
  QvDxfReadSession::Table table;
  QvDbSymbolTable* (*make)();
};

template <class T>
QvDbSymbolTable* makeTable() {
  return new T();
}

constexpr TableKind kTableKinds[] = {
    {"VPORT", QvDxfReadSession::kViewport, &makeTable<QvDbViewportTable>},
    {"LTYPE", QvDxfReadSession::kLinetype, &makeTable<QvDbLinetypeTable>},
    {"LAYER", QvDxfReadSession::kLayer, &makeTable<QvDbLayerTable>},
    {"STYLE", QvDxfReadSession::kTextStyle, &makeTable<QvDbTextStyleTable>},
    {"VIEW", QvDxfReadSession::kView, &makeTable<QvDbViewTable>},
    {"UCS", QvDxfReadSession::kUcs, &makeTable<QvDbUCSTable>},
    {"APPID", QvDxfReadSession::kRegApp, &makeTable<QvDbRegAppTable>},
    {"DIMSTYLE", QvDxfReadSession::kDimStyle, &makeTable<QvDbDimStyleTable>},
    {"BLOCK_RECORD", QvDxfReadSession::kBlock, &makeTable<QvDbBlockTable>},
};

constexpr std::string_view kTableMarkers[] = {"AcDbSymbolTable", "AcDbDimStyleTable"};
constexpr std::string_view kBlockBeginMarkers[] = {"AcDbEntity", "AcDbBlockBegin"};
constexpr std::string_view kBlockEndMarkers[] = {"AcDbEntity", "AcDbBlockEnd"};

// BLOCK flags the database models; 1 (anonymous) and 2 (has attributes) follow from the block.
constexpr int64_t kBlockAnonymous = 1;
constexpr int64_t kBlockHasAttributes = 2;
constexpr int64_t kBlockXref = 4;
constexpr int64_t kBlockOverlay = 8;
constexpr int64_t kBlockDependent = 16;
constexpr int64_t kBlockResolved = 32;
constexpr int64_t kBlockModelledFlags = kBlockAnonymous | kBlockHasAttributes | kBlockXref |
                                        kBlockOverlay | kBlockDependent | kBlockResolved;

std::string excerpt(std::string_view text) {
  return std::string(text.substr(0, 32));
}

std::string hex(uint64_t handle) {
  char buf[16];
  return std::string(buf, static_cast<size_t>(QvDxfNumber::formatHandle(handle, buf)));
}

}  // namespace

QvDxfFileReader::QvDxfFileReader(const QvDxfTokens& tokens, QvDbDatabase& db)
    : tokens_(tokens),
      db_(db),
      session_(tokens, db),
      extras_(std::make_unique<QvDxfFileExtras>()) {}

QvDxfFileReader::~QvDxfFileReader() {
  closeBlock();
}

size_t QvDxfFileReader::recordEnd(size_t i, size_t end) const {
  size_t j = i + 1;
  while (j < end && tokens_.code(j) != 0) ++j;
  return j;
}

void QvDxfFileReader::read() {
  // Dimensions take the blocks the file gives them.
  const QvDbDimension::AutomaticUpdateSuspension fileBlocks;
  const size_t n = tokens_.size();
  // Objects without a handle get new ones above every handle the file gives.
  uint64_t maxHandle = 0;
  for (size_t i = 0; i < n; ++i) {
    const int code = tokens_.code(i);
    uint64_t h = 0;
    if ((code == 5 || code == 105) && !(i > 0 && tokens_.is(i - 1, 9, "$HANDSEED")) &&
        QvDxfNumber::parseHandle(tokens_.value(i), h))
      maxHandle = std::max(maxHandle, h);
  }
  if (maxHandle < (uint64_t{1} << 60)) db_.setHandseed(QvDbHandle(maxHandle + 1));

  if (n == 0) qvDxfFail(1, "the file holds no section");
  for (size_t i = 0; i < n;) {
    if (!tokens_.is(i, 0, "SECTION"))
      qvDxfFail(tokens_[i].line, "a section (0 SECTION) should start here, not group " +
                                     std::to_string(tokens_.code(i)) + " \"" +
                                     excerpt(tokens_.value(i)) + "\"");
    if (i + 1 >= n || tokens_.code(i + 1) != 2)
      qvDxfFail(tokens_[i].line, "the section has no name (2)");
    const std::string name(tokens_.value(i + 1));
    size_t j = i + 2;
    while (j < n && !tokens_.is(j, 0, "ENDSEC")) {
      if (tokens_.is(j, 0, "SECTION"))
        qvDxfFail(tokens_[j].line, "the section " + name +
                                       " is not closed (0 ENDSEC) before "
                                       "the next one");
      ++j;
    }
    if (j >= n)
      qvDxfFail(tokens_[i].line,
                "the section " + name + " is not closed (0 ENDSEC): the file is cut short");
    const size_t begin = i + 2;
    if (name == "HEADER") {
      QvDxfHeaderSection::readVersion(session_, begin, j);
      QvDxfHeaderSection::read(session_, begin, j, *extras_, current_);
    } else if (name == "CLASSES") {
      readClasses(begin, j);
    } else if (name == "TABLES") {
      readTables(begin, j);
    } else if (name == "BLOCKS") {
      readBlocks(begin, j);
    } else if (name == "ENTITIES") {
      readEntities(begin, j, QvDbObjectId());
    } else if (name == "OBJECTS") {
      readObjects(begin, j);
    } else {
      keepSection(name, begin, j);
    }
    i = j + 1;
  }
  link();
}

// Sections kept as they are.

void QvDxfFileReader::keepSection(const std::string& name, size_t begin, size_t end) {
  QvDxfFileExtras::Section section{name, {}};
  for (size_t i = begin; i < end; ++i)
    section.groups.push_back(
        {static_cast<int16_t>(tokens_.code(i)), session_.toUtf8(tokens_.value(i))});
  extras_->sections.push_back(std::move(section));
}

void QvDxfFileReader::readClasses(size_t begin, size_t end) {
  for (size_t i = begin; i < end;) {
    if (!tokens_.is(i, 0, "CLASS"))
      qvDxfFail(tokens_[i].line, "a class record (0 CLASS) should start here, not \"" +
                                     excerpt(tokens_.value(i)) + "\"");
    const size_t next = recordEnd(i, end);
    QvDxfRawGroups groups;
    QvString dxfName;
    QvDxfReadSession::ClassInfo info;
    for (size_t k = i + 1; k < next; ++k) {
      const std::string_view v = tokens_.value(k);
      groups.push_back({static_cast<int16_t>(tokens_.code(k)), session_.toUtf8(v)});
      switch (tokens_.code(k)) {
        case 1:
          dxfName = session_.decode(v);
          break;
        case 2:
          info.className = session_.decode(v);
          break;
        case 3:
          info.appName = session_.decode(v);
          break;
        case 90: {
          int64_t flags = 0;
          if (QvDxfNumber::parseInteger(v, flags)) info.proxyFlags = static_cast<int32_t>(flags);
          break;
        }
        default:
          break;
      }
    }
    if (!dxfName.isEmpty()) session_.noteClass(dxfName, std::move(info));
    extras_->classes.push_back(std::move(groups));
    i = next;
  }
}

// Tables.

void QvDxfFileReader::readTables(size_t begin, size_t end) {
  sawTables_ = true;
  for (size_t i = begin; i < end;) {
    if (!tokens_.is(i, 0, "TABLE"))
      qvDxfFail(tokens_[i].line,
                "a table (0 TABLE) should start here, not \"" + excerpt(tokens_.value(i)) + "\"");
    size_t j = recordEnd(i, end);
    while (j < end && !tokens_.is(j, 0, "ENDTAB")) {
      if (tokens_.is(j, 0, "TABLE"))
        qvDxfFail(tokens_[i].line, "the table is not closed (0 ENDTAB) before the next one");
      j = recordEnd(j, end);
    }
    if (j >= end) qvDxfFail(tokens_[i].line, "the table is not closed (0 ENDTAB)");
    readTable(i, j);
    i = recordEnd(j, end);
  }
}

void QvDxfFileReader::readTable(size_t begin, size_t end) {
  const size_t headEnd = recordEnd(begin, end);
  std::string_view name;
  for (size_t k = begin + 1; k < headEnd; ++k) {
    if (tokens_.code(k) == 2) {
      name = tokens_.value(k);
      break;
    }
  }
  const TableKind* kind = nullptr;
  for (const TableKind& t : kTableKinds)
    if (t.name == name) kind = &t;
  if (!kind)
    qvDxfFail(tokens_[begin].line,
              name.empty() ? std::string("the table has no name (2)")
                           : qvDxfQuoted(excerpt(name)) + " is not a table of drawing files");

  const bool dimstyles = kind->table == QvDxfReadSession::kDimStyle;
  QvDxfObjectReader in(session_, begin, headEnd,
                       std::span<const std::string_view>(kTableMarkers, dimstyles ? 2 : 1));
  in.select(QvDxfSlot::kHead);
  if (in.find(2) == QvDxfObjectReader::npos) {
    in.select(1);
    in.find(2);
  }
  in.select(1);
  in.integer(70, 0, INT32_MIN, INT32_MAX);  // the count, taken from the records
  if (dimstyles) {
    in.select(2);
    in.integer(71, 0, INT32_MIN, INT32_MAX);
    while (in.find(340) != QvDxfObjectReader::npos) {
    }
  }
  QvDbSymbolTable* table = kind->make();
  session_.addTable(table, in.handle(), in.handle() ? in.handleLine() : in.line());
  applyCommon(in, *table);

  const QvDxfClassFiler* filer = nullptr;
  for (size_t k = headEnd; k < end;) {
    const size_t next = recordEnd(k, end);
    const std::string_view recordName = tokens_.value(k);
    if (!filer)
      filer = QvDxfFilerRegistry::instance().forRecord(QvDxfClassFiler::kTableRecord, recordName);
    if (!filer || filer->recordName() != recordName ||
        static_cast<const QvDxfRecordFiler*>(filer)->table() != kind->table)
      qvDxfFail(tokens_[k].line, "a " + excerpt(recordName) + " record stands in the " +
                                     std::string(kind->name) + " table");
    // A name the table has already: a second "*Active" viewport (a tiled configuration) is
    // kept as read; in other tables it is refused.
    QvString recordKey;
    for (size_t m = k + 1; m < next; ++m) {
      if (tokens_.code(m) == 2) {
        recordKey = session_.decode(tokens_.value(m));
        break;
      }
    }
    if (!recordKey.isEmpty() && !session_.findRecord(kind->table, recordKey).isNull()) {
      if (kind->table != QvDxfReadSession::kViewport)
        qvDxfFail(tokens_[k].line, "the name \"" + recordKey.utf8() + "\" is used twice in the " +
                                       std::string(kind->name) + " table");
      QvDxfFileExtras::TableRecord kept{std::string(kind->name), {}};
      for (size_t m = k; m < next; ++m) {
        if (tokens_.code(m) == 5 && m < next)
          session_.reservePhantom(
              session_.parseHandle(tokens_.value(m), tokens_[m].line + 1, false), tokens_[m].line);
        kept.groups.push_back(
            {static_cast<int16_t>(tokens_.code(m)), session_.toUtf8(tokens_.value(m))});
      }
      extras_->tableRecords.push_back(std::move(kept));
      k = next;
      continue;
    }
    QvDxfObjectReader rec(session_, k, next, filer->subclassMarkers());
    auto* record = static_cast<QvDbSymbolTableRecord*>(filer->create(rec));
    const QvDbObjectId id =
        session_.add(record, rec.handle(), rec.handle() ? rec.handleLine() : rec.line());
    if (rec.hasOwner()) session_.reference(rec.ownerHandle(), rec.ownerLine());
    filer->read(rec, *record);
    applyCommon(rec, *record);
    const Vexa::ErrorStatus es = table->add(record);
    if (es == Vexa::eDuplicateKey)
      qvDxfFail(rec.line(), "the name \"" + record->name().utf8() + "\" is used twice in the " +
                                std::string(kind->name) + " table");
    if (es != Vexa::eOk)
      qvDxfFail(rec.line(), qvDxfQuoted(record->name().utf8()) + " is not a valid name in the " +
                                std::string(kind->name) + " table");
    session_.noteRecord(kind->table, record->name(), id);
    record->close();
    k = next;
  }
  table->close();
}

// Blocks and entities.

QvDbObjectId QvDxfFileReader::ensureBlockTable(uint32_t line) {
  if (db_.blockTableId().isNull()) {
    QvDbSymbolTable* table = new QvDbBlockTable();
    session_.addTable(table, 0, line);
    table->close();
  }
  return db_.blockTableId();
}

void QvDxfFileReader::ensureTables() {
  if (sawTables_ || !db_.blockTableId().isNull()) return;
  // A file of entities alone: the drawing's tables are made first.
  if (db_.completeDefaultContents() != Vexa::eOk)
    qvDxfFail(0, "the drawing's standard tables cannot be made");
  struct Known {
    QvDbObjectId table;
    QvDxfReadSession::Table kind;
  };
  const Known known[] = {{db_.layerTableId(), QvDxfReadSession::kLayer},
                         {db_.linetypeTableId(), QvDxfReadSession::kLinetype},
                         {db_.textStyleTableId(), QvDxfReadSession::kTextStyle},
                         {db_.dimStyleTableId(), QvDxfReadSession::kDimStyle},
                         {db_.regAppTableId(), QvDxfReadSession::kRegApp},
                         {db_.blockTableId(), QvDxfReadSession::kBlock}};
  for (const Known& k : known) {
    QvDbSymbolTable* table = nullptr;
    if (qvdbOpenObject(table, k.table, QvDb::kForRead) != Vexa::eOk) continue;
    QvDbSymbolTableIterator* it = nullptr;
    if (table->newIterator(it) == Vexa::eOk) {
      for (; !it->done(); it->step()) {
        QvDbSymbolTableRecord* record = nullptr;
        if (it->getRecord(record, QvDb::kForRead) != Vexa::eOk) continue;
        session_.noteRecord(k.kind, record->name(), record->objectId());
        record->close();
      }
      delete it;
    }
    table->close();
  }
  sawTables_ = true;
}

QvDbObjectId QvDxfFileReader::ensureBlock(const QvString& name, uint32_t line) {
  QvDbObjectId id = session_.findRecord(QvDxfReadSession::kBlock, name);
  if (!id.isNull()) return id;
  ensureBlockTable(line);
  QvDbBlockTable* table = nullptr;
  if (db_.getBlockTable(table, QvDb::kForWrite) != Vexa::eOk)
    qvDxfFail(line, "the block table cannot be opened");
  auto* record = new QvDbBlockTableRecord();
  Vexa::ErrorStatus es = record->setName(name.c_str());
  if (es == Vexa::eOk) es = table->add(id, record);
  table->close();
  if (es != Vexa::eOk) {
    delete record;
    qvDxfFail(line, qvDxfQuoted(name.utf8()) + " is not a valid block name");
  }
  record->close();
  session_.noteRecord(QvDxfReadSession::kBlock, name, id);
  return id;
}

QvDbBlockTableRecord* QvDxfFileReader::openBlock(QvDbObjectId id, uint32_t line) {
  if (id == openBlockId_ && openBlock_) return openBlock_;
  closeBlock();
  if (qvdbOpenObject(openBlock_, id, QvDb::kForWrite) != Vexa::eOk) {
    openBlock_ = nullptr;
    qvDxfFail(line, "the block of the entity cannot be opened");
  }
  openBlockId_ = id;
  return openBlock_;
}

void QvDxfFileReader::closeBlock() {
  if (openBlock_) openBlock_->close();
  openBlock_ = nullptr;
  openBlockId_.setNull();
}

void QvDxfFileReader::readBlocks(size_t begin, size_t end) {
  ensureTables();
  // Files without block records (R12) name their blocks only here, and a block may refer to one
  // defined after it (a dimension's block to its arrowheads): every block is made first.
  for (size_t i = begin; i < end; ++i) {
    if (!tokens_.is(i, 0, "BLOCK")) continue;
    for (size_t k = i + 1; k < end && tokens_.code(k) != 0; ++k) {
      if (tokens_.code(k) != 2) continue;
      QvString name = session_.decode(tokens_.value(k));
      if (name.compareNoCase(L"$MODEL_SPACE") == 0) name = kQvDbModelSpace;
      if (name.compareNoCase(L"$PAPER_SPACE") == 0) name = kQvDbPaperSpace;
      if (!name.isEmpty()) ensureBlock(name, tokens_[k].line + 1);
      break;
    }
  }
  for (size_t i = begin; i < end;) i = readBlock(i, end);
  closeBlock();
}

size_t QvDxfFileReader::readBlock(size_t begin, size_t end) {
  if (!tokens_.is(begin, 0, "BLOCK"))
    qvDxfFail(tokens_[begin].line,
              "a block (0 BLOCK) should start here, not \"" + excerpt(tokens_.value(begin)) + "\"");
  const size_t headEnd = recordEnd(begin, end);
  QvDxfObjectReader in(session_, begin, headEnd, kBlockBeginMarkers,
                       {QvDxfSlot::kBlockBegin, true});
  in.select(2);
  const size_t nameAt = in.find(2);
  if (nameAt == QvDxfObjectReader::npos) in.failObject("the block has no name (2)");
  QvString name = in.textAt(nameAt);
  if (name.compareNoCase(L"$MODEL_SPACE") == 0) name = kQvDbModelSpace;
  if (name.compareNoCase(L"$PAPER_SPACE") == 0) name = kQvDbPaperSpace;
  in.find(3);
  const QvGePoint3d origin = in.point(10, QvGePoint3d::kOrigin);
  const int64_t flags = in.flags(70, 0, kBlockModelledFlags);
  const QvString path = in.text(1);
  const QvString description = in.text(4);
  in.select(1);
  in.find(67);
  in.find(410);
  if (in.handle() != 0) {
    session_.reservePhantom(in.handle(), in.handleLine());
    in.keep(5, QvDxfSlot::kBlockBegin + QvDxfSlot::kMarkerHandle, hex(in.handle()));
  }

  QvDbObjectId blockId;
  if (in.hasOwner() && in.ownerHandle() != 0) {
    const QvDbObjectId owner = session_.reference(in.ownerHandle(), in.ownerLine());
    if (owner.objectClass() == QvDbBlockTableRecord::desc()) blockId = owner;
  }
  if (blockId.isNull()) blockId = ensureBlock(name, in.line());
  QvDbBlockTableRecord* block = openBlock(blockId, in.line());
  if (block->name().compareNoCase(name) != 0)
    in.failObject("the block \"" + name.utf8() + "\" names the block record of \"" +
                  block->name().utf8() + "\" as its owner");
  if (block->fileGroups().hasSlot(QvDxfSlot::kBlockBegin + QvDxfSlot::kMarkerHandle) ||
      !blocksRead_.insert(blockId).second)
    in.failObject("the block \"" + name.utf8() + "\" is defined twice");
  block->setPathName(path.c_str());
  block->setComments(description.c_str());
  block->setExternalReference((flags & kBlockXref) != 0, (flags & kBlockOverlay) != 0);
  block->setDependencyFlags((flags & kBlockDependent) != 0, (flags & kBlockResolved) != 0);
  block->setOrigin(origin);
  QvDbFileGroups groups = block->fileGroups();
  QvDbFileGroups kept = in.takeKeptGroups();
  for (int k = 0; k < kept.length(); ++k) groups.append(kept.at(k));

  size_t k = headEnd;
  while (k < end && !tokens_.is(k, 0, "ENDBLK")) {
    if (tokens_.is(k, 0, "BLOCK"))
      qvDxfFail(tokens_[begin].line, "the block \"" + name.utf8() + "\" is not closed (0 ENDBLK)");
    k = readEntity(k, end, blockId);
  }
  if (k >= end)
    qvDxfFail(tokens_[begin].line, "the block \"" + name.utf8() + "\" is not closed (0 ENDBLK)");
  const size_t endEnd = recordEnd(k, end);
  QvDxfObjectReader endIn(session_, k, endEnd, kBlockEndMarkers, {QvDxfSlot::kBlockEnd, true});
  endIn.select(1);
  endIn.find(67);
  endIn.find(410);
  if (endIn.handle() != 0) {
    session_.reservePhantom(endIn.handle(), endIn.handleLine());
    endIn.keep(5, QvDxfSlot::kBlockEnd + QvDxfSlot::kMarkerHandle, hex(endIn.handle()));
  }
  if (endIn.hasOwner()) session_.reference(endIn.ownerHandle(), endIn.ownerLine());
  QvDbFileGroups endKept = endIn.takeKeptGroups();
  for (int m = 0; m < endKept.length(); ++m) groups.append(endKept.at(m));
  block = openBlock(blockId, endIn.line());
  block->setFileGroups(std::move(groups));
  return endEnd;
}

void QvDxfFileReader::readEntities(size_t begin, size_t end, QvDbObjectId block) {
  ensureTables();
  for (size_t i = begin; i < end;) i = readEntity(i, end, block);
  closeBlock();
}

namespace {

bool isSequenceRecord(std::string_view name) {
  return name == "VERTEX" || name == "ATTRIB" || name == "SEQEND";
}

// Appends kept groups to an entity's own (the entity open for write).
void appendKept(QvDbObject& object, const QvDbFileGroups& more) {
  if (more.isEmpty()) return;
  QvDbFileGroups groups = object.fileGroups();
  for (int i = 0; i < more.length(); ++i) groups.append(more.at(i));
  object.setFileGroups(std::move(groups));
}

}  // namespace

size_t QvDxfFileReader::readEntity(size_t begin, size_t end, QvDbObjectId block) {
  size_t next = recordEnd(begin, end);
  const std::string_view name = tokens_.value(begin);
  if (isSequenceRecord(name))
    qvDxfFail(tokens_[begin].line,
              "a " + std::string(name) + " record follows no polyline or block reference");
  const QvDxfFilerRegistry& registry = QvDxfFilerRegistry::instance();
  const QvDxfClassFiler* filer = registry.forRecord(QvDxfClassFiler::kEntity, name);
  if (!filer) filer = &registry.proxyEntities();
  QvDxfObjectReader in(session_, begin, next, filer->subclassMarkers());
  in.select(1);
  const bool paper = in.integer(67, 0, 0, 1) != 0;
  in.find(410);
  QvDbObjectId blockId = block;
  if (in.hasOwner() && in.ownerHandle() != 0) {
    const QvDbObjectId owner = session_.reference(in.ownerHandle(), in.ownerLine());
    if (blockId.isNull() && owner.objectClass() == QvDbBlockTableRecord::desc()) blockId = owner;
  }
  if (blockId.isNull()) {
    if (paper) {
      if (paperSpace_.isNull()) paperSpace_ = ensureBlock(kQvDbPaperSpace, in.line());
      blockId = paperSpace_;
    } else {
      if (modelSpace_.isNull()) modelSpace_ = ensureBlock(kQvDbModelSpace, in.line());
      blockId = modelSpace_;
    }
  }
  const bool followed = filer->hasFollowers(in);
  QvDbObject* object = filer->create(in);
  session_.add(object, in.handle(), in.handle() ? in.handleLine() : in.line());
  filer->read(in, *object);
  applyCommon(in, *object);
  auto* entity = QvDbEntity::cast(object);
  QvDbBlockTableRecord* owner = openBlock(blockId, in.line());
  if (!entity || owner->appendQvDbEntity(entity) != Vexa::eOk)
    in.failObject("the entity cannot be added to its block");
  if (followed) {
    next = readFollowers(next, end, *filer, *entity);
  } else if (next < end && isSequenceRecord(tokens_.value(next))) {
    next = keepFollowers(next, end, *entity);
  }
  object->close();
  return next;
}

size_t QvDxfFileReader::readFollowers(size_t begin, size_t end, const QvDxfClassFiler& filer,
                                      QvDbEntity& owner) {
  const QvDxfFilerRegistry& registry = QvDxfFilerRegistry::instance();
  for (size_t k = begin; k < end;) {
    const size_t next = recordEnd(k, end);
    const std::string_view name = tokens_.value(k);
    if (name == "SEQEND") {
      readSequenceEnd(k, next, owner);
      return next;
    }
    // Owned here until the drawing takes it: the record's groups may be refused before that.
    std::unique_ptr<QvDbEntity> created(filer.createFollower(owner, name));
    if (!created)
      qvDxfFail(tokens_[k].line, "a " + excerpt(name) + " record cannot follow a " +
                                     std::string(filer.recordName()) + " record");
    const QvDxfClassFiler& followerFiler = registry.forObject(created->isA());
    QvDxfObjectReader in(session_, k, next, followerFiler.subclassMarkers());
    in.select(1);
    in.find(67);
    in.find(410);
    if (in.hasOwner()) session_.reference(in.ownerHandle(), in.ownerLine());
    QvDbEntity* follower = created.release();
    session_.add(follower, in.handle(), in.handle() ? in.handleLine() : in.line());
    followerFiler.read(in, *follower);
    applyCommon(in, *follower);
    if (filer.adoptFollower(owner, *follower) != Vexa::eOk)
      in.failObject("the record cannot be added to the " + std::string(filer.recordName()) +
                    " before it");
    follower->close();
    k = next;
  }
  qvDxfFail(tokens_[begin > 0 ? begin - 1 : 0].line,
            "the records after the " + std::string(filer.recordName()) +
                " are not closed by a sequence end (SEQEND)");
}

void QvDxfFileReader::readSequenceEnd(size_t begin, size_t end, QvDbEntity& owner) {
  constexpr std::string_view kMarkers[] = {"AcDbEntity"};
  QvDxfObjectReader in(session_, begin, end, kMarkers, {QvDxfSlot::kSequenceEnd, true});
  in.select(1);
  in.find(67);
  in.find(410);
  if (in.handle() != 0) {
    session_.reservePhantom(in.handle(), in.handleLine());
    in.keep(5, QvDxfSlot::kSequenceEnd + QvDxfSlot::kMarkerHandle, hex(in.handle()));
  }
  if (in.hasOwner()) session_.reference(in.ownerHandle(), in.ownerLine());
  appendKept(owner, in.takeKeptGroups());
}

size_t QvDxfFileReader::keepFollowers(size_t begin, size_t end, QvDbEntity& owner) {
  QvDbFileGroups kept;
  for (size_t k = begin; k < end;) {
    const size_t next = recordEnd(k, end);
    const bool last = tokens_.value(k) == "SEQEND";
    if (!isSequenceRecord(tokens_.value(k))) break;
    for (size_t m = k; m < next; ++m) {
      QvDbFileGroup group;
      group.code = static_cast<int16_t>(tokens_.code(m));
      group.slot = QvDxfSlot::kFollowers;
      group.text = session_.toUtf8(tokens_.value(m));
      const uint32_t line = tokens_[m].line + 1;
      if (group.code == 5 && tokens_.code(m - 1) == 0) {
        session_.reservePhantom(session_.parseHandle(group.text, line, false), line);
      } else if (QvDbFileGroup::isPointerCode(group.code)) {
        group.id = session_.reference(session_.parseHandle(group.text, line, true), line);
      }
      kept.append(std::move(group));
    }
    k = next;
    if (last) {
      appendKept(owner, kept);
      return next;
    }
  }
  qvDxfFail(tokens_[begin].line,
            "the records after an entity are not closed by a sequence end "
            "(SEQEND)");
}

// Objects.

void QvDxfFileReader::readObjects(size_t begin, size_t end) {
  const QvDxfFilerRegistry& registry = QvDxfFilerRegistry::instance();
  for (size_t i = begin; i < end;) {
    const size_t next = recordEnd(i, end);
    const std::string_view name = tokens_.value(i);
    const QvDxfClassFiler* filer = registry.forRecord(QvDxfClassFiler::kObject, name);
    if (!filer) filer = &registry.proxyObjects();
    QvDxfObjectReader in(session_, i, next, filer->subclassMarkers());
    QvDbObject* object = filer->create(in);
    QvDbObjectId id;
    if (!sawObjects_) {
      auto* root = QvDbDictionary::cast(object);
      if (!root) {
        delete object;
        in.failObject("the OBJECTS section must start with the root dictionary");
      }
      id = session_.addRootDictionary(root, in.handle(), in.handle() ? in.handleLine() : in.line());
      sawObjects_ = true;
    } else {
      id = session_.add(object, in.handle(), in.handle() ? in.handleLine() : in.line());
      if (in.hasOwner() && in.ownerHandle() != 0)
        owners_.push_back({id, session_.reference(in.ownerHandle(), in.ownerLine())});
    }
    filer->read(in, *object);
    applyCommon(in, *object);
    if (QvDbLayout::cast(object)) layouts_.push_back(id);
    object->close();
    i = next;
  }
}

void QvDxfFileReader::applyCommon(QvDxfObjectReader& in, QvDbObject& object) {
  QvDbFileGroups kept = in.takeKeptGroups();
  if (!kept.isEmpty()) object.setFileGroups(std::move(kept));
  for (const QvDbObjectId& reactor : in.reactors()) object.addPersistentReactor(reactor);
  if (!in.extensionDictionary().isNull())
    session_.deferExtensionDictionary(object.objectId(), in.extensionDictionary(),
                                      in.extensionDictionaryLine());
  resbuf* xdata = in.takeXData();
  if (!xdata) return;
  const Vexa::ErrorStatus es = object.setXData(xdata);
  if (es == Vexa::eRegAppNotFound) {
    session_.deferXData(object.objectId(), xdata, in.line());
    return;
  }
  qvutRelRb(xdata);
  if (es != Vexa::eOk)
    in.failObject(
        "the extended data is not valid (a text longer than 255 characters, or "
        "unbalanced braces)");
}

// Links, once every object is read.

void QvDxfFileReader::link() {
  closeBlock();
  ensureTables();
  session_.checkReferences();
  linkDictionaryEntries();
  linkExtensionDictionaries();
  linkOwners();
  linkXData();
  linkLayouts();
  if (db_.completeDefaultContents() != Vexa::eOk)
    qvDxfFail(0, "the drawing's standard contents cannot be completed");
  setCurrentRecords();
  db_.setHandseed(QvDbHandle(session_.handseed()));
  db_.setFileExtras(std::move(extras_));
}

void QvDxfFileReader::linkDictionaryEntries() {
  QvDbDictionary* dict = nullptr;
  QvDbObjectId dictId;
  auto closeDict = [&] {
    if (dict) dict->close();
    dict = nullptr;
  };
  for (const QvDxfReadSession::PendingEntry& e : session_.dictionaryEntries()) {
    if (e.dictionary != dictId) {
      closeDict();
      dictId = e.dictionary;
      if (qvdbOpenObject(dict, dictId, QvDb::kForWrite) != Vexa::eOk) {
        dict = nullptr;
        qvDxfFail(e.line, "the dictionary of this entry cannot be opened");
      }
    }
    if (dict->has(e.key.c_str())) {
      closeDict();
      qvDxfFail(e.line, "the key \"" + e.key.utf8() + "\" is used twice in one dictionary");
    }
    QvDbObject* entry = nullptr;
    if (qvdbOpenObject(entry, e.entry, QvDb::kForWrite) != Vexa::eOk) {
      closeDict();
      qvDxfFail(e.line, "the entry \"" + e.key.utf8() +
                            "\" cannot be opened (a dictionary "
                            "that holds itself?)");
    }
    QvDbObjectId id;
    const Vexa::ErrorStatus es = dict->setAt(e.key.c_str(), entry, id);
    entry->close();
    if (es != Vexa::eOk) {
      closeDict();
      qvDxfFail(e.line, "the entry \"" + e.key.utf8() + "\" (handle " +
                            hex(e.entry.handle().value()) +
                            ") cannot be put in its dictionary: it has another owner");
    }
  }
  closeDict();
}

void QvDxfFileReader::linkExtensionDictionaries() {
  for (const QvDxfReadSession::PendingLink& link : session_.extensionDictionaries()) {
    QvDbObject* object = nullptr;
    if (qvdbOpenObject(object, link.object, QvDb::kForWrite) != Vexa::eOk)
      qvDxfFail(link.line, "the object of this extension dictionary cannot be opened");
    const Vexa::ErrorStatus es = object->setExtensionDictionary(link.target);
    object->close();
    if (es != Vexa::eOk)
      qvDxfFail(link.line, "the extension dictionary " + hex(link.target.handle().value()) +
                               " is not a dictionary of its own for this object");
  }
}

void QvDxfFileReader::linkOwners() {
  for (const PendingOwner& p : owners_) {
    QvDbObject* object = nullptr;
    if (qvdbOpenObject(object, p.object, QvDb::kForWrite) != Vexa::eOk) continue;
    if (object->ownerId().isNull()) object->setOwnerId(p.owner);
    object->close();
  }
}

void QvDxfFileReader::linkXData() {
  for (QvDxfReadSession::PendingXData& p : session_.pendingXData()) {
    for (const resbuf* rb = p.data; rb; rb = rb->next) {
      if (rb->type != kGcXDataAppName || !rb->value.string) continue;
      const QvString app(rb->value.string);
      QvDbRegAppTable* table = nullptr;
      if (db_.getSymbolTable(table, QvDb::kForWrite) != Vexa::eOk)
        qvDxfFail(p.line, "the drawing has no table of registered applications");
      if (!table->has(app.c_str())) {
        auto* record = new QvDbRegAppTableRecord();
        QvDbObjectId id;
        if (record->setName(app.c_str()) != Vexa::eOk || table->add(id, record) != Vexa::eOk) {
          delete record;
          table->close();
          qvDxfFail(p.line, qvDxfQuoted(app.utf8()) + " is not a valid application name");
        }
        record->close();
        session_.repair(p.line, "the application \"" + app.utf8() +
                                    "\" of extended data was not registered and has been added");
      }
      table->close();
    }
    QvDbObject* object = nullptr;
    if (qvdbOpenObject(object, p.object, QvDb::kForWrite) != Vexa::eOk)
      qvDxfFail(p.line, "the object of this extended data cannot be opened");
    const Vexa::ErrorStatus es = object->setXData(p.data);
    object->close();
    if (es != Vexa::eOk)
      qvDxfFail(p.line,
                "the extended data is not valid (a text longer than 255 characters, "
                "or unbalanced braces)");
  }
}

void QvDxfFileReader::linkLayouts() {
  for (const QvDbObjectId& layoutId : layouts_) {
    QvDbLayout* layout = nullptr;
    if (qvdbOpenObject(layout, layoutId, QvDb::kForRead) != Vexa::eOk) continue;
    const QvDbObjectId blockId = layout->getBlockTableRecordId();
    layout->close();
    QvDbBlockTableRecord* block = nullptr;
    if (qvdbOpenObject(block, blockId, QvDb::kForWrite) != Vexa::eOk) continue;
    if (block->getLayoutId().isNull()) block->setLayoutId(layoutId);
    block->close();
  }
}

void QvDxfFileReader::setCurrentRecords() {
  struct Current {
    const QvString& name;
    uint32_t line;
    QvDbObjectId table;
    Vexa::ErrorStatus (QvDbDatabase::*set)(QvDbObjectId);
    const char* what;
    const char* variable;
  };
  const Current currents[] = {
      {current_.layer, current_.layerLine, db_.layerTableId(), &QvDbDatabase::setClayer, "layer",
       "CLAYER"},
      {current_.linetype, current_.linetypeLine, db_.linetypeTableId(), &QvDbDatabase::setCeltype,
       "linetype", "CELTYPE"},
      {current_.textStyle, current_.textStyleLine, db_.textStyleTableId(),
       &QvDbDatabase::setTextstyle, "text style", "TEXTSTYLE"},
      {current_.dimStyle, current_.dimStyleLine, db_.dimStyleTableId(), &QvDbDatabase::setDimstyle,
       "dimension style", "DIMSTYLE"},
  };
  for (const Current& c : currents) {
    if (c.name.isEmpty()) continue;
    QvDbSymbolTable* table = nullptr;
    QvDbObjectId id;
    if (qvdbOpenObject(table, c.table, QvDb::kForRead) == Vexa::eOk) {
      table->getAt(c.name.c_str(), id);
      table->close();
    }
    if (!id.isNull() && (db_.*c.set)(id) == Vexa::eOk) continue;
    // The name stays in the file as it was; the drawing's standard record is current.
    for (QvDxfFileExtras::HeaderVariable& v : extras_->header)
      if (v.name == c.variable) v.known = false;
    session_.repair(c.line, std::string("the current ") + c.what + " \"" + c.name.utf8() +
                                "\" is not defined; the standard one is current");
  }
}
