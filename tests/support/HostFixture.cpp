#include "tests/support/HostFixture.h"

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "tests/support/DbChecks.h"

void HostFixture::SetUp() {
  host_ = std::make_unique<VexaHost>();
  host_->service<VexaDocumentManager>().newDocument();
}

void HostFixture::TearDown() {
  const VexaDocumentManager& documents = host_->service<VexaDocumentManager>();
  for (int i = 0; i < documents.documentCount(); ++i) {
    const QvDbDatabase* database = documents.documentAt(i)->database();
    EXPECT_TRUE(nothingLeftOpen(database)) << "in " << documents.documentAt(i)->fileName();
    EXPECT_TRUE(noAccessViolations(database)) << "in " << documents.documentAt(i)->fileName();
  }
  host_.reset();
}

QvDbDatabase* HostFixture::db() const {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}
