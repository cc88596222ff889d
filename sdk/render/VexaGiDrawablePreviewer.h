#pragma once

#include <array>
#include <string>

#include "sdk/base/QvArray.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGeVector2d.h"
#include "sdk/win/VexaWindowTypes.h"

class QvDbDatabase;
class QvGiDrawable;

// The host's drawable previewer: shows a set of drawables in a window, seen from above, as an
// SVG frame of the window's size drawn on the window. The view starts as the box from `origin`
// spanning `size` in drawing units; zoomExtents fits it to the drawables' extents (with a
// margin, keeping the pixels square) and keeps it fitted when the size changes. invalidate
// marks the frame for drawing anew; update draws it (anew only when invalid) onto the window.
// The previewer keeps the drawables' pointers, not the drawables; they must outlive it or be
// given up with destroy(). Counters and the last frame are kept for whoever wants to look.
class VexaGiDrawablePreviewer {
 public:
  VexaGiDrawablePreviewer(HWND window, QvDbDatabase* db, const QvArray<QvGiDrawable*>& drawables,
                          const QvGePoint2d& origin, const QvGeVector2d& size, bool flag);
  VexaGiDrawablePreviewer(const VexaGiDrawablePreviewer&) = delete;
  VexaGiDrawablePreviewer& operator=(const VexaGiDrawablePreviewer&) = delete;

  // Lets go of the window and the drawables; nothing is drawn afterwards.
  void destroy();
  void zoomExtents();
  void invalidate(bool all);
  void update();
  // The window's new client size in pixels.
  void setSize(int width, int height);

  HWND window() const { return window_; }
  int drawableCount() const { return drawables_.length(); }
  bool flag() const { return flag_; }
  // The drawing box shown: left, bottom, right, top.
  const std::array<double, 4>& view() const { return view_; }
  int width() const { return width_; }
  int height() const { return height_; }
  bool isInvalid() const { return invalid_; }
  int updateCount() const { return updates_; }
  int frameCount() const { return frames_; }
  int invalidateCount() const { return invalidations_; }
  const std::string& lastFrame() const { return frame_; }

 private:
  void fitView();
  std::string render() const;

  HWND window_;
  QvDbDatabase* db_;
  QvArray<QvGiDrawable*> drawables_;
  bool flag_;
  std::array<double, 4> view_;
  int width_ = 1;
  int height_ = 1;
  bool fitted_ = false;
  bool invalid_ = true;
  int updates_ = 0;
  int frames_ = 0;
  int invalidations_ = 0;
  std::string frame_;
};
