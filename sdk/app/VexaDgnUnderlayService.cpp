#include "sdk/app/VexaDgnUnderlayService.h"

#include <cpl_error.h>
#include <gdal.h>
#include <ogr_api.h>

#include <cmath>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "sdk/app/VexaUnderlayFiles.h"
#include "sdk/base/VexaFileStatus.h"
#include "sdk/base/qvUtf8.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbExtents.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbUnderlayFile.h"

// The DGN driver's registration (declared by GDAL's C++ driver header, a C function).
extern "C" void RegisterOGRDGN();

namespace {

// Element types of the DGN driver's "Type" field.
constexpr int kEllipse = 15;
constexpr int kArc = 16;
constexpr double kPi = 3.14159265358979323846;

struct DatasetCloser {
  void operator()(void* dataset) const { GDALClose(dataset); }
};
struct FeatureDeleter {
  void operator()(OGRFeatureH feature) const { OGR_F_Destroy(feature); }
};
using Dataset = std::unique_ptr<void, DatasetCloser>;
using Feature = std::unique_ptr<std::remove_pointer_t<OGRFeatureH>, FeatureDeleter>;

// GDAL's complaints stay off the command line; the status says what went wrong.
class QuietErrors {
 public:
  QuietErrors() { CPLPushErrorHandler(CPLQuietErrorHandler); }
  ~QuietErrors() { CPLPopErrorHandler(); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;
};

Dataset openDgn(const std::string& local) {
  static std::once_flag registered;
  std::call_once(registered, [] { RegisterOGRDGN(); });
  const char* const drivers[] = {"DGN", nullptr};
  return Dataset(
      GDALOpenEx(local.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, nullptr, nullptr));
}

// The parameters of a text's style string after its text, which the driver writes unescaped:
// 'LABEL(t:"TEXT",c:#ff0000,s:2.000g,a:30)' gives ',c:#ff0000,s:2.000g,a:30)'.
std::string labelParameters(const std::string& style, const char* text) {
  const std::string lead = std::string("LABEL(t:\"") + text + "\"";
  return style.compare(0, lead.size(), lead) == 0 ? style.substr(lead.size()) : std::string();
}

// The number of the parameter `key` ("s" in ",s:2.000g" gives 2), or `otherwise`.
double parameterNumber(const std::string& parameters, const char* key, double otherwise) {
  const std::string tag = std::string(",") + key + ":";
  const size_t at = parameters.find(tag);
  if (at == std::string::npos) return otherwise;
  const char* start = parameters.c_str() + at + tag.size();
  char* end = nullptr;
  const double value = std::strtod(start, &end);
  return end != start && std::isfinite(value) ? value : otherwise;
}

// The circle through three points; false when they are (nearly) in line.
bool circleThrough(const QvGePoint3d& a, const QvGePoint3d& b, const QvGePoint3d& c,
                   QvGePoint3d& center, double& radius) {
  const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
  const double d = 2.0 * (bx * cy - by * cx);
  const double scale = std::max({std::abs(bx), std::abs(by), std::abs(cx), std::abs(cy)});
  if (!(std::abs(d) > 1e-12 * scale * scale)) return false;
  const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  center = QvGePoint3d(a.x + (cy * b2 - by * c2) / d, a.y + (bx * c2 - cx * b2) / d, a.z);
  radius = std::hypot(a.x - center.x, a.y - center.y);
  return true;
}

// Builds the converted drawing from the driver's features.
class Converter {
 public:
  Converter() : db_(std::make_shared<QvDbDatabase>(true, true)) {}

  Vexa::ErrorStatus convert(OGRLayerH layer) {
    QvDbObjectPointer<QvDbBlockTableRecord> space(db_->modelSpaceId(), QvDb::kForWrite);
    if (space.openStatus() != Vexa::eOk) return space.openStatus();
    space_ = space.object();
    const OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
    typeField_ = OGR_FD_GetFieldIndex(defn, "Type");
    levelField_ = OGR_FD_GetFieldIndex(defn, "Level");
    textField_ = OGR_FD_GetFieldIndex(defn, "Text");
    OGR_L_ResetReading(layer);
    for (Feature feature(OGR_L_GetNextFeature(layer)); feature;
         feature.reset(OGR_L_GetNextFeature(layer)))
      if (const Vexa::ErrorStatus es = add(feature.get()); es != Vexa::eOk) return es;
    return Vexa::eOk;
  }

  std::shared_ptr<QvDbDatabase> database() const { return db_; }
  const QvDbExtents& extents() const { return extents_; }
  bool empty() const { return count_ == 0; }

