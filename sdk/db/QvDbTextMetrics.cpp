#include "sdk/db/QvDbTextMetrics.h"

double QvDbTextMetrics::width(const QvString& text, double height, double widthFactor) {
  return kAdvance * height * widthFactor * text.length();
}

QvArray<QvString> QvDbTextMetrics::lines(const QvString& contents, double height, double boxWidth) {
  QvArray<QvString> out;
  QvString rest = contents;
  while (true) {
    const int brk = rest.find(L"\\P");
    const QvString paragraph = brk < 0 ? rest : rest.left(brk);
    if (boxWidth <= 0.0) {
      out.append(paragraph);
    } else {
      // Words go on the line while it fits; a word too long for any line stands alone.
      QvString line;
      QvString word;
      auto flushWord = [&]() {
        if (word.isEmpty()) return;
        const QvString joined = line.isEmpty() ? word : line + L" " + word;
        if (!line.isEmpty() && width(joined, height) > boxWidth) {
          out.append(line);
          line = word;
        } else {
          line = joined;
        }
        word = QvString();
      };
      for (int i = 0; i < paragraph.length(); ++i) {
        if (paragraph.getAt(i) == L' ')
          flushWord();
        else
          word += paragraph.getAt(i);
      }
      flushWord();
      out.append(line);
    }
    if (brk < 0) break;
    rest = rest.mid(brk + 2);
  }
  return out;
}

QvString QvDbTextMetrics::plainText(const QvString& contents) {
  QvString out;
  for (int i = 0; i < contents.length(); ++i) {
    if (contents.getAt(i) == L'\\' && i + 1 < contents.length()) {
      if (contents.getAt(i + 1) == L'P') {
        out += L"\r\n";
        ++i;
        continue;
      }
      if (contents.getAt(i + 1) == L'\\') {
        out += L"\\";
        ++i;
        continue;
      }
    }
    out += contents.getAt(i);
  }
  return out;
}
