#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfHeaderSection.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfTokens.h"

class QvDbBlockTableRecord;
class QvDbDatabase;
class QvDbObject;
class QvDxfClassFiler;
class QvDxfFileExtras;
class QvDxfObjectReader;

// Reads the text of a DXF file (R12 to R2018) into a new, empty database: the sections in
// order, the objects with their handles, and then the links between them (dictionary entries,
// extension dictionaries, owners, extended data, current records) once every object is there.
// Whatever the file lacks of a drawing's standard contents is added at the end. A file that is
// not DXF text or does not hold together is refused with QvDxfError; the database is then to
// be thrown away.
class QvDxfFileReader {
 public:
  QvDxfFileReader(const QvDxfTokens& tokens, QvDbDatabase& db);
  ~QvDxfFileReader();

  void read();
  // What was mended on the way (layers made for names the file used, ...).
  const std::vector<std::string>& repairs() const { return session_.repairs(); }

 private:
  struct PendingOwner {
    QvDbObjectId object;
    QvDbObjectId owner;
  };

  size_t recordEnd(size_t i, size_t end) const;
  void readClasses(size_t begin, size_t end);
  void readTables(size_t begin, size_t end);
  void readTable(size_t begin, size_t end);
  void readBlocks(size_t begin, size_t end);
  size_t readBlock(size_t begin, size_t end);
  void readEntities(size_t begin, size_t end, QvDbObjectId block);
  size_t readEntity(size_t begin, size_t end, QvDbObjectId block);
  void readObjects(size_t begin, size_t end);
  void keepSection(const std::string& name, size_t begin, size_t end);

  // The common part of every object: the kept groups, the persistent reactors, the extended
  // data (set now, or once the applications are registered) and the extension dictionary
  // (linked at the end).
  void applyCommon(QvDxfObjectReader& in, QvDbObject& object);
  // A block table record of the given name, made when the file has none (R12).
  QvDbObjectId ensureBlock(const QvString& name, uint32_t line);
  QvDbObjectId ensureBlockTable(uint32_t line);
  // Makes a drawing's tables when the file has none (a file of entities alone).
  void ensureTables();
  // Opens a block for write, keeping it open while consecutive entities go to it.
  QvDbBlockTableRecord* openBlock(QvDbObjectId id, uint32_t line);
  void closeBlock();

  void link();
  void linkDictionaryEntries();
  void linkExtensionDictionaries();
  void linkOwners();
  void linkXData();
  void linkLayouts();
  void setCurrentRecords();

  const QvDxfTokens& tokens_;
  QvDbDatabase& db_;
  QvDxfReadSession session_;
  std::unique_ptr<QvDxfFileExtras> extras_;
  QvDxfHeaderSection::CurrentRecords current_;
  bool sawTables_ = false;
  bool sawObjects_ = false;
  QvDbObjectId openBlockId_;
  QvDbBlockTableRecord* openBlock_ = nullptr;
  std::vector<PendingOwner> owners_;
  std::vector<QvDbObjectId> layouts_;
  std::unordered_set<QvDbObjectId> blocksRead_;
  QvDbObjectId modelSpace_;
  QvDbObjectId paperSpace_;
};