 private:
  Vexa::ErrorStatus add(OGRFeatureH feature) {
    const OGRGeometryH geometry = OGR_F_GetGeometryRef(feature);
    if (!geometry) return Vexa::eOk;  // cell headers and other elements without geometry
    const int type = typeField_ >= 0 ? OGR_F_GetFieldAsInteger(feature, typeField_) : 0;
    const int level = levelField_ >= 0 ? OGR_F_GetFieldAsInteger(feature, levelField_) : 0;
    layer_ = layerFor(level);
    if (layer_.isNull()) return Vexa::eInvalidInput;
    const char* text = textField_ >= 0 && OGR_F_IsFieldSetAndNotNull(feature, textField_)
                           ? OGR_F_GetFieldAsString(feature, textField_)
                           : nullptr;
    const char* style = OGR_F_GetStyleString(feature);
    return addGeometry(geometry, type, text, style ? style : "");
  }

  Vexa::ErrorStatus addGeometry(OGRGeometryH geometry, int type, const char* text,
                                const std::string& style) {
    switch (wkbFlatten(OGR_G_GetGeometryType(geometry))) {
      case wkbPoint:
        if (!text || !*text) return Vexa::eOk;
        return addText(point(geometry, 0), text, style);
      case wkbLineString:
        return addPoints(points(geometry), type, false);
      case wkbPolygon:
        for (int i = 0; i < OGR_G_GetGeometryCount(geometry); ++i)
          if (const Vexa::ErrorStatus es =
                  addPoints(points(OGR_G_GetGeometryRef(geometry, i)), type, true);
              es != Vexa::eOk)
            return es;
        return Vexa::eOk;
      case wkbMultiPoint:
      case wkbMultiLineString:
      case wkbMultiPolygon:
      case wkbGeometryCollection:
        for (int i = 0; i < OGR_G_GetGeometryCount(geometry); ++i)
          if (const Vexa::ErrorStatus es =
                  addGeometry(OGR_G_GetGeometryRef(geometry, i), type, text, style);
              es != Vexa::eOk)
            return es;
        return Vexa::eOk;
      default:
        return Vexa::eOk;
    }
  }

  static QvGePoint3d point(OGRGeometryH geometry, int i) {
    return QvGePoint3d(OGR_G_GetX(geometry, i), OGR_G_GetY(geometry, i), OGR_G_GetZ(geometry, i));
  }

  static std::vector<QvGePoint3d> points(OGRGeometryH geometry) {
    std::vector<QvGePoint3d> out;
    const int n = OGR_G_GetPointCount(geometry);
    out.reserve(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i) out.push_back(point(geometry, i));
    return out;
  }

  Vexa::ErrorStatus addText(const QvGePoint3d& at, const char* text, const std::string& style) {
    const std::string parameters = labelParameters(style, text);
    const double height = parameterNumber(parameters, "s", 1.0);
    const double angle = parameterNumber(parameters, "a", 0.0) * kPi / 180.0;
    auto entity = std::make_unique<QvDbText>(at, qvWidenUtf8(text).c_str(), QvDbObjectId(),
                                             height > 0.0 ? height : 1.0, angle);
    return append(std::move(entity));
  }

  // Arcs and ellipses come stroked: a circular one is given back its curve.
  Vexa::ErrorStatus addPoints(std::vector<QvGePoint3d> pts, int type, bool closed) {
    if (pts.size() < 2) return Vexa::eOk;
    if ((type == kArc || type == kEllipse) && pts.size() >= 3) {
      QvGePoint3d center;
      double radius = 0.0;
      const QvGePoint3d& first = pts.front();
      const QvGePoint3d& middle = pts[pts.size() / 2];
      const QvGePoint3d& nearEnd = pts[pts.size() - 2];
      const bool full = first.isEqualTo(pts.back());
      if (circleThrough(first, middle, full ? nearEnd : pts.back(), center, radius) &&
          onCircle(pts, center, radius)) {
        if (full) return append(std::make_unique<QvDbCircle>(center, QvGeVector3d::kZAxis, radius));
        const double a0 = std::atan2(first.y - center.y, first.x - center.x);
        const double a1 = std::atan2(pts.back().y - center.y, pts.back().x - center.x);
        const QvGeVector3d chord = pts[1] - first;
        const QvGeVector3d radial = first - center;
        const bool counterclockwise = radial.x * chord.y - radial.y * chord.x > 0.0;
        return append(counterclockwise ? std::make_unique<QvDbArc>(center, radius, a0, a1)
                                       : std::make_unique<QvDbArc>(center, radius, a1, a0));
      }
    }
    if (!closed && pts.size() == 2) return append(std::make_unique<QvDbLine>(pts[0], pts[1]));
    if (closed && pts.size() > 2 && pts.front().isEqualTo(pts.back())) pts.pop_back();
    bool flat = true;
    for (const QvGePoint3d& p : pts) flat = flat && p.z == pts.front().z;
    if (!flat) {
      QvGePoint3dArray vertices;
      for (const QvGePoint3d& p : pts) vertices.append(p);
      return append(std::make_unique<QvDb3dPolyline>(k3dSimplePoly, vertices, closed));
    }
    auto polyline = std::make_unique<QvDbPolyline>(static_cast<unsigned>(pts.size()));
    for (const QvGePoint3d& p : pts)
      polyline->addVertexAt(polyline->numVerts(), QvGePoint2d(p.x, p.y));
    polyline->setElevation(pts.front().z);
    polyline->setClosed(closed);
    return append(std::move(polyline));
  }

