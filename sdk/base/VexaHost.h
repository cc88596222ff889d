#pragma once

#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

// A piece of host state that lives as long as the host: the transcript, the input script, the
// system variables, the documents. Each area defines its own and reaches it through
// VexaHost::current()->service<T>().
class VexaHostService {
 public:
  virtual ~VexaHostService() = default;
};

// The running host: the one application object of the stand-in. The program makes one for its
// run and every test makes a fresh one, so no state leaks from one to the next. At most one
// exists at a time. The host's lifecycle (construction, and the destruction that unloads the
// modules before the services end) is defined in sdk/app (VexaHost.cpp).
class VexaHost {
 public:
  VexaHost();
  VexaHost(const VexaHost&) = delete;
  VexaHost& operator=(const VexaHost&) = delete;
  ~VexaHost();

  // The running host, or null when none runs.
  static VexaHost* current();

  // The host's service of type T, made on first use. Services are destroyed with the host, the
  // last made first.
  template <typename T>
  T& service() {
    for (auto& [type, svc] : services_)
      if (type == std::type_index(typeid(T))) return static_cast<T&>(*svc);
    auto made = std::make_unique<T>();
    T& ref = *made;
    services_.emplace_back(std::type_index(typeid(T)), std::move(made));
    return ref;
  }
  // The service of type T when it has been made, else null.
  template <typename T>
  T* findService() const {
    for (const auto& [type, svc] : services_)
      if (type == std::type_index(typeid(T))) return static_cast<T*>(svc.get());
    return nullptr;
  }

 private:
  std::vector<std::pair<std::type_index, std::unique_ptr<VexaHostService>>> services_;
};
