#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity"};

// Entities of classes without a filer. An entity read from a file whose type is not modelled
// becomes a proxy: its layer is its own, and all its groups after the head (the common entity
// groups included, layer name and all) are kept in the order read and written back as they
// are, with the current layer's name. An entity of a class registered here without a filer
// is written with its class's record name and its common groups.
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
    return new QvDbProxyEntity(std::move(original));
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
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
    const std::string name =
        proxy ? proxy->originalDxfName().utf8() : QvString(recordNameOf(object)).utf8();
    out.begin(name);
    out.subclass(1);
    writePlacement(out, entity);
    if (proxy) {
      out.subclassKeptNow(1, 8, layerName(entity).utf8());
    } else {
      out.text(8, layerName(entity));
    }
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject& object) const override {
    const auto* proxy = QvDbProxyEntity::cast(&object);
    if (!proxy || proxy->originalClassName().isEmpty()) return;
    const std::string dxfName = proxy->originalDxfName().utf8();
    const std::string className = proxy->originalClassName().utf8();
    const std::string appName = proxy->originalClass().appName.utf8();
    session.noteClass(
        QvDxfClassRecord{dxfName, className, appName, proxy->originalClass().proxyFlags, true});
  }

 private:
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
