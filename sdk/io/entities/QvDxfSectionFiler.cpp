#include "sdk/db/QvDbSection.h"
#include "sdk/io/entities/QvDxfEntityClassFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kMarkers[] = {"AcDbEntity", "AcDbSection"};
constexpr QvDxfClassRecord kClass{"SECTIONOBJECT", "AcDbSection", "ObjectDBX Classes", 1025, true};

// The points of one code in order (x under code, y and z 10 and 20 above it).
QvGePoint3dArray readPoints(QvDxfObjectReader& in, int code) {
  QvGePoint3dArray points;
  while (in.has(code)) points.append(in.point(code, QvGePoint3d::kOrigin));
  return points;
}

// A section object: state (90), flags (91), name (1), vertical direction (10), top and bottom
// heights (40, 41), indicator transparency (70) and colour (63), the vertices (92 and as many
// 11) and the back line (93 and as many 12), in world coordinates. Vertices that make no
// section line refuse the record; what the class does not model (the true colour of the
// indicator, the geometry settings) is kept.
class SectionFiler : public QvDxfEntityFilerOf<QvDbSection> {
 public:
  std::string_view recordName() const override { return "SECTIONOBJECT"; }
  std::span<const std::string_view> subclassMarkers() const override { return kMarkers; }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kClass);
  }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& section = static_cast<QvDbSection&>(object);
    readCommon(in, section);
    in.select(2);
    const int64_t state = in.integer(90, QvDbSection::kPlane, 1, 4);
    check(in, section.setState(static_cast<QvDbSection::State>(state)),
          "the state (90) is none of 1, 2 and 4");
    section.setFlags(in.int32(91, 0));
    section.setName(in.text(1));
    const QvGeVector3d vertical = in.vector(10, QvGeVector3d::kZAxis);
    const double top = in.real(40, 0.0);
    const double bottom = in.real(41, 0.0);
    check(in, section.setHeights(bottom, top), "a height (40, 41) is negative");
    check(in, section.setIndicatorTransparency(static_cast<int>(in.integer(70, 70, 0, 100))),
          "the transparency (70) is outside 0 to 100");
    check(in, section.setIndicatorColorIndex(static_cast<int>(in.integer(63, 131, 0, 256))),
          "the colour (63) is outside 0 to 256");
    in.integer(92, 0, 0, INT32_MAX);
    const QvGePoint3dArray vertices = readPoints(in, 11);
    in.integer(93, 0, 0, INT32_MAX);
    const QvGePoint3dArray back = readPoints(in, 12);
    check(in, section.setSectionLine(vertices, vertical),
          "the vertices (11) and vertical direction (10) make no section line");
    check(in, section.setBackLine(back), "a back line point (12) is not finite");
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& section = static_cast<const QvDbSection&>(object);
    beginEntity(out, section);
    out.subclass(2);
    out.integer(90, section.state());
    out.integer(91, section.flags());
    out.text(1, section.name());
    out.vector(10, section.verticalDirection());
    out.real(40, section.topHeight());
    out.real(41, section.bottomHeight());
    out.integer(70, section.indicatorTransparency());
    out.integer(63, section.indicatorColorIndex());
    const QvGePoint3dArray vertices = section.vertices();
    out.integer(92, vertices.length());
    for (const QvGePoint3d& p : vertices) out.point(11, p);
    const QvGePoint3dArray back = section.backLine();
    out.integer(93, back.length());
    for (const QvGePoint3d& p : back) out.point(12, p);
    out.end();
  }
};

}  // namespace

QvDxfFilerPtr qvDxfSectionFiler() {
  return std::make_unique<SectionFiler>();
}
