#include "host/TarvoPicture.h"

#include "sdk/render/QvGiSvgWriter.h"

bool TarvoPicture::write(QvDbDatabase& db, const std::string& layout, const std::string& path,
                         QvString& error) {
  const Vexa::ErrorStatus es = QvGiSvgWriter::writeFile(&db, QvString(layout.c_str()), path);
  switch (es) {
    case Vexa::eOk:
      return true;
    case Vexa::eKeyNotFound:
      error = QvString::format(L"the drawing has no layout named \"%hs\"", layout.c_str());
      break;
    case Vexa::eFileAccessError:
      error = L"the file cannot be written";
      break;
    default:
      error = QvString(Vexa::errorStatusName(es));
      break;
  }
  return false;
}
