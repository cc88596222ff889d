#include "sdk/io/QvDxfMTextColumns.h"

#include <algorithm>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbFileGroups.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfSlot.h"

namespace {

constexpr int kAppName = 1001;
constexpr int kText = 1000;
constexpr int kHandle = 1005;
constexpr int kReal = 1040;
constexpr int kShort = 1070;

// Column kinds (the embedded object's 71): dynamic columns flow the text by their heights.
constexpr int kDynamic = 2;

struct ColumnSettings {
  int type = 0;
  bool autoHeight = false;
  int count = 0;
  bool reversed = false;
  double width = 0.0;
  double gutter = 0.0;
  double definedHeight = 0.0;
  std::vector<double> heights;
  std::vector<std::wstring> linkedHandles;
};

bool isText(const resbuf* rb, const wchar_t* text) {
  return rb->type == kText && rb->value.string && std::wcscmp(rb->value.string, text) == 0;
}

// The items of the "ACAD" application in a list taken apart: [begin, end) after its name.
struct Range {
  size_t begin = 0;
  size_t end = 0;
};

bool acadItems(const std::vector<resbuf*>& items, Range& range) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i]->type != kAppName || !items[i]->value.string ||
        std::wcscmp(items[i]->value.string, L"ACAD") != 0)
      continue;
    size_t end = i + 1;
    while (end < items.size() && items[end]->type != kAppName) ++end;
    range = {i + 1, end};
    return true;
  }
  return false;
}

// The section NAME_BEGIN ... NAME_END within the range, both markers included.
bool section(const std::vector<resbuf*>& items, Range within, const std::wstring& name,
             Range& found) {
  const std::wstring begin = name + L"_BEGIN";
  const std::wstring end = name + L"_END";
  for (size_t i = within.begin; i < within.end; ++i) {
    if (!isText(items[i], begin.c_str())) continue;
    for (size_t j = i + 1; j < within.end; ++j) {
      if (isText(items[j], end.c_str())) {
        found = {i, j + 1};
        return true;
      }
    }
    return false;  // not closed: left as it is
  }
  return false;
}

double realOf(const resbuf* rb) {
  return rb->type == kReal ? rb->value.real : rb->type == kShort ? rb->value.int16 : 0.0;
}

// The column information: pairs of a 1070 naming the setting and its value; the heights (50)
// give their count, then one 1040 each.
bool readInfo(const std::vector<resbuf*>& items, Range info, ColumnSettings& s) {
  for (size_t i = info.begin + 1; i + 1 < info.end - 1; i += 2) {
    if (items[i]->type != kShort) return false;
    const resbuf* value = items[i + 1];
    switch (items[i]->value.int16) {
      case 75:
        s.type = value->value.int16;
        break;
      case 79:
        s.autoHeight = value->value.int16 != 0;
        break;
      case 76:
        s.count = value->value.int16;
        break;
      case 78:
        s.reversed = value->value.int16 != 0;
        break;
      case 48:
        s.width = realOf(value);
        break;
      case 49:
        s.gutter = realOf(value);
        break;
      case 50: {
        const int n = value->type == kShort ? value->value.int16 : 0;
        for (int k = 0; k < n && i + 2 < info.end - 1; ++k, ++i)
          s.heights.push_back(realOf(items[i + 2]));
        break;
      }
      default:
        break;
    }
  }
  return s.type != 0 && s.count > 0;
}

void readLinked(const std::vector<resbuf*>& items, Range columns, ColumnSettings& s) {
  for (size_t i = columns.begin; i < columns.end; ++i)
    if (items[i]->type == kHandle && items[i]->value.string)
      s.linkedHandles.emplace_back(items[i]->value.string);
}

void readDefinedHeight(const std::vector<resbuf*>& items, Range height, ColumnSettings& s) {
  for (size_t i = height.begin; i < height.end; ++i)
    if (items[i]->type == kReal) s.definedHeight = items[i]->value.real;
}

// The embedded column object of the current form.
void appendEmbedded(const QvDbMText& text, const ColumnSettings& s, QvDbFileGroups& groups) {
  auto add = [&groups](int code, std::string value) {
    groups.append({static_cast<int16_t>(code), QvDxfSlot::kEmbedded, std::move(value), {}});
  };
  auto real = [&add](int code, double value) { add(code, QvDxfNumber::realText(value)); };
  const QvGeVector3d direction = text.direction();
  const QvGePoint3d location = text.location();
  const int count = std::max(s.count, 1);
  const double totalWidth = count * s.width + (count - 1) * s.gutter;
  const double totalHeight =
      s.heights.empty() ? s.definedHeight : *std::max_element(s.heights.begin(), s.heights.end());
  add(101, "Embedded Object");
  add(70, "1");
  real(10, direction.x);
  real(20, direction.y);
  real(30, direction.z);
  real(11, location.x);
  real(21, location.y);
  real(31, location.z);
  real(40, text.width());
  real(41, s.definedHeight);
  real(42, totalWidth);
  real(43, totalHeight);
  add(71, std::to_string(s.type));
  add(72, std::to_string(s.type == kDynamic && s.autoHeight ? 0 : s.count));
  real(44, s.width);
  real(45, s.gutter);
  add(73, s.autoHeight ? "1" : "0");
  add(74, s.reversed ? "1" : "0");
  for (const double h : s.heights) real(46, h);
}

