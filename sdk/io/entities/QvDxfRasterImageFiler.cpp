#include <cmath>
#include <string>
#include <vector>

#include "sdk/db/QvDbRasterImage.h"
#include "sdk/db/QvDbWipeout.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/io/entities/QvDxfEntityFiler.h"

namespace {

constexpr std::string_view kImageMarkers[] = {"AcDbEntity", "AcDbRasterImage"};
constexpr std::string_view kWipeoutMarkers[] = {"AcDbEntity", "AcDbWipeout"};
constexpr QvDxfClassRecord kImageClass{"IMAGE", "AcDbRasterImage", "ISM", 2175, true};
constexpr QvDxfClassRecord kWipeoutClass{"WIPEOUT", "AcDbWipeout", "WipeOut", 127, true};

// Display flags (70): show, show when not aligned, use the clip boundary, transparent.
constexpr int64_t kShow = 1;
constexpr int64_t kShowUnaligned = 2;
constexpr int64_t kUseClipBoundary = 4;

// Places of their own for groups kept where they were read: the version (90) before the
// insertion point, the brightness, contrast, fade and reactor (281 to 283, 360) after the
// clipping state, a boundary read while clipping was off, and the boundary texts as read.
constexpr uint16_t kVersionSlot = QvDxfSlot::kFirstCustom;
constexpr uint16_t kDisplaySlot = QvDxfSlot::kFirstCustom + 1;
constexpr uint16_t kUnclippedSlot = QvDxfSlot::kFirstCustom + 2;
constexpr uint16_t kBoundaryTextSlot = QvDxfSlot::kFirstCustom + 3;

// Clip boundaries in files are in pixels with the origin at the centre of the upper left pixel
// and y going down (against v); the database counts from the lower left corner with y along v.
QvGePoint2d fileToPixel(double x, double y, double height) {
  return QvGePoint2d(x + 0.5, height - y - 0.5);
}

// A value to write that `readBack` turns into `target` exactly, found among the neighbours of
// `guess` (the arithmetic of a conversion and of its inverse may round apart); else the guess.
template <class ReadBack>
double invertExactly(double guess, double target, ReadBack readBack) {
  if (readBack(guess) == target) return guess;
  double up = guess;
  double down = guess;
  for (int step = 0; step < 8; ++step) {
    up = std::nextafter(up, HUGE_VAL);
    if (readBack(up) == target) return up;
    down = std::nextafter(down, -HUGE_VAL);
    if (readBack(down) == target) return down;
  }
  return guess;
}

QvGePoint2d pixelToFile(const QvGePoint2d& p, double height) {
  const double x = invertExactly(p.x - 0.5, p.x, [](double f) { return f + 0.5; });
  const double y =
      invertExactly(height - p.y - 0.5, p.y, [height](double f) { return height - f - 0.5; });
  return QvGePoint2d(x, y);
}

bool sameExactly(const QvGePoint2d& a, const QvGePoint2d& b) {
  return a.x == b.x && a.y == b.y;
}

struct BoundaryRead {
  int64_t type = 1;
  std::vector<QvGePoint2d> points;  // as in the file
  std::vector<size_t> vertexAt;     // the index of each point's x (14)
  std::vector<size_t> indices;      // of every group read
};

BoundaryRead readBoundary(QvDxfObjectReader& in) {
  BoundaryRead b;
  for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
    const int code = in.code(i);
    if (code == 71) {
      b.type = in.integerAt(i, INT16_MIN, INT16_MAX);
      b.indices.push_back(i);
    } else if (code == 91) {
      in.integerAt(i, 0, INT32_MAX);  // the count, taken from the points
      b.indices.push_back(i);
    } else if (code == 14) {
      const double x = in.realAt(i);
      if (i + 1 >= in.endIndex() || in.code(i + 1) != 24)
        in.fail(i, QvDxfDiagnostic::kMissingGroup,
                "the clip boundary vertex is not followed by its y (24)");
      b.points.emplace_back(x, in.realAt(i + 1));
      b.vertexAt.push_back(i);
      b.indices.push_back(i);
      b.indices.push_back(i + 1);
      ++i;
    }
  }
  return b;
}

// The vector of one pixel from the vector of the whole image, as written: read back (times the
// pixels) it gives the whole vector again.
QvGeVector3d perPixel(const QvGeVector3d& whole, double pixels) {
  auto one = [pixels](double w) {
    return invertExactly(w / pixels, w, [pixels](double f) { return f * pixels; });
  };
  return QvGeVector3d(one(whole.x), one(whole.y), one(whole.z));
}

