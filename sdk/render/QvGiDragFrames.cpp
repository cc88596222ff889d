#include "sdk/render/QvGiDragFrames.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/render/QvGiSvgWriter.h"

void QvGiDragFrames::drawFrame(const std::vector<QvGiDrawable*>& drawables) {
  ++count_;
  if (recording_) {
    QvGiWorldDrawRecorder recorder;
    if (!frames_.empty()) recorder.reserve(frames_.back().size());  // a drag's frames are alike
    for (QvGiDrawable* drawable : drawables)
      if (drawable) recorder.drawTopLevel(drawable);
    if (static_cast<int>(frames_.size()) == kKeptFrames) frames_.pop_front();
    frames_.push_back(recorder.takePrimitives());
  }

  if (folder_.empty()) return;
  const QvDbHostApplicationServices* services = qvdbHostApplicationServices();
  QvDbDatabase* db = services ? services->workingDatabase() : nullptr;
  if (!db) return;
  char name[32];
  std::snprintf(name, sizeof name, "/drag-%04d.svg", count_);
  std::ostringstream picture;
  if (QvGiSvgWriter::write(db, QvString(), drawables, picture) != Vexa::eOk) return;
  std::ofstream file(folder_ + name, std::ios::binary);
  file << picture.str();
  if (file.good()) ++written_;
}

void QvGiDragFrames::clear() {
  frames_.clear();
  count_ = 0;
}

QvGiDragFrames* QvGiDragFrames::current() {
  VexaHost* host = VexaHost::current();
  return host ? &host->service<QvGiDragFrames>() : nullptr;
}
