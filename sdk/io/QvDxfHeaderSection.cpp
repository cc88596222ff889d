#include "sdk/io/QvDxfHeaderSection.h"

#include <set>
#include <string>
#include <string_view>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbSymbolTableRecord.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileExtras.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfOutput.h"
#include "sdk/io/QvDxfReadSession.h"

namespace {

// Variables of the header that stand apart from the database's header values.
enum class Special {
  kNone,
  kVersion,
  kCodePage,
  kHandseed,
  kLayer,
  kLinetype,
  kTextStyle,
  kDimStyle
};

Special specialOf(std::string_view name) {
  if (name == "ACADVER") return Special::kVersion;
  if (name == "DWGCODEPAGE") return Special::kCodePage;
  if (name == "HANDSEED") return Special::kHandseed;
  if (name == "CLAYER") return Special::kLayer;
  if (name == "CELTYPE") return Special::kLinetype;
  if (name == "TEXTSTYLE") return Special::kTextStyle;
  if (name == "DIMSTYLE") return Special::kDimStyle;
  return Special::kNone;
}

// The group code a variable the database knows is written with, where its kind does not give
// it.
int codeOf(std::string_view name, QvDbHeaderValue::Kind kind) {
  if (name == "CECOLOR") return 62;
  if (name == "EXTNAMES") return 290;
  switch (kind) {
    case QvDbHeaderValue::kShort:
      return 70;
    case QvDbHeaderValue::kLong:
      return 90;
    case QvDbHeaderValue::kReal:
      return 40;
    case QvDbHeaderValue::kTriple:
      return 10;
    default:
      return 1;
  }
}

std::string variableName(std::string_view raw) {
  std::string name(raw);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  if (!name.empty() && name.front() == '$') name.erase(0, 1);
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name;
}

// The value of a known variable from its groups [first, end), of the kind the database holds.
QvDbHeaderValue valueOf(QvDxfReadSession& session, QvDbHeaderValue::Kind kind, size_t first,
                        size_t end, const std::string& name) {
  const QvDxfTokens& tokens = session.tokens();
  const uint32_t line = tokens[first].line + 1;
  const std::string_view v = tokens.value(first);
  const std::string what = "the value \"" + qvDxfExcerpt(v) + "\" of $" + name;
  switch (kind) {
    case QvDbHeaderValue::kShort:
    case QvDbHeaderValue::kLong: {
      int64_t n = 0;
      if (!QvDxfNumber::parseInteger(v, n))
        qvDxfFail(line, QvDxfDiagnostic::kBadValue, what + " is not an integer");
      if (n < INT32_MIN || n > INT32_MAX)
        qvDxfFail(line, QvDxfDiagnostic::kOutOfRange, what + " is out of range");
      if (kind == QvDbHeaderValue::kShort) {
        if (n < INT16_MIN || n > INT16_MAX)
          qvDxfFail(line, QvDxfDiagnostic::kOutOfRange, what + " is out of range");
        return QvDbHeaderValue::ofShort(static_cast<int16_t>(n));
      }
      return QvDbHeaderValue::ofLong(static_cast<int32_t>(n));
    }
    case QvDbHeaderValue::kReal: {
      double d = 0;
      if (!QvDxfNumber::parseReal(v, d))
        qvDxfFail(line, QvDxfDiagnostic::kBadValue, what + " is not a finite real number");
      return QvDbHeaderValue::ofReal(d);
    }
    case QvDbHeaderValue::kTriple: {
      double c[3] = {0, 0, 0};
      const int code = tokens.code(first);
      for (size_t i = first; i < end && i < first + 3; ++i) {
        if (tokens.code(i) != code + static_cast<int>(i - first) * 10) break;
        if (!QvDxfNumber::parseReal(tokens.value(i), c[i - first]))
          qvDxfFail(tokens[i].line + 1, QvDxfDiagnostic::kBadValue,
                    "a coordinate of $" + name + " is not a finite real number");
      }
      return QvDbHeaderValue::ofTriple(c[0], c[1], c[2]);
    }
    default:
      return QvDbHeaderValue::ofString(session.decode(v));
  }
}

void writeValue(QvDxfOutput& out, const std::string& name, const QvDbHeaderValue& value) {
  out.raw(9, "$" + name);
  const int code = codeOf(name, value.kind());
  switch (value.kind()) {
    case QvDbHeaderValue::kShort:
    case QvDbHeaderValue::kLong:
      out.integer(code, value.asLong());
      break;
    case QvDbHeaderValue::kReal:
      out.real(code, value.asReal());
      break;
    case QvDbHeaderValue::kTriple: {
      const QvDbHeaderValue::Triple t = value.asTriple();
      out.point(code, t[0], t[1], t[2]);
      break;
    }
    case QvDbHeaderValue::kString:
      out.text(code, value.asString());
      break;
    case QvDbHeaderValue::kNone:
      break;
  }
}

}  // namespace

