#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <type_traits>
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

// The running host: the one application object of the stand-in, and the locator of its
// services. The program makes one for its run and every test makes a fresh one, so no state
// leaks from one to the next. At most one exists at a time.
//
// The host's lifecycle is the application's and is defined in sdk/app (VexaHostLifecycle.cpp):
// starting, it binds the services that lower areas reach through interfaces of their own;
// ending, it unloads the modules before the services end.
class VexaHost {
 public:
  VexaHost();
  VexaHost(const VexaHost&) = delete;
  VexaHost& operator=(const VexaHost&) = delete;
  ~VexaHost();

  // The running host, or null when none runs.
  static VexaHost* current();

  // The host's service of type T, made on first use: T is a service class, or an interface
  // bound to one (bind). Services are destroyed with the host, the last made first.
  template <typename T>
  T& service() {
    if constexpr (std::is_base_of_v<VexaHostService, T>) {
      if (T* found = findService<T>()) return *found;
      auto made = std::make_unique<T>();
      T& ref = *made;
      services_.emplace_back(std::type_index(typeid(T)), std::move(made));
      return ref;
    } else {
      return *static_cast<T*>(resolve(std::type_index(typeid(T)), true, bindingHint<T>()));
    }
  }
  // The service of type T (or bound to the interface T) when it has been made, else null.
  template <typename T>
  T* findService() const {
    if constexpr (std::is_base_of_v<VexaHostService, T>) {
      // Services keep their places: where T was found last is looked at first.
      static std::atomic<size_t> hint{0};
      const std::type_index wanted(typeid(T));
      const size_t at = hint.load(std::memory_order_relaxed);
      if (at < services_.size() && services_[at].first == wanted)
        return static_cast<T*>(services_[at].second.get());
      for (size_t i = 0; i < services_.size(); ++i) {
        if (services_[i].first == wanted) {
          hint.store(i, std::memory_order_relaxed);
          return static_cast<T*>(services_[i].second.get());
        }
      }
      return nullptr;
    } else {
      return static_cast<T*>(resolve(std::type_index(typeid(T)), false, bindingHint<T>()));
    }
  }

  // Lets a lower area reach the service Impl of a higher one through the interface Interface,
  // which the lower area owns: service<Interface>() and findService<Interface>() then answer
  // with Impl. A later binding of the same interface replaces an earlier one.
  template <typename Interface, typename Impl>
  void bind() {
    static_assert(std::is_base_of_v<Interface, Impl> && std::is_base_of_v<VexaHostService, Impl>);
    bind({std::type_index(typeid(Interface)), [](VexaHost& host, bool make) {
            Impl* impl = make ? &host.service<Impl>() : host.findService<Impl>();
            return static_cast<void*>(static_cast<Interface*>(impl));
          }});
  }

 private:
  struct Binding {
    std::type_index interface;
    void* (*resolve)(VexaHost& host, bool make);  // the Interface* of the bound service
  };
  // Each interface has one binding, which keeps its place: where the interface T was found
  // last is looked at first.
  template <typename T>
  static std::atomic<size_t>& bindingHint() {
    static std::atomic<size_t> hint{0};
    return hint;
  }
  void bind(const Binding& binding);
  // The bound service of an interface (made when `make`), or null; an interface bound to
  // nothing raises std::logic_error when asked to make.
  void* resolve(std::type_index interface, bool make, std::atomic<size_t>& hint) const;

  static VexaHost* current_;
  std::vector<std::pair<std::type_index, std::unique_ptr<VexaHostService>>> services_;
  std::vector<Binding> bindings_;
};
