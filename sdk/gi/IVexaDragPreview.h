#pragma once

#include <vector>

class QvGiDrawable;

// Where a running drag shows its preview: after each update that asks for a redraw, the
// drag hands over what the host draws (its entity and its drawn entities) as one frame. The
// host's frame log (QvGiDragFrames, sdk/render) is bound here when the host starts.
//
// A host where nothing watches the frames (no screen, no recording) only counts them: the
// drag then skips the frame, without asking for what it would draw.
class IVexaDragPreview {
 public:
  virtual bool isWatched() const = 0;
  virtual void drawFrame(const std::vector<QvGiDrawable*>& drawables) = 0;
  virtual void skipFrame() = 0;

 protected:
  ~IVexaDragPreview() = default;
};
