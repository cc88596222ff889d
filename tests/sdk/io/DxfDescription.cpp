#include "tests/sdk/io/DxfDescription.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDb2LineAngularDimension.h"
#include "sdk/db/QvDb2dPolyline.h"
#include "sdk/db/QvDb2dVertex.h"
#include "sdk/db/QvDb3PointAngularDimension.h"
#include "sdk/db/QvDb3dPolyline.h"
#include "sdk/db/QvDb3dPolylineVertex.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbAlignedDimension.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbArcDimension.h"
#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDiametricDimension.h"
#include "sdk/db/QvDbEllipse.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbFace.h"
#include "sdk/db/QvDbFcf.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLeader.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbOrdinateDimension.h"
#include "sdk/db/QvDbPoint.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRadialDimension.h"
#include "sdk/db/QvDbRadialDimensionLarge.h"
#include "sdk/db/QvDbRay.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbRotatedDimension.h"
#include "sdk/db/QvDbSolid.h"
#include "sdk/db/QvDbSpline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/db/QvDbTrace.h"
#include "sdk/db/QvDbXline.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfNumber.h"
#include "tests/sdk/io/DxfTestSupport.h"

namespace {

using json::point;
using json::real;

// The extended data of an object by application: {"APP":[[code,value],...],...}.
std::string xdataOf(const QvDbObject& object) {
  QvRbListPtr list(object.xData());
  if (!list) return "";
  std::string out;
  for (const resbuf* rb = list.get(); rb; rb = rb->next) {
    if (rb->type == 1001)
      out += std::string(out.empty() ? "{" : "],") + json::text(QvString(rb->value.string)) + ":[";
    else
      out += std::string(out.back() == '[' ? "" : ",") + json::item(*rb);
  }
  return out + "]}";
}

// An angle in degrees, in [0, 360).
std::string degrees(double radians) {
  double a = std::fmod(QvDxfNumber::radiansToDegrees(radians), 360.0);
  if (a < 0) a += 360.0;
  return real(a);
}

std::string join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ",") + item;
  return "[" + out + "]";
}

// The points `count` calls of `at(i, point)` give, as an array.
template <class At>
std::string pointsOf(int count, At at) {
  std::vector<std::string> items;
  for (int i = 0; i < count; ++i) {
    QvGePoint3d p;
    at(i, p);
    items.push_back(point(p));
  }
  return join(items);
}

// What defines a dimension, in the form ezdxf_probe.py's dimension_geometry (annotation_geometry
// for lengths) gives; empty for other classes.
std::string dimensionGeometry(const QvDbEntity& entity) {
  const auto* dimension = QvDbDimension::cast(&entity);
  if (!dimension) return "";
  const QvDbObjectId block = dimension->dimBlockId();
  const std::string blockName =
      json::text(block.isNull() ? QvString() : QvDbSymbolTableRecord::nameOf(block));
  const auto points = [](std::initializer_list<QvGePoint3d> list) {
    std::vector<std::string> items;
    for (const QvGePoint3d& p : list) items.push_back(point(p));
    return join(items);
  };
  const std::string text = point(dimension->textPosition());
  const std::string measurement = real(dimension->measurement());
  if (const auto* d = QvDbArcDimension::cast(&entity)) {
    return join(
        {"\"arc\"", blockName,
         points({d->xLine1Point(), d->xLine2Point(), d->centerPoint(), d->arcPoint(),
                 d->leader1Point(), d->leader2Point()}),
         text,
         join({real(d->arcStartParam()), real(d->arcEndParam()),
               std::to_string(d->isPartial() ? 1 : 0), std::to_string(d->hasLeader() ? 1 : 0)}),
         measurement});
  }
  if (const auto* d = QvDbRadialDimensionLarge::cast(&entity)) {
    return join({"\"largeradial\"", blockName,
                 points({d->center(), d->chordPoint(), d->overrideCenter(), d->jogPoint()}), text,
                 real(d->jogAngle()), measurement});
  }
  if (const auto* d = QvDb2LineAngularDimension::cast(&entity)) {
    return join({"\"angular2l\"", blockName,
                 points({d->xLine1Start(), d->xLine1End(), d->xLine2Start(), d->xLine2End(),
                         d->arcPoint()}),
                 text, measurement});
  }
  if (const auto* d = QvDbDiametricDimension::cast(&entity)) {
    return join({"\"diametric\"", blockName, points({d->chordPoint(), d->farChordPoint()}), text,
                 real(d->leaderLength()), measurement});
  }
  if (const auto* d = QvDbRadialDimension::cast(&entity)) {
    return join({"\"radial\"", blockName, points({d->center(), d->chordPoint()}), text,
                 real(d->leaderLength()), measurement});
  }
  if (const auto* d = QvDb3PointAngularDimension::cast(&entity)) {
    return join({"\"angular3p\"", blockName,
                 points({d->xLine1Point(), d->xLine2Point(), d->centerPoint(), d->arcPoint()}),
                 text, measurement});
  }
  if (const auto* d = QvDbOrdinateDimension::cast(&entity)) {
    return join({"\"ordinate\"", blockName,
                 points({d->origin(), d->definingPoint(), d->leaderEndPoint()}), text,
                 d->isUsingXAxis() ? "true" : "false", measurement});
  }
  const auto* rotated = QvDbRotatedDimension::cast(&entity);
  const auto* length = rotated ? static_cast<const QvDbLengthDimension*>(rotated)
                               : QvDbAlignedDimension::cast(&entity);
  if (!length) return "";
  return join({rotated ? "0" : "1", blockName, point(length->dimLinePoint()), text,
               point(length->xLine1Point()), point(length->xLine2Point()),
               rotated ? degrees(rotated->rotation()) : "0", measurement});
}