void QvDxfHeaderSection::readVersion(QvDxfReadSession& session, size_t begin, size_t end) {
  const QvDxfTokens& tokens = session.tokens();
  size_t codePage = end;
  for (size_t i = begin; i + 1 < end; ++i) {
    if (tokens.code(i) != 9) continue;
    const std::string name = variableName(tokens.value(i));
    if (name == "ACADVER") session.setVersion(tokens.value(i + 1), tokens[i + 1].line + 1);
    if (name == "DWGCODEPAGE") codePage = i + 1;
    if (name == "HANDSEED") {
      session.noteHandseed(session.parseHandle(tokens.value(i + 1), tokens[i + 1].line + 1, true));
    }
  }
  // Text of files before R2007 is in the code page; later ones are UTF-8 whatever it says.
  if (codePage == end || session.encoding() != QvDxfText::kCodePage) return;
  const std::string_view page = tokens.value(codePage);
  if (!session.setCodePage(page))
    session.repair(tokens[codePage].line + 1, QvDxfDiagnostic::kCodePageReplaced,
                   "the code page " + qvDxfQuoted(qvDxfExcerpt(page)) +
                       " is not known; text is read as ANSI_1252");
}

void QvDxfHeaderSection::read(QvDxfReadSession& session, size_t begin, size_t end,
                              QvDxfFileExtras& extras, CurrentRecords& current) {
  const QvDxfTokens& tokens = session.tokens();
  QvDbDatabase& db = session.db();
  if (begin < end && tokens.code(begin) != 9)
    qvDxfFail(tokens[begin].line, QvDxfDiagnostic::kMisplaced,
              "group " + std::to_string(tokens.code(begin)) + " stands before the first variable");
  size_t next = begin;
  for (size_t i = begin; i < end; i = next) {
    const std::string name = variableName(tokens.value(i));
    const uint32_t line = tokens[i].line;
    const size_t first = i + 1;
    next = first;
    while (next < end && tokens.code(next) != 9) ++next;
    if (first == next) {
      extras.header.push_back({name, false, {}});
      continue;
    }
    const std::string_view rawValue = tokens.value(first);
    QvDxfRawGroups groups;
    for (size_t k = first; k < next; ++k)
      groups.push_back({static_cast<int16_t>(tokens.code(k)), session.toUtf8(tokens.value(k))});
    // A current record named twice: the last names it, kept in the place of the first, so that
    // a name that stays unresolved is written back as the one read.
    const auto keepCurrent = [&](QvString& record, uint32_t& recordLine) {
      record = session.decode(rawValue);
      recordLine = line;
      for (QvDxfFileExtras::HeaderVariable& v : extras.header) {
        if (v.name == name) {
          v.known = true;  // the first may have had no value
          v.groups = std::move(groups);
          return;
        }
      }
      extras.header.push_back({name, true, std::move(groups)});
    };
    switch (specialOf(name)) {
      case Special::kVersion:
      case Special::kCodePage:
      case Special::kHandseed:
        extras.header.push_back({name, true, std::move(groups)});
        continue;
      case Special::kLayer:
        keepCurrent(current.layer, current.layerLine);
        continue;
      case Special::kLinetype:
        keepCurrent(current.linetype, current.linetypeLine);
        continue;
      case Special::kTextStyle:
        keepCurrent(current.textStyle, current.textStyleLine);
        continue;
      case Special::kDimStyle:
        keepCurrent(current.dimStyle, current.dimStyleLine);
        continue;
      case Special::kNone:
        break;
    }
    const QvString key(name.c_str());
    if (QvDbHeader::isKnown(key)) {
      const QvDbHeaderValue value = valueOf(session, db.headerValue(key).kind(), first, next, name);
      Vexa::ErrorStatus es = db.setHeaderValue(key, value);
      const QvDbHeaderValue within =
          es == Vexa::eOutOfRange ? QvDbHeader::clamped(key, value) : QvDbHeaderValue();
      if (!within.isNone() && db.setHeaderValue(key, within) == Vexa::eOk) {
        es = Vexa::eOk;
        session.repair(
            tokens[first].line + 1, QvDxfDiagnostic::kValueClamped,
            "the value " + qvDxfQuoted(qvDxfExcerpt(rawValue)) + " of $" + name +
                " is out of range; " +
                (within.kind() == QvDbHeaderValue::kReal ? QvDxfNumber::realText(within.asReal())
                                                         : std::to_string(within.asLong())) +
                " is used");
      }
      if (es == Vexa::eOutOfRange)
        qvDxfFail(tokens[first].line + 1, QvDxfDiagnostic::kOutOfRange,
                  "the value of $" + name + " is out of range");
      if (es != Vexa::eOk)
        qvDxfFail(tokens[first].line + 1, QvDxfDiagnostic::kBadValue,
                  "the value of $" + name + " is not of its kind");
      extras.header.push_back({name, true, {}});
      continue;
    }
    extras.header.push_back({name, false, std::move(groups)});
  }
}

