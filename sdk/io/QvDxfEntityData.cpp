#include "sdk/io/QvDxfEntityData.h"

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "sdk/base/qvUtf8.h"

#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbBlockTableRecordIterator.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDimStyleTable.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/db/QvDbSymbolTable.h"
#include "sdk/db/QvDbSymbolTableIterator.h"
#include "sdk/db/QvDbTextStyleTable.h"
#include "sdk/io/QvDxfClassFiler.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfReadSession.h"
#include "sdk/io/QvDxfResbufs.h"
#include "sdk/io/QvDxfText.h"
#include "sdk/io/QvDxfTokenizer.h"
#include "sdk/io/QvDxfWriteSession.h"

namespace {

bool isPointCode(int code) {
  return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || (code >= 210 && code <= 213);
}

bool isReference(int code) {
  return (code >= 330 && code <= 369) || (code >= 390 && code <= 399);
}

// Appends records to a list.
class ListBuilder {
 public:
  resbuf* add(int code) {
    resbuf* rb = qvutNewRb(code);
    if (!head_)
      head_ = rb;
    else
      tail_->next = rb;
    tail_ = rb;
    return rb;
  }
  resbuf* release() {
    resbuf* out = head_;
    head_ = tail_ = nullptr;
    return out;
  }
  ~ListBuilder() { qvutRelRb(head_); }

