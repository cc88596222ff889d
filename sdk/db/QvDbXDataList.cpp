#include "sdk/db/QvDbXDataList.h"

#include <cwchar>
#include <utility>

namespace {

constexpr int kMaxXDataString = 255;

resbuf* copyRecord(const resbuf* rb) {
  resbuf* single = qvutDupList(rb);
  // qvutDupList copies the whole rest of the list; keep the first record only.
  if (single && single->next) {
    qvutRelRb(single->next);
    single->next = nullptr;
  }
  return single;
}

bool validItem(const resbuf* rb) {
  const int code = rb->type;
  if (code < 1000 || code > 1071 || code == kGcXDataAppName) return false;
  const QvRbKind kind = qvRbValueKind(code);
  if (kind == QvRbKind::kNone) return false;
  if (kind == QvRbKind::kString) {
    if (!rb->value.string) return false;
    if (std::wcslen(rb->value.string) > kMaxXDataString) return false;
  }
  if (kind == QvRbKind::kBinary && (rb->value.binary.length < 0 || rb->value.binary.length > 127))
    return false;
  return true;
}

}  // namespace

QvDbXDataList::QvDbXDataList(const QvDbXDataList& other) {
  for (const resbuf* s : other.sections_) sections_.push_back(qvutDupList(s));
}

QvDbXDataList& QvDbXDataList::operator=(const QvDbXDataList& other) {
  if (this != &other) {
    QvDbXDataList copy(other);
    *this = std::move(copy);
  }
  return *this;
}

QvDbXDataList::QvDbXDataList(QvDbXDataList&& other) noexcept
    : sections_(std::move(other.sections_)) {
  other.sections_.clear();
}

QvDbXDataList& QvDbXDataList::operator=(QvDbXDataList&& other) noexcept {
  if (this != &other) {
    clear();
    sections_ = std::move(other.sections_);
    other.sections_.clear();
  }
  return *this;
}

QvDbXDataList::~QvDbXDataList() {
  clear();
}

void QvDbXDataList::clear() {
  for (resbuf* s : sections_) qvutRelRb(s);
  sections_.clear();
}

Vexa::ErrorStatus QvDbXDataList::parse(const resbuf* list, QvDbXDataList& sections) {
  sections.clear();
  if (!list || list->type != kGcXDataAppName) return Vexa::eInvalidInput;
  QvDbXDataList result;
  resbuf* tail = nullptr;
  int depth = 0;
  for (const resbuf* rb = list; rb; rb = rb->next) {
    if (rb->type == kGcXDataAppName) {
      if (depth != 0) return Vexa::eInvalidInput;
      if (!rb->value.string || !*rb->value.string ||
          std::wcslen(rb->value.string) > kMaxXDataString)
        return Vexa::eInvalidInput;
      tail = copyRecord(rb);
      result.sections_.push_back(tail);
      continue;
    }
    if (!validItem(rb)) return Vexa::eInvalidInput;
    if (rb->type == kGcXDataControl) {
      const QvString brace(rb->value.string);
      if (brace == L"{") {
        ++depth;
      } else if (brace == L"}") {
        if (--depth < 0) return Vexa::eInvalidInput;
      } else {
        return Vexa::eInvalidInput;
      }
    }
    tail->next = copyRecord(rb);
    tail = tail->next;
  }
  if (depth != 0) return Vexa::eInvalidInput;
  sections = std::move(result);
  return Vexa::eOk;
}

QvString QvDbXDataList::applicationAt(int i) const {
  return QvString(sections_[static_cast<size_t>(i)]->value.string);
}

const resbuf* QvDbXDataList::find(std::wstring_view application) const {
  for (const resbuf* s : sections_)
    if (qvCompareNoCase(application, s->value.string) == 0) return s;
  return nullptr;
}

resbuf* QvDbXDataList::copyOf(std::wstring_view application) const {
  const resbuf* section = find(application);
  return section ? qvutDupList(section) : nullptr;
}

resbuf* QvDbXDataList::copyAll() const {
  resbuf* head = nullptr;
  resbuf* tail = nullptr;
  for (const resbuf* s : sections_) {
    resbuf* copy = qvutDupList(s);
    if (!head) {
      head = copy;
    } else {
      tail->next = copy;
    }
    tail = copy;
    while (tail && tail->next) tail = tail->next;
  }
  return head;
}

void QvDbXDataList::merge(const QvDbXDataList& changes) {
  for (const resbuf* change : changes.sections_) {
    const QvString application(change->value.string);
    const bool removal = change->next == nullptr;
    bool placed = false;
    for (size_t i = 0; i < sections_.size(); ++i) {
      if (application.compareNoCase(QvString(sections_[i]->value.string)) != 0) continue;
      qvutRelRb(sections_[i]);
      if (removal) {
        sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        sections_[i] = qvutDupList(change);
      }
      placed = true;
      break;
    }
    if (!placed && !removal) sections_.push_back(qvutDupList(change));
  }
}
