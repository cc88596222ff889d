// Regions, 3D solids and surfaces: the modeler data (subclass 2, "AcDbModelerGeometry") as groups 1
// and 3 (text lines and their continuations) or 310 (binary chunks), kept as read. The entities are
// the modeler's (IVexaModelerEntities). Groups of the subclasses after it (a surface's isoline
// counts, a swept surface's sweep data, a solid's history) are kept as read; a swept surface made
// here gets the sweep data other readers require, with identity transforms.
#include <array>
#include <optional>

#include "sdk/base/VexaHost.h"
#include "sdk/db/IVexaModelerEntities.h"
#include "sdk/db/QvDbModelerEntity.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"
#include "sdk/io/entities/QvDxfModelerFilers.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kRegionMarkers[] = {"AcDbEntity", "AcDbModelerGeometry"};
constexpr std::string_view kSolidMarkers[] = {"AcDbEntity", "AcDbModelerGeometry", "AcDb3dSolid"};
constexpr std::string_view kSurfaceMarkers[] = {"AcDbEntity", "AcDbModelerGeometry", "AcDbSurface"};
constexpr std::string_view kPlaneSurfaceMarkers[] = {"AcDbEntity", "AcDbModelerGeometry",
                                                     "AcDbSurface", "AcDbPlaneSurface"};
constexpr std::string_view kSweptSurfaceMarkers[] = {"AcDbEntity", "AcDbModelerGeometry",
                                                     "AcDbSurface", "AcDbSweptSurface"};

constexpr int kDataSubclass = 2;
constexpr int kSweepSubclass = 4;
constexpr int kVersionCode = 70;

bool isDataCode(int code) {
  return code == 1 || code == 3 || code == 310;
}

class ModelerFiler : public QvDxfEntityFiler {
 public:
  ModelerFiler(std::string_view recordName, const wchar_t* className,
               std::span<const std::string_view> markers,
               std::optional<QvDxfClassRecord> classRecord)
      : recordName_(recordName),
        className_(className),
        markers_(markers),
        classRecord_(classRecord) {}

  std::string_view recordName() const override { return recordName_; }
  const QvRxClass* objectClass() const override { return qvrxHostClass(className_); }
  std::span<const std::string_view> subclassMarkers() const override { return markers_; }

  QvDbObject* create(QvDxfObjectReader& in) const override {
    VexaHost* host = VexaHost::current();
    QvDbModelerEntity* made =
        host ? host->service<IVexaModelerEntities>().create(className_) : nullptr;
    if (!made)
      in.failObject(QvDxfDiagnostic::kDrawingRefused,
                    "no modeler makes " + std::string(recordName_) + " entities");
    return made;
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& entity = static_cast<QvDbModelerEntity&>(object);
    readCommon(in, entity);
    in.select(kDataSubclass);
    QvDbModelerData data;
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      if (!isDataCode(in.code(i))) continue;
      data.push_back({static_cast<int16_t>(in.code(i)), std::string(in.value(i))});
      in.use(i);
    }
    entity.setModelerData(data);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& entity = static_cast<const QvDbModelerEntity&>(object);
    beginEntity(out, entity);
    // The format version, the data, then what follows the data in the file (a history flag and
    // a class id in newer files).
    out.subclass(kDataSubclass);
    if (out.hasKept(kDataSubclass, kVersionCode))
      out.raw(kVersionCode, out.keptText(kDataSubclass, kVersionCode));
    else
      out.integer(kVersionCode, 1);
    for (const QvDbModelerGroup& group : entity.modelerData()) out.raw(group.code, group.value);
    out.subclassKeptNowWithout(kDataSubclass, kVersionCode);
    for (int k = kDataSubclass + 1; k <= static_cast<int>(markers_.size()); ++k) {
      out.subclass(k);
      if (k == kSweepSubclass && !out.hasKept(kSweepSubclass)) writeSweepData(out);
    }
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    if (classRecord_) session.noteClass(*classRecord_);
  }

 private:
  static void writeIdentity(QvDxfObjectWriter& out, int code) {
    for (int i = 0; i < 16; ++i) out.real(code, i % 5 == 0 ? 1.0 : 0.0);
  }

  // The sweep data of a swept surface made here: no source entities, no draft, twist or
  // alignment, identity transforms.
  static void writeSweepData(QvDxfObjectWriter& out) {
    out.integer(90, 0);
    out.integer(91, 0);
    writeIdentity(out, 40);
    writeIdentity(out, 41);
    out.real(42, 0.0);
    out.real(43, 0.0);
    out.real(44, 0.0);
    out.real(45, 0.0);
    out.real(48, 1.0);
    out.real(49, 0.0);
    writeIdentity(out, 46);
    writeIdentity(out, 47);
    out.integer(290, 0);
    out.integer(70, 0);
    out.integer(71, 0);
    out.integer(292, 0);
    out.integer(293, 0);
    out.integer(294, 0);
    out.integer(295, 0);
    out.integer(296, 0);
    out.point(11, QvGePoint3d::kOrigin);
  }

  std::string_view recordName_;
  const wchar_t* className_;
  std::span<const std::string_view> markers_;
  std::optional<QvDxfClassRecord> classRecord_;
};

QvDxfClassRecord surfaceClass(std::string_view dxfName, std::string_view className, int32_t flags) {
  return QvDxfClassRecord{dxfName, className, "ObjectDBX Classes", flags, true};
}

}  // namespace

QvDxfFilerPtr qvDxfRegionFiler() {
  return std::make_unique<ModelerFiler>("REGION", L"QvDbRegion", kRegionMarkers, std::nullopt);
}

QvDxfFilerPtr qvDxf3dSolidFiler() {
  return std::make_unique<ModelerFiler>("3DSOLID", L"QvDb3dSolid", kSolidMarkers, std::nullopt);
}

QvDxfFilerPtr qvDxfSurfaceFiler() {
  return std::make_unique<ModelerFiler>("SURFACE", L"QvDbSurface", kSurfaceMarkers,
                                        surfaceClass("SURFACE", "AcDbSurface", 4095));
}

QvDxfFilerPtr qvDxfPlaneSurfaceFiler() {
  return std::make_unique<ModelerFiler>("PLANESURFACE", L"QvDbPlaneSurface", kPlaneSurfaceMarkers,
                                        surfaceClass("PLANESURFACE", "AcDbPlaneSurface", 4095));
}

QvDxfFilerPtr qvDxfSweptSurfaceFiler() {
  return std::make_unique<ModelerFiler>("SWEPTSURFACE", L"QvDbSweptSurface", kSweptSurfaceMarkers,
                                        surfaceClass("SWEPTSURFACE", "AcDbSweptSurface", 0));
}
