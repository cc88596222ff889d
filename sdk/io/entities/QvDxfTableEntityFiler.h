#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "sdk/io/QvDxfFields.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

// An entity whose record is the common entity groups (subclass 1) and a field table
// (QvDxfFields.h); the table's fields are in subclasses 2 and after.
template <class Entity>
class QvDxfTableEntityFiler : public QvDxfEntityFilerOf<Entity> {
 public:
  QvDxfTableEntityFiler(std::string_view name, std::span<const std::string_view> markers,
                        std::span<const QvDxfField> fields)
      : name_(name), markers_(markers), fields_(fields) {}

  std::string_view recordName() const override { return name_; }
  std::span<const std::string_view> subclassMarkers() const override { return markers_; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    this->readCommon(in, static_cast<Entity&>(object));
    QvDxfFields::read(in, object, fields_);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    this->beginEntity(out, static_cast<const Entity&>(object));
    QvDxfFields::write(out, object, fields_, 1, static_cast<int>(markers_.size()));
    out.end();
  }

 private:
  std::string_view name_;
  std::span<const std::string_view> markers_;
  std::span<const QvDxfField> fields_;
};

template <class Entity>
QvDxfFilerPtr qvDxfTableEntityFiler(std::string_view name,
                                    std::span<const std::string_view> markers,
                                    std::span<const QvDxfField> fields) {
  return std::make_unique<QvDxfTableEntityFiler<Entity>>(name, markers, fields);
}
