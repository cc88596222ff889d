// Underlay definitions and references through DXF files, with their reactor links and CLASSES
// records, ours read by ezdxf and ezdxf's read here, alike.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbDictionary.h"
#include "sdk/db/QvDbDictionaryIterator.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/db/QvDbUnderlayDefinition.h"
#include "sdk/db/QvDbUnderlayReference.h"
#include "sdk/io/QvDxfNumber.h"
#include "tests/sdk/io/DxfDescription.h"
#include "tests/sdk/io/DxfTestSupport.h"
#include "tests/support/DbChecks.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"

namespace {

using json::real;

const char* recordNameOf(const QvDbUnderlayReference& ref) {
  if (QvDbPdfReference::cast(&ref)) return "PDFUNDERLAY";
  if (QvDbDgnReference::cast(&ref)) return "DGNUNDERLAY";
  return "DWFUNDERLAY";
}

// The key under which a definition sits in its dictionary.
QvString keyOf(QvDbObjectId defId) {
  QvDbObjectPointer<QvDbUnderlayDefinition> def(defId, QvDb::kForRead);
  if (!def) return QvString();
  QvDbObjectPointer<QvDbDictionary> dict(def->ownerId(), QvDb::kForRead);
  if (!dict) return QvString();
  QvString key;
  dict->nameAt(defId, key);
  return key;
}

// The underlays of the model space in the form ezdxf_underlay_probe.py compares.
std::string describeUnderlays(QvDbDatabase& db) {
  std::string out = "[";
  QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForRead);
  for (const QvDbObjectId& id : space->entityIds()) {
    QvDbObjectPointer<QvDbUnderlayReference> ref(id, QvDb::kForRead);
    if (!ref) continue;
    QvDbObjectPointer<QvDbUnderlayDefinition> def(ref->definitionId(), QvDb::kForRead);
    const QvGeScale3d scale = ref->scaleFactors();
    out += std::string(out.size() > 1 ? "," : "") + "{\"type\":\"" + recordNameOf(*ref) +
           "\",\"file\":" + json::text(def->getSourceFileName()) +
           ",\"item\":" + json::text(def->getItemName()) +
           ",\"key\":" + json::text(keyOf(def->objectId())) +
           ",\"insert\":" + json::point(ref->position()) +
           ",\"scale\":" + json::point(QvGePoint3d(scale.sx, scale.sy, scale.sz)) +
           ",\"rotation\":" + real(ref->rotation() * 180.0 / M_PI) +
           ",\"flags\":" + std::to_string(ref->underlayFlags()) +
           ",\"boundary\":" + json::points(ref->clipBoundary()) +
           ",\"reactor\":" + (def->hasPersistentReactor(id) ? "true" : "false") + "}";
  }
  return out + "]\n";
}

const EzdxfProbe kProbe{dxfDataPath("ezdxf_underlay_probe.py"), describeUnderlays};

