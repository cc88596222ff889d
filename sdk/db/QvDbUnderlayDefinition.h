#pragma once

#include <memory>

#include "sdk/db/QvDbObject.h"
#include "sdk/db/QvDbUnderlayFile.h"
#include "sdk/db/QvDbUnderlayHost.h"

// The file behind underlays of one format: its stored path, the item of the file it shows
// (a page, a sheet, a model) and, once loaded, the opened file. A drawing keeps definitions in
// one dictionary of its named-objects dictionary per format (dictionaryKey), under their
// names; the references that show a definition are its persistent reactors.
//
// Loading is not saved with the drawing: a definition read from a file is not loaded.
class QvDbUnderlayDefinition : public QvDbObject {
  QVDB_DECLARE_ABSTRACT_MEMBERS(QvDbUnderlayDefinition);

  virtual QvDbUnderlayFormat format() const = 0;
  // "ACAD_DWFDEFINITIONS", "ACAD_PDFDEFINITIONS", "ACAD_DGNDEFINITIONS".
  static const wchar_t* dictionaryKey(QvDbUnderlayFormat format);
  // The drawing's dictionary of a format (null when it has none).
  static QvDbObjectId dictionaryId(const QvDbDatabase* db, QvDbUnderlayFormat format);
  // The drawing's dictionary of a format, made when it has none.
  static Vexa::ErrorStatus makeDictionary(QvDbDatabase* db, QvDbUnderlayFormat format,
                                          QvDbObjectId& dictId);
  // Stores a new definition (in no database) in the drawing's dictionary of its format under
  // `name`, making the dictionary when the drawing has none; the definition is closed again.
  // As QvDbDictionary::setAt otherwise (a definition of that name is replaced and erased).
  static Vexa::ErrorStatus addToDatabase(QvDbDatabase* db, const wchar_t* name,
                                         QvDbUnderlayDefinition* def, QvDbObjectId& defId);

  // The path as the drawing stores it; not empty.
  QvString getSourceFileName() const;
  Vexa::ErrorStatus setSourceFileName(const wchar_t* path);
  // The file where the host finds the stored path (IVexaUnderlayHost::findUnderlayFile);
  // eFileNotFound, with `path` empty, when it finds none.
  Vexa::ErrorStatus getActiveFileName(QvString& path) const;

  // The name of the item shown; empty means the file's first item.
  QvString getItemName() const;
  Vexa::ErrorStatus setItemName(const wchar_t* name);

  // Opens the active file through the format's service (open for write). Refusals: those of
  // getActiveFileName and of the service, eInvalidInput when the host has no service for the
  // format, eKeyNotFound when the file has no item of the definition's item name. An empty
  // item name becomes the first item's. A loaded definition loads again.
  Vexa::ErrorStatus load(const wchar_t* password = L"");
  Vexa::ErrorStatus unload();
  bool isLoaded() const;
  // The opened file and the item shown; null when not loaded.
  const QvDbUnderlayFile* getUnderlayFile() const;
  const QvDbUnderlayItem* getUnderlayItem() const;

 protected:
  QvDbUnderlayDefinition() = default;
  QvDbUnderlayDefinition(const QvDbUnderlayDefinition&) = default;
  QvDbUnderlayDefinition& operator=(const QvDbUnderlayDefinition&) = default;

 private:
  QvString sourceFileName_;
  QvString itemName_;
  std::shared_ptr<const QvDbUnderlayFile> file_;
  const QvDbUnderlayItem* item_ = nullptr;  // in file_
};

// The definitions of the three formats.
class QvDbDwfDefinition : public QvDbUnderlayDefinition {
  QVDB_DECLARE_MEMBERS(QvDbDwfDefinition);
  QvDbDwfDefinition() = default;
  QvDbUnderlayFormat format() const override { return QvDbUnderlayFormat::kDwf; }
};

class QvDbPdfDefinition : public QvDbUnderlayDefinition {
  QVDB_DECLARE_MEMBERS(QvDbPdfDefinition);
  QvDbPdfDefinition() = default;
  QvDbUnderlayFormat format() const override { return QvDbUnderlayFormat::kPdf; }
};

class QvDbDgnDefinition : public QvDbUnderlayDefinition {
  QVDB_DECLARE_MEMBERS(QvDbDgnDefinition);
  QvDbDgnDefinition() = default;
  QvDbUnderlayFormat format() const override { return QvDbUnderlayFormat::kDgn; }
};
