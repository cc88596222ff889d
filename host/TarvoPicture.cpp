#include "host/TarvoPicture.h"

bool TarvoPicture::write(QvDbDatabase& /*db*/, const std::string& /*layout*/,
                         const std::string& /*path*/, QvString& error) {
  error = L"this build cannot draw pictures";
  return false;
}