  static bool onCircle(const std::vector<QvGePoint3d>& pts, const QvGePoint3d& center,
                       double radius) {
    const double tolerance = 1e-9 * std::max(1.0, radius);
    for (const QvGePoint3d& p : pts)
      if (p.z != center.z ||
          std::abs(std::hypot(p.x - center.x, p.y - center.y) - radius) > tolerance)
        return false;
    return true;
  }

  Vexa::ErrorStatus append(std::unique_ptr<QvDbEntity> entity) {
    if (const Vexa::ErrorStatus es = space_->appendQvDbEntity(entity.get()); es != Vexa::eOk)
      return es;
    QvDbEntity* added = entity.release();
    const Vexa::ErrorStatus es = added->setLayer(layer_);
    QvDbExtents box;
    if (added->getGeomExtents(box) == Vexa::eOk) extents_.addExt(box);
    added->close();
    ++count_;
    return es;
  }

  QvDbObjectId layerFor(int level) {
    const auto known = layers_.find(level);
    if (known != layers_.end()) return known->second;
    const QvString name = QvString::format(L"Level %d", level);
    QvDbObjectPointer<QvDbLayerTable> table(db_->layerTableId(), QvDb::kForWrite);
    if (table.openStatus() != Vexa::eOk) return QvDbObjectId();
    QvDbObjectId id;
    if (table->getAt(name.c_str(), id) != Vexa::eOk) {
      auto record = std::make_unique<QvDbLayerTableRecord>();
      record->setName(name.c_str());
      if (table->add(id, record.get()) != Vexa::eOk) return QvDbObjectId();
      record.release()->close();
    }
    layers_[level] = id;
    return id;
  }

  std::shared_ptr<QvDbDatabase> db_;
  QvDbBlockTableRecord* space_ = nullptr;
  QvDbObjectId layer_;
  std::map<int, QvDbObjectId> layers_;
  int typeField_ = -1;
  int levelField_ = -1;
  int textField_ = -1;
  QvDbExtents extents_;
  int count_ = 0;
};

bool isDgnV7(const std::string& head) {
  if (head.size() < 4) return false;
  const auto b = [&](size_t i) { return static_cast<unsigned char>(head[i]); };
  return (b(0) == 0x08 || b(0) == 0xC8) && b(1) == 0x09 && b(2) == 0xFE && b(3) == 0x02;
}

bool isCompoundDocument(const std::string& head) {
  return head.size() >= 8 && head.compare(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") == 0;
}

}  // namespace

Vexa::ErrorStatus VexaDgnUnderlayService::getFile(const wchar_t* path, const wchar_t*,
                                                  QvDbUnderlayFile*& file) const {
  file = nullptr;
  std::string local;
  std::string head;
  if (const Vexa::ErrorStatus es = vexaReadUnderlayHead(path, 8, local, head); es != Vexa::eOk)
    return es;
  if (isCompoundDocument(head)) return Vexa::eFileVersionNotSupported;
  if (!isDgnV7(head)) return Vexa::eNotThisFileFormat;

  const QuietErrors quiet;
  const Dataset dataset = openDgn(local);
  if (!dataset || GDALDatasetGetLayerCount(dataset.get()) < 1) return Vexa::eDamagedFile;
  Converter converter;
  if (converter.convert(GDALDatasetGetLayer(dataset.get(), 0)) != Vexa::eOk)
    return Vexa::eDamagedFile;
  QvGePoint2d lo(0.0, 0.0);
  QvGePoint2d hi(0.0, 0.0);
  if (!converter.empty()) {
    lo = QvGePoint2d(converter.extents().minPoint().x, converter.extents().minPoint().y);
    hi = QvGePoint2d(converter.extents().maxPoint().x, converter.extents().maxPoint().y);
  }
  std::vector<QvDbUnderlayItem> items;
  items.emplace_back(QvString(L"Default"), lo, hi, converter.database());
  file = new QvDbUnderlayFile(QvString(path), std::move(items));
  return Vexa::eOk;
}
