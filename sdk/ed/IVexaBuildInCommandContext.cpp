#include "sdk/ed/IVexaBuildInCommandContext.h"

#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedUcs.h"

QvDbDatabase* IVexaBuildInCommandContext::database() const {
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

Vexa::ErrorStatus IVexaBuildInCommandContext::ucsToWorld(const QvGePoint3d& ucsPoint,
                                                         QvGePoint3d& worldPoint) const {
  QvGeMatrix3d ucs;
  if (const Vexa::ErrorStatus es = getCurrentUcs(ucs); es != Vexa::eOk) return es;
  worldPoint = ucsPoint;
  worldPoint.transformBy(ucs);
  return Vexa::eOk;
}

Vexa::ErrorStatus IVexaBuildInCommandContext::getCurrentUcs(QvGeMatrix3d& ucsToWorld) const {
  return qvedGetCurrentUCS(ucsToWorld);
}

void IVexaBuildInCommandContext::prompt(const wchar_t* text) const {
  if (VexaTranscript* transcript = VexaTranscript::current(); transcript && text)
    transcript->addPrompt(text);
}
