#include "xqcmdutil/XqResbufs.h"

#include <algorithm>
#include <cwchar>
#include <limits>

#include "sdk/base/QvClassicCodes.h"
#include "sdk/ed/qvdbEntData.h"

namespace {

const resbuf* first(const resbuf* list, int code, QvRbKind kind) {
  for (; list; list = list->next)
    if (list->type == code) return qvRbValueKind(code) == kind ? list : nullptr;
  return nullptr;
}

resbuf* first(resbuf* list, int code, QvRbKind kind) {
  return const_cast<resbuf*>(first(static_cast<const resbuf*>(list), code, kind));
}

}  // namespace

resbuf* dxf(resbuf* list, int code) {
  for (; list; list = list->next)
    if (list->type == code) return list;
  return nullptr;
}

int xq_Associate(resbuf* list, int code, resbuf** rec) {
  resbuf* found = dxf(list, code);
  if (rec) *rec = found;
  return found ? 0 : -1;
}

int setrb_string(resbuf* list, int code, wchar_t* str, wchar_t** old) {
  resbuf* rb = first(list, code, QvRbKind::kString);
  if (!rb) return 0;
  if (old)
    *old = rb->value.string;
  else
    qvutFreeString(rb->value.string);
  rb->value.string = str;
  return 1;
}

void append_rblist(resbuf** head, resbuf* tail) {
  if (!head) return;
  resbuf** end = head;
  while (*end) end = &(*end)->next;
  *end = tail;
}

int GetBufInt(const resbuf* list, int code, int* value) {
  if (!value) return kQvError;
  if (const resbuf* rb = first(list, code, QvRbKind::kShort)) {
    *value = rb->value.int16;
    return kQvNormal;
  }
  if (const resbuf* rb = first(list, code, QvRbKind::kLong)) {
    *value = rb->value.int32;
    return kQvNormal;
  }
  return kQvError;
}

int GetBufReal(const resbuf* list, int code, double* value) {
  const resbuf* rb = first(list, code, QvRbKind::kReal);
  if (!rb || !value) return kQvError;
  *value = rb->value.real;
  return kQvNormal;
}

int GetBufString(const resbuf* list, int code, wchar_t* buffer, size_t size) {
  const resbuf* rb = first(list, code, QvRbKind::kString);
  if (!rb || !buffer || size == 0) return kQvError;
  const wchar_t* text = rb->value.string ? rb->value.string : L"";
  const size_t count = std::min(std::wcslen(text), size - 1);
  std::wmemcpy(buffer, text, count);
  buffer[count] = L'\0';
  return kQvNormal;
}

int SetBufInt(resbuf* list, int code, int value) {
  if (resbuf* rb = first(list, code, QvRbKind::kShort)) {
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
      return kQvError;
    rb->value.int16 = static_cast<int16_t>(value);
    return kQvNormal;
  }
  if (resbuf* rb = first(list, code, QvRbKind::kLong)) {
    rb->value.int32 = value;
    return kQvNormal;
  }
  return kQvError;
}

int SetBufReal(resbuf* list, int code, double value) {
  resbuf* rb = first(list, code, QvRbKind::kReal);
  if (!rb) return kQvError;
  rb->value.real = value;
  return kQvNormal;
}

int GetFirstNameInBuf(const resbuf* list, int64_t name[2]) {
  if (!list || !name || qvRbValueKind(list->type) != QvRbKind::kName) return kQvError;
  name[0] = list->value.name[0];
  name[1] = list->value.name[1];
  return kQvNormal;
}

int GetEntNameFromRb(const resbuf* list, int code, int64_t name[2]) {
  const resbuf* rb = first(list, code, QvRbKind::kName);
  if (!rb || !name) return kQvError;
  name[0] = rb->value.name[0];
  name[1] = rb->value.name[1];
  return kQvNormal;
}
