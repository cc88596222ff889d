#include "sdk/app/VexaTempFiles.h"

#include "sdk/app/VexaSessionTempFolder.h"

QvString vexaReserveTempFile(const QvString& prefix, const QvString& extension) {
  VexaHost* host = VexaHost::current();
  return host ? host->service<VexaSessionTempFolder>().reserve(prefix, extension) : QvString();
}