// What defines a dimension, leader or feature control frame, in the form ezdxf_probe.py's
// annotation_geometry gives; empty for other classes.
std::string annotationGeometry(const QvDbEntity& entity) {
  if (const std::string dimension = dimensionGeometry(entity); !dimension.empty()) return dimension;
  if (const auto* leader = QvDbLeader::cast(&entity)) {
    const std::string vertices =
        pointsOf(leader->numVertices(), [&](int i, QvGePoint3d& p) { leader->getVertexAt(i, p); });
    return join({vertices, json::text(leader->annotationObjId().handle().ascii()),
                 point(leader->normal())});
  }
  if (const auto* frame = QvDbFcf::cast(&entity)) {
    return join({json::text(frame->text()), point(frame->location()), point(frame->direction()),
                 point(frame->normal())});
  }
  return "";
}

// What defines an entity, in the form ezdxf_probe.py's geometry_of gives; empty for classes it
// does not describe.
std::string geometryOf(const QvDbEntity& entity) {
  if (const auto* line = QvDbLine::cast(&entity))
    return join({point(line->startPoint()), point(line->endPoint())});
  if (const auto* p = QvDbPoint::cast(&entity)) return join({point(p->position())});
  if (const auto* circle = QvDbCircle::cast(&entity))
    return join({point(circle->center()), real(circle->radius())});
  if (const auto* arc = QvDbArc::cast(&entity))
    return join({point(arc->center()), real(arc->radius()), degrees(arc->startAngle()),
                 degrees(arc->endAngle())});
  if (const auto* ellipse = QvDbEllipse::cast(&entity))
    return join({point(ellipse->center()), point(ellipse->majorAxis()),
                 real(ellipse->radiusRatio()), real(ellipse->startParam()),
                 real(ellipse->endParam())});
  // Left and baseline aligned text stands at its position, any other at its alignment point.
  if (const auto* text = QvDbText::cast(&entity))
    return join({json::text(text->textString()),
                 point(text->isDefaultAlignment() ? text->position() : text->alignmentPoint()),
                 real(text->height()), degrees(text->rotation())});
  if (const auto* mtext = QvDbMText::cast(&entity))
    return join(
        {json::text(mtext->contents()), point(mtext->location()), real(mtext->textHeight())});
  if (const auto* reference = QvDbBlockReference::cast(&entity)) {
    const QvGeScale3d scale = reference->scaleFactors();
    return join({point(reference->position()), real(scale.sx), real(scale.sy), real(scale.sz),
                 degrees(reference->rotation())});
  }
  if (const auto* polyline = QvDbPolyline::cast(&entity)) {
    std::vector<std::string> items;
    for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
      QvGePoint2d p;
      double start = 0, end = 0, bulge = 0;
      polyline->getPointAt(i, p);
      polyline->getWidthsAt(i, start, end);
      polyline->getBulgeAt(i, bulge);
      items.push_back(join({real(p.x), real(p.y), real(start), real(end), real(bulge)}));
    }
    items.push_back(polyline->isClosed() ? "true" : "false");
    return join(items);
  }
  if (QvDb2dPolyline::cast(&entity) || QvDb3dPolyline::cast(&entity)) {
    std::unique_ptr<QvDbObjectIterator> it(QvDb2dPolyline::cast(&entity)
                                               ? QvDb2dPolyline::cast(&entity)->vertexIterator()
                                               : QvDb3dPolyline::cast(&entity)->vertexIterator());
    std::vector<std::string> items;
    for (it->start(); !it->done(); it->step()) {
      QvDbObjectPointer<QvDbEntity> vertex(it->objectId(), QvDb::kForRead);
      if (const auto* v2 = QvDb2dVertex::cast(vertex.object()))
        items.push_back(point(v2->position()));
      if (const auto* v3 = QvDb3dPolylineVertex::cast(vertex.object()))
        items.push_back(point(v3->position()));
    }
    const auto* curve = QvDbCurve::cast(&entity);
    items.push_back(curve && curve->isClosed() ? "true" : "false");
    return join(items);
  }
  if (const auto* corners = QvDbSolid::cast(&entity)
                                ? static_cast<const QvDbCornerEntity*>(QvDbSolid::cast(&entity))
                                : static_cast<const QvDbCornerEntity*>(QvDbTrace::cast(&entity)))
    return pointsOf(4, [&](int i, QvGePoint3d& p) { corners->getPointAt(i, p); });
  if (const auto* face = QvDbFace::cast(&entity))
    return pointsOf(4, [&](int i, QvGePoint3d& p) { face->getVertexAt(i, p); });
  if (const auto* ray = QvDbRay::cast(&entity))
    return join({point(ray->basePoint()), point(ray->unitDir())});
  if (const auto* xline = QvDbXline::cast(&entity))
    return join({point(xline->basePoint()), point(xline->unitDir())});
  if (const std::string annotation = annotationGeometry(entity); !annotation.empty())
    return annotation;
  if (const auto* spline = QvDbSpline::cast(&entity))
    return join({std::to_string(spline->degree()),
                 pointsOf(spline->numControlPoints(),
                          [&](int i, QvGePoint3d& p) { spline->getControlPointAt(i, p); })});
  return "";
}

