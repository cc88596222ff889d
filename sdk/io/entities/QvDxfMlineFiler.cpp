#include <cmath>
#include <vector>

#include "sdk/db/QvDbMline.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbMline"};

// The style name read, written back in its place.
constexpr uint16_t kStyleNameSlot = QvDxfSlot::kFirstCustom;

// MLINE flags (71).
constexpr int64_t kHasVertices = 1;
constexpr int64_t kClosed = 2;
constexpr int64_t kSuppressStart = 4;
constexpr int64_t kSuppressEnd = 8;

constexpr int kMaxElements = 16;

// The vertices as the groups give them: position (11), segment direction (12), miter (13),
// and per element its parameters (74 and as many 41) and fill parameters (75 and 42s).
std::vector<QvDbMline::VertexData> readVertices(QvDxfObjectReader& in, int elements) {
  std::vector<QvDbMline::VertexData> vertices;
  QvDbMline::VertexData* v = nullptr;
  int element = -1;
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    const int code = in.code(i);
    const int axis =
        code >= 11 && code <= 33 && code % 10 >= 1 && code % 10 <= 3 ? code / 10 - 1 : -1;
    if (code == 11) {
      vertices.emplace_back();
      v = &vertices.back();
      v->params.assign(elements, QvGeDoubleArray());
      v->fillParams.assign(elements, QvGeDoubleArray());
      element = -1;
    }
    if (!v) continue;
    if (axis >= 0) {
      const double value = in.realAt(i);
      switch (code % 10) {
        case 1:
          v->position[axis] = value;
          break;
        case 2:
          v->direction[axis] = value;
          break;
        default:
          v->miter[axis] = value;
          break;
      }
    } else if (code == 74) {
      in.integerAt(i, 0, 1000);
      if (++element >= elements)
        in.fail(i, QvDxfDiagnostic::kRefusedValue,
                "the MLINE has more element parameters (74) than "
                "elements (73)");
    } else if (code == 41 || code == 42) {
      if (element < 0)
        in.fail(i, QvDxfDiagnostic::kRefusedValue,
                "an MLINE parameter comes before its count (74)");
      const double value = in.realAt(i);
      (code == 41 ? v->params : v->fillParams)[element].append(value);
    } else if (code == 75) {
      in.integerAt(i, 0, 1000);
    }
  }
  return vertices;
}

// A multiline: style name (2) and style (340), scale (40), justification (70), flags (71:
// closed, start and end caps suppressed), vertex and element counts (72, 73), the first vertex
// (10), the normal (210), then the vertices. Each vertex's data are read as written; the
// elements' offsets are worked out from the first vertex's parameters.
class MlineFiler : public QvDxfEntityFilerOf<QvDbMline> {
 public:
  std::string_view recordName() const override { return "MLINE"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& mline = static_cast<QvDbMline&>(object);
    readCommon(in, mline);
    in.select(2);
    if (const size_t at = in.find(2); at != QvDxfObjectReader::npos) {
      in.release(at);
      in.setSlot(at, kStyleNameSlot);
    }
    const QvDbObjectId styleId = in.pointer(340);
    check(in, mline.setScale(in.real(40, 1.0)), "the scale (40) is 0");
    const int64_t justification = in.integer(70, QvDbMline::kTop, 0, 2);
    const int64_t flags =
        in.flags(71, kHasVertices, kHasVertices | kClosed | kSuppressStart | kSuppressEnd);
    in.integer(72, 0, 0, INT32_MAX);
    const int elements = static_cast<int>(in.integer(73, 2, 1, kMaxElements));
    in.point(10, QvGePoint3d::kOrigin);
    mline.setNormal(readNormal(in));
    mline.setJustification(static_cast<QvDbMline::Justification>(justification));
    mline.setClosedMline((flags & kClosed) != 0);
    mline.setSupressStartCaps((flags & kSuppressStart) != 0);
    mline.setSupressEndCaps((flags & kSuppressEnd) != 0);

    const std::vector<QvDbMline::VertexData> vertices = readVertices(in, elements);
    // The offsets that put the elements where the first vertex has them.
    QvGeDoubleArray offsets;
    for (int e = 0; e < elements; ++e) {
      double offset = 0.5 - e;
      if (!vertices.empty() && !vertices.front().params[e].isEmpty()) {
        const QvDbMline::VertexData& v = vertices.front();
        const QvGeVector3d side = mline.normal().crossProduct(v.direction);
        const double cosine = v.miter.dotProduct(side);
        offset = v.params[e].first() * (std::fabs(cosine) > 1e-9 ? cosine : 1.0) / mline.scale();
      }
      offsets.append(offset);
    }
    check(in, mline.setStyle(styleId, offsets), "the element parameters (41) are not finite");
    check(in, mline.setVertexData(vertices), "the vertices (11, 12, 13, 41) are not finite");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& mline = static_cast<const QvDbMline&>(object);
    beginEntity(out, mline);
    out.subclass(2);
    if (out.hasKept(kStyleNameSlot)) {
      out.keptGroups(kStyleNameSlot);
    } else {
      out.text(2, L"Standard");
    }
    if (!mline.style().isNull()) out.pointer(340, mline.style());
    out.real(40, mline.scale());
    out.integer(70, mline.justification());
    const int count = mline.numVertices();
    out.flags(71, (count > 0 ? kHasVertices : 0) | (mline.closedMline() ? kClosed : 0) |
                      (mline.supressStartCaps() ? kSuppressStart : 0) |
                      (mline.supressEndCaps() ? kSuppressEnd : 0));
    out.integer(72, count);
    out.integer(73, mline.numElements());
    QvGePoint3d first;
    mline.vertexAt(0, first);
    out.point(10, first);
    writeNormal(out, mline.normal());
    for (int k = 0; k < count; ++k) {
      QvDbMline::VertexData v;
      mline.getVertexData(k, v);
      out.point(11, v.position);
      out.vector(12, v.direction);
      out.vector(13, v.miter);
      for (int e = 0; e < mline.numElements(); ++e) {
        out.integer(74, v.params[e].length());
        for (const double p : v.params[e]) out.real(41, p);
        out.integer(75, v.fillParams[e].length());
        for (const double p : v.fillParams[e]) out.real(42, p);
      }
    }
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfMlineFiler() {
  return std::make_unique<MlineFiler>();
}
