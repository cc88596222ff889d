#include "sdk/render/QvGiSvgCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <ostream>

#include "sdk/ge/QvGePrecision.h"

namespace {

using Point = QvGiSvgCanvas::Point;

constexpr double kTurn = 2.0 * std::numbers::pi;
// Capital letters take about this part of the font size.
constexpr double kCapitalShare = 0.7;
// Text is measured for the box as this many font sizes per character.
constexpr double kCharacterWidth = 0.6;

// Values below this are the noise of sines and cosines (an arc ending on an axis).
constexpr double kNoise = 1e-12;

// A number as SVG writes it: up to ten significant digits; noise is written as 0.
std::string number(double value) {
  if (!std::isfinite(value) || std::fabs(value) < kNoise) value = 0.0;
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// A point in the picture's own coordinates: y turned over.
std::string pagePoint(const Point& p) {
  return number(p[0]) + "," + number(-p[1]);
}

std::string colorText(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", static_cast<unsigned>(rgb & 0xFFFFFF));
  return text;
}

// Text for XML content and attribute values. Characters XML does not allow are left out.
std::string escaped(const QvString& text) {
  std::string out;
  for (const char c : text.utf8()) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') break;
        out += c;
    }
  }
  return out;
}

std::string pointList(const std::vector<Point>& points) {
  std::string list;
  for (size_t i = 0; i < points.size(); ++i) {
    if (i) list += ' ';
    list += pagePoint(points[i]);
  }
  return list;
}

Point at(const Point& center, double radius, double angle) {
  return {center[0] + radius * std::cos(angle), center[1] + radius * std::sin(angle)};
}

// The part of the line p + t d inside the box (t >= 0 for a ray); false when it misses.
bool clip(const Point& p, const Point& d, bool ray, const std::array<double, 4>& box, Point& from,
          Point& to) {
  double t0 = ray ? 0.0 : -HUGE_VAL;
  double t1 = HUGE_VAL;
  for (int axis = 0; axis < 2; ++axis) {
    const double lo = box[static_cast<size_t>(axis)];
    const double hi = box[static_cast<size_t>(axis + 2)];
    const double s = p[static_cast<size_t>(axis)];
    const double v = d[static_cast<size_t>(axis)];
    if (v == 0.0) {
      if (s < lo || s > hi) return false;
      continue;
    }
    double a = (lo - s) / v;
    double b = (hi - s) / v;
    if (a > b) std::swap(a, b);
    t0 = std::max(t0, a);
    t1 = std::min(t1, b);
  }
  if (!(t0 < t1) || !std::isfinite(t0) || !std::isfinite(t1)) return false;
  from = {p[0] + t0 * d[0], p[1] + t0 * d[1]};
  to = {p[0] + t1 * d[0], p[1] + t1 * d[1]};
  return true;
}

}  // namespace

void QvGiSvgCanvas::beginGroup(const QvString& handle, const QvString& layer) {
  Item item;
  item.kind = Item::kOpenGroup;
  item.element =
      "<g data-handle=\"" + escaped(handle) + "\" data-layer=\"" + escaped(layer) + "\">";
  items_.push_back(std::move(item));
  ++openGroups_;
}

void QvGiSvgCanvas::endGroup() {
  if (openGroups_ == 0) return;
  --openGroups_;
  // A group that received nothing is dropped.
  if (!items_.empty() && items_.back().kind == Item::kOpenGroup) {
    items_.pop_back();
    return;
  }
  Item item;
  item.kind = Item::kCloseGroup;
  items_.push_back(std::move(item));
}

void QvGiSvgCanvas::add(std::string element, std::string attributes, uint32_t rgb, Paint paint,
                        std::string content) {
  Item item;
  item.element = std::move(element);
  item.attributes = std::move(attributes);
  item.content = std::move(content);
  item.rgb = rgb;
  item.paint = paint;
  items_.push_back(std::move(item));
}

void QvGiSvgCanvas::grow(const Point& p) {
  if (!std::isfinite(p[0]) || !std::isfinite(p[1])) return;
  if (!hasBounds_) {
    box_ = {p[0], p[1], p[0], p[1]};
    hasBounds_ = true;
    return;
  }
  box_[0] = std::min(box_[0], p[0]);
  box_[1] = std::min(box_[1], p[1]);
  box_[2] = std::max(box_[2], p[0]);
  box_[3] = std::max(box_[3], p[1]);
}

