#include "tests/sdk/io/DxfDescription.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sdk/base/resbuf.h"
#include "sdk/db/QvDbBlockTable.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbEntity.h"
#include "sdk/db/QvDbLayerTable.h"
#include "sdk/db/QvDbLinetypeTable.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbProxyEntity.h"
#include "sdk/db/QvDbRegAppTable.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfNumber.h"

namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof(buf), "\\u%04x", c);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string quoted(const QvString& text) {
  return quoted(text.utf8());
}

std::string real(double value) {
  return QvDxfNumber::realText(value);
}

template <class Table, class Visit>
void forEachRecord(QvDbObjectId tableId, Visit visit) {
  QvDbObjectPointer<QvDbSymbolTable> table(tableId, QvDb::kForRead);
  if (!table) return;
  QvDbSymbolTableIterator* raw = nullptr;
  table->newIterator(raw);
  std::unique_ptr<QvDbSymbolTableIterator> it(raw);
  for (; !it->done(); it->step()) {
    QvDbObjectId id;
    it->getRecordId(id);
    QvDbObjectPointer<Table> record(id, QvDb::kForRead);
    if (record) visit(*record);
  }
}

std::string xdataOf(const QvDbObject& object) {
  QvRbListPtr list(object.xData());
  if (!list) return "";
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "{";
  bool firstApp = true;
  for (const resbuf* rb = list.get(); rb; rb = rb->next) {
    if (rb->type == 1001) {
      out += std::string(firstApp ? "" : "]") + (firstApp ? "" : ",") +
             quoted(QvString(rb->value.string)) + ":[";
      firstApp = false;
      continue;
    }
    if (out.back() != '[') out += ",";
    out += "[" + std::to_string(rb->type) + ",";
    switch (qvRbValueKind(rb->type)) {
      case QvRbKind::kString:
        out += quoted(QvString(rb->value.string));
        break;
      case QvRbKind::kReal:
        out += real(rb->value.real);
        break;
      case QvRbKind::kPoint:
        out += "[" + real(rb->value.point[0]) + "," + real(rb->value.point[1]) + "," +
               real(rb->value.point[2]) + "]";
        break;
      case QvRbKind::kShort:
        out += std::to_string(rb->value.int16);
        break;
      case QvRbKind::kLong:
        out += std::to_string(rb->value.int32);
        break;
      case QvRbKind::kBinary: {
        std::string hex;
        for (int16_t i = 0; i < rb->value.binary.length; ++i) {
          const auto b = static_cast<unsigned char>(rb->value.binary.data[i]);
          hex += kHex[b >> 4];
          hex += kHex[b & 0xF];
        }
        out += quoted(hex);
        break;
      }
      default:
        out += "null";
    }
    out += "]";
  }
  return out + "]}";
}

// The text of the first kept group of a code (the file's view of a proxy).
std::string keptText(const QvDbObject& object, int code) {
  const QvDbFileGroups& groups = object.fileGroups();
  for (int i = 0; i < groups.length(); ++i)
    if (groups.at(i).code == code) return groups.at(i).text;
  return "";
}

std::string typeOf(const QvDbObject& object) {
  if (const auto* proxy = QvDbProxyEntity::cast(&object)) return proxy->originalDxfName().utf8();
  return std::string(QvDxfFilerRegistry::instance().forObject(object.isA()).recordName());
}

struct EntityJson {
  std::string type;
  std::string head;  // type, handle, layer, xdata
  std::vector<std::string> attribs;
  std::string block;
};

std::string entitiesOf(const QvDbBlockTableRecord& block) {
  std::vector<EntityJson> entities;
  for (const QvDbObjectId& id : block.entityIds()) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForRead);
    if (!entity) continue;
    const std::string type = typeOf(*entity);
    // Until block references and polylines are modelled, their attributes, vertices and
    // sequence ends stand as entities of their own: they go with the entity before them.
    if (type == "ATTRIB" && !entities.empty() && entities.back().type == "INSERT") {
      entities.back().attribs.push_back("{\"tag\":" + quoted(keptText(*entity, 2)) +
                                        ",\"text\":" + quoted(keptText(*entity, 1)) +
                                        ",\"handle\":" + quoted(entity->handle().ascii()) + "}");
      continue;
    }
    if (type == "VERTEX" || type == "SEQEND") continue;
    EntityJson e;
    e.type = type;
    e.head = "\"type\":" + quoted(type) + ",\"handle\":" + quoted(entity->handle().ascii()) +
             ",\"layer\":" + quoted(entity->layer().isEmpty() ? QvString(L"0") : entity->layer());
    const std::string xdata = xdataOf(*entity);
    if (!xdata.empty()) e.head += ",\"xdata\":" + xdata;
    if (type == "INSERT") e.block = keptText(*entity, 2);
    entities.push_back(std::move(e));
  }
  std::string out = "[";
  for (const EntityJson& e : entities) {
    if (out.size() > 1) out += ",";
    out += "{" + e.head;
    if (e.type == "INSERT") {
      out += ",\"block\":" + quoted(e.block) + ",\"attribs\":[";
      for (size_t i = 0; i < e.attribs.size(); ++i) out += (i ? "," : "") + e.attribs[i];
      out += "]";
    }
    out += "}";
  }
  return out + "]";
}

}  // namespace

std::string describeAsJson(QvDbDatabase& db) {
  std::string layers;
  forEachRecord<QvDbLayerTableRecord>(db.layerTableId(), [&](const QvDbLayerTableRecord& layer) {
    const QvDbObjectId linetype = layer.linetypeObjectId();
    layers += std::string(layers.empty() ? "" : ",") + quoted(layer.name()) +
              ":{\"color\":" + std::to_string(layer.colorIndex()) +
              ",\"off\":" + (layer.isOff() ? "true" : "false") +
              ",\"frozen\":" + (layer.isFrozen() ? "true" : "false") +
              ",\"locked\":" + (layer.isLocked() ? "true" : "false") + ",\"linetype\":" +
              quoted(linetype.isNull() ? QvString(L"Continuous")
                                       : QvDbSymbolTableRecord::nameOf(linetype)) +
              "}";
  });
  std::vector<std::string> linetypes;
  forEachRecord<QvDbLinetypeTableRecord>(
      db.linetypeTableId(),
      [&](const QvDbLinetypeTableRecord& r) { linetypes.push_back(r.name().utf8()); });
  std::vector<std::string> appids;
  forEachRecord<QvDbRegAppTableRecord>(db.regAppTableId(), [&](const QvDbRegAppTableRecord& r) {
    appids.push_back(r.name().utf8());
  });
  std::sort(linetypes.begin(), linetypes.end());
  std::sort(appids.begin(), appids.end());
  auto list = [](const std::vector<std::string>& names) {
    std::string out = "[";
    for (size_t i = 0; i < names.size(); ++i) out += (i ? "," : "") + quoted(names[i]);
    return out + "]";
  };
  std::string blocks;
  forEachRecord<QvDbBlockTableRecord>(db.blockTableId(), [&](const QvDbBlockTableRecord& block) {
    blocks +=
        std::string(blocks.empty() ? "" : ",") + quoted(block.name()) + ":" + entitiesOf(block);
  });
  return "{\"layers\":{" + layers + "},\"linetypes\":" + list(linetypes) +
         ",\"appids\":" + list(appids) + ",\"blocks\":{" + blocks + "}}\n";
}
