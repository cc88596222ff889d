#include "sdk/win/VexaWindowPicture.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

#include "sdk/win/VexaWindowRegistry.h"

namespace {

std::string hex(COLORREF c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF,
                (c >> 16) & 0xFF);
  return buffer;
}

std::string escaped(const QvString& text) {
  std::string out;
  for (char c : text.utf8()) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The SVG document without its XML declaration.
std::string embedded(const std::string& svg) {
  const size_t start = svg.find("<svg");
  return start == std::string::npos ? std::string() : svg.substr(start);
}

bool ownedBy(const VexaWindowRegistry& windows, HWND window, HWND root) {
  for (HWND w = windows.parent(window); w; w = windows.parent(w))
    if (w == root) return true;
  return false;
}

void collect(const VexaWindowRegistry& windows, HWND window, std::vector<HWND>& out) {
  if (!windows.isVisible(window)) return;
  out.push_back(window);
  for (HWND child : windows.children(window)) collect(windows, child, out);
}

void drawOps(std::ostream& svg, const std::vector<VexaDrawOp>& ops) {
  for (const VexaDrawOp& op : ops) {
    const RECT& r = op.rect;
    const long w = std::max(0L, r.right - r.left);
    const long h = std::max(0L, r.bottom - r.top);
    switch (op.kind) {
      case VexaDrawOp::Kind::kFill:
        svg << "<rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << w << "\" height=\""
            << h << "\" fill=\"" << hex(op.color) << "\"/>\n";
        break;
      case VexaDrawOp::Kind::kFrame:
        svg << "<rect x=\"" << r.left + 0.5 << "\" y=\"" << r.top + 0.5 << "\" width=\""
            << std::max(0L, w - 1) << "\" height=\"" << std::max(0L, h - 1)
            << "\" fill=\"none\" stroke=\"" << hex(op.color) << "\"/>\n";
        break;
      case VexaDrawOp::Kind::kText:
        svg << "<svg x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << w << "\" height=\""
            << h << "\" overflow=\"hidden\">";
        if (op.opaque)
          svg << "<rect x=\"" << op.origin.x - r.left << "\" y=\"0\" width=\"" << op.extent.cx
              << "\" height=\"" << h << "\" fill=\"" << hex(op.background) << "\"/>";
        svg << "<text x=\"" << op.origin.x - r.left << "\" y=\"" << op.origin.y - r.top
            << "\" font-family=\"DejaVu Sans\" font-size=\"" << op.emPixels << "\""
            << (op.bold ? " font-weight=\"bold\"" : "") << " fill=\"" << hex(op.color)
            << "\" xml:space=\"preserve\">" << escaped(op.text) << "</text></svg>\n";
        break;
      case VexaDrawOp::Kind::kPicture:
        svg << "<g transform=\"translate(" << r.left << "," << r.top << ")\">\n"
            << embedded(op.picture) << "</g>\n";
        break;
    }
  }
}

}  // namespace

std::string vexaWindowSvg(HWND root) {
  VexaWindowRegistry* windows = VexaWindowRegistry::current();
  RECT origin;
  if (!windows || !windows->windowRect(root, &origin)) return std::string();
  std::vector<HWND> order;
  collect(*windows, root, order);
  // Owned pop-ups over the window, the one in front last.
  std::vector<HWND> popups;
  std::vector<HWND> all = order;
  for (HWND top : windows->topLevelWindows())
    if (top != root && ownedBy(*windows, top, root)) popups.insert(popups.begin(), top);
  for (HWND p : popups) collect(*windows, p, all);

  RECT box = origin;
  for (HWND w : all) {
    RECT r;
    windows->windowRect(w, &r);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  }
  std::ostringstream svg;
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << box.right - origin.left
      << "\" height=\"" << box.bottom - origin.top << "\" viewBox=\"0 0 " << box.right - origin.left
      << " " << box.bottom - origin.top << "\">\n";
  for (HWND w : all) {
    RECT r;
    windows->windowRect(w, &r);
    const POINT client = windows->clientOrigin(w);
    RECT c;
    windows->clientRect(w, &c);
    svg << "<!-- " << escaped(windows->className(w)) << " -->\n";
    if (windows->getLong(w, GWL_STYLE) & WS_BORDER)
      svg << "<rect x=\"" << r.left - origin.left + 0.5 << "\" y=\"" << r.top - origin.top + 0.5
          << "\" width=\"" << r.right - r.left - 1 << "\" height=\"" << r.bottom - r.top - 1
          << "\" fill=\"none\" stroke=\"#646464\"/>\n";
    svg << "<svg x=\"" << client.x - origin.left << "\" y=\"" << client.y - origin.top
        << "\" width=\"" << c.right << "\" height=\"" << c.bottom << "\" overflow=\"hidden\">\n";
    if (const auto* ops = windows->surface(w)) drawOps(svg, *ops);
    svg << "</svg>\n";
  }
  svg << "</svg>\n";
  return svg.str();
}
