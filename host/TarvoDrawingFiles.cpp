#include "host/TarvoDrawingFiles.h"

#include "sdk/db/QvDbDatabase.h"

namespace {

// What the database says went wrong, or the status's name when it says nothing.
QvString reason(const QvDbDatabase& db, Vexa::ErrorStatus es) {
  if (!db.fileMessage().isEmpty()) return db.fileMessage();
  switch (es) {
    case Vexa::eFileNotFound:
      return L"no such file";
    case Vexa::eFileAccessError:
      return L"the file cannot be opened";
    default:
      return QvString(Vexa::errorStatusName(es));
  }
}

}  // namespace

std::unique_ptr<QvDbDatabase> TarvoDrawingFiles::read(const std::string& path, QvString& error) {
  // An empty database: the reader fills it and completes what the file lacks.
  auto db = std::make_unique<QvDbDatabase>(false, true);
  const Vexa::ErrorStatus es = db->readDwgFile(QvString(path.c_str()).c_str());
  if (es != Vexa::eOk) {
    error = reason(*db, es);
    return nullptr;
  }
  return db;
}

bool TarvoDrawingFiles::write(QvDbDatabase& db, const std::string& path, QvString& error) {
  const Vexa::ErrorStatus es = db.saveAs(QvString(path.c_str()).c_str(), false);
  if (es == Vexa::eOk) return true;
  error = reason(db, es);
  return false;
}
