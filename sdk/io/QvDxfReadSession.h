#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/io/QvDxfCodePage.h"
#include "sdk/io/QvDxfDiagnostic.h"
#include "sdk/io/QvDxfHandleSet.h"
#include "sdk/io/QvDxfProgress.h"
#include "sdk/io/QvDxfText.h"
#include "sdk/io/QvDxfTokens.h"

class QvDbDatabase;
class QvDbDictionary;
class QvDbObject;
class QvDbSymbolTable;

// The state of reading one DXF file into a new database: the file's groups, its version and
// text encoding, the handles met so far (objects, references to objects not read yet, and the
// handles of the block begin and end markers and sequence ends that are no objects here), the
// symbol-table records by name, and the links made once everything is read. Everything it
// refuses raises QvDxfError with the line.
class QvDxfReadSession {
 public:
  enum Table {
    kLayer,
    kLinetype,
    kTextStyle,
    kDimStyle,
    kRegApp,
    kBlock,
    kUcs,
    kView,
    kViewport,
    kTableCount
  };

  QvDxfReadSession(const QvDxfTokens& tokens, QvDbDatabase& db);
  QvDxfReadSession(const QvDxfReadSession&) = delete;
  QvDxfReadSession& operator=(const QvDxfReadSession&) = delete;
  ~QvDxfReadSession();

  const QvDxfTokens& tokens() const { return tokens_; }
  QvDbDatabase& db() { return db_; }

  // Version ("AC1032" gives 1032; 1009 for files without $ACADVER) and text.
  void setVersion(std::string_view acadver, uint32_t line);
  int version() const { return version_; }
  bool hasSubclassMarkers() const { return version_ >= 1012; }
  void setEncoding(QvDxfText::Encoding encoding) { encoding_ = encoding; }
  QvDxfText::Encoding encoding() const { return encoding_; }
  // The code page of files before R2007 ($DWGCODEPAGE); false for a name it does not know.
  bool setCodePage(std::string_view dwgName) { return codePage_.select(dwgName); }
  QvString decode(std::string_view raw) const {
    return QvDxfText::decode(raw, encoding_, &codePage_);
  }
  std::string toUtf8(std::string_view raw) const {
    return QvDxfText::toUtf8(raw, encoding_, &codePage_);
  }

  // Handles. parseHandle refuses what is not a handle or lies beyond the handles a drawing
  // can give out; 0 is allowed only where a null reference may stand.
  uint64_t parseHandle(std::string_view text, uint32_t line, bool allowNull) const;
  // Adds a new object with its handle (0: a new handle) and leaves it open for write; a
  // handle that an object or a marker has already is refused.
  QvDbObjectId add(QvDbObject* object, uint64_t handle, uint32_t line);
  // The same for the drawing's root objects: a symbol table, the named-objects dictionary.
  QvDbObjectId addTable(QvDbSymbolTable* table, uint64_t handle, uint32_t line);
  QvDbObjectId addRootDictionary(QvDbDictionary* dict, uint64_t handle, uint32_t line);
  // The handles the file gives its objects (groups 5 and 105), known before anything is read.
  void setFileHandles(std::vector<uint64_t> handles);
  // The id of the object of a handle, read or still to come (the null id for 0). A handle
  // that no object of the file has gives the null id: the link is dropped and the repair noted.
  QvDbObjectId reference(uint64_t handle, uint32_t line);
  // A handle of a marker that is no object here (block begin and end, sequence end).
  void reservePhantom(uint64_t handle, uint32_t line);
  // Refuses a reference to a handle that no object of the file has.
  void checkReferences() const;
  // Above every handle of the file and its $HANDSEED.
  uint64_t handseed() const { return handseed_; }
  void noteHandseed(uint64_t seed) { handseed_ = std::max(handseed_, seed); }

  // The CLASSES section's records, by record name.
  struct ClassInfo {
    QvString className;
    QvString appName;
    int32_t proxyFlags = 0;
  };
  void noteClass(const QvString& dxfName, ClassInfo info) { classes_[dxfName] = std::move(info); }
  const ClassInfo* findClass(const QvString& dxfName) const {
    const auto it = classes_.find(dxfName);
    return it == classes_.end() ? nullptr : &it->second;
  }

  // Symbol-table records by name, as the reader adds them.
  void noteRecord(Table table, const QvString& name, QvDbObjectId id);
  QvDbObjectId findRecord(Table table, const QvString& name) const;
  // The layer of that name; a layer the file names but does not define is made (as DXF
  // readers do) and the repair noted.
  QvDbObjectId layer(std::string_view rawName, uint32_t line);
  // The linetype and the text style of that name, made the same way when the file does not
  // define them.
  QvDbObjectId linetype(std::string_view rawName, uint32_t line);
  QvDbObjectId textStyle(std::string_view rawName, uint32_t line);

