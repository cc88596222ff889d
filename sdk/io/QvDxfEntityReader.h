#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_set>

#include "sdk/base/QvString.h"
#include "sdk/db/QvDbObjectId.h"

class QvDbBlockTableRecord;
class QvDbEntity;
class QvDxfClassFiler;
class QvDxfReadSession;
class QvDxfTokens;

// The BLOCKS and ENTITIES sections. Each block's BLOCK and ENDBLK markers are kept with its
// block table record (files without block records, R12, get the records made); each entity
// goes to the block it stands in or names as its owner, else to model or paper space; the
// records that follow an entity up to its sequence end (vertices, attributes) are read by the
// entity's filer, or kept whole with the entity when its filer takes none. The block being
// filled stays open for write while consecutive entities go to it.
class QvDxfEntityReader {
 public:
  explicit QvDxfEntityReader(QvDxfReadSession& session);
  QvDxfEntityReader(const QvDxfEntityReader&) = delete;
  QvDxfEntityReader& operator=(const QvDxfEntityReader&) = delete;
  ~QvDxfEntityReader();

  void readBlocks(size_t begin, size_t end);
  void readEntities(size_t begin, size_t end);
  // Closes the block left open for the entities.
  void closeBlock();

 private:
  size_t readBlock(size_t begin, size_t end);
  size_t readEntity(size_t begin, size_t end, QvDbObjectId block);
  // The records after an entity up to its sequence end: taken by the entity's filer, or kept
  // whole with the entity when its filer takes none. Answer where reading goes on.
  size_t readFollowers(size_t begin, size_t end, const QvDxfClassFiler& filer, QvDbEntity& owner);
  size_t keepFollowers(size_t begin, size_t end, QvDbEntity& owner);
  void readSequenceEnd(size_t begin, size_t end, QvDbEntity& owner);

  // A block table record of the given name, made when the file has none (R12).
  QvDbObjectId ensureBlock(const QvString& name, uint32_t line);
  QvDbObjectId ensureBlockTable(uint32_t line);
  QvDbBlockTableRecord* openBlock(QvDbObjectId id, uint32_t line);

  QvDxfReadSession& session_;
  const QvDxfTokens& tokens_;
  QvDbObjectId openBlockId_;
  QvDbBlockTableRecord* openBlock_ = nullptr;
  std::unordered_set<QvDbObjectId> blocksRead_;
  QvDbObjectId modelSpace_;
  QvDbObjectId paperSpace_;
};
