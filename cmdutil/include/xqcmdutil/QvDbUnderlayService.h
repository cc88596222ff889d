#pragma once

#include <vector>

#include "sdk/base/QvArray.h"
#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "xqcmdutil/XqCmdUtilExport.h"
#include "xqcmdutil/XqUnderlayItemInfo.h"

class QvDbDatabase;
class QvDbPdfDefinition;
class QvDbUnderlayFile;

// One interface over the drawing's dictionaries of underlay definitions, one subclass per
// format: find, create and remove the format's dictionary, list its definitions, choose a free
// name for a new definition, read a file's size, type and date, load an underlay file.
class XQCMDUTIL_EXPORT QvDbUnderlayService {
 public:
  virtual ~QvDbUnderlayService() = default;

  // The format's dictionary in the named-objects dictionary; null for a null drawing, or when
  // there is none.
  QvDbObjectId underlayDictionary(QvDbDatabase* db) const;
  // Makes the format's dictionary when the drawing has none; `id` gets the new dictionary
  // (left alone when it existed). eNoDatabase for a null drawing; the refusals of opening the
  // named-objects dictionary and of storing the new one pass up.
  Vexa::ErrorStatus createUnderlayDictionary(QvDbDatabase* db, QvDbObjectId& id) const;
  // Takes the format's dictionary out of the named-objects dictionary (its contents are not
  // touched); the status of looking it up (eKeyNotFound when there is none).
  Vexa::ErrorStatus removeUnderlayDictionary(QvDbDatabase* db) const;

  // The file name of `path` without folder and extension, " - " and the suffix.
  static void defaultDictName(QvString& out, const wchar_t* path, const wchar_t* suffix);
  // A name for a definition of the file `path` among `items`: the name of the item of that
  // file whose name is `name` (kUnderlayNameReused), `name` when no item has it
  // (kUnderlayNameFree), else the first of name_1, name_2, ... that no item has
  // (kUnderlayNameNumbered). Names are compared without regard to case, as dictionary keys
  // are. `second` is not read.
  static eUnderlayNameStatus getDictName(const wchar_t* path, const wchar_t* second,
                                         const wchar_t* name, QvString& out,
                                         std::vector<XqUnderlayItemInfo>& items);
  // Size (KiB), type and date of the file; false when there is no such file.
  static bool GetUnderLayItemInfo(const wchar_t* path, XqUnderlayItemInfo& item);

 protected:
  QvDbUnderlayService() = default;
  QvDbUnderlayService(const QvDbUnderlayService&) = default;
  QvDbUnderlayService& operator=(const QvDbUnderlayService&) = default;

  virtual const wchar_t* underlayDictName() const = 0;
  // An item for a file not attached yet.
  static Vexa::ErrorStatus itemFromPath(XqUnderlayItemInfo& item, const wchar_t* path);
};

class XQCMDUTIL_EXPORT QvDbDwfUnderlayService : public QvDbUnderlayService {
 public:
  Vexa::ErrorStatus dwfItemFromPath(XqUnderlayItemInfo& item, const wchar_t* path) const;
  // Appends an item for every DWF definition.
  void collectUnderlayItems(QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items) const;
  // Opens the file through the host's DWF service (eInvalidInput when there is none).
  static Vexa::ErrorStatus LoadDwfUnderlayFile(const wchar_t* path, QvDbUnderlayFile*& file);

 protected:
  const wchar_t* underlayDictName() const override;
};

class XQCMDUTIL_EXPORT QvDbPdfUnderlayService : public QvDbUnderlayService {
 public:
  Vexa::ErrorStatus pdfItemFromPath(XqUnderlayItemInfo& item, const wchar_t* path) const;
  // Replaces `items` by an item for every PDF definition (with the file's size, type and
  // date); a null drawing leaves them alone.
  void collectUnderlayItems(QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items) const;
  // Appends the underlay references among the persistent reactors of `def`, in order.
  static void getRefsIdFromDef(const QvDbPdfDefinition* def, QvArray<QvDbObjectId>& ids);
  static Vexa::ErrorStatus LoadPdfUnderlayFile(const wchar_t* path, QvDbUnderlayFile*& file);

 protected:
  const wchar_t* underlayDictName() const override;
};

class XQCMDUTIL_EXPORT QvDbDgnUnderlayService : public QvDbUnderlayService {
 public:
  Vexa::ErrorStatus dgnItemFromPath(XqUnderlayItemInfo& item, const wchar_t* path) const;
  // Appends an item for every DGN definition.
  void collectUnderlayItems(QvDbDatabase* db, std::vector<XqUnderlayItemInfo>& items) const;
  static Vexa::ErrorStatus LoadDgnUnderlayFile(const wchar_t* path, QvDbUnderlayFile*& file);

 protected:
  const wchar_t* underlayDictName() const override;
};
