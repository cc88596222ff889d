#pragma once

class QvDbText;
class QvDxfObjectReader;
class QvDxfObjectWriter;

// The "AcDbText" subclass (2) that texts, attribute definitions and attributes share: position
// (10) and alignment point (11) in the OCS of the normal (210), height (40), string (1),
// rotation (50), width factor (41), obliquing angle (51), style by name (7), mirroring (71) and
// horizontal alignment (72). The vertical alignment stands elsewhere: the text's second
// "AcDbText" subclass (73), the attribute's subclass (74). Position, height, width factor and
// rotation the database may derive from the alignment (aligned and fitted texts, positions
// computed from alignment points): what was read is written again while they are unchanged.
class QvDxfTextPart {
 public:
  static void read(QvDxfObjectReader& in, QvDbText& text, int verticalSubclass, int verticalCode);
  // The groups of subclass 2 (the caller starts it).
  static void write(QvDxfObjectWriter& out, const QvDbText& text);
};
