#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "sdk/base/QvString.h"

// A plan-view picture being made: shapes in drawing coordinates (x to the right, y up) with
// their colours (0xRRGGBB), kept in drawing order and grouped per entity, then written as one
// SVG document. The document's viewBox is the box of the bounded shapes with a margin; the y
// axis is turned over when written, so the picture shows y up. Unbounded lines (rays and
// construction lines) are cut to that box.
class QvGiSvgCanvas {
 public:
  using Point = std::array<double, 2>;

  // Shapes that follow belong to the entity of `handle` on `layer`, until endGroup. Groups nest
  // (a block reference holds its block's entities).
  void beginGroup(const QvString& handle, const QvString& layer);
  void endGroup();

  // Straight segments through the points; `closed` joins the last to the first. A single point
  // is a dot.
  void polyline(const std::vector<Point>& points, bool closed, uint32_t rgb);
  // A filled polygon.
  void polygon(const std::vector<Point>& points, uint32_t rgb);
  // An area bounded by closed polygons, filled even-odd (holes and islands), not stroked.
  void polygons(const std::vector<std::vector<Point>>& rings, uint32_t rgb);
  void circle(const Point& center, double radius, uint32_t rgb);
  // The arc of a circle from `startAngle` (radians from the x axis) through `sweep` radians,
  // counterclockwise when `sweep` is positive.
  void arc(const Point& center, double radius, double startAngle, double sweep, uint32_t rgb);
  // One line of text: its baseline starts at `position` and runs along `direction` (a unit
  // vector); `up` is the unit vector from the baseline towards the tops of the letters (not
  // always at right angles: slanted text); `height` is the height of capitals.
  void text(const Point& position, const Point& direction, const Point& up, double height,
            double widthFactor, const QvString& text, uint32_t rgb);
  // A line through `point` along `direction`, both ways or, for a ray, forward only.
  void infiniteLine(const Point& point, const Point& direction, bool ray, uint32_t rgb);

  bool isEmpty() const { return items_.empty(); }
  // The box of the bounded shapes: left, bottom, right, top; false when there is none.
  bool bounds(std::array<double, 4>& box) const;

  // A fixed frame: the drawing box it shows (left, bottom, right, top) and its size in pixels.
  struct View {
    std::array<double, 4> box{0, 0, 1, 1};
    int pixelWidth = 1;
    int pixelHeight = 1;
  };

  // The view of the bounded shapes at a pixel size: their box with a margin of 5 percent on each
  // side (a unit around a single point), grown along one side to the proportions of the pixels
  // so that they stay square. False, `view` untouched, when nothing is bounded.
  bool fit(int pixelWidth, int pixelHeight, View& view) const;

  // Writes the SVG document. `title` names the picture (the drawing and the layout). Without
  // a view the picture shows the bounded shapes with a margin, 1200 pixels on its longer side;
  // with one it shows exactly the view's box at the view's pixel size, lines one pixel wide.
  void write(std::ostream& out, const QvString& title, const View* view = nullptr) const;

 private:
  // How a shape takes its colour.
  enum class Paint { kStroke, kFillAndStroke, kFill };

  struct Item {
    enum Kind { kElement, kOpenGroup, kCloseGroup, kInfinite };
    Kind kind = kElement;
    std::string element;     // "polyline", "circle", ...; a group's whole opening tag
    std::string attributes;  // the geometry, each with a leading blank
    std::string content;     // text content
    uint32_t rgb = 0;
    Paint paint = Paint::kStroke;
    Point point{};  // infinite lines
    Point direction{};
    bool ray = false;
  };

  void add(std::string element, std::string attributes, uint32_t rgb, Paint paint = Paint::kStroke,
           std::string content = {});
  void grow(const Point& p);

  std::vector<Item> items_;
  int openGroups_ = 0;
  bool hasBounds_ = false;
  std::array<double, 4> box_{};  // left, bottom, right, top
};
