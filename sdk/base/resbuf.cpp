#include "sdk/base/resbuf.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <cwchar>

QvRbKind qvRbValueKind(int type) {
  switch (type) {
    case kRbReal:
    case kRbAngle:
    case kRbOrientation:
      return QvRbKind::kReal;
    case kRbPoint2d:
    case kRbPoint3d:
      return QvRbKind::kPoint;
    case kRbShort:
      return QvRbKind::kShort;
    case kRbLong:
      return QvRbKind::kLong;
    case kRbString:
      return QvRbKind::kString;
    case kRbEntityName:
    case kRbPickSet:
      return QvRbKind::kName;
    case kRbNone:
    case kRbVoid:
    case kRbListBegin:
    case kRbListEnd:
    case kRbDottedPair:
    case kRbNil:
    case kRbTrue:
      return QvRbKind::kNone;
    default:
      break;
  }
  if (type == -1 || type == -2) return QvRbKind::kName;
  if (type == -3) return QvRbKind::kNone;
  if (type == -4) return QvRbKind::kString;
  if (type < 0) return QvRbKind::kNone;
  if (type <= 9) return QvRbKind::kString;
  if (type <= 37) return QvRbKind::kPoint;
  if (type <= 59) return QvRbKind::kReal;  // 38 elevation and 39 thickness are single numbers
  if (type <= 79) return QvRbKind::kShort;
  if (type >= 90 && type <= 99) return QvRbKind::kLong;
  if (type == 100 || type == 102 || type == 105) return QvRbKind::kString;
  if (type >= 110 && type <= 139) return QvRbKind::kPoint;
  if (type >= 140 && type <= 149) return QvRbKind::kReal;
  if (type >= 160 && type <= 169) return QvRbKind::kInt64;
  if (type >= 170 && type <= 179) return QvRbKind::kShort;
  if (type >= 210 && type <= 239) return QvRbKind::kPoint;
  if (type >= 270 && type <= 299) return QvRbKind::kShort;
  if (type >= 300 && type <= 309) return QvRbKind::kString;
  if (type >= 310 && type <= 319) return QvRbKind::kBinary;
  if (type >= 320 && type <= 329) return QvRbKind::kString;
  if (type >= 330 && type <= 369) return QvRbKind::kName;
  if (type >= 370 && type <= 389) return QvRbKind::kShort;
  if (type >= 390 && type <= 399) return QvRbKind::kName;
  if (type >= 400 && type <= 409) return QvRbKind::kShort;
  if (type >= 410 && type <= 419) return QvRbKind::kString;
  if (type >= 420 && type <= 429) return QvRbKind::kLong;
  if (type >= 430 && type <= 439) return QvRbKind::kString;
  if (type >= 440 && type <= 459) return QvRbKind::kLong;
  if (type >= 460 && type <= 469) return QvRbKind::kReal;
  if (type >= 470 && type <= 481) return QvRbKind::kString;
  if (type == 999) return QvRbKind::kString;
  if (type == kGcXDataBinary) return QvRbKind::kBinary;
  if (type >= 1000 && type <= 1009) return QvRbKind::kString;
  if (type >= 1010 && type <= 1039) return QvRbKind::kPoint;
  if (type >= 1040 && type <= 1059) return QvRbKind::kReal;
  if (type >= 1060 && type <= 1070) return QvRbKind::kShort;
  if (type == 1071) return QvRbKind::kLong;
  return QvRbKind::kNone;
}

resbuf* qvutNewRb(int type) {
  auto* rb = static_cast<resbuf*>(std::calloc(1, sizeof(resbuf)));
  if (rb) rb->type = static_cast<int16_t>(type);
  return rb;
}

static void releaseValue(resbuf* rb) {
  switch (qvRbValueKind(rb->type)) {
    case QvRbKind::kString:
      std::free(rb->value.string);
      rb->value.string = nullptr;
      break;
    case QvRbKind::kBinary:
      std::free(rb->value.binary.data);
      rb->value.binary.data = nullptr;
      rb->value.binary.length = 0;
      break;
    default:
      break;
  }
}

int qvutRelRb(resbuf* list) {
  while (list) {
    resbuf* next = list->next;
    releaseValue(list);
    std::free(list);
    list = next;
  }
  return kQvNormal;
}

wchar_t* qvutDupString(const wchar_t* text) {
  if (!text) text = L"";
  const size_t n = std::wcslen(text) + 1;
  auto* copy = static_cast<wchar_t*>(std::malloc(n * sizeof(wchar_t)));
  if (copy) std::wmemcpy(copy, text, n);
  return copy;
}

void qvutSetRbString(resbuf* rb, const wchar_t* text) {
  if (!rb) return;
  std::free(rb->value.string);
  rb->value.string = qvutDupString(text);
}

int qvutListLength(const resbuf* list) {
  int n = 0;
  for (; list; list = list->next) ++n;
  return n;
}

static resbuf* dupOne(const resbuf* rb) {
  resbuf* copy = qvutNewRb(rb->type);
  if (!copy) return nullptr;
  copy->value = rb->value;
  switch (qvRbValueKind(rb->type)) {
    case QvRbKind::kString:
      copy->value.string = rb->value.string ? qvutDupString(rb->value.string) : nullptr;
      break;
    case QvRbKind::kBinary:
      copy->value.binary.data = nullptr;
      if (rb->value.binary.data && rb->value.binary.length > 0) {
        copy->value.binary.data = static_cast<char*>(std::malloc(rb->value.binary.length));
        if (copy->value.binary.data)
          std::memcpy(copy->value.binary.data, rb->value.binary.data, rb->value.binary.length);
      }
      break;
    default:
      break;
  }
  return copy;
}

resbuf* qvutDupList(const resbuf* list) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  for (; list; list = list->next) {
    resbuf* copy = dupOne(list);
    if (!copy) {
      qvutRelRb(head);
      return nullptr;
    }
    *tail = copy;
    tail = &copy->next;
  }
  return head;
}

resbuf* qvutBuildList(int type, ...) {
  va_list args;
  va_start(args, type);
  resbuf* head = nullptr;
  resbuf** tail = &head;
  bool ok = true;
  for (; type != 0; type = va_arg(args, int)) {
    resbuf* rb = qvutNewRb(type);
    if (!rb) {
      ok = false;
      break;
    }
    *tail = rb;
    tail = &rb->next;
    switch (qvRbValueKind(type)) {
      case QvRbKind::kReal:
        rb->value.real = va_arg(args, double);
        break;
      case QvRbKind::kPoint: {
        const double* p = va_arg(args, const double*);
        if (p) std::memcpy(rb->value.point, p, sizeof rb->value.point);
        break;
      }
      case QvRbKind::kShort:
        rb->value.int16 = static_cast<int16_t>(va_arg(args, int));
        break;
      case QvRbKind::kLong:
        rb->value.int32 = va_arg(args, int);
        break;
      case QvRbKind::kInt64:
        rb->value.int64 = va_arg(args, long long);
        break;
      case QvRbKind::kString:
        rb->value.string = qvutDupString(va_arg(args, const wchar_t*));
        break;
      case QvRbKind::kName: {
        const int64_t* n = va_arg(args, const int64_t*);
        if (n) {
          rb->value.name[0] = n[0];
          rb->value.name[1] = n[1];
        }
        break;
      }
      case QvRbKind::kBinary:
        ok = false;  // binary chunks have no single-value form
        break;
      case QvRbKind::kNone:
        break;
    }
    if (!ok) break;
  }
  va_end(args);
  if (!ok) {
    qvutRelRb(head);
    return nullptr;
  }
  return head;
}