std::string typeOf(const QvDbObject& object) {
  if (const auto* proxy = QvDbProxyEntity::cast(&object)) return proxy->originalDxfName().utf8();
  return std::string(QvDxfFilerRegistry::instance().forObject(object.isA()).recordName());
}

std::string entitiesOf(const QvDbBlockTableRecord& block) {
  std::vector<std::string> entities;
  for (const QvDbObjectId& id : block.entityIds()) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) continue;
    std::string e =
        "{\"type\":" + json::text(typeOf(*entity)) +
        ",\"handle\":" + json::text(entity->handle().ascii()) +
        ",\"layer\":" + json::text(entity->layer().isEmpty() ? QvString(L"0") : entity->layer()) +
        ",\"color\":" + std::to_string(entity->colorIndex()) + ",\"linetype\":" +
        json::text(entity->linetypeId().isNull()
                       ? QvString(L"BYLAYER")
                       : QvDbSymbolTableRecord::nameOf(entity->linetypeId()).makeUpper());
    if (const std::string geometry = geometryOf(*entity); !geometry.empty())
      e += ",\"geometry\":" + geometry;
    if (const std::string xdata = xdataOf(*entity); !xdata.empty()) e += ",\"xdata\":" + xdata;
    if (const auto* reference = QvDbBlockReference::cast(entity.object())) {
      std::vector<std::string> attribs;
      std::unique_ptr<QvDbObjectIterator> it(reference->attributeIterator());
      for (it->start(); !it->done(); it->step()) {
        QvDbObjectPointer<QvDbAttribute> attribute(it->objectId(), QvDb::kForRead);
        if (attribute)
          attribs.push_back("{\"tag\":" + json::text(attribute->tag()) +
                            ",\"text\":" + json::text(attribute->textString()) +
                            ",\"handle\":" + json::text(attribute->handle().ascii()) + "}");
      }
      if (typeOf(*entity) == "INSERT")
        e += ",\"block\":" +
             json::text(QvDbSymbolTableRecord::nameOf(reference->blockTableRecord())) +
             ",\"attribs\":" + join(attribs);
    }
    entities.push_back(e + "}");
  }
  return join(entities);
}

}  // namespace

