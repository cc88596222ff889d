#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfText.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity"};

// Entities of classes without a filer. An entity read from a file whose type is not modelled
// becomes a proxy: its layer is its own, and all its groups after the head (the common entity
// groups included, layer name and all) are kept in the order read and written back as they
// are, with the current layer's name.
//
// A custom entity class registered at run time (by a module) with a DXF name and a
// pseudo-constructor is written under that name with its common groups, and listed in the
// CLASSES section. Read back while the class is registered, a record of that name listed
// there with the class's name is made by the pseudo-constructor and takes its common groups;
// its other groups are kept. While the class is not registered it stays a proxy.
class ProxyEntityFiler : public QvDxfEntityFiler {
 public:
  std::string_view recordName() const override { return "ACAD_PROXY_ENTITY"; }
  const QvRxClass* objectClass() const override { return QvDbProxyEntity::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    QvDbProxyClass original;
    original.dxfName = in.session().decode(in.recordName());
    if (const QvDxfReadSession::ClassInfo* info = in.session().findClass(original.dxfName)) {
      original.className = info->className;
      original.appName = info->appName;
      original.proxyFlags = info->proxyFlags;
    }
    if (QvDbEntity* custom = registeredEntity(original)) return custom;
    return new QvDbProxyEntity(std::move(original));
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    if (!QvDbProxyEntity::cast(&object)) {
      readCommon(in, static_cast<QvDbEntity&>(object));
      return;
    }
    in.select(1);
    const size_t layerAt = in.find(8);
    const bool hasLayer = layerAt != QvDxfObjectReader::npos;
    static_cast<QvDbEntity&>(object).setLayer(
        in.session().layer(hasLayer ? in.value(layerAt) : std::string_view("0"),
                           hasLayer ? in.lineAt(layerAt) : in.line()));
    if (hasLayer) in.release(layerAt);  // kept in its place, written with the current name
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& entity = static_cast<const QvDbEntity&>(object);
    const auto* proxy = QvDbProxyEntity::cast(&object);
    if (!proxy) {
      beginEntity(out, entity, QvString(recordNameOf(object)).utf8());
      out.end();
      return;
    }
    out.begin(QvDxfText::encoded(proxy->originalDxfName()));
    out.subclass(1);
    writePlacement(out, entity);
    out.subclassKeptNow(1, 8, layerName(entity).utf8());
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject& object) const override {
    const auto* proxy = QvDbProxyEntity::cast(&object);
    if (!proxy) {
      const QvRxClass* cls = object.isA();
      if (!cls || !cls->dxfName()[0]) return;
      const std::string dxfName = QvString(cls->dxfName()).utf8();
      const std::string className = QvString(cls->name()).utf8();
      const std::string appName = QvString(cls->appName()).utf8();
      session.noteClass(QvDxfClassRecord{dxfName, className, appName, cls->proxyFlags(), true});
      return;
    }
    if (!proxy || proxy->originalClassName().isEmpty()) return;
    const std::string dxfName = proxy->originalDxfName().utf8();
    const std::string className = proxy->originalClassName().utf8();
    const std::string appName = proxy->originalClass().appName.utf8();
    session.noteClass(
        QvDxfClassRecord{dxfName, className, appName, proxy->originalClass().proxyFlags, true});
  }

 private:
  // A new entity of the registered class the file's class list names for the record, when
  // that class files under the record's name and can be made; null otherwise.
  static QvDbEntity* registeredEntity(const QvDbProxyClass& original) {
    if (original.className.isEmpty()) return nullptr;
    const QvRxClass* cls = qvrxFindQvRxClass(original.className.c_str());
    if (!cls || !cls->constructor() || !cls->isDerivedFrom(QvDbEntity::desc()) ||
        !original.dxfName.isEqualNoCase(cls->dxfName()))
      return nullptr;
    QvRxObject* made = cls->create();
    QvDbEntity* entity = QvDbEntity::cast(made);
    if (!entity) delete made;
    return entity;
  }

  // The record name of a registered class: its DXF name, else its class name in capitals.
  static const wchar_t* recordNameOf(const QvDbObject& object) {
    const QvRxClass* cls = object.isA();
    return cls->dxfName()[0] ? cls->dxfName() : cls->name();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfProxyEntityFiler() {
  return std::make_unique<ProxyEntityFiler>();
}
