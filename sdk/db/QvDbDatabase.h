#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDb.h"
#include "sdk/db/QvDbDrawingState.h"
#include "sdk/db/QvDbFileExtras.h"
#include "sdk/db/QvDbHandleMap.h"
#include "sdk/db/QvDbHeader.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/db/QvDbObjectStub.h"
#include "sdk/rx/QvRxObject.h"

class QvDbObject;
class QvDbSymbolTable;
class QvGePoint3d;
class QvGeVector3d;
class QvDbBlockTable;
class QvDbLayerTable;
class QvDbTextStyleTable;
class QvDbDimStyleTable;
class QvDbLinetypeTable;
class QvDbRegAppTable;
class QvDbUCSTable;
class QvDbViewportTable;
class QvDbViewTable;
class QvDbDictionary;
class QvDbIdMapping;
class QvDbTransactionManager;

// One drawing. It owns its symbol tables, its named-objects dictionary and every object added
// to it, hands out handles, counts the objects open in it and keeps the header variables.
//
// A new database has the contents of a new drawing: layer "0", text style and dimension style
// "Standard", linetypes "ByBlock", "ByLayer" and "Continuous", registered application "ACAD",
// the viewport "*Active", the block table with "*Model_Space" and "*Paper_Space", the layouts
// "Model" and "Layout1", and the named-objects dictionary with its standard entries. An empty
// database has nothing at all; a drawing-file reader fills it and then calls
// completeDefaultContents for whatever the file lacked.
class QvDbDatabase : public QvRxObject {
 public:
  QVRX_DECLARE_MEMBERS(QvDbDatabase);

  // `noDocument` is accepted for the host's signature: a database belongs to a document only
  // when the document manager was given it.
  explicit QvDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  QvDbDatabase(const QvDbDatabase&) = delete;
  QvDbDatabase& operator=(const QvDbDatabase&) = delete;
  ~QvDbDatabase() override;

  // Symbol tables and the named-objects dictionary.
  QvDbObjectId blockTableId() const;
  QvDbObjectId layerTableId() const;
  QvDbObjectId textStyleTableId() const;
  QvDbObjectId dimStyleTableId() const;
  QvDbObjectId linetypeTableId() const;
  QvDbObjectId regAppTableId() const;
  QvDbObjectId UCSTableId() const;
  QvDbObjectId viewportTableId() const;
  QvDbObjectId viewTableId() const;
  QvDbObjectId namedObjectsDictionaryId() const { return namedObjectsDictionaryId_; }
  // Entries of the named-objects dictionary (null when absent).
  QvDbObjectId layoutDictionaryId() const;
  QvDbObjectId scaleListDictionaryId() const;
  QvDbObjectId groupDictionaryId() const;

