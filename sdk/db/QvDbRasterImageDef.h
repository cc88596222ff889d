#pragma once

#include "sdk/db/QvDbObject.h"
#include "sdk/ge/QvGeVector2d.h"

class QvDbDatabase;

// The source of raster images: the picture file, its size in pixels and the default size of one
// pixel in drawing units. Images refer to it (QvDbRasterImage::imageDefId); a drawing keeps its
// definitions in the named-objects dictionary under "ACAD_IMAGE_DICT", by name.
class QvDbRasterImageDef : public QvDbObject {
  QVDB_DECLARE_MEMBERS(QvDbRasterImageDef);

  static constexpr const wchar_t* kDictionaryKey = L"ACAD_IMAGE_DICT";

  QvDbRasterImageDef() = default;

  QvString sourceFileName() const;
  Vexa::ErrorStatus setSourceFileName(const wchar_t* path);  // not empty
  // Width and height in pixels; eInvalidInput unless both are positive.
  QvGeVector2d size() const;
  Vexa::ErrorStatus setSize(double width, double height);
  // The size of one pixel in drawing units; eInvalidInput unless both are positive.
  QvGeVector2d pixelSize() const;
  Vexa::ErrorStatus setPixelSize(double width, double height);

  // Stores a new definition (in no database) in the drawing's image dictionary under `name`,
  // making the dictionary when the drawing has none; the definition is closed again. As
  // QvDbDictionary::setAt otherwise (a definition of that name is replaced and erased).
  static Vexa::ErrorStatus addToDatabase(QvDbDatabase* db, const wchar_t* name,
                                         QvDbRasterImageDef* def, QvDbObjectId& defId);
  // The drawing's image dictionary (null when it has none).
  static QvDbObjectId imageDictionaryId(const QvDbDatabase* db);

 private:
  QvString sourceFileName_;
  QvGeVector2d size_{1.0, 1.0};
  QvGeVector2d pixelSize_{1.0, 1.0};
};
