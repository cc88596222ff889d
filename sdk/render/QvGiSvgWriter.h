#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"

class QvDbDatabase;
class QvGiDrawable;

// Pictures of drawings: model space or a paper layout drawn from above as an SVG document
// (see QvGiSvgCanvas and QvGiSvgWorldDraw). The space's entities are drawn in their draw
// order, each in a group that names its handle and layer; entities that are invisible or lie
// on a layer that is off or frozen are left out, and so are those of a block that lie on such a
// layer. Block references are drawn through their transforms, arrays cell by cell, with their
// attributes.
class QvGiSvgWriter {
 public:
  // Draws the layout `layoutName` (any case; "Model" is model space), or the drawing's current
  // layout when it is empty. eKeyNotFound for an unknown layout; eNullPtr without a drawing.
  static Vexa::ErrorStatus write(QvDbDatabase* db, const QvString& layoutName, std::ostream& out);
  // The same with drawables that are not in the drawing (a drag preview) drawn last, on top.
  static Vexa::ErrorStatus write(QvDbDatabase* db, const QvString& layoutName,
                                 const std::vector<QvGiDrawable*>& overlay, std::ostream& out);
  // The same into a file, made anew; eFileAccessError when it cannot be written.
  static Vexa::ErrorStatus writeFile(QvDbDatabase* db, const QvString& layoutName,
                                     const std::string& path);
};
