#pragma once

#include <memory>
#include <type_traits>
#include <typeinfo>
#include <variant>

namespace qvge_detail {

// An owned copy of a curve. The kinds listed in InPlace are held inside the object, so that
// copying them allocates nothing; every other kind is copied to the heap with copy(). A kind
// is held in place only when the curve is of exactly that class (never sliced).
template <class Curve, class... InPlace>
class CurveCopy {
 public:
  CurveCopy() = default;
  explicit CurveCopy(const Curve& curve) {
    if (!(holdInPlace<InPlace>(curve) || ...))
      value_.template emplace<std::unique_ptr<Curve>>(curve.copy());
  }
  CurveCopy(const CurveCopy& other) {
    if (const Curve* curve = other.get()) *this = CurveCopy(*curve);
  }
  CurveCopy(CurveCopy&&) = default;
  // Through a new copy first, so that the source may be this object's own curve.
  CurveCopy& operator=(const CurveCopy& other) {
    if (this != &other) *this = CurveCopy(other);
    return *this;
  }
  CurveCopy& operator=(CurveCopy&&) = default;
  ~CurveCopy() = default;

  // The copy, or null when there is none.
  const Curve* get() const {
    return std::visit(
        [](const auto& held) -> const Curve* {
          using Held = std::decay_t<decltype(held)>;
          if constexpr (std::is_same_v<Held, std::monostate>)
            return nullptr;
          else if constexpr (std::is_same_v<Held, std::unique_ptr<Curve>>)
            return held.get();
          else
            return &held;
        },
        value_);
  }

 private:
  template <class Kind>
  bool holdInPlace(const Curve& curve) {
    if (typeid(curve) != typeid(Kind)) return false;
    value_.template emplace<Kind>(static_cast<const Kind&>(curve));
    return true;
  }

  std::variant<std::monostate, InPlace..., std::unique_ptr<Curve>> value_;
};

}  // namespace qvge_detail
