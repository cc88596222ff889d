#include "sdk/app/VexaApplicationIcons.h"

VexaApplicationIcons::VexaApplicationIcons()
    : large_(std::make_unique<HICON__>(HICON__{L"Tarvo", 32})),
      small_(std::make_unique<HICON__>(HICON__{L"Tarvo", 16})) {}

VexaApplicationIcons* VexaApplicationIcons::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<VexaApplicationIcons>() : nullptr;
}
