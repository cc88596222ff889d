#include "sdk/db/QvDbHostApplicationServices.h"

#include "sdk/db/IVexaRemoteFiles.h"

Vexa::ErrorStatus QvDbHostApplicationServices::getRemoteFile(const QvString& url,
                                                             QvString& localName, bool useCache) {
  VexaHost* host = VexaHost::current();
  if (!host) return Vexa::eInvalidInput;
  return host->service<IVexaRemoteFiles>().getRemoteFile(url, localName, useCache);
}

QvDbHostApplicationServices* qvdbHostApplicationServices() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<QvDbHostApplicationServices>() : nullptr;
}
