#include <gtest/gtest.h>

#include "sdk/app/VexaConfigDataManager.h"
#include "sdk/app/VexaDocumentManager.h"
#include "sdk/app/VexaResourceService.h"
#include "sdk/base/IVexaStringResources.h"
#include "sdk/base/VexaHost.h"
#include "sdk/ed/IVexaEditorDocuments.h"
#include "sdk/ed/IVexaSupportPath.h"
#include "sdk/gi/IVexaHighlighter.h"
#include "sdk/render/QvGiHighlightLog.h"

namespace {

// Lower areas reach the application's services through interfaces of their own; a starting
// host binds each to the service that answers it.
TEST(VexaHostLifecycleTest, AStartingHostBindsTheInterfacesOfLowerAreas) {
  VexaHost host;
  // Each service is made before its interface is looked up.
  IVexaStringResources* resources = &host.service<VexaResourceService>();
  EXPECT_EQ(host.findService<IVexaStringResources>(), resources);
  IVexaHighlighter* highlighter = &host.service<QvGiHighlightLog>();
  EXPECT_EQ(host.findService<IVexaHighlighter>(), highlighter);
  IVexaEditorDocuments* documents = &host.service<VexaDocumentManager>();
  EXPECT_EQ(host.findService<IVexaEditorDocuments>(), documents);
  IVexaSupportPath* supportPath = &host.service<VexaConfigDataManager>();
  EXPECT_EQ(host.findService<IVexaSupportPath>(), supportPath);
}

}  // namespace
