#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <type_traits>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbObjectId.h"
#include "sdk/ge/QvGePoint3d.h"
#include "sdk/ge/QvGeVector3d.h"

class QvDbObject;
class QvDxfObjectReader;
class QvDxfObjectWriter;

// Field tables: the groups of a record that map one to one to values of its object, declared
// once and read and written from the same declaration, so that no field can be read one way
// and written another.
//
// Writing a filer with a field table:
//  1. List the record's fields in the order they are written, each with its subclass (the
//     number of its marker, from 1; the subclasses of a table never go back), its group code,
//     the object's getter and setter as template arguments (member functions, or functions
//     taking the object) and its default:
//
//       using F = QvDxfFieldsOf<QvDbCircle>;
//       constexpr QvDxfField kFields[] = {
//           F::real<&QvDbCircle::thickness, &QvDbCircle::setThickness>(2, 39).unlessDefault(),
//           F::ocsPoint<&QvDbCircle::center, &QvDbCircle::setCenter>(2, 10),
//           F::real<&QvDbCircle::radius, &QvDbCircle::setRadius>(2, 40, 1.0)
//               .refusal("the radius (40) is not positive"),
//           F::normal<&QvDbCircle::normal, &QvDbCircle::setNormal>(2),
//       };
//
//  2. An entity whose record is its common groups and the table is filed by
//     qvDxfTableEntityFiler<Entity>(name, markers, kFields) (entities/QvDxfTableEntityFiler.h);
//     any other filer calls QvDxfFields::read and QvDxfFields::write where the fields stand.
//  3. What does not map one to one (lists, values made of several groups, values the database
//     derives) is a custom field, F::custom<read, write>(subclass), at its place in the table:
//     two functions that read and write those groups by hand.
//
// Reading: the normal (210) is read first, as points in its OCS need it, then the fields in
// order. An absent field gives its default to the setter, unless it is optional (the object
// keeps what it has). A setter that refuses the value refuses the file with the field's
// refusal. Writing: the fields in order, each subclass marker as the fields reach it; a field
// marked unlessDefault is left out while it holds its default. A field outside its versions
// (AC numbers, 1009 for R12 to 1032 for R2018) is neither read nor written.
struct QvDxfField {
  enum Kind : uint8_t {
    kReal,
    kAngle,    // radians in the object, degrees in the file (written as read while unchanged)
    kInteger,  // in [min, max]
    kFlags,    // the bits of `mask` modelled, the others kept and merged back
    kText,
    kPoint,  // world coordinates
    kVector,
    kNormal,     // 210: refused when zero, written unless the z axis
    kOcsPoint,   // in the OCS of the normal in the file, world coordinates in the object
    kPointer,    // a handle naming an object; unlessDefault: written only when that is written
    kTextStyle,  // a text style by name, made when the file does not define it
    kCustom,
  };

  struct RealAccess {
    double (*get)(const QvDbObject&);
    Vexa::ErrorStatus (*set)(QvDbObject&, double);
  };
  struct IntegerAccess {
    int64_t (*get)(const QvDbObject&);
    Vexa::ErrorStatus (*set)(QvDbObject&, int64_t);
  };
  struct PointAccess {
    QvGePoint3d (*get)(const QvDbObject&);
    Vexa::ErrorStatus (*set)(QvDbObject&, const QvGePoint3d&);
  };
  struct VectorAccess {
    QvGeVector3d (*get)(const QvDbObject&);
    Vexa::ErrorStatus (*set)(QvDbObject&, const QvGeVector3d&);
  };
  struct TextAccess {
    QvString (*get)(const QvDbObject&);
    Vexa::ErrorStatus (*set)(QvDbObject&, const QvString&);
  };
  struct IdAccess {
    QvDbObjectId (*get)(const QvDbObject&);
    Vexa::ErrorStatus (*set)(QvDbObject&, const QvDbObjectId&);
  };
  struct CustomAccess {
    void (*read)(QvDxfObjectReader&, QvDbObject&);
    void (*write)(QvDxfObjectWriter&, const QvDbObject&);
  };
  union Access {
    RealAccess real;
    IntegerAccess integer;
    PointAccess point;
    VectorAccess vector;
    TextAccess text;
    IdAccess id;
    CustomAccess custom;
  };

