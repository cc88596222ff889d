#pragma once

#include <cstdint>

class QvDbObjectId;
class QvGiDrawable;

// Where entities ask to be shown highlighted, whole or one sub-entity by marker (0: the whole
// entity): the display state of the graphics system. An entity in a database is named by its
// id; one in no database by its address. The host's highlight log (QvGiHighlightLog,
// sdk/render) is bound here when the host starts.
class IVexaHighlighter {
 public:
  virtual void highlight(QvDbObjectId id, const QvGiDrawable* drawable, int64_t marker) = 0;
  virtual void unhighlight(QvDbObjectId id, const QvGiDrawable* drawable, int64_t marker) = 0;

 protected:
  ~IVexaHighlighter() = default;
};