// The further column texts of the handles, in order; empty when one is not a text of this
// file, or has an extension dictionary (then nothing is joined).
std::vector<QvDbObjectId> linkedTexts(QvDxfReadSession& session, const ColumnSettings& s,
                                      uint32_t line) {
  std::vector<QvDbObjectId> ids;
  for (const std::wstring& handle : s.linkedHandles) {
    const uint64_t h = session.parseHandle(QvString(handle.c_str()).utf8(), line, true);
    QvDbObjectId id;
    if (h == 0 || session.db().getQvDbObjectId(id, false, QvDbHandle(h)) != Vexa::eOk ||
        id.objectClass() != QvDbMText::desc())
      return {};
    QvDbObjectPointer<QvDbMText> column(id, QvDb::kForRead);
    if (column.openStatus() != Vexa::eOk || !column->extensionDictionary().isNull()) return {};
    ids.push_back(id);
  }
  return ids;
}

// The "ACAD" items of a list but the ranges dropped, as a section of that application (its
// name alone when nothing is left: the section is then removed).
QvRbListPtr remainingSection(const std::vector<resbuf*>& items, Range acad,
                             const std::vector<Range>& drop) {
  QvRbListPtr section(qvutNewRb(kAppName));
  section.get()->value.string = qvutDupString(L"ACAD");
  resbuf* tail = section.get();
  for (size_t i = acad.begin; i < acad.end; ++i) {
    if (std::any_of(drop.begin(), drop.end(),
                    [i](const Range& r) { return i >= r.begin && i < r.end; }))
      continue;
    resbuf* const next = std::exchange(items[i]->next, nullptr);  // one item of our own copy
    resbuf* copy = qvutDupList(items[i]);
    items[i]->next = next;
    tail->next = copy;
    tail = copy;
  }
  return section;
}

// Joins one text's columns: answers the number of column texts joined, or -1 when the settings
// are not joined (then everything stays as read).
int join(QvDxfReadSession& session, const QvDbObjectId& textId, uint32_t line) {
  QvDbObjectPointer<QvDbMText> text(textId, QvDb::kForWrite);
  if (text.openStatus() != Vexa::eOk || text->fileGroups().hasSlot(QvDxfSlot::kEmbedded)) return -1;
  const QvRbListPtr xdata(text->xData(L"ACAD"));
  std::vector<resbuf*> items;
  for (resbuf* rb = xdata.get(); rb; rb = rb->next) items.push_back(rb);
  Range acad;
  Range info;
  if (!acadItems(items, acad) || !section(items, acad, L"ACAD_MTEXT_COLUMN_INFO", info)) return -1;
  ColumnSettings settings;
  if (!readInfo(items, info, settings)) return -1;
  std::vector<Range> drop{info};
  Range columns;
  if (section(items, acad, L"ACAD_MTEXT_COLUMNS", columns)) {
    readLinked(items, columns, settings);
    drop.push_back(columns);
  }
  Range height;
  if (section(items, acad, L"ACAD_MTEXT_DEFINED_HEIGHT", height)) {
    readDefinedHeight(items, height, settings);
    drop.push_back(height);
  }
  const std::vector<QvDbObjectId> linked = linkedTexts(session, settings, line);
  if (linked.size() != settings.linkedHandles.size()) return -1;

  const QvRbListPtr remaining = remainingSection(items, acad, drop);
  if (text->setXData(remaining.get()) != Vexa::eOk) return -1;
  QvString contents = text->contents();
  int joined = 0;
  for (const QvDbObjectId& id : linked) {
    QvDbObjectPointer<QvDbMText> column(id, QvDb::kForWrite);
    if (column.openStatus() != Vexa::eOk || column->erase() != Vexa::eOk) continue;
    contents += column->contents();
    ++joined;
  }
  text->setContents(contents.c_str());
  QvDbFileGroups groups = text->fileGroups();
  appendEmbedded(*text.object(), settings, groups);
  text->setFileGroups(std::move(groups));
  return joined;
}

}  // namespace

void qvDxfJoinMTextColumns(QvDxfReadSession& session) {
  for (const QvDxfReadSession::PendingLink& noted : session.olderMTextColumns()) {
    const int joined = join(session, noted.object, noted.line);
    if (joined < 0) continue;
    session.repair(noted.line, QvDxfDiagnostic::kMTextColumnsJoined,
                   "the MTEXT's columns, in the extended-data form of older files, are kept in "
                   "the current form, with " +
                       std::to_string(joined) + (joined == 1 ? " column text" : " column texts") +
                       " joined into it");
  }
}
