#include "sdk/base/VexaHost.h"

#include <stdexcept>

VexaHost* VexaHost::current_ = nullptr;

VexaHost* VexaHost::current() {
  return current_;
}

void* VexaHost::resolve(std::type_index interface, bool make) const {
  for (auto binding = bindings_.rbegin(); binding != bindings_.rend(); ++binding)
    if (binding->interface == interface)
      return binding->resolve(const_cast<VexaHost&>(*this), make);
  if (make) throw std::logic_error("No host service is bound to the interface asked for");
  return nullptr;
}
