#include "host/TarvoDrawingFiles.h"

#include "sdk/db/QvDbDatabase.h"

std::unique_ptr<QvDbDatabase> TarvoDrawingFiles::read(const std::string& /*path*/,
                                                      QvString& error) {
  error = L"this build cannot read drawing files";
  return nullptr;
}

bool TarvoDrawingFiles::write(QvDbDatabase& /*db*/, const std::string& /*path*/, QvString& error) {
  error = L"this build cannot write drawing files";
  return false;
}