std::string describeAsJson(QvDbDatabase& db) {
  std::string layers;
  forEachRecord<QvDbLayerTableRecord>(db.layerTableId(), [&](const QvDbLayerTableRecord& layer) {
    const QvDbObjectId linetype = layer.linetypeObjectId();
    layers += std::string(layers.empty() ? "" : ",") + json::text(layer.name()) +
              ":{\"color\":" + std::to_string(layer.colorIndex()) +
              ",\"off\":" + (layer.isOff() ? "true" : "false") +
              ",\"frozen\":" + (layer.isFrozen() ? "true" : "false") +
              ",\"locked\":" + (layer.isLocked() ? "true" : "false") + ",\"linetype\":" +
              json::text(linetype.isNull() ? QvString(L"Continuous")
                                           : QvDbSymbolTableRecord::nameOf(linetype)) +
              "}";
  });
  std::vector<std::string> linetypes;
  forEachRecord<QvDbLinetypeTableRecord>(
      db.linetypeTableId(),
      [&](const QvDbLinetypeTableRecord& r) { linetypes.push_back(r.name().utf8()); });
  std::vector<std::string> appids;
  forEachRecord<QvDbRegAppTableRecord>(db.regAppTableId(), [&](const QvDbRegAppTableRecord& r) {
    appids.push_back(r.name().utf8());
  });
  auto list = [](std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    for (std::string& name : names) name = json::text(name);
    return join(names);
  };
  std::string blocks;
  forEachRecord<QvDbBlockTableRecord>(db.blockTableId(), [&](const QvDbBlockTableRecord& block) {
    blocks +=
        std::string(blocks.empty() ? "" : ",") + json::text(block.name()) + ":" + entitiesOf(block);
  });
  return "{\"layers\":{" + layers + "},\"linetypes\":" + list(linetypes) +
         ",\"appids\":" + list(appids) + ",\"blocks\":{" + blocks + "}}\n";
}

namespace {

bool isNumberStart(char c) {
  return (c >= '0' && c <= '9') || c == '-';
}

}  // namespace

::testing::AssertionResult sameDescription(const std::string& a, const std::string& b) {
  size_t i = 0;
  size_t j = 0;
  bool inString = false;
  while (i < a.size() && j < b.size()) {
    if (!inString && isNumberStart(a[i]) && isNumberStart(b[j])) {
      size_t endA = 0;
      size_t endB = 0;
      const double x = std::stod(a.substr(i, 40), &endA);
      const double y = std::stod(b.substr(j, 40), &endB);
      if (std::fabs(x - y) > 1e-9 * std::max(1.0, std::max(std::fabs(x), std::fabs(y))))
        return ::testing::AssertionFailure()
               << "numbers differ at " << i << ": " << x << " vs " << y << " in ..."
               << a.substr(i > 80 ? i - 80 : 0, 120);
      i += endA;
      j += endB;
      continue;
    }
    if (a[i] != b[j])
      return ::testing::AssertionFailure()
             << "texts differ at " << i << ": ..." << a.substr(i > 80 ? i - 80 : 0, 120)
             << " vs ..." << b.substr(j > 80 ? j - 80 : 0, 120);
    if (a[i] == '"' && (i == 0 || a[i - 1] != '\\')) inString = !inString;
    ++i;
    ++j;
  }
  if (i != a.size() || j != b.size()) return ::testing::AssertionFailure() << "lengths differ";
  return ::testing::AssertionSuccess();
}

namespace json {

std::string text(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += {'\\', c};
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof(buf), "\\u%04x", c);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string text(const QvString& text) {
  return json::text(text.utf8());
}

std::string real(double value) {
  return QvDxfNumber::realText(value);
}

std::string point(const QvGePoint3d& p) {
  return "[" + real(p.x) + "," + real(p.y) + "," + real(p.z) + "]";
}

std::string point(const QvGeVector3d& v) {
  return point(QvGePoint3d(v.x, v.y, v.z));
}

std::string item(const resbuf& rb) {
  std::string value = "null";
  switch (qvRbValueKind(rb.type)) {
    case QvRbKind::kString:
      value = text(QvString(rb.value.string));
      break;
    case QvRbKind::kReal:
      value = real(rb.value.real);
      break;
    case QvRbKind::kPoint:
      value = point(QvGePoint3d(rb.value.point[0], rb.value.point[1], rb.value.point[2]));
      break;
    case QvRbKind::kShort:
      value = std::to_string(rb.value.int16);
      break;
    case QvRbKind::kLong:
      value = std::to_string(rb.value.int32);
      break;
    case QvRbKind::kInt64:
      value = std::to_string(rb.value.int64);
      break;
    case QvRbKind::kName: {
      QvDbObjectId id;
      qvdbGetObjectId(id, rb.value.name);
      value = text(id.handle().ascii());
      break;
    }
    case QvRbKind::kBinary: {
      static const char kHex[] = "0123456789ABCDEF";
      std::string hex;
      for (int16_t i = 0; i < rb.value.binary.length; ++i) {
        const auto b = static_cast<unsigned char>(rb.value.binary.data[i]);
        hex += {kHex[b >> 4], kHex[b & 0xF]};
      }
      value = text(hex);
      break;
    }
    default:
      break;
  }
  return "[" + std::to_string(rb.type) + "," + value + "]";
}

std::string list(const resbuf* rb) {
  std::string out;
  for (; rb; rb = rb->next) out += (out.empty() ? "" : ",") + item(*rb);
  return "[" + out + "]";
}

}  // namespace json
