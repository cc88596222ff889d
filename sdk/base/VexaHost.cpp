#include "sdk/base/VexaHost.h"

#include <stdexcept>

VexaHost* VexaHost::current_ = nullptr;

VexaHost* VexaHost::current() {
  return current_;
}

void VexaHost::bind(const Binding& binding) {
  for (Binding& bound : bindings_) {
    if (bound.interface == binding.interface) {
      bound.resolve = binding.resolve;
      return;
    }
  }
  bindings_.push_back(binding);
}

void* VexaHost::resolve(std::type_index interface, bool make, std::atomic<size_t>& hint) const {
  size_t at = hint.load(std::memory_order_relaxed);
  if (at >= bindings_.size() || bindings_[at].interface != interface) {
    at = 0;
    while (at < bindings_.size() && bindings_[at].interface != interface) ++at;
    if (at == bindings_.size()) {
      if (make) throw std::logic_error("No host service is bound to the interface asked for");
      return nullptr;
    }
    hint.store(at, std::memory_order_relaxed);
  }
  return bindings_[at].resolve(const_cast<VexaHost&>(*this), make);
}
