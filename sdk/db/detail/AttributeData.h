#pragma once

#include "sdk/base/QvString.h"
#include "sdk/base/VexaErrorStatus.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/detail/ClonePtr.h"

class QvDbText;
class QvGeMatrix3d;

namespace qvdb_detail {

// What attribute definitions and attributes share: the tag, the flags and, for multi-line
// ones, the multi-line text that holds their contents.
struct AttributeData {
  enum Flag { kInvisible = 1, kConstant = 2, kVerifiable = 4, kPreset = 8 };

  QvString tag;
  int flags = 0;
  bool lockPosition = false;
  int fieldLength = 0;
  ClonePtr<QvDbMText> mtext;  // set for a multi-line attribute

  bool has(Flag flag) const { return (flags & flag) != 0; }
  void set(Flag flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }

  // A new multi-line text from `text`'s placement, holding its string as contents.
  static QvDbMText* mtextFrom(const QvDbText& text);
  // Lays the multi-line text out where the single-line text stands (location, normal,
  // direction, height), keeping its contents.
  void placeMText(const QvDbText& text);
  // Takes a copy of `mtext` (null: the attribute becomes single-line).
  Vexa::ErrorStatus setMText(const QvDbMText* source);
  Vexa::ErrorStatus transformMText(const QvGeMatrix3d& xform);

  // The multi-line operations of the text `owner` that holds this data, after its write check;
  // the owner's single-line string follows the multi-line contents.
  QvDbMText* copyOfMText() const;  // null for a single-line attribute
  // Takes a copy of `source` and shows its contents.
  Vexa::ErrorStatus takeMText(QvDbText& owner, const QvDbMText* source);
  // To multi-line text from the single line, or back to the first line of the contents.
  Vexa::ErrorStatus convertMText(QvDbText& owner, bool toMText);
  // The owner's string, and the multi-line contents when there are.
  Vexa::ErrorStatus setText(QvDbText& owner, const wchar_t* text);
};

}  // namespace qvdb_detail