void QvDxfHeaderSection::write(QvDxfOutput& out, QvDbDatabase& db, const QvDxfFileExtras* extras,
                               QvDbHandle handseed) {
  std::set<std::string> written;
  auto writeSpecial = [&](const std::string& name) {
    written.insert(name);
    switch (specialOf(name)) {
      case Special::kVersion:
        out.raw(9, "$ACADVER");
        out.raw(1, "AC1032");
        break;
      case Special::kCodePage:
        out.raw(9, "$DWGCODEPAGE");
        out.raw(3, "ANSI_1252");
        break;
      case Special::kHandseed:
        out.raw(9, "$HANDSEED");
        out.handle(5, handseed);
        break;
      case Special::kLayer:
        out.raw(9, "$CLAYER");
        out.text(8, QvDbSymbolTableRecord::nameOf(db.clayer()));
        break;
      case Special::kLinetype:
        out.raw(9, "$CELTYPE");
        out.text(6, db.celtype().isNull() ? QvString(L"ByLayer")
                                          : QvDbSymbolTableRecord::nameOf(db.celtype()));
        break;
      case Special::kTextStyle:
        out.raw(9, "$TEXTSTYLE");
        out.text(7, QvDbSymbolTableRecord::nameOf(db.textstyle()));
        break;
      case Special::kDimStyle:
        out.raw(9, "$DIMSTYLE");
        out.text(2, QvDbSymbolTableRecord::nameOf(db.dimstyle()));
        break;
      case Special::kNone:
        break;
    }
  };
  auto writeKnown = [&](const std::string& name) {
    if (!written.insert(name).second) return;
    const QvDbHeaderValue value = db.headerValue(QvString(name.c_str()));
    if (!value.isNone()) writeValue(out, name, value);
  };

  writeSpecial("ACADVER");
  if (extras) {
    for (const QvDxfFileExtras::HeaderVariable& v : extras->header) {
      if (v.name == "ACADMAINTVER" && !v.known) {
        out.raw(9, "$ACADMAINTVER");
        for (const QvDxfRawGroup& g : v.groups) out.raw(g.code, g.text);
        written.insert(v.name);
      }
    }
  }
  writeSpecial("DWGCODEPAGE");
  writeSpecial("HANDSEED");
  if (extras) {
    for (const QvDxfFileExtras::HeaderVariable& v : extras->header) {
      if (written.count(v.name) != 0) continue;
      if (!v.known) {
        written.insert(v.name);
        out.raw(9, "$" + v.name);
        for (const QvDxfRawGroup& g : v.groups) out.raw(g.code, g.text);
      } else if (specialOf(v.name) != Special::kNone) {
        writeSpecial(v.name);
      } else {
        writeKnown(v.name);
      }
    }
  }
  for (const QvString& name : db.header().names()) writeKnown(name.utf8());
  for (const char* name : {"CLAYER", "CELTYPE", "TEXTSTYLE", "DIMSTYLE"})
    if (written.count(name) == 0) writeSpecial(name);
}
