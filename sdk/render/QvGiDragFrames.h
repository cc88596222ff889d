#pragma once

#include <deque>
#include <string>
#include <vector>

#include "sdk/base/VexaHost.h"
#include "sdk/gi/IVexaDragPreview.h"
#include "sdk/render/QvGiWorldDrawRecorder.h"

// The frames of drag previews. Every frame is counted. While recording, each is drawn through
// world draw into a recorder, so that tests can read what the preview showed; the last
// kKeptFrames are kept. With a folder set, each frame is also written there as an SVG picture
// of the working drawing's current layout with the preview on top ("drag-0001.svg", ...).
// With neither, nothing watches and frames are only counted.
class QvGiDragFrames : public VexaHostService, public IVexaDragPreview {
 public:
  static constexpr int kKeptFrames = 256;
  using Frame = std::vector<QvGiWorldDrawRecorder::Primitive>;

  bool isWatched() const override { return recording_ || !folder_.empty(); }
  void drawFrame(const std::vector<QvGiDrawable*>& drawables) override;
  void skipFrame() override { ++count_; }

  // Whether frames are drawn into the recorder (off until asked).
  void setRecording(bool on) { recording_ = on; }

  int frameCount() const { return count_; }
  const std::deque<Frame>& frames() const { return frames_; }
  void clear();

  // The folder for SVG frames (empty: none are written); the files written so far.
  void setSvgFolder(const std::string& folder) { folder_ = folder; }
  int svgFilesWritten() const { return written_; }

  // The running host's frames, or null.
  static QvGiDragFrames* current();

 private:
  std::deque<Frame> frames_;
  int count_ = 0;
  bool recording_ = false;
  std::string folder_;
  int written_ = 0;
};
