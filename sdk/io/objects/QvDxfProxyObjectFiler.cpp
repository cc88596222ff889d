#include "sdk/db/QvDbProxyObject.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfText.h"
#include "sdk/rx/QvRxClass.h"

namespace {

// Objects of classes without a filer. An object read from a file whose type is not modelled
// becomes a proxy that keeps every group after the head in the order read, with the ids of the
// objects its references name; it is written back as it was read. An object of a class
// registered here without a filer is written with its class's record name and its head.
class ProxyObjectFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "ACAD_PROXY_OBJECT"; }
  const QvRxClass* objectClass() const override { return QvDbProxyObject::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return {}; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    QvDbProxyClass original;
    original.dxfName = in.session().decode(in.recordName());
    if (const QvDxfReadSession::ClassInfo* info = in.session().findClass(original.dxfName)) {
      original.className = info->className;
      original.appName = info->appName;
      original.proxyFlags = info->proxyFlags;
    }
    return new QvDbProxyObject(std::move(original));
  }

  void read(QvDxfObjectReader&, QvDbObject&) const override {}

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto* proxy = QvDbProxyObject::cast(&object);
    const QvRxClass* cls = object.isA();
    const QvString name = proxy ? proxy->originalDxfName()
                                : QvString(cls->dxfName()[0] ? cls->dxfName() : cls->name());
    out.begin(QvDxfText::encoded(name));
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject& object) const override {
    const auto* proxy = QvDbProxyObject::cast(&object);
    if (!proxy || proxy->originalClassName().isEmpty()) return;
    const std::string dxfName = proxy->originalDxfName().utf8();
    const std::string className = proxy->originalClassName().utf8();
    const std::string appName = proxy->originalClass().appName.utf8();
    session.noteClass(
        QvDxfClassRecord{dxfName, className, appName, proxy->originalClass().proxyFlags, false});
  }
};

}  // namespace

QvDxfFilerPtr qvDxfProxyObjectFiler() {
  return std::make_unique<ProxyObjectFiler>();
}