void QvGiSvgCanvas::polyline(const std::vector<Point>& points, bool closed, uint32_t rgb) {
  if (points.empty()) return;
  for (const Point& p : points) grow(p);
  if (points.size() == 1) {
    // A dot: a segment of no length, drawn with round caps.
    add("path", " d=\"M" + pagePoint(points[0]) + "h0\"", rgb);
    return;
  }
  add(closed ? "polygon" : "polyline", " points=\"" + pointList(points) + "\"", rgb);
}

void QvGiSvgCanvas::polygon(const std::vector<Point>& points, uint32_t rgb) {
  if (points.size() < 3) return polyline(points, false, rgb);
  for (const Point& p : points) grow(p);
  add("polygon", " points=\"" + pointList(points) + "\"", rgb, Paint::kFillAndStroke);
}

void QvGiSvgCanvas::polygons(const std::vector<std::vector<Point>>& rings, uint32_t rgb) {
  std::string path;
  for (const std::vector<Point>& ring : rings) {
    if (ring.size() < 3) continue;
    for (size_t i = 0; i < ring.size(); ++i) {
      grow(ring[i]);
      path += (i == 0 ? 'M' : 'L') + pagePoint(ring[i]);
    }
    path += 'Z';
  }
  if (path.empty()) return;
  add("path", " d=\"" + path + "\" fill-rule=\"evenodd\"", rgb, Paint::kFill);
}

void QvGiSvgCanvas::circle(const Point& center, double radius, uint32_t rgb) {
  radius = std::fabs(radius);
  grow({center[0] - radius, center[1] - radius});
  grow({center[0] + radius, center[1] + radius});
  add("circle",
      " cx=\"" + number(center[0]) + "\" cy=\"" + number(-center[1]) + "\" r=\"" + number(radius) +
          "\"",
      rgb);
}

void QvGiSvgCanvas::arc(const Point& center, double radius, double startAngle, double sweep,
                        uint32_t rgb) {
  radius = std::fabs(radius);
  if (std::fabs(sweep) >= kTurn - QvGePrecision::kRoundoff) return circle(center, radius, rgb);
  if (sweep == 0.0) return;
  const double endAngle = startAngle + sweep;
  const Point start = at(center, radius, startAngle);
  const Point end = at(center, radius, endAngle);
  grow(start);
  grow(end);
  // The arc reaches across an axis of its circle wherever a quarter turn lies inside it.
  const double lo = std::min(startAngle, endAngle);
  const double hi = std::max(startAngle, endAngle);
  for (double k = std::ceil(lo / (kTurn / 4)); k * kTurn / 4 <= hi; k += 1.0)
    grow(at(center, radius, k * kTurn / 4));
  // Turned over for the picture, a counterclockwise arc runs against SVG's positive angles.
  add("path",
      " d=\"M" + pagePoint(start) + "A" + number(radius) + "," + number(radius) + " 0 " +
          (std::fabs(sweep) > std::numbers::pi ? "1" : "0") + "," + (sweep > 0 ? "0" : "1") + " " +
          pagePoint(end) + "\"",
      rgb);
}

void QvGiSvgCanvas::text(const Point& position, const Point& direction, const Point& up,
                         double height, double widthFactor, const QvString& text, uint32_t rgb) {
  if (text.isEmpty() || !(height > 0.0)) return;
  const double width = kCharacterWidth * height / kCapitalShare * widthFactor * text.length();
  grow(position);
  grow({position[0] + direction[0] * width, position[1] + direction[1] * width});
  grow({position[0] + up[0] * height, position[1] + up[1] * height});
  grow({position[0] + direction[0] * width + up[0] * height,
        position[1] + direction[1] * width + up[1] * height});
  // Letters are laid out along x with y down: the matrix takes them onto the baseline, the
  // y axis of the letters onto the downward side of `up`, all turned over.
  const std::string matrix = number(direction[0] * widthFactor) + " " +
                             number(-direction[1] * widthFactor) + " " + number(-up[0]) + " " +
                             number(up[1]) + " " + number(position[0]) + " " + number(-position[1]);
  add("text",
      " transform=\"matrix(" + matrix + ")\" font-size=\"" + number(height / kCapitalShare) + "\"",
      rgb, Paint::kFill, escaped(text));
}