  // Links made when everything is read.
  struct PendingXData {
    QvDbObjectId object;
    resbuf* data;
    uint32_t line;
  };
  struct PendingLink {
    QvDbObjectId object;
    QvDbObjectId target;
    uint32_t line;
  };
  struct PendingEntry {
    QvDbObjectId dictionary;
    QvString key;
    QvDbObjectId entry;
    uint32_t line;
  };
  void deferEntry(QvDbObjectId dictionary, QvString key, QvDbObjectId entry, uint32_t line) {
    dictionaryEntries_.push_back({dictionary, std::move(key), entry, line});
  }
  const std::vector<PendingEntry>& dictionaryEntries() const { return dictionaryEntries_; }
  void deferXData(QvDbObjectId object, resbuf* data, uint32_t line) {
    pendingXData_.push_back({object, data, line});
  }
  std::vector<PendingXData>& pendingXData() { return pendingXData_; }
  void deferExtensionDictionary(QvDbObjectId object, QvDbObjectId dict, uint32_t line) {
    extensionDictionaries_.push_back({object, dict, line});
  }
  const std::vector<PendingLink>& extensionDictionaries() const { return extensionDictionaries_; }
  // An object of the OBJECTS section and the owner it names, set unless it has one by then.
  void deferOwner(QvDbObjectId object, QvDbObjectId owner) {
    owners_.push_back({object, owner, 0});
  }
  const std::vector<PendingLink>& owners() const { return owners_; }
  // A layout, to be made its block's layout unless the block has one.
  void noteLayout(QvDbObjectId layout) { layouts_.push_back(layout); }
  // Multi-line texts whose columns are in the extended-data form of older files.
  void noteOlderMTextColumns(QvDbObjectId text, uint32_t line) {
    olderMTextColumns_.push_back({text, QvDbObjectId(), line});
  }
  const std::vector<PendingLink>& olderMTextColumns() const { return olderMTextColumns_; }
  const std::vector<QvDbObjectId>& layouts() const { return layouts_; }

  // What was mended while reading (a layer made, ...), each with its line (the first hundred),
  // and how many repairs there were in all.
  void repair(uint32_t line, QvDxfDiagnostic::Code code, std::string what);
  const std::vector<QvDxfDiagnostic>& repairs() const { return repairs_; }
  size_t repairCount() const { return repairCount_; }

  // Working memory of the object readers, kept between objects; readers nest (a block's
  // reader stays while its entities are read), each takes the next buffer and gives it back.
  struct Scratch {
    std::vector<uint16_t> slots;
    std::vector<uint8_t> used;
  };
  Scratch& acquireScratch();
  void releaseScratch() { --scratchDepth_; }

  // Reports the reading of record i to `progress` as `base` plus its place in the text.
  void setProgress(QvDxfProgress* progress, uint64_t base) {
    progress_ = progress;
    progressBase_ = base;
  }
  void progressAt(size_t i) const {
    if (progress_) progress_->at(progressBase_ + tokens_[i].offset);
  }

 private:
  const QvDxfTokens& tokens_;
  QvDbDatabase& db_;
  QvDxfProgress* progress_ = nullptr;
  uint64_t progressBase_ = 0;
  int version_ = 1009;
  QvDxfText::Encoding encoding_ = QvDxfText::kCodePage;
  QvDxfCodePage codePage_;
  uint64_t handseed_ = 1;
  void checkNotPhantom(uint64_t handle, uint32_t line) const;
  QvDbObjectId noteAdded(QvDbObjectId id);

  std::vector<std::pair<QvDbObjectId, uint32_t>> forwardReferences_;
  std::vector<uint64_t> fileHandles_;  // sorted
  QvDxfHandleSet phantoms_;
  std::unordered_map<QvString, ClassInfo> classes_;
  std::unordered_map<QvString, QvDbObjectId> records_[kTableCount];  // upper-case name -> id
  // The layers of the names entities give, as they stand in the file.
  struct RawNameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };
  std::unordered_map<std::string, QvDbObjectId, RawNameHash, std::equal_to<>> layersByRawName_;

  // A table open for write, made when the file's TABLES section lacks it.
  template <class Table>
  Table* tableForWrite(uint32_t line, const char* what);
  // The record of that name in the table, made with standard settings when there is none.
  template <class Table, class Record>
  QvDbObjectId recordOrNew(QvDxfReadSession::Table kind, std::string_view rawName, uint32_t line,
                           const char* what, QvDxfDiagnostic::Code added);

  std::vector<PendingXData> pendingXData_;
  std::vector<PendingEntry> dictionaryEntries_;
  std::vector<PendingLink> extensionDictionaries_;
  std::vector<PendingLink> owners_;
  std::vector<QvDbObjectId> layouts_;
  std::vector<PendingLink> olderMTextColumns_;
  std::vector<QvDxfDiagnostic> repairs_;
  size_t repairCount_ = 0;
  std::vector<std::unique_ptr<Scratch>> scratch_;
  size_t scratchDepth_ = 0;
};