// A raster image (IMAGE) or a wipeout (WIPEOUT), which files alike: insertion point (10), the
// vectors of one pixel along the bottom (11) and the left side (12), the size in pixels (13),
// the definition (340), display flags (70), clipping state (280) and the clip boundary: its
// type (71: rectangle, polygon), count (91) and vertices (14). Brightness, contrast, fade, the
// definition's reactor and the clip mode are kept as read.
template <class Image>
class RasterImageFiler : public QvDxfEntityFilerOf<Image> {
 public:
  RasterImageFiler(std::string_view recordName, std::span<const std::string_view> markers,
                   const QvDxfClassRecord& classRecord, int64_t defaultDisplay)
      : recordName_(recordName),
        markers_(markers),
        classRecord_(classRecord),
        defaultDisplay_(defaultDisplay) {}

  std::string_view recordName() const override { return recordName_; }
  std::span<const std::string_view> subclassMarkers() const override { return markers_; }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& image = static_cast<QvDbRasterImage&>(object);
    this->readCommon(in, image);
    in.select(2);
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      const int code = in.code(i);
      if (code == 10) break;
      if (code == 90) in.setSlot(i, kVersionSlot);
    }
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      const int code = in.code(i);
      if (code == 281 || code == 282 || code == 283 || code == 360) in.setSlot(i, kDisplaySlot);
    }

    const QvGePoint3d origin = in.point(10, QvGePoint3d::kOrigin);
    const size_t sizeAt = in.find(13);
    if (sizeAt != QvDxfObjectReader::npos) in.release(sizeAt);
    const QvGePoint3d size = in.point(13, QvGePoint3d(1.0, 1.0, 0.0));
    QvDxfEntityFiler::check(in, image.setImageSize(size.x, size.y),
                            "the image size (13) must be positive");
    const size_t uAt = in.find(11);
    if (uAt != QvDxfObjectReader::npos) in.release(uAt);
    const QvGeVector3d uPixel = in.vector(11, QvGeVector3d::kXAxis);
    const size_t vAt = in.find(12);
    if (vAt != QvDxfObjectReader::npos) in.release(vAt);
    const QvGeVector3d vPixel = in.vector(12, QvGeVector3d::kYAxis);
    const QvGeVector3d u = uPixel * size.x;
    const QvGeVector3d v = vPixel * size.y;
    QvDxfEntityFiler::check(in, image.setOrientation(origin, u, v),
                            "the pixel vectors (11, 12) are zero or parallel");
    const QvGeVector3d uAgain = perPixel(u, size.x);
    const QvGeVector3d vAgain = perPixel(v, size.y);
    const double uNow[3] = {uAgain.x, uAgain.y, uAgain.z};
    const double vNow[3] = {vAgain.x, vAgain.y, vAgain.z};
    QvDxfEntityFiler::keepDerived(in, uAt, 3, uNow);
    QvDxfEntityFiler::keepDerived(in, vAt, 3, vNow);

    QvDxfEntityFiler::check(in, image.setImageDefId(in.pointer(340)),
                            "the image definition (340) is of another drawing");
    const size_t displayAt = in.find(70);
    const int64_t display =
        displayAt == QvDxfObjectReader::npos ? defaultDisplay_ : in.integerAt(displayAt, 0, 0xFFFF);
    in.keep(70, QvDxfSlot::kMerged, std::to_string(display & ~kUseClipBoundary));
    const bool clipped = in.integer(280, 0, 0, 1) == 1;

    BoundaryRead boundary = readBoundary(in);
    if (!clipped) {
      // Kept as read unless it is the whole image, which is written again anyway.
      const std::vector<QvGePoint2d> whole{QvGePoint2d(-0.5, -0.5),
                                           QvGePoint2d(size.x - 0.5, size.y - 0.5)};
      const bool isWhole = boundary.type == 1 && boundary.points.size() == 2 &&
                           sameExactly(boundary.points[0], whole[0]) &&
                           sameExactly(boundary.points[1], whole[1]);
      if (!isWhole)
        for (const size_t i : boundary.indices) {
          in.release(i);
          in.setSlot(i, kUnclippedSlot);
        }
      return;
    }
    if (boundary.type != 1 && boundary.type != 2)
      in.failObject(QvDxfDiagnostic::kRefusedValue, "the clip boundary type (71) must be 1 or 2");
    QvGePoint2dArray pixels;
    for (const QvGePoint2d& p : boundary.points) pixels.append(fileToPixel(p.x, p.y, size.y));
    QvDxfEntityFiler::check(
        in,
        image.setClipBoundary(boundary.type == 1 ? QvDbRasterImage::kRect : QvDbRasterImage::kPoly,
                              pixels),
        "the clip boundary (14) needs two corners or three vertices or more");
    for (size_t k = 0; k < boundary.points.size(); ++k) {
      in.keep(14, kBoundaryTextSlot, std::string(in.value(boundary.vertexAt[k])));
      in.keep(24, kBoundaryTextSlot, std::string(in.value(boundary.vertexAt[k] + 1)));
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& image = static_cast<const QvDbRasterImage&>(object);
    this->beginEntity(out, image);
    out.subclass(2);
    if (out.hasKept(kVersionSlot)) {
      out.keptGroups(kVersionSlot);
    } else {
      out.integer(90, 0);
    }
    QvGePoint3d origin;
    QvGeVector3d u;
    QvGeVector3d v;
    image.getOrientation(origin, u, v);
    const QvGeVector2d size = image.imageSize();
    out.point(10, origin);
    const QvGeVector3d uPixel = perPixel(u, size.x);
    const QvGeVector3d vPixel = perPixel(v, size.y);
    const double uNow[3] = {uPixel.x, uPixel.y, uPixel.z};
    const double vNow[3] = {vPixel.x, vPixel.y, vPixel.z};
    QvDxfEntityFiler::writeDerived(out, 11, 3, uNow);
    QvDxfEntityFiler::writeDerived(out, 12, 3, vNow);
    out.point(13, QvGePoint3d(size.x, size.y, 0.0), false);
    out.pointer(340, image.imageDefId());
    const bool clipped = image.isClipped();
    const int64_t clipBit = clipped ? kUseClipBoundary : 0;
    if (out.hasKept(QvDxfSlot::kMerged, 70)) {
      out.flags(70, clipBit);
    } else {
      out.integer(70, defaultDisplay_ | clipBit);
    }
    out.integer(280, clipped ? 1 : 0);
    if (out.hasKept(kDisplaySlot)) {
      out.keptGroups(kDisplaySlot);
    } else {
      out.integer(281, 50);
      out.integer(282, 50);
      out.integer(283, 0);
    }
    if (!clipped) {
      if (out.hasKept(kUnclippedSlot)) {
        out.keptGroups(kUnclippedSlot);
      } else {
        out.integer(71, 1);
        out.integer(91, 2);
        writeVertex(out, QvGePoint2d(-0.5, -0.5), {}, {});
        writeVertex(out, QvGePoint2d(size.x - 0.5, size.y - 0.5), {}, {});
      }
    } else {
      writeBoundary(out, image, size.y);
    }
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(classRecord_);
  }

 private:
  static void writeVertex(QvDxfObjectWriter& out, const QvGePoint2d& p, std::string_view xText,
                          std::string_view yText) {
    if (xText.empty()) {
      out.real(14, p.x);
    } else {
      out.raw(14, xText);
    }
    if (yText.empty()) {
      out.real(24, p.y);
    } else {
      out.raw(24, yText);
    }
  }

  // The boundary in file pixels; a polygon closed by its first vertex again. A vertex read is
  // written with the texts read while they still give the same pixel.
  static void writeBoundary(QvDxfObjectWriter& out, const QvDbRasterImage& image, double height) {
    std::vector<std::string_view> xs;
    std::vector<std::string_view> ys;
    const QvDbFileGroups& kept = out.kept();
    for (int i = 0; i < kept.length(); ++i) {
      const QvDbFileGroup& g = kept.at(i);
      if (g.slot != kBoundaryTextSlot) continue;
      (g.code == 14 ? xs : ys).push_back(g.text);
    }
    const bool rect = image.clipBoundaryType() == QvDbRasterImage::kRect;
    QvGePoint2dArray points = image.clipBoundary();
    if (!rect) points.append(points.first());
    out.integer(71, rect ? 1 : 2);
    out.integer(91, points.length());
    for (int k = 0; k < points.length(); ++k) {
      const auto at = static_cast<size_t>(k);
      std::string_view xText;
      std::string_view yText;
      double x = 0.0;
      double y = 0.0;
      if (at < xs.size() && at < ys.size() && QvDxfNumber::parseReal(xs[at], x) &&
          QvDxfNumber::parseReal(ys[at], y) && sameExactly(fileToPixel(x, y, height), points[k])) {
        xText = xs[at];
        yText = ys[at];
      }
      writeVertex(out, pixelToFile(points[k], height), xText, yText);
    }
  }

  std::string_view recordName_;
  std::span<const std::string_view> markers_;
  QvDxfClassRecord classRecord_;
  int64_t defaultDisplay_;
};

}  // namespace

QvDxfFilerPtr qvDxfRasterImageFiler() {
  return std::make_unique<RasterImageFiler<QvDbRasterImage>>("IMAGE", kImageMarkers, kImageClass,
                                                             kShow | kShowUnaligned);
}

QvDxfFilerPtr qvDxfWipeoutFiler() {
  return std::make_unique<RasterImageFiler<QvDbWipeout>>("WIPEOUT", kWipeoutMarkers, kWipeoutClass,
                                                         kShow | kShowUnaligned);
}
