#include <vector>

#include "sdk/db/QvDbEvalGraph.h"
#include "sdk/db/QvDbTagEvalGraph.h"
#include "sdk/io/QvDxfClassRecord.h"
#include "sdk/io/QvDxfFilers.h"
#include "sdk/io/QvDxfObjectReader.h"
#include "sdk/io/QvDxfObjectWriter.h"
#include "sdk/io/QvDxfSlot.h"
#include "sdk/io/QvDxfWriteSession.h"
#include "sdk/rx/QvRxClass.h"

namespace {

constexpr std::string_view kGraphMarkers[] = {"AcDbEvalGraph"};
constexpr QvDxfClassRecord kGraphClass{"ACAD_EVALUATION_GRAPH", "AcDbEvalGraph",
                                       "ObjectDBX Classes", 1025, false};
// The groups of the graph as read, nodes and edges, split after the last node: new nodes go
// between the two parts.
constexpr uint16_t kNodesSlot = QvDxfSlot::kFirstCustom;
constexpr uint16_t kEdgesSlot = QvDxfSlot::kFirstCustom + 1;
// Each node is its index (91), flags (93), next node (95), expression (360) and four links (92).
constexpr int kLinksPerNode = 4;

// The evaluation graph of a dynamic block. Its nodes are the objects of its node records
// (360); the rest of the records, and the edges, are kept as read around them. Nodes added
// since are written as records of their own after the nodes read.
class EvalGraphFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "ACAD_EVALUATION_GRAPH"; }
  const QvRxClass* objectClass() const override { return QvDbEvalGraph::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kGraphMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbEvalGraph(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& graph = static_cast<QvDbEvalGraph&>(object);
    in.select(1);
    std::vector<size_t> groups;
    size_t nodesEnd = 0;  // groups[0, nodesEnd) are the head and the nodes
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1))
      groups.push_back(i);
    for (size_t k = 0; k < groups.size(); ++k) {
      if (in.code(groups[k]) != 360) continue;
      const size_t i = groups[k];
      if (graph.addNode(in.pointerAt(i)) != Vexa::eOk)
        in.fail(i, QvDxfDiagnostic::kWrongReference,
                "the node (360) names no object of this drawing");
      in.release(i);
      nodesEnd = k + 1;
      for (int links = 0;
           nodesEnd < groups.size() && links < kLinksPerNode && in.code(groups[nodesEnd]) == 92;
           ++links)
        ++nodesEnd;
    }
    for (size_t k = 0; k < groups.size(); ++k)
      in.setSlot(groups[k], k < nodesEnd ? kNodesSlot : kEdgesSlot);
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& graph = static_cast<const QvDbEvalGraph&>(object);
    out.begin(recordName());
    out.subclass(1);
    const QvDbObjectIdArray nodes = graph.nodes();
    QvDbObjectIdArray read;
    const QvDbFileGroups& kept = out.kept();
    for (int i = 0; i < kept.length(); ++i)
      if (kept.at(i).slot == kNodesSlot && kept.at(i).code == 360) read.append(kept.at(i).id);
    bool readFirst = read.length() <= nodes.length();
    for (int i = 0; readFirst && i < read.length(); ++i) readFirst = read[i] == nodes[i];
    int from = 0;
    if (readFirst && out.hasKept(kNodesSlot)) {
      out.keptGroups(kNodesSlot);
      from = read.length();
    } else {
      out.integer(96, 0);
      out.integer(97, nodes.isEmpty() ? -1 : 0);
    }
    for (int i = from; i < nodes.length(); ++i) {
      out.integer(91, i);
      out.integer(93, 32);
      out.integer(95, i + 1 < nodes.length() ? i + 1 : -1);
      out.pointer(360, nodes[i]);
      for (int link = 0; link < kLinksPerNode; ++link) out.integer(92, -1);
    }
    if (readFirst) out.keptGroups(kEdgesSlot);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kGraphClass);
  }
};

constexpr std::string_view kTagMarkers[] = {"QvDbTagEvalGraph"};
constexpr QvDxfClassRecord kTagClass{"TAG_EVALUATION_GRAPH", "QvDbTagEvalGraph", "Tarvo", 0, false};

// The graph of a tag-driven block: the number of tags (90) and each tag (1).
class TagEvalGraphFiler : public QvDxfClassFiler {
 public:
  Placement placement() const override { return kObject; }
  std::string_view recordName() const override { return "TAG_EVALUATION_GRAPH"; }
  const QvRxClass* objectClass() const override { return QvDbTagEvalGraph::desc(); }
  std::span<const std::string_view> subclassMarkers() const override { return kTagMarkers; }
  QvDbObject* create(QvDxfObjectReader&) const override { return new QvDbTagEvalGraph(); }

  void read(QvDxfObjectReader& in, QvDbObject& object) const override {
    auto& graph = static_cast<QvDbTagEvalGraph&>(object);
    in.select(1);
    in.integer(90, 0, 0, INT32_MAX);  // the count, taken from the tags
    for (size_t i = in.next(in.bodyBegin()); i != QvDxfObjectReader::npos; i = in.next(i + 1)) {
      if (in.code(i) != 1) continue;
      if (graph.addTag(in.textAt(i).c_str()) != Vexa::eOk)
        in.fail(i, QvDxfDiagnostic::kRefusedValue, "the tag (1) is empty");
    }
  }

  void write(QvDxfObjectWriter& out, const QvDbObject& object) const override {
    const auto& graph = static_cast<const QvDbTagEvalGraph&>(object);
    out.begin(recordName());
    out.subclass(1);
    const QvArray<QvString> tags = graph.tags();
    out.integer(90, tags.length());
    for (const QvString& tag : tags) out.text(1, tag);
    out.end();
  }

  void noteClass(QvDxfWriteSession& session, const QvDbObject&) const override {
    session.noteClass(kTagClass);
  }
};

}  // namespace

QvDxfFilerPtr qvDxfEvalGraphFiler() {
  return std::make_unique<EvalGraphFiler>();
}

QvDxfFilerPtr qvDxfTagEvalGraphFiler() {
  return std::make_unique<TagEvalGraphFiler>();
}