 private:
  resbuf* head_ = nullptr;
  resbuf* tail_ = nullptr;
};

double realOf(std::string_view text) {
  double value = 0.0;
  QvDxfNumber::parseReal(text, value);
  return value;
}

// The groups i to end of a record as list records, from `from` on; extended data ends them.
void appendGroups(ListBuilder& list, const QvDxfTokens& t, size_t i, size_t end, QvDbDatabase& db,
                  bool tableList) {
  while (i < end) {
    const int code = t.code(i);
    const std::string_view raw = t.value(i);
    if (code >= 1000) break;
    if (tableList &&
        (code == 5 || code == 100 || code == 102 || code == 105 || isReference(code))) {
      ++i;
      continue;
    }
    if (isPointCode(code)) {
      double p[3] = {realOf(raw), 0.0, 0.0};
      size_t next = i + 1;
      if (next < end && t.code(next) == code + 10) p[1] = realOf(t.value(next++));
      if (next < end && t.code(next) == code + 20) p[2] = realOf(t.value(next++));
      resbuf* rb = list.add(code);
      for (int k = 0; k < 3; ++k) rb->value.point[k] = p[k];
      i = next;
      continue;
    }
    resbuf* rb = list.add(code);
    int64_t integer = 0;
    switch (qvRbValueKind(code)) {
      case QvRbKind::kString:
        rb->value.string = qvutDupString(QvDxfText::decode(raw, QvDxfText::kUtf8).c_str());
        break;
      case QvRbKind::kShort:
        QvDxfNumber::parseInteger(raw, integer);
        rb->value.int16 = static_cast<int16_t>(integer);
        break;
      case QvRbKind::kLong:
        QvDxfNumber::parseInteger(raw, integer);
        rb->value.int32 = static_cast<int32_t>(integer);
        break;
      case QvRbKind::kInt64:
        QvDxfNumber::parseInteger(raw, integer);
        rb->value.int64 = integer;
        break;
      case QvRbKind::kName: {
        uint64_t handle = 0;
        QvDbObjectId id;
        if (QvDxfNumber::parseHandle(raw, handle) && handle != 0)
          db.getQvDbObjectId(id, false, QvDbHandle(handle));
        qvdbGetAdsName(rb->value.name, id);
        break;
      }
      case QvRbKind::kBinary: {
        std::string bytes;
        QvDxfNumber::parseHexBytes(raw, bytes);
        rb->value.binary.length = static_cast<int16_t>(bytes.size());
        rb->value.binary.data = static_cast<char*>(std::malloc(bytes.size() + 1));
        std::memcpy(rb->value.binary.data, bytes.data(), bytes.size());
        break;
      }
      default:  // reals, and the odd codes of coordinates that are single reals (38, 39, ...)
        rb->value.real = realOf(raw);
        break;
    }
    ++i;
  }
}

QvDxfTokens recordTokens(QvDxfWriteSession& session, const QvDbObject& object) {
  const QvDxfClassFiler& filer = QvDxfFilerRegistry::instance().forObject(object.isA());
  {
    QvDxfObjectWriter out(session, object, filer.subclassMarkers());
    filer.write(out, object);
  }
  return QvDxfTokenizer::tokenize(session.out().str() + "  0\nEOF\n");
}

resbuf* find(resbuf* list, int code) {
  for (; list; list = list->next)
    if (list->type == code) return list;
  return nullptr;
}

// Block references carry their scale factors and rotation, also when they are the defaults.
void addReferenceDefaults(resbuf* list) {
  resbuf* insert = find(list, 10);
  if (!insert) return;
  for (int code : {50, 43, 42, 41}) {
    if (find(list, code)) continue;
    resbuf* rb = qvutNewRb(code);
    rb->value.real = code == 50 ? 0.0 : 1.0;
    rb->next = insert->next;
    insert->next = rb;
  }
}

// The records of a symbol table, so that names in the list find them.
template <class Table>
void noteTable(QvDxfReadSession& session, QvDbDatabase& db, QvDxfReadSession::Table kind) {
  Table* table = nullptr;
  if (db.getSymbolTable(table, QvDb::kForRead) != Vexa::eOk) return;
  QvDbSymbolTableIterator* it = nullptr;
  if (table->newIterator(it) == Vexa::eOk) {
    for (; !it->done(); it->step()) {
      QvDbObjectId id;
      if (it->getRecordId(id) == Vexa::eOk)
        session.noteRecord(kind, QvDbSymbolTableRecord::nameOf(id), id);
    }
    delete it;
  }
  table->close();
}

void noteRecords(QvDxfReadSession& session, QvDbDatabase& db) {
  noteTable<QvDbLayerTable>(session, db, QvDxfReadSession::kLayer);
  noteTable<QvDbLinetypeTable>(session, db, QvDxfReadSession::kLinetype);
  noteTable<QvDbTextStyleTable>(session, db, QvDxfReadSession::kTextStyle);
  noteTable<QvDbDimStyleTable>(session, db, QvDxfReadSession::kDimStyle);
  noteTable<QvDbRegAppTable>(session, db, QvDxfReadSession::kRegApp);
  noteTable<QvDbBlockTable>(session, db, QvDxfReadSession::kBlock);
}

// The point codes an entity's own record writes without z (an LWPOLYLINE's vertices): a list
// gives their points with z, which goes back only where the record has it.
std::set<int> flatPointCodes(const QvDbEntity& entity) {
  std::set<int> flat;
  QvDbDatabase* db = entity.database();
  if (!db) return flat;
  QvDxfWriteSession session(*db);
  const QvDxfTokens tokens = recordTokens(session, entity);
  const size_t end = tokens.recordEnd(0, tokens.size());
  for (size_t i = 0; i < end; ++i) {
    const int code = tokens.code(i);
    if (!isPointCode(code)) continue;
    const bool hasZ = i + 2 < end && tokens.code(i + 2) == code + 20;
    if (!hasZ) flat.insert(code);
  }
  return flat;
}

std::string listText(const resbuf* list, QvDbDatabase& db, const QvDbEntity& entity,
                     QvString& why) {
  const std::set<int> flat = flatPointCodes(entity);
  QvDxfOutput out;
  out.raw(0, QvDxfFilerRegistry::instance().forObject(entity.isA()).recordName());
  for (const resbuf* rb = list; rb; rb = rb->next) {
    const int code = rb->type;
    if (code == -1 || code == 0) continue;
    if (code == 5) {
      out.handle(5, entity.handle());
      continue;
    }
    if (code < 0 || code >= 1000) {
      why = QvString::format(L"the group %d has no place in an entity's data", code);
      return {};
    }
    if (isPointCode(code)) {
      out.point(code, rb->value.point[0], rb->value.point[1], rb->value.point[2],
                !flat.contains(code));
      continue;
    }
    if (QvDxfResbufs::writePlainValue(out, *rb)) continue;
    switch (qvRbValueKind(code)) {
      case QvRbKind::kString:
        if (!rb->value.string) {
          why = QvString::format(L"the group %d has no text", code);
          return {};
        }
        out.text(code, rb->value.string);
        break;
      case QvRbKind::kName: {
        QvDbObjectId id;
        if (qvdbGetObjectId(id, rb->value.name) != Vexa::eOk ||
            (!id.isNull() && id.database() != &db)) {
          why = QvString::format(L"the group %d names no object of the drawing", code);
          return {};
        }
        out.handle(code, id.isNull() ? QvDbHandle() : id.handle());
        break;
      }
      default:
        out.real(code, rb->value.real);
        break;
    }
  }
  out.raw(0, "EOF");
  return out.str();
}

}  // namespace

