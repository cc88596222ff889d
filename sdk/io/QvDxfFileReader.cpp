#include "sdk/io/QvDxfFileReader.h"

#include <algorithm>

#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDimension.h"
#include "sdk/db/QvDbLayout.h"
#include "sdk/io/QvDxfError.h"
#include "sdk/io/QvDxfFileExtras.h"
#include "sdk/io/QvDxfFilerRegistry.h"
#include "sdk/io/QvDxfLinkPass.h"
#include "sdk/io/QvDxfMTextColumns.h"
#include "sdk/io/QvDxfNumber.h"
#include "sdk/io/QvDxfObjectReader.h"

QvDxfFileReader::QvDxfFileReader(const QvDxfTokens& tokens, QvDbDatabase& db)
    : tokens_(tokens),
      db_(db),
      session_(tokens, db),
      extras_(std::make_unique<QvDxfFileExtras>()),
      tables_(session_, *extras_),
      entities_(session_) {}

QvDxfFileReader::~QvDxfFileReader() = default;

void QvDxfFileReader::read() {
  // Dimensions take the blocks the file gives them.
  const QvDbDimension::AutomaticUpdateSuspension fileBlocks;
  const size_t n = tokens_.size();
  // Objects without a handle get new ones above every handle the file's records give.
  // A reference to a handle that none has is dropped. Groups of the header are variables and
  // groups kept with them, not records: their handles count for neither.
  uint64_t maxHandle = 0;
  std::vector<uint64_t> handles;
  bool hasObjects = false;  // the root dictionary is the file's
  bool inHeader = false;
  for (size_t i = 0; i < n; ++i) {
    const int code = tokens_.code(i);
    if (code == 2 && i > 0 && tokens_.is(i - 1, 0, "SECTION")) {
      inHeader = tokens_.is(i, 2, "HEADER");
      if (tokens_.is(i, 2, "OBJECTS")) hasObjects = true;
    }
    if (code == 0 && tokens_.is(i, 0, "ENDSEC")) inHeader = false;
    uint64_t h = 0;
    if ((code == 5 || code == 105) && !inHeader && QvDxfNumber::parseHandle(tokens_.value(i), h)) {
      maxHandle = std::max(maxHandle, h);
      handles.push_back(h);
    }
  }
  if (maxHandle < (uint64_t{1} << 60)) db_.setHandseed(QvDbHandle(maxHandle + 1));
  session_.setFileHandles(std::move(handles));

  if (n == 0) qvDxfFail(1, QvDxfDiagnostic::kMisplaced, "the file holds no section");
  const auto group = [this](size_t i) {
    return "group " + std::to_string(tokens_.code(i)) + " \"" + qvDxfExcerpt(tokens_.value(i)) +
           "\"";
  };
  for (size_t i = 0; i < n;) {
    if (!tokens_.is(i, 0, "SECTION"))
      qvDxfFail(tokens_[i].line, QvDxfDiagnostic::kMisplaced,
                "a section (0 SECTION) should start here, not " + group(i));
    if (i + 1 >= n || tokens_.code(i + 1) != 2)
      qvDxfFail(tokens_[i].line, QvDxfDiagnostic::kMissingGroup, "the section has no name (2)");
    const std::string name(tokens_.value(i + 1));
    size_t j = i + 2;
    while (j < n && !tokens_.is(j, 0, "ENDSEC")) {
      if (tokens_.is(j, 0, "SECTION"))
        qvDxfFail(tokens_[j].line, QvDxfDiagnostic::kNotClosed,
                  "the section " + name +
                      " is not closed (0 ENDSEC) before "
                      "the next one");
      ++j;
    }
    if (j >= n)
      qvDxfFail(tokens_[i].line, QvDxfDiagnostic::kNotClosed,
                "the section " + name + " is not closed (0 ENDSEC): the file is cut short");
    const size_t begin = i + 2;
    // Sections of records start with one; the rest of a record's groups follow it.
    if ((name == "ENTITIES" || name == "OBJECTS") && begin < j && tokens_.code(begin) != 0)
      qvDxfFail(
          tokens_[begin].line, QvDxfDiagnostic::kMisplaced,
          "a record (group 0) should start the section " + name + " here, not " + group(begin));
    if (name == "HEADER") {
      QvDxfHeaderSection::readVersion(session_, begin, j);
      QvDxfHeaderSection::read(session_, begin, j, *extras_, current_);
    } else if (name == "CLASSES") {
      readClasses(begin, j);
    } else if (name == "TABLES") {
      tables_.read(begin, j);
    } else if (name == "BLOCKS") {
      tables_.ensureTables(hasObjects);
      entities_.readBlocks(begin, j);
    } else if (name == "ENTITIES") {
      tables_.ensureTables(hasObjects);
      entities_.readEntities(begin, j);
    } else if (name == "OBJECTS") {
      readObjects(begin, j);
    } else {
      keepSection(name, begin, j);
    }
    i = j + 1;
  }
  // Links, once every object is read.
  entities_.closeBlock();
  tables_.ensureTables();
  QvDxfLinkPass(session_, *extras_, current_).run();
  qvDxfJoinMTextColumns(session_);
  db_.setHandseed(QvDbHandle(session_.handseed()));
  db_.setFileExtras(std::move(extras_));
}