// Every reference of the model space is a reactor of its definition, and every reference among
// the reactors of a definition shows it.
::testing::AssertionResult linksHold(QvDbDatabase& db) {
  QvDbObjectPointer<QvDbBlockTableRecord> space(db.modelSpaceId(), QvDb::kForRead);
  for (const QvDbObjectId& id : space->entityIds()) {
    QvDbObjectPointer<QvDbUnderlayReference> ref(id, QvDb::kForRead);
    if (!ref) continue;
    QvDbObjectPointer<QvDbUnderlayDefinition> def(ref->definitionId(), QvDb::kForRead);
    if (!def) return ::testing::AssertionFailure() << "a reference has no definition";
    if (!def->hasPersistentReactor(id))
      return ::testing::AssertionFailure() << "a reference is no reactor of its definition";
    // Files may also name the owning dictionary among the reactors.
    for (const QvDbReactorEntry& e : def->reactors()) {
      QvDbObjectPointer<QvDbUnderlayReference> watcher(e.persistentId, QvDb::kForRead);
      if (watcher && watcher->definitionId() != def->objectId())
        return ::testing::AssertionFailure() << "a reactor does not show its definition";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

class DxfUnderlayTest : public DxfFolderTest {
 protected:
  template <class Definition>
  QvDbObjectId addDefinition(const wchar_t* key, const wchar_t* file, const wchar_t* item) {
    auto* def = new Definition();
    EXPECT_EQ(def->setSourceFileName(file), Vexa::eOk);
    EXPECT_EQ(def->setItemName(item), Vexa::eOk);
    QvDbObjectId id;
    EXPECT_EQ(QvDbUnderlayDefinition::addToDatabase(db(), key, def, id), Vexa::eOk);
    return id;
  }

  template <class Reference>
  void addReference(QvDbObjectId defId, const QvGePoint3d& at, const QvGeScale3d& scale,
                    double degrees, const QvGePoint2dArray& clip = QvGePoint2dArray()) {
    auto* ref = new Reference();
    ASSERT_EQ(ref->setDefinitionId(defId), Vexa::eOk);
    ASSERT_EQ(ref->setPosition(at), Vexa::eOk);
    ASSERT_EQ(ref->setScaleFactors(scale), Vexa::eOk);
    ASSERT_EQ(ref->setRotation(degrees * M_PI / 180.0), Vexa::eOk);
    ASSERT_EQ(ref->setClipBoundary(clip), Vexa::eOk);
    ASSERT_FALSE(appendToModelSpace(db(), ref).isNull());
  }
};

TEST_F(DxfUnderlayTest, OursAreReadByEzdxfAndComeBackAlike) {
  const QvDbObjectId pdf =
      addDefinition<QvDbPdfDefinition>(L"site plan - 2", L"plans/site plan \u00E4.pdf", L"2");
  const QvDbObjectId dgn = addDefinition<QvDbDgnDefinition>(L"partner", L"partner.dgn", L"");
  const QvDbObjectId dwf = addDefinition<QvDbDwfDefinition>(L"sheets", L"s.dwf", L"Sheet 1");
  addReference<QvDbPdfReference>(pdf, {10, 20, 0}, QvGeScale3d(1), 0);
  addReference<QvDbPdfReference>(pdf, {-5, 3, 1}, QvGeScale3d(2, 3, 1), 30,
                                 QvGePoint2dArray{{1, 1}, {6, 4}, {2, 5}});
  addReference<QvDbDgnReference>(dgn, {0, 0, 0}, QvGeScale3d(0.5), 0);
  addReference<QvDbDwfReference>(dwf, {1, 1, 0}, QvGeScale3d(1), 90);
  ASSERT_TRUE(linksHold(*db()));

  const std::string text = dxfText(*db());
  // The classes of what the drawing holds are listed.
  const std::vector<std::string> classes = valuesOf(groupsOf(text), 1);
  for (const char* name : {"PDFDEFINITION", "PDFUNDERLAY", "DGNDEFINITION", "DGNUNDERLAY",
                           "DWFDEFINITION", "DWFUNDERLAY"})
    EXPECT_NE(std::find(classes.begin(), classes.end(), name), classes.end()) << name;

  std::unique_ptr<QvDbDatabase> again = kProbe.roundTrip(*db(), folder_);
  ASSERT_TRUE(again);
  EXPECT_TRUE(linksHold(*again));
  EXPECT_TRUE(nothingLeftOpen(again.get()));
}

TEST_F(DxfUnderlayTest, EzdxfDrawingsAreReadWithTheirLinks) {
  if (!hasEzdxf()) GTEST_SKIP() << "python3-ezdxf is not installed";
  const EzdxfMade theirs = kProbe.readMade(folder_);
  ASSERT_TRUE(theirs.db);
  EXPECT_TRUE(linksHold(*theirs.db));
  // Two references show the PDF definition, in the order they were made.
  QvDbObjectPointer<QvDbDictionary> dict(
      QvDbUnderlayDefinition::dictionaryId(theirs.db.get(), QvDbUnderlayFormat::kPdf),
      QvDb::kForRead);
  ASSERT_TRUE(dict);
  ASSERT_EQ(dict->numEntries(), 1);
  std::unique_ptr<QvDbDictionaryIterator> it(dict->newIterator());
  QvDbObjectPointer<QvDbPdfDefinition> def(it->objectId(), QvDb::kForRead);
  ASSERT_TRUE(def);
  int references = 0;
  for (const QvDbReactorEntry& e : def->reactors())
    if (QvDbObjectPointer<QvDbPdfReference>(e.persistentId, QvDb::kForRead)) ++references;
  EXPECT_EQ(references, 2);
  def.close();
  dict.close();
  EXPECT_TRUE(nothingLeftOpen(theirs.db.get()));
}
