#include "sdk/app/VexaUnderlayServices.h"

#include "sdk/app/QvFileStringName.h"
#include "sdk/app/VexaDgnUnderlayService.h"
#include "sdk/app/VexaDwfUnderlayService.h"
#include "sdk/app/VexaPdfUnderlayService.h"
#include "sdk/app/VexaRemoteFiles.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/ed/qvedFindFile.h"
#include "sdk/win/VexaFileServices.h"

namespace {

bool isFile(const QvString& name) {
  VexaFileInformation info;
  return !name.isEmpty() && GetFileInformation(name.wstr(), info);
}

}  // namespace

VexaUnderlayServices::VexaUnderlayServices() {
  services_[static_cast<int>(QvDbUnderlayFormat::kPdf)] =
      std::make_unique<VexaPdfUnderlayService>();
  services_[static_cast<int>(QvDbUnderlayFormat::kDwf)] =
      std::make_unique<VexaDwfUnderlayService>();
  services_[static_cast<int>(QvDbUnderlayFormat::kDgn)] =
      std::make_unique<VexaDgnUnderlayService>();
}

VexaUnderlayServices::~VexaUnderlayServices() = default;

const QvDbUnderlayFormatService* VexaUnderlayServices::formatService(
    QvDbUnderlayFormat format) const {
  return services_[static_cast<int>(format)].get();
}

void VexaUnderlayServices::setFormatService(QvDbUnderlayFormat format,
                                            std::unique_ptr<QvDbUnderlayFormatService> service) {
  services_[static_cast<int>(format)] = std::move(service);
}

bool VexaUnderlayServices::findUnderlayFile(const QvString& path, const QvDbDatabase* db,
                                            QvString& found) const {
  if (path.isEmpty()) return false;
  // A remote file is found in the cache when it has been fetched; it is not fetched here.
  if (path.left(6).isEqualNoCase(L"ftp://")) {
    VexaHost* host = VexaHost::current();
    const QvString cached = host ? host->service<VexaRemoteFiles>().cachedName(path) : QvString();
    if (!isFile(cached)) return false;
    found = cached;
    return true;
  }
  if (isFile(path)) {
    found = path;
    return true;
  }
  const QvString fileName = QvFileStringName(path).fileName();
  if (fileName.isEmpty()) return false;
  if (db && !db->fileName().isEmpty()) {
    const QvString beside = QvFileStringName(db->fileName()).directory() + fileName;
    if (isFile(beside)) {
      found = beside;
      return true;
    }
  }
  return qvedFindFile(fileName.c_str(), found) == kQvNormal;
}
