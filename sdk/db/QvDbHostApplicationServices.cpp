#include "sdk/db/QvDbHostApplicationServices.h"

QvDbHostApplicationServices* qvdbHostApplicationServices() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<QvDbHostApplicationServices>() : nullptr;
}