void QvGiSvgCanvas::infiniteLine(const Point& point, const Point& direction, bool ray,
                                 uint32_t rgb) {
  if (direction[0] == 0.0 && direction[1] == 0.0) return;
  Item item;
  item.kind = Item::kInfinite;
  item.rgb = rgb;
  item.point = point;
  item.direction = direction;
  item.ray = ray;
  items_.push_back(std::move(item));
}

bool QvGiSvgCanvas::bounds(std::array<double, 4>& box) const {
  if (!hasBounds_) return false;
  box = box_;
  return true;
}

bool QvGiSvgCanvas::fit(int pixelWidth, int pixelHeight, View& view) const {
  if (!hasBounds_) return false;
  pixelWidth = std::max(1, pixelWidth);
  pixelHeight = std::max(1, pixelHeight);
  double w = box_[2] - box_[0];
  double h = box_[3] - box_[1];
  const double cx = (box_[0] + box_[2]) / 2;
  const double cy = (box_[1] + box_[3]) / 2;
  if (w <= 0 && h <= 0) w = h = 1.0;  // a single point: a unit around it
  w *= 1.1;
  h *= 1.1;
  // A line along an axis gets its height or width this way.
  const double pixels = static_cast<double>(pixelWidth) / pixelHeight;
  if (h <= 0 || w / h >= pixels)
    h = w / pixels;
  else
    w = h * pixels;
  view.box = {cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
  view.pixelWidth = pixelWidth;
  view.pixelHeight = pixelHeight;
  return true;
}

void QvGiSvgCanvas::write(std::ostream& out, const QvString& title, const View* view) const {
  // The box with a margin of 5 percent of its larger side (a unit around a single point).
  std::array<double, 4> box{0, 0, 100, 100};
  if (view) {
    box = view->box;
  } else if (hasBounds_) {
    box = box_;
    const double size = std::max(box[2] - box[0], box[3] - box[1]);
    const double margin = size > 0.0 ? 0.05 * size : 1.0;
    box = {box[0] - margin, box[1] - margin, box[2] + margin, box[3] + margin};
  }
  const double width = box[2] - box[0];
  const double height = box[3] - box[1];
  const double stroke = view ? std::max(width / std::max(1, view->pixelWidth),
                                        height / std::max(1, view->pixelHeight))
                             : std::max(width, height) / 1000.0;
  const double scale = 1200.0 / std::max(width, height);
  const double pixelWidth = view ? view->pixelWidth : std::round(width * scale);
  const double pixelHeight = view ? view->pixelHeight : std::round(height * scale);

  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" viewBox=\"" << number(box[0])
      << " " << number(-box[3]) << " " << number(width) << " " << number(height) << "\" width=\""
      << number(pixelWidth) << "\" height=\"" << number(pixelHeight) << "\""
      << (view ? " preserveAspectRatio=\"none\"" : "") << ">\n"
      << "<title>" << escaped(title) << "</title>\n"
      << "<rect x=\"" << number(box[0]) << "\" y=\"" << number(-box[3]) << "\" width=\""
      << number(width) << "\" height=\"" << number(height) << "\" fill=\"#ffffff\"/>\n"
      << "<g fill=\"none\" stroke-width=\"" << number(stroke)
      << "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" font-family=\"sans-serif\">\n";
  int depth = 0;
  for (const Item& item : items_) {
    switch (item.kind) {
      case Item::kOpenGroup:
        out << item.element << '\n';
        ++depth;
        break;
      case Item::kCloseGroup:
        out << "</g>\n";
        --depth;
        break;
      case Item::kInfinite: {
        Point from{}, to{};
        if (clip(item.point, item.direction, item.ray, box, from, to))
          out << "<line x1=\"" << number(from[0]) << "\" y1=\"" << number(-from[1]) << "\" x2=\""
              << number(to[0]) << "\" y2=\"" << number(-to[1]) << "\" stroke=\""
              << colorText(item.rgb) << "\"/>\n";
        break;
      }
      case Item::kElement: {
        const std::string color = colorText(item.rgb);
        out << '<' << item.element << item.attributes;
        if (item.paint != Paint::kStroke) out << " fill=\"" << color << '"';
        if (item.paint != Paint::kFill) out << " stroke=\"" << color << '"';
        if (item.content.empty())
          out << "/>\n";
        else
          out << '>' << item.content << "</" << item.element << ">\n";
        break;
      }
    }
  }
  for (; depth > 0; --depth) out << "</g>\n";  // groups left open
  out << "</g>\n</svg>\n";
}
