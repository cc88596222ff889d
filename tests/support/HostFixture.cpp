#include "tests/support/HostFixture.h"

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/qvedSysVar.h"
#include "tests/support/DbChecks.h"

void HostFixture::SetUp() {
  host_ = std::make_unique<VexaHost>();
  host_->service<VexaDocumentManager>().newDocument();
}

void HostFixture::TearDown() {
  const VexaDocumentManager& open = documents();
  for (int i = 0; i < open.documentCount(); ++i) {
    const QvDbDatabase* database = open.documentAt(i)->database();
    EXPECT_TRUE(nothingLeftOpen(database)) << "in " << open.documentAt(i)->fileName();
    EXPECT_TRUE(noAccessViolations(database)) << "in " << open.documentAt(i)->fileName();
  }
  host_.reset();
}

QvDbDatabase* HostFixture::db() const {
  QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  return services ? services->workingDatabase() : nullptr;
}

void HostFixture::script(const QvString& text) {
  inputScript().loadString(text);
}

VexaCommandRunner::Summary HostFixture::run(const QvString& commands) {
  transcript().clear();
  script(commands);
  return VexaCommandRunner::runScript();
}

VexaInputScript& HostFixture::inputScript() {
  return host().service<VexaInputScript>();
}

VexaTranscript& HostFixture::transcript() {
  return host().service<VexaTranscript>();
}

VexaSysVarService& HostFixture::vars() {
  return host().service<VexaSysVarService>();
}

std::vector<std::wstring> HostFixture::messages() {
  std::vector<std::wstring> out;
  for (const QvString& text : transcript().texts(VexaTranscriptEntry::Kind::kMessage))
    out.push_back(text.wstr());
  return out;
}

std::vector<std::pair<VexaTranscriptEntry::Kind, std::wstring>> HostFixture::entries() {
  std::vector<std::pair<VexaTranscriptEntry::Kind, std::wstring>> out;
  for (const auto& e : transcript().entries()) out.emplace_back(e.kind, e.text.wstr());
  return out;
}

int16_t HostFixture::shortVar(const wchar_t* name) {
  resbuf rb{};
  EXPECT_EQ(qvedGetVar(name, &rb), kQvNormal) << QvString(name);
  EXPECT_EQ(rb.type, kRbShort) << QvString(name);
  return rb.value.int16;
}

int HostFixture::setShortVar(const wchar_t* name, int value) {
  resbuf rb{};
  rb.type = kRbShort;
  rb.value.int16 = static_cast<int16_t>(value);
  return qvedSetVar(name, &rb);
}

VexaDocumentManager& HostFixture::documents() {
  return host_->service<VexaDocumentManager>();
}
