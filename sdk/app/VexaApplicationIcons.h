#pragma once

#include <memory>

#include "sdk/base/VexaHost.h"
#include "sdk/win/VexaIcon.h"

// The application's icons: a large one (32 pixels) for task switching and a small one (16
// pixels) for captions. The host has both from the start; a test may take either away to see
// how callers cope without it.
class VexaApplicationIcons : public VexaHostService {
 public:
  VexaApplicationIcons();

  // Null when the host has none.
  HICON largeIcon() const { return large_.get(); }
  HICON smallIcon() const { return small_.get(); }
  void removeLargeIcon() { large_.reset(); }
  void removeSmallIcon() { small_.reset(); }

  // The icons of the running host, or null when no host runs.
  static VexaApplicationIcons* current();

 private:
  std::unique_ptr<HICON__> large_;
  std::unique_ptr<HICON__> small_;
};