// Sections kept as they are.

void QvDxfFileReader::keepSection(const std::string& name, size_t begin, size_t end) {
  QvDxfFileExtras::Section section{name, {}};
  for (size_t i = begin; i < end; ++i)
    section.groups.push_back(
        {static_cast<int16_t>(tokens_.code(i)), session_.toUtf8(tokens_.value(i))});
  extras_->sections.push_back(std::move(section));
}

void QvDxfFileReader::readClasses(size_t begin, size_t end) {
  for (size_t i = begin; i < end;) {
    if (!tokens_.is(i, 0, "CLASS"))
      qvDxfFail(tokens_[i].line, QvDxfDiagnostic::kMisplaced,
                "a class record (0 CLASS) should start here, not \"" +
                    qvDxfExcerpt(tokens_.value(i)) + "\"");
    const size_t next = tokens_.recordEnd(i, end);
    QvDxfRawGroups groups;
    QvString dxfName;
    QvDxfReadSession::ClassInfo info;
    for (size_t k = i + 1; k < next; ++k) {
      const std::string_view v = tokens_.value(k);
      groups.push_back({static_cast<int16_t>(tokens_.code(k)), session_.toUtf8(v)});
      switch (tokens_.code(k)) {
        case 1:
          dxfName = session_.decode(v);
          break;
        case 2:
          info.className = session_.decode(v);
          break;
        case 3:
          info.appName = session_.decode(v);
          break;
        case 90: {
          int64_t flags = 0;
          if (QvDxfNumber::parseInteger(v, flags)) info.proxyFlags = static_cast<int32_t>(flags);
          break;
        }
        default:
          break;
      }
    }
    if (!dxfName.isEmpty()) session_.noteClass(dxfName, std::move(info));
    extras_->classes.push_back(std::move(groups));
    i = next;
  }
}

// Objects.

void QvDxfFileReader::readObjects(size_t begin, size_t end) {
  const QvDxfFilerRegistry& registry = QvDxfFilerRegistry::instance();
  for (size_t i = begin; i < end;) {
    session_.progressAt(i);
    const size_t next = tokens_.recordEnd(i, end);
    const std::string_view name = tokens_.value(i);
    const QvDxfClassFiler* filer = registry.forRecord(QvDxfClassFiler::kObject, name);
    if (!filer) filer = &registry.proxyObjects();
    QvDxfObjectReader in(session_, i, next, filer->subclassMarkers());
    QvDbObject* object = filer->create(in);
    QvDbObjectId id;
    if (!sawObjects_) {
      auto* root = QvDbDictionary::cast(object);
      if (!root) {
        delete object;
        in.failObject(QvDxfDiagnostic::kMisplaced,
                      "the OBJECTS section must start with the root dictionary");
      }
      id = session_.addRootDictionary(root, in.handle(), in.handle() ? in.handleLine() : in.line());
      sawObjects_ = true;
    } else {
      id = session_.add(object, in.handle(), in.handle() ? in.handleLine() : in.line());
      const QvDbObjectId owner =
          in.hasOwner() ? session_.reference(in.ownerHandle(), in.ownerLine()) : QvDbObjectId();
      if (!owner.isNull()) session_.deferOwner(id, owner);
    }
    filer->read(in, *object);
    in.applyCommon(*object);
    if (QvDbLayout::cast(object)) session_.noteLayout(id);
    object->close();
    i = next;
  }
}
