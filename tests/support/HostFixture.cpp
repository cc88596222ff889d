#include "tests/support/HostFixture.h"

void HostFixture::SetUp() {
  host_ = std::make_unique<VexaHost>();
}

void HostFixture::TearDown() {
  host_.reset();
}
