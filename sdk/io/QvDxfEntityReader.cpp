#include "sdk/io/QvDxfEntityReader.h"

#include <memory>

#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbSymbolUtilities.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfFlaggedFollowers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfSlot.h"

namespace {

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

}  // namespace

QvDxfEntityReader::QvDxfEntityReader(QvDxfReadSession& session)
    : session_(session), tokens_(session.tokens()) {}

QvDxfEntityReader::~QvDxfEntityReader() {
  closeBlock();
}

QvDbObjectId QvDxfEntityReader::ensureBlockTable(uint32_t line) {
  if (session_.db().blockTableId().isNull()) {
    QvDbSymbolTable* table = new QvDbBlockTable();
    session_.addTable(table, 0, line);
    table->close();
  }
  return session_.db().blockTableId();
}

QvDbObjectId QvDxfEntityReader::ensureBlock(const QvString& name, uint32_t line) {
  QvDbObjectId id = session_.findRecord(QvDxfReadSession::kBlock, name);
  if (!id.isNull()) return id;
  ensureBlockTable(line);
  QvDbBlockTable* table = nullptr;
  if (session_.db().getBlockTable(table, QvDb::kForWrite) != Vexa::eOk)
    qvDxfFail(line, QvDxfDiagnostic::kDrawingRefused, "the block table cannot be opened");
  auto* record = new QvDbBlockTableRecord();
  Vexa::ErrorStatus es = record->setName(name.c_str());
  if (es == Vexa::eOk) es = table->add(id, record);
  table->close();
  if (es != Vexa::eOk) {
    delete record;
    qvDxfFail(line, QvDxfDiagnostic::kRefusedValue,
              qvDxfQuoted(name.utf8()) + " is not a valid block name");
  }
  record->close();
  session_.noteRecord(QvDxfReadSession::kBlock, name, id);
  return id;
}

QvDbBlockTableRecord* QvDxfEntityReader::openBlock(QvDbObjectId id, uint32_t line) {
  if (id == openBlockId_ && openBlock_) return openBlock_;
  closeBlock();
  if (qvdbOpenObject(openBlock_, id, QvDb::kForWrite) != Vexa::eOk) {
    openBlock_ = nullptr;
    qvDxfFail(line, QvDxfDiagnostic::kBrokenLink, "the block of the entity cannot be opened");
  }
  openBlockId_ = id;
  return openBlock_;
}

void QvDxfEntityReader::closeBlock() {
  if (openBlock_) openBlock_->close();
  openBlock_ = nullptr;
  openBlockId_.setNull();
}

void QvDxfEntityReader::readBlocks(size_t begin, size_t end) {
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

size_t QvDxfEntityReader::readBlock(size_t begin, size_t end) {
  if (!tokens_.is(begin, 0, "BLOCK"))
    qvDxfFail(
        tokens_[begin].line, QvDxfDiagnostic::kMisplaced,
        "a block (0 BLOCK) should start here, not \"" + qvDxfExcerpt(tokens_.value(begin)) + "\"");
  const size_t headEnd = tokens_.recordEnd(begin, end);
  QvDxfObjectReader in(session_, begin, headEnd, kBlockBeginMarkers,
                       {QvDxfSlot::kBlockBegin, true});
  in.select(2);
  const size_t nameAt = in.find(2);
  if (nameAt == QvDxfObjectReader::npos)
    in.failObject(QvDxfDiagnostic::kMissingGroup, "the block has no name (2)");
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
    in.keep(5, QvDxfSlot::kBlockBegin + QvDxfSlot::kMarkerHandle,
            QvDxfNumber::handleText(in.handle()));
  }

  QvDbObjectId blockId;
  if (in.hasOwner() && in.ownerHandle() != 0) {
    const QvDbObjectId owner = session_.reference(in.ownerHandle(), in.ownerLine());
    if (owner.objectClass() == QvDbBlockTableRecord::desc()) blockId = owner;
  }
  if (blockId.isNull()) blockId = ensureBlock(name, in.line());
  QvDbBlockTableRecord* block = openBlock(blockId, in.line());
  if (block->name().compareNoCase(name) != 0)
    in.failObject(QvDxfDiagnostic::kBrokenLink, "the block \"" + name.utf8() +
                                                    "\" names the block record of \"" +
                                                    block->name().utf8() + "\" as its owner");
  if (block->fileGroups().hasSlot(QvDxfSlot::kBlockBegin + QvDxfSlot::kMarkerHandle) ||
      !blocksRead_.insert(blockId).second)
    in.failObject(QvDxfDiagnostic::kNameUsedTwice,
                  "the block \"" + name.utf8() + "\" is defined twice");
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
      qvDxfFail(tokens_[begin].line, QvDxfDiagnostic::kNotClosed,
                "the block \"" + name.utf8() + "\" is not closed (0 ENDBLK)");
    k = readEntity(k, end, blockId);
  }
  if (k >= end)
    qvDxfFail(tokens_[begin].line, QvDxfDiagnostic::kNotClosed,
              "the block \"" + name.utf8() + "\" is not closed (0 ENDBLK)");
  const size_t endEnd = tokens_.recordEnd(k, end);
  QvDxfObjectReader endIn(session_, k, endEnd, kBlockEndMarkers, {QvDxfSlot::kBlockEnd, true});
  endIn.select(1);
  endIn.find(67);
  endIn.find(410);
  if (endIn.handle() != 0) {
    session_.reservePhantom(endIn.handle(), endIn.handleLine());
    endIn.keep(5, QvDxfSlot::kBlockEnd + QvDxfSlot::kMarkerHandle,
               QvDxfNumber::handleText(endIn.handle()));
  }
  if (endIn.hasOwner()) session_.reference(endIn.ownerHandle(), endIn.ownerLine());
  QvDbFileGroups endKept = endIn.takeKeptGroups();
  for (int m = 0; m < endKept.length(); ++m) groups.append(endKept.at(m));
  block = openBlock(blockId, endIn.line());
  block->setFileGroups(std::move(groups));
  return endEnd;
}