resbuf* QvDxfEntityData::get(const QvDbEntity& entity) {
  QvDbDatabase* db = entity.database();
  if (!db) return nullptr;
  QvDxfWriteSession session(*db);
  const QvDxfTokens tokens = recordTokens(session, entity);
  ListBuilder list;
  qvdbGetAdsName(list.add(-1)->value.name, entity.objectId());
  appendGroups(list, tokens, 0, tokens.recordEnd(0, tokens.size()), *db, false);
  resbuf* out = list.release();
  if (resbuf* type = find(out, 0);
      type && type->value.string && std::wstring_view(type->value.string) == L"INSERT")
    addReferenceDefaults(out);
  return out;
}

namespace {

bool readInto(QvDbEntity& entity, QvDbDatabase& db, std::string text, QvString& why) {
  const QvDxfClassFiler& filer = QvDxfFilerRegistry::instance().forObject(entity.isA());
  try {
    const QvDxfTokens tokens = QvDxfTokenizer::tokenize(std::move(text));
    QvDxfReadSession session(tokens, db);
    session.setVersion("AC1032", 0);
    noteRecords(session, db);
    QvDxfObjectReader in(session, 0, tokens.recordEnd(0, tokens.size()), filer.subclassMarkers());
    in.select(1);
    in.integer(67, 0, 0, 1);
    in.find(410);
    // That followers come (66) is the record's own: taken, not kept with the entity.
    filer.hasFollowers(in);
    filer.read(in, entity);
    in.applyCommon(entity);
    return true;
  } catch (const QvDxfError& e) {
    why = qvWidenUtf8(e.message());
    return false;
  }
}

}  // namespace

Vexa::ErrorStatus QvDxfEntityData::apply(QvDbEntity& entity, const resbuf* list, QvString* why) {
  QvString reason;
  auto refuse = [&](const QvString& text) {
    if (why) *why = text;
    return Vexa::eInvalidInput;
  };
  QvDbDatabase* db = entity.database();
  if (!db) return refuse(L"the entity is in no drawing");
  const std::string_view recordName =
      QvDxfFilerRegistry::instance().forObject(entity.isA()).recordName();
  const resbuf* type = find(const_cast<resbuf*>(list), 0);
  if (!type || !type->value.string ||
      QvString(type->value.string).compareNoCase(qvWidenUtf8(recordName)) != 0)
    return refuse(QvString::format(L"the list is not of a %hs", std::string(recordName).c_str()));
  if (const resbuf* name = find(const_cast<resbuf*>(list), -1)) {
    QvDbObjectId id;
    if (qvdbGetObjectId(id, name->value.name) != Vexa::eOk || id != entity.objectId())
      return refuse(L"the list names another entity");
  }
  std::string text = listText(list, *db, entity, reason);
  if (text.empty()) return refuse(reason);
  QvRbListPtr before(get(entity));
  if (readInto(entity, *db, std::move(text), reason)) return Vexa::eOk;
  // Refused part way: the entity gets back what it was.
  QvString ignored;
  readInto(entity, *db, listText(before.get(), *db, entity, ignored), ignored);
  return refuse(reason);
}

resbuf* QvDxfEntityData::tableRecord(const QvDbSymbolTableRecord& record) {
  QvDbDatabase* db = record.database();
  if (!db) return nullptr;
  ListBuilder list;
  if (const QvDbBlockTableRecord* block = QvDbBlockTableRecord::cast(&record)) {
    list.add(0)->value.string = qvutDupString(L"BLOCK");
    list.add(2)->value.string = qvutDupString(block->name().c_str());
    int16_t flags = 0;
    if (block->isAnonymous()) flags |= 1;
    if (block->hasAttributeDefinitions()) flags |= 2;
    if (block->isFromExternalReference()) flags |= 4;
    list.add(70)->value.int16 = flags;
    const QvGePoint3d origin = block->origin();
    resbuf* base = list.add(10);
    base->value.point[0] = origin.x;
    base->value.point[1] = origin.y;
    base->value.point[2] = origin.z;
    QvDbObjectId first;
    QvDbBlockTableRecordIterator* it = nullptr;
    if (block->newIterator(it) == Vexa::eOk) {
      if (!it->done()) it->getEntityId(first);
      delete it;
    }
    qvdbGetAdsName(list.add(-2)->value.name, first);
    return list.release();
  }
  QvDxfWriteSession session(*db);
  const QvDxfTokens tokens = recordTokens(session, record);
  appendGroups(list, tokens, 0, tokens.recordEnd(0, tokens.size()), *db, true);
  return list.release();
}