  Kind kind = kCustom;
  uint8_t subclass = 1;
  int16_t code = 0;
  bool writesDefault = true;
  bool isOptional = false;
  int16_t sinceVersion = 0;
  int16_t untilVersion = INT16_MAX;
  double real[3] = {0.0, 0.0, 0.0};  // the default of reals, angles, points and vectors
  int64_t integer = 0;               // the default of integers and flags
  int64_t min = INT64_MIN;           // the range of integers
  int64_t max = INT64_MAX;
  int64_t mask = 0;               // the bits of flags the object models
  const wchar_t* text = L"";      // the default of texts
  const char* refused = nullptr;  // why the file is refused when the setter refuses
  Access access{};

  // Left out of the file while it holds its default.
  constexpr QvDxfField unlessDefault() const {
    QvDxfField f = *this;
    f.writesDefault = false;
    return f;
  }
  // When absent from the file, the object keeps what it has.
  constexpr QvDxfField optional() const {
    QvDxfField f = *this;
    f.isOptional = true;
    return f;
  }
  constexpr QvDxfField refusal(const char* message) const {
    QvDxfField f = *this;
    f.refused = message;
    return f;
  }
  constexpr QvDxfField versions(int since, int until) const {
    QvDxfField f = *this;
    f.sinceVersion = static_cast<int16_t>(since);
    f.untilVersion = static_cast<int16_t>(until);
    return f;
  }
  constexpr bool inVersion(int version) const {
    return version >= sinceVersion && version <= untilVersion;
  }
};

namespace QvDxfFields {

// Reads the fields from the reader into the object (open for write).
void read(QvDxfObjectReader& in, QvDbObject& object, std::span<const QvDxfField> fields);
// Writes the fields of the object; the subclasses up to `started` are begun already, and the
// markers after the last field up to `last` are written at the end.
void write(QvDxfObjectWriter& out, const QvDbObject& object, std::span<const QvDxfField> fields,
           int started, int last);

// One table of two, for classes that share a part (circles and arcs).
template <size_t N, size_t M>
constexpr std::array<QvDxfField, N + M> join(const std::array<QvDxfField, N>& first,
                                             const std::array<QvDxfField, M>& second) {
  std::array<QvDxfField, N + M> all{};
  for (size_t i = 0; i < N; ++i) all[i] = first[i];
  for (size_t i = 0; i < M; ++i) all[N + i] = second[i];
  return all;
}

// Whether a table can stand: subclasses that never go back, at most one normal, a normal for
// points in its OCS. Meant for static_assert.
constexpr bool isValid(std::span<const QvDxfField> fields) {
  int subclass = 0;
  int normals = 0;
  bool ocs = false;
  for (const QvDxfField& f : fields) {
    if (f.subclass < subclass) return false;
    subclass = f.subclass;
    if (f.kind == QvDxfField::kNormal) ++normals;
    if (f.kind == QvDxfField::kOcsPoint) ocs = true;
  }
  return normals <= 1 && (!ocs || normals == 1);
}

}  // namespace QvDxfFields

namespace QvDxfFieldDetail {

template <class T>
struct SetterArgument;
template <class R, class B, class A>
struct SetterArgument<R (B::*)(A)> {
  using type = std::remove_cvref_t<A>;
};
template <class R, class O, class A>
struct SetterArgument<R (*)(O&, A)> {
  using type = std::remove_cvref_t<A>;
};

}  // namespace QvDxfFieldDetail