void QvDxfEntityReader::readEntities(size_t begin, size_t end) {
  for (size_t i = begin; i < end;) i = readEntity(i, end, QvDbObjectId());
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

size_t QvDxfEntityReader::readEntity(size_t begin, size_t end, QvDbObjectId block) {
  session_.progressAt(begin);
  size_t next = tokens_.recordEnd(begin, end);
  const std::string_view name = tokens_.value(begin);
  if (isSequenceRecord(name))
    qvDxfFail(tokens_[begin].line, QvDxfDiagnostic::kMisplaced,
              "a " + std::string(name) + " record follows no polyline or block reference");
  if (name == "BLOCK" || name == "ENDBLK")
    qvDxfFail(tokens_[begin].line, QvDxfDiagnostic::kMisplaced,
              "the record " + std::string(name) + " belongs in the BLOCKS section");
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
  if (filer != &registry.proxyEntities() && QvDbProxyEntity::cast(object))
    in.reassignSubclasses(registry.proxyEntities().subclassMarkers());
  session_.add(object, in.handle(), in.handle() ? in.handleLine() : in.line());
  filer->read(in, *object);
  in.applyCommon(*object);
  auto* entity = QvDbEntity::cast(object);
  QvDbBlockTableRecord* owner = openBlock(blockId, in.line());
  if (!entity || owner->appendQvDbEntity(entity) != Vexa::eOk)
    in.failObject(QvDxfDiagnostic::kBrokenLink, "the entity cannot be added to its block");
  if (followed) {
    next = readFollowers(next, end, *filer, *entity);
  } else if (next < end && isSequenceRecord(tokens_.value(next))) {
    next = keepFollowers(next, end, *entity);
  }
  object->close();
  return next;
}

size_t QvDxfEntityReader::readFollowers(size_t begin, size_t end, const QvDxfClassFiler& filer,
                                        QvDbEntity& owner) {
  const QvDxfFilerRegistry& registry = QvDxfFilerRegistry::instance();
  for (size_t k = begin; k < end;) {
    const size_t next = tokens_.recordEnd(k, end);
    const std::string_view name = tokens_.value(k);
    if (name == "SEQEND") {
      readSequenceEnd(k, next, owner);
      return next;
    }
    // Owned here until the drawing takes it: the record's groups may be refused before that.
    int64_t flags = 0;
    for (size_t i = k + 1; i < next; ++i) {
      if (tokens_.code(i) != 70) continue;
      QvDxfNumber::parseInteger(tokens_.value(i), flags);
      break;
    }
    const auto* flagged = dynamic_cast<const QvDxfFlaggedFollowers*>(&filer);
    std::unique_ptr<QvDbEntity> created(flagged ? flagged->createFlaggedFollower(owner, name, flags)
                                                : filer.createFollower(owner, name));
    if (!created)
      qvDxfFail(tokens_[k].line, QvDxfDiagnostic::kMisplaced,
                "a " + qvDxfExcerpt(name) + " record cannot follow a " +
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
    in.applyCommon(*follower);
    if (filer.adoptFollower(owner, *follower) != Vexa::eOk)
      in.failObject(
          QvDxfDiagnostic::kBrokenLink,
          "the record cannot be added to the " + std::string(filer.recordName()) + " before it");
    follower->close();
    k = next;
  }
  qvDxfFail(tokens_[begin > 0 ? begin - 1 : 0].line, QvDxfDiagnostic::kNotClosed,
            "the records after the " + std::string(filer.recordName()) +
                " are not closed by a sequence end (SEQEND)");
}

void QvDxfEntityReader::readSequenceEnd(size_t begin, size_t end, QvDbEntity& owner) {
  constexpr std::string_view kMarkers[] = {"AcDbEntity"};
  QvDxfObjectReader in(session_, begin, end, kMarkers, {QvDxfSlot::kSequenceEnd, true});
  in.select(1);
  in.find(67);
  in.find(410);
  if (in.handle() != 0) {
    session_.reservePhantom(in.handle(), in.handleLine());
    in.keep(5, QvDxfSlot::kSequenceEnd + QvDxfSlot::kMarkerHandle,
            QvDxfNumber::handleText(in.handle()));
  }
  if (in.hasOwner()) session_.reference(in.ownerHandle(), in.ownerLine());
  appendKept(owner, in.takeKeptGroups());
}

size_t QvDxfEntityReader::keepFollowers(size_t begin, size_t end, QvDbEntity& owner) {
  QvDbFileGroups kept;
  for (size_t k = begin; k < end;) {
    const size_t next = tokens_.recordEnd(k, end);
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
  qvDxfFail(tokens_[begin].line, QvDxfDiagnostic::kNotClosed,
            "the records after an entity are not closed by a sequence end "
            "(SEQEND)");
}
