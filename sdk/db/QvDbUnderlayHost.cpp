#include "sdk/db/QvDbUnderlayHost.h"

#include "sdk/base/VexaHost.h"

const QvDbUnderlayFormatService* qvdbUnderlayService(QvDbUnderlayFormat format) {
  VexaHost* host = VexaHost::current();
  return host ? host->service<IVexaUnderlayHost>().formatService(format) : nullptr;
}

const QvDbUnderlayFormatService* qvdbDwfSerive() {
  return qvdbUnderlayService(QvDbUnderlayFormat::kDwf);
}

const QvDbUnderlayFormatService* qvdbPdfSerive() {
  return qvdbUnderlayService(QvDbUnderlayFormat::kPdf);
}

const QvDbUnderlayFormatService* qvdbDgnSerive() {
  return qvdbUnderlayService(QvDbUnderlayFormat::kDgn);
}

bool qvdbFindUnderlayFile(const QvString& path, const QvDbDatabase* db, QvString& found) {
  VexaHost* host = VexaHost::current();
  return host && host->service<IVexaUnderlayHost>().findUnderlayFile(path, db, found);
}