  Vexa::ErrorStatus getSymbolTable(QvDbBlockTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbLayerTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbTextStyleTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbDimStyleTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbLinetypeTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbRegAppTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbUCSTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbViewportTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getSymbolTable(QvDbViewTable*& table, QvDb::OpenMode mode) const;
  Vexa::ErrorStatus getBlockTable(QvDbBlockTable*& table, QvDb::OpenMode mode) const {
    return getSymbolTable(table, mode);
  }
  Vexa::ErrorStatus getLayerTable(QvDbLayerTable*& table, QvDb::OpenMode mode) const {
    return getSymbolTable(table, mode);
  }
  Vexa::ErrorStatus getNamedObjectsDictionary(QvDbDictionary*& dict, QvDb::OpenMode mode) const;

  // The block table records of model space and of the active paper space (by name).
  QvDbObjectId modelSpaceId() const;
  QvDbObjectId paperSpaceId() const;
  // The space new entities go to: model space when tile mode is on or "CVPORT" is not 1
  // (a viewport into model space), else the active layout's paper space.
  QvDbObjectId currentSpaceId() const;

  // Objects. addQvDbObject makes `object` (in no database) resident, with the given handle
  // when it is not null and free (eDuplicateKey when taken), and leaves it open for write; the
  // caller sets its owner and closes it. getQvDbObjectId finds the id of a handle; with
  // createIfNotFound it makes an id without object that a later addQvDbObject with that
  // handle fills (a reader's forward reference).
  Vexa::ErrorStatus addQvDbObject(QvDbObjectId& id, QvDbObject* object,
                                  QvDbHandle handle = QvDbHandle());
  Vexa::ErrorStatus getQvDbObjectId(QvDbObjectId& id, bool createIfNotFound, QvDbHandle handle);
  // The next handle to be given out.
  QvDbHandle handseed() const { return handseed_; }
  // The ids of every object of the database, in the order they were added.
  QvDbObjectIdArray objectIds(bool includeErased = false) const;
  int numObjects() const;

  // Readers: root objects read from a file. addSymbolTable takes one of the nine tables,
  // recognised by its class (eDuplicateKey when the database has one already);
  // addNamedObjectsDictionary the root dictionary. completeDefaultContents adds every table,
  // dictionary and standard record that is missing; completeDefaultTables the tables and their
  // standard records only, for a file whose root dictionary is still to be read.
  Vexa::ErrorStatus addSymbolTable(QvDbObjectId& id, QvDbSymbolTable* table,
                                   QvDbHandle handle = QvDbHandle());
  Vexa::ErrorStatus addNamedObjectsDictionary(QvDbObjectId& id, QvDbDictionary* dict,
                                              QvDbHandle handle = QvDbHandle());
  Vexa::ErrorStatus completeDefaultContents();
  Vexa::ErrorStatus completeDefaultTables();

  // Registers an application name for extended data unless the drawing has it; the
  // registered-application table must be free to open for write when it is added.
  Vexa::ErrorStatus registerApplication(const wchar_t* name);

  // Drawing files. These members are defined in sdk/io (QvDbDatabaseFiles.cpp), the area
  // above the database that reads and writes files. The stand-in's drawing format is DXF text,
  // whatever the file's extension. A read replaces the whole contents of the database, and only
  // when the file was read completely; otherwise the database is as it was, the status says why
  // (eFileNotFound, eFileAccessError, eBadDxfFile) and fileMessage() what was wrong and where.
  // Reading and saving need a database without open objects or an active transaction
  // (eInvalidInput). The share mode is one of QvDb::ShareMode; no password is needed.
  Vexa::ErrorStatus readDwgFile(const wchar_t* fileName, int shareMode = QvDb::kShareDenyWrite,
                                bool allowCPConversion = false, const wchar_t* password = nullptr);
  // Reads a DXF file as readDwgFile does; with a log file name, the outcome is written there.
  Vexa::ErrorStatus dxfIn(const wchar_t* fileName, const wchar_t* logFilename = nullptr);
  // Ends the reading of the file: the stand-in reads files at once, so there is nothing left
  // to load and no file held open.
  Vexa::ErrorStatus closeInput(bool closeFile = true);
  // Writes the drawing as a DXF file of the given version (only QvDb::kDrawingVersionR2018;
  // eNotImplemented otherwise). The file is written beside its place and moved there when
  // complete, so a failed save leaves an existing file unchanged; with bakAndRename an
  // existing file is kept as ".bak". No security parameters are supported (eNotImplemented).
  Vexa::ErrorStatus saveAs(const wchar_t* fileName, bool bakAndRename = true,
                           int version = QvDb::kDrawingVersionCurrent,
                           const void* securityParams = nullptr);
  Vexa::ErrorStatus dxfOut(const wchar_t* fileName, int version = QvDb::kDrawingVersionCurrent);
  // The file the drawing was last read from or saved to; empty for a new drawing.
  const QvString& fileName() const { return fileName_; }
  // What the last read or save found wrong (with the line of the file), or empty.
  const QvString& fileMessage() const { return fileMessage_; }
  void setFileState(const QvString& fileName, const QvString& message) {
    if (!fileName.isEmpty()) fileName_ = fileName;
    fileMessage_ = message;
  }

  // For drawing-file readers and writers. Handles below the seed are never given out (a seed
  // below the present one is ignored). The file extras are owned by the database.
  void setHandseed(QvDbHandle seed);
  QvDbFileExtras* fileExtras() const { return fileExtras_.get(); }
  void setFileExtras(std::unique_ptr<QvDbFileExtras> extras);
  // Takes the contents (objects, tables, header, file extras) of `source`, which is left
  // empty: a reader reads into a new database and hands the drawing over when it is complete.
  // Ids and their 64-bit values keep naming the objects taken, now in this database. The former
  // contents are deleted; their ids stay safe to ask and read as erased. Both databases must
  // have no open object and no active transaction (eInvalidInput).
  Vexa::ErrorStatus replaceContents(QvDbDatabase& source);

  // Open accounting. Tests assert that a call left nothing open and read nothing unopened.
  int numOpenObjects() const { return openObjects_; }
  QvDbObjectIdArray openObjectIds() const;
  // Reads of objects not open, changes without a write open, closes of objects not open.
  int accessViolations() const { return accessViolations_; }
  // The first few violations, described.
  const QvArray<QvString>& accessViolationLog() const { return violationLog_; }
  void clearAccessViolations();

  // Header variables, by name (case-insensitive, with or without "$").
  const QvDbHeader& header() const { return state_.header; }
  QvDbHeaderValue headerValue(const QvString& name) const { return state_.header.get(name); }
  // Sets a header variable; "TILEMODE" switches between the model and the paper layout.
  Vexa::ErrorStatus setHeaderValue(const QvString& name, const QvDbHeaderValue& value);

  // The per-drawing system variables kept in the drawing, as the editor reads and writes them:
  // every header variable, and "CLAYER", "TEXTSTYLE", "DIMSTYLE", "CELTYPE" (names of the
  // current records), "CVPORT", "CANNOSCALEVALUE" (written, it makes the scale of that value
  // current) and "HANDSEED" (read only). "CANNOSCALE" must name a scale of the list.
  // eUnknownSystemVariable for a name the drawing does not keep.
  Vexa::ErrorStatus getSystemVariable(const QvString& name, QvDbHeaderValue& value) const;
  Vexa::ErrorStatus setSystemVariable(const QvString& name, const QvDbHeaderValue& value);
  static bool isDrawingVariable(const QvString& name);
  // Whether getSystemVariable answers the name from header() (every name but those of the
  // current records, the current viewport, the annotation scale's value and the handle seed).
  static bool isHeaderVariable(const QvString& name);

  QvDb::UnitsValue insunits() const;
  Vexa::ErrorStatus setInsunits(QvDb::UnitsValue units);
  bool tilemode() const;
  Vexa::ErrorStatus setTilemode(bool on);
  // The current viewport: 1 is paper space, 2 and above a viewport into model space.
  int16_t cvport() const { return state_.cvport; }
  Vexa::ErrorStatus setCvport(int16_t viewport);
  // The drawing's current UCS ("UCSORG", "UCSXDIR", "UCSYDIR"). setUcs takes two axes that
  // are not zero and at right angles (within the global tolerance) and stores them as unit
  // vectors; eInvalidInput otherwise.
  QvGePoint3d ucsorg() const;
  QvGeVector3d ucsxdir() const;
  QvGeVector3d ucsydir() const;
  Vexa::ErrorStatus setUcs(const QvGePoint3d& origin, const QvGeVector3d& xAxis,
                           const QvGeVector3d& yAxis);
  // The base point of the drawing when it is inserted as a block ("INSBASE").
  QvGePoint3d insbase() const;
  Vexa::ErrorStatus setInsbase(const QvGePoint3d& base);
  bool annotativeDwg() const;
  Vexa::ErrorStatus setAnnotativeDwg(bool on);
  bool extnames() const;
  // The current annotation scale: its name ("CANNOSCALE") and its value (paper units over
  // drawing units of that scale in the scale list; 1 when the list lacks it).
  QvString cannoscaleName() const;
  double cannoscaleValue() const;
  // Makes current the scale of the list with that value, adding one ("1:4", "2:1") when the
  // list has none. eOutOfRange for a value that is not positive and finite.
  Vexa::ErrorStatus setCannoscaleValue(double value);
  // The live scale of the list with that name (case-insensitive), or null.
  QvDbObjectId findScale(const QvString& name) const;

  // Current records.
  QvDbObjectId clayer() const { return state_.clayer; }
  Vexa::ErrorStatus setClayer(QvDbObjectId layerId);
  QvDbObjectId textstyle() const { return state_.textstyle; }
  Vexa::ErrorStatus setTextstyle(QvDbObjectId styleId);
  QvDbObjectId dimstyle() const { return state_.dimstyle; }
  Vexa::ErrorStatus setDimstyle(QvDbObjectId styleId);
  QvDbObjectId celtype() const { return state_.celtype; }
  Vexa::ErrorStatus setCeltype(QvDbObjectId linetypeId);

  // Transactions on this database.
  QvDbTransactionManager* transactionManager() const { return transactionManager_.get(); }

  // Clones `ids` (objects of this database) into `ownerId` (a block table record, a
  // dictionary or a symbol table of this database), in order; objects they own follow, and
  // ids among the clones are translated. `idMap` receives a pair per object (the owner's
  // pair uncloned). A failure leaves the database as it was.
  Vexa::ErrorStatus deepCloneObjects(const QvDbObjectIdArray& ids, QvDbObjectId ownerId,
                                     QvDbIdMapping& idMap, bool deferXlation = false);
  // Copies the model space of `source` into this database as the block `blockName`: a new
  // block table record, or the live one of that name, whose entities are then replaced. The
  // records the copied objects use (layers, linetypes, styles, nested blocks, registered
  // applications) come along under their names unless this database has them; anonymous
  // blocks get new anonymous names. The source is never changed. A failure leaves this
  // database as it was.
  Vexa::ErrorStatus insert(QvDbObjectId& blockId, const wchar_t* blockName, QvDbDatabase* source,
                           bool preserveSourceDatabase = true);
  // Removes from `ids` every object that cannot be purged: one that a live object uses (a
  // hard pointer), and the records a drawing cannot do without. What stays may be erased.
  Vexa::ErrorStatus purge(QvDbObjectIdArray& ids) const;

  // A new anonymous name from its prefix ("*U" gives "*U1", "*U2", ...), unused in the table.
  QvString newAnonymousName(const QvString& prefix, const QvDbSymbolTable* table) const;

  // The database of an id's 64-bit value (see QvDbObjectId::asOldId), or null.
  static QvDbObjectStub* stubFromOldId(int64_t oldId);

 private:
  friend class QvDbObject;
  friend class QvDbOpenRules;
  friend class QvDbTransaction;
  friend class QvDbTransactionManager;
  friend class QvDbObjectCloner;
  friend class QvDbDefaultContents;
  friend class QvDbLayoutManager;

  enum TableKind {
    kBlockTable,
    kLayerTable,
    kTextStyleTable,
    kDimStyleTable,
    kLinetypeTable,
    kRegAppTable,
    kUcsTable,
    kViewportTable,
    kViewTable,
    kTableCount
  };
  static const QvRxClass* tableClass(int kind);
  Vexa::ErrorStatus openTable(QvDbSymbolTable*& table, int kind, QvDb::OpenMode mode) const;

  QvDbObjectStub* newStub(QvDbHandle handle);
  void noteOpenChange(bool nowOpen) { openObjects_ += nowOpen ? 1 : -1; }
  void recordViolation(const QvDbObjectStub* stub, const char* what) const;
  // Tile mode and the viewport that goes with it, without switching layouts.
  void setTilemodeValue(bool on);
  // Takes an object back out of the database (an addition undone): it leaves its owner's
  // contents to whoever restores them, its id reads as erased, and it is deleted now or, when
  // open, at its last close.
  void removeAddedObject(QvDbObjectStub* stub);
  // Read access without opening, for the database's own bookkeeping.
  QvDbObject* peek(QvDbObjectId id) const;
  QvDbObjectId findSymbolRecord(int kind, const QvString& name) const;
  // Objects a drawing cannot do without: its tables and root dictionary, layer "0", the
  // spaces, the standard linetypes, "ACAD", the current records.
  bool isIndispensable(QvDbObjectId id) const;
  // The live entities of a block table record, read without opening.
  QvDbObjectIdArray entitiesOf(QvDbObjectId blockId) const;
  // Whether a block holds, at any depth, a reference to itself.
  bool blockNestsItself(QvDbObjectId blockId) const;
  Vexa::ErrorStatus setCurrentRecord(QvDbObjectId& slot, QvDbObjectId id, int kind);

  uint32_t serial_;
  std::deque<QvDbObjectStub> stubs_;
  QvDbHandleMap byHandle_;
  QvDbHandle handseed_{1};

  int openObjects_ = 0;
  mutable int accessViolations_ = 0;
  mutable QvArray<QvString> violationLog_;

  QvDbObjectId tables_[kTableCount];
  QvDbObjectId namedObjectsDictionaryId_;

  QvDbDrawingState state_;
  mutable QvDbHeaderPlace tilemodePlace_{L"TILEMODE"};

  mutable std::unordered_map<QvString, int> anonymousCounters_;  // prefix -> last number
  std::unique_ptr<QvDbTransactionManager> transactionManager_;

  std::unique_ptr<QvDbFileExtras> fileExtras_;
  // The records of contents replaced by replaceContents, kept so that their ids stay safe.
  std::vector<std::deque<QvDbObjectStub>> retiredStubs_;
  QvString fileName_;
  QvString fileMessage_;
};

// Reads a drawing file into `database` (QvDbDatabase::readDwgFile); eNullPtr without one.
Vexa::ErrorStatus qvdbReadDwgFile(QvDbDatabase* database, const wchar_t* fileName,
                                  int shareMode = QvDb::kShareDenyWrite,
                                  bool allowCPConversion = false,
                                  const wchar_t* password = nullptr);