// The fields of objects of class Object (see QvDxfField for how to write a table).
template <class Object>
class QvDxfFieldsOf {
 public:
  template <auto Get, auto Set>
  static constexpr QvDxfField real(int subclass, int code, double def = 0.0) {
    QvDxfField f = base(QvDxfField::kReal, subclass, code);
    f.real[0] = def;
    f.access.real = {&get<Get, double>, &set<Set, double>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField angle(int subclass, int code, double defRadians = 0.0) {
    QvDxfField f = real<Get, Set>(subclass, code, defRadians);
    f.kind = QvDxfField::kAngle;
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField integer(int subclass, int code, int64_t def, int64_t min,
                                      int64_t max) {
    QvDxfField f = base(QvDxfField::kInteger, subclass, code);
    f.integer = def;
    f.min = min;
    f.max = max;
    f.access.integer = {&get<Get, int64_t>, &set<Set, int64_t>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField flags(int subclass, int code, int64_t mask, int64_t def = 0) {
    QvDxfField f = base(QvDxfField::kFlags, subclass, code);
    f.integer = def;
    f.mask = mask;
    f.access.integer = {&get<Get, int64_t>, &set<Set, int64_t>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField text(int subclass, int code, const wchar_t* def = L"") {
    QvDxfField f = base(QvDxfField::kText, subclass, code);
    f.text = def;
    f.access.text = {&get<Get, QvString>, &set<Set, QvString>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField point(int subclass, int code, double x = 0.0, double y = 0.0,
                                    double z = 0.0) {
    QvDxfField f = base(QvDxfField::kPoint, subclass, code);
    setDefault(f, x, y, z);
    f.access.point = {&get<Get, QvGePoint3d>, &set<Set, QvGePoint3d>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField ocsPoint(int subclass, int code) {
    QvDxfField f = point<Get, Set>(subclass, code);
    f.kind = QvDxfField::kOcsPoint;
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField vector(int subclass, int code, double x = 0.0, double y = 0.0,
                                     double z = 0.0) {
    QvDxfField f = base(QvDxfField::kVector, subclass, code);
    setDefault(f, x, y, z);
    f.access.vector = {&get<Get, QvGeVector3d>, &set<Set, QvGeVector3d>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField normal(int subclass) {
    QvDxfField f = vector<Get, Set>(subclass, 210, 0.0, 0.0, 1.0);
    f.kind = QvDxfField::kNormal;
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField pointer(int subclass, int code) {
    QvDxfField f = base(QvDxfField::kPointer, subclass, code);
    f.access.id = {&get<Get, QvDbObjectId>, &set<Set, QvDbObjectId>};
    return f;
  }
  template <auto Get, auto Set>
  static constexpr QvDxfField textStyle(int subclass, int code) {
    QvDxfField f = pointer<Get, Set>(subclass, code);
    f.kind = QvDxfField::kTextStyle;
    return f;
  }
  template <void (*Read)(QvDxfObjectReader&, Object&),
            void (*Write)(QvDxfObjectWriter&, const Object&)>
  static constexpr QvDxfField custom(int subclass) {
    QvDxfField f = base(QvDxfField::kCustom, subclass, 0);
    f.access.custom = {&readCustom<Read>, &writeCustom<Write>};
    return f;
  }

 private:
  static constexpr QvDxfField base(QvDxfField::Kind kind, int subclass, int code) {
    QvDxfField f;
    f.kind = kind;
    f.subclass = static_cast<uint8_t>(subclass);
    f.code = static_cast<int16_t>(code);
    return f;
  }
  static constexpr void setDefault(QvDxfField& f, double x, double y, double z) {
    f.real[0] = x;
    f.real[1] = y;
    f.real[2] = z;
  }

  template <auto Get, class Value>
  static Value get(const QvDbObject& object) {
    return static_cast<Value>(std::invoke(Get, static_cast<const Object&>(object)));
  }

  template <auto Set, class Value>
  static Vexa::ErrorStatus set(
      QvDbObject& object, std::conditional_t<std::is_scalar_v<Value>, Value, const Value&> value) {
    using Argument = typename QvDxfFieldDetail::SetterArgument<decltype(Set)>::type;
    auto& target = static_cast<Object&>(object);
    auto call = [&] {
      if constexpr (std::is_same_v<Argument, const wchar_t*>) {
        return std::invoke(Set, target, value.c_str());
      } else {
        return std::invoke(Set, target, static_cast<Argument>(value));
      }
    };
    if constexpr (std::is_void_v<decltype(call())>) {
      call();
      return Vexa::eOk;
    } else {
      return call();
    }
  }

  template <void (*Read)(QvDxfObjectReader&, Object&)>
  static void readCustom(QvDxfObjectReader& in, QvDbObject& object) {
    Read(in, static_cast<Object&>(object));
  }
  template <void (*Write)(QvDxfObjectWriter&, const Object&)>
  static void writeCustom(QvDxfObjectWriter& out, const QvDbObject& object) {
    Write(out, static_cast<const Object&>(object));
  }
};
