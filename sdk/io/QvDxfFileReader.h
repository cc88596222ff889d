#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "sdk/io/QvDxfEntityReader.h"
#include "sdk/io/QvDxfHeaderSection.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfTableReader.h"
#include "sdk/io/QvDxfTokens.h"

class QvDbDatabase;
class QvDxfFileExtras;

// Reads the text of a DXF file (R12 to R2018) into a new, empty database: the sections in
// order (the header, the classes, the tables by QvDxfTableReader, blocks and entities by
// QvDxfEntityReader, the objects, other sections kept as read), and then the links between
// the objects once every object is there (QvDxfLinkPass). Whatever the file lacks of a
// drawing's standard contents is added at the end. A file that is not DXF text or does not
// hold together is refused with QvDxfError; the database is then to be thrown away.
class QvDxfFileReader {
 public:
  QvDxfFileReader(const QvDxfTokens& tokens, QvDbDatabase& db);
  ~QvDxfFileReader();

  void read();
  // Reports the records read to `progress` as `base` plus their place in the text.
  void setProgress(QvDxfProgress* progress, uint64_t base) { session_.setProgress(progress, base); }
  // What was mended on the way (layers made for names the file used, ...).
  const std::vector<QvDxfDiagnostic>& repairs() const { return session_.repairs(); }
  size_t repairCount() const { return session_.repairCount(); }

 private:
  void readClasses(size_t begin, size_t end);
  void readObjects(size_t begin, size_t end);
  void keepSection(const std::string& name, size_t begin, size_t end);

  const QvDxfTokens& tokens_;
  QvDbDatabase& db_;
  QvDxfReadSession session_;
  std::unique_ptr<QvDxfFileExtras> extras_;
  QvDxfHeaderSection::CurrentRecords current_;
  QvDxfTableReader tables_;
  QvDxfEntityReader entities_;
  bool sawObjects_ = false;
};
