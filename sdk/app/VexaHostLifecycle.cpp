// The lifecycle of the host (VexaHost, sdk/base): the application starts and ends it.
#include "sdk/app/VexaConfigDataManager.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/app/VexaEntityDataService.h"
#include "sdk/app/VexaHostMemory.h"
#include "sdk/app/VexaProgressMeter.h"
#include "sdk/app/VexaRemoteFiles.h"
#include "sdk/app/VexaResourceService.h"
#include "sdk/app/VexaUnderlayServices.h"
#include "sdk/base/IVexaProgress.h"
#include "sdk/base/IVexaStringResources.h"
#include "sdk/base/VexaHost.h"
#include "sdk/db/IVexaRemoteFiles.h"
#include "sdk/db/IVexaModelerEntities.h"
#include "sdk/ed/IVexaEditorDocuments.h"
#include "sdk/ed/IVexaEntityData.h"
#include "sdk/ed/IVexaSupportPath.h"
#include "sdk/ed/VexaDialogInputService.h"
#include "sdk/gi/IVexaDragPreview.h"
#include "sdk/gi/IVexaHighlighter.h"
#include "sdk/modeler/VexaModelerEntities.h"
#include "sdk/render/QvGiDragFrames.h"
#include "sdk/render/QvGiHighlightLog.h"
#include "sdk/rx/QvRxDictionary.h"
#include "sdk/rx/QvRxDynamicLinker.h"

VexaHost::VexaHost() {
  if (current_) qvrx_abort(L"A host is already running");
  current_ = this;
  vexaKeepFreedMemory();
  // The services lower areas reach through interfaces of their own.
  bind<IVexaStringResources, VexaResourceService>();
  bind<IVexaHighlighter, QvGiHighlightLog>();
  bind<IVexaDragPreview, QvGiDragFrames>();
  bind<IVexaEditorDocuments, VexaDocumentManager>();
  bind<IVexaSupportPath, VexaConfigDataManager>();
  bind<IVexaEntityData, VexaEntityDataService>();
  bind<IVexaProgress, VexaProgressMeter>();
  bind<IVexaDialogInput, VexaDialogInputService>();
  bind<IVexaUnderlayHost, VexaUnderlayServices>();
  bind<IVexaRemoteFiles, VexaRemoteFiles>();
  bind<IVexaModelerEntities, VexaModelerEntities>();
}

VexaHost::~VexaHost() {
  // Modules exit while the host's services still exist.
  if (QvRxDynamicLinker* linker = qvrxDynamicLinker()) linker->unloadAllModules();
  // A service's destructor may still reach other services, so each leaves the list first.
  while (!services_.empty()) {
    std::unique_ptr<VexaHostService> last = std::move(services_.back().second);
    services_.pop_back();
    last.reset();
  }
  current_ = nullptr;
}
