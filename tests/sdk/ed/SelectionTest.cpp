#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/db/QvDbAdsName.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbBlockTableRecord.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayerTableRecord.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaInputScript.h"
#include "sdk/ed/VexaSelectionQuestion.h"
#include "sdk/ed/VexaSelectionSets.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvdbEntNext.h"
#include "sdk/ed/qvedSelection.h"
#include "tests/sdk/ed/BoxEntity.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"

namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using Kind = VexaTranscriptEntry::Kind;

struct Name {
  int64_t w[2] = {0, 0};
};

class SelectionTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    frozen_ = addLayer(db(), L"Frozen", [](QvDbLayerTableRecord& l) { l.setIsFrozen(true); });
    off_ = addLayer(db(), L"Off", [](QvDbLayerTableRecord& l) { l.setIsOff(true); });
    locked_ = addLayer(db(), L"Locked", [](QvDbLayerTableRecord& l) { l.setIsLocked(true); });
  }

  // A box from (x0, y0) to (x1, y1) in `space` (model space by default) on `layer`.
  QvDbObjectId box(double x0, double y0, double x1, double y1, QvDbObjectId layer = {},
                   QvDbObjectId space = {}) {
    return append(new BoxEntity(QvGePoint3d(x0, y0, 0), QvGePoint3d(x1, y1, 0)), layer, space);
  }
  QvDbObjectId append(BoxEntity* made, QvDbObjectId layer = {}, QvDbObjectId space = {}) {
    if (!layer.isNull()) made->setLayer(layer);
    return appendEntity(space.isNull() ? db()->modelSpaceId() : space, made);
  }
  void erase(QvDbObjectId id) { ASSERT_EQ(eraseObject(id), Vexa::eOk); }

  void hide(QvDbObjectId id) {
    QvDbObjectPointer<QvDbEntity> entity(id, QvDb::kForWrite);
    ASSERT_EQ(entity->setVisibility(QvDb::kInvisible), Vexa::eOk);
  }

  int select(VexaSelectSet& set, VexaSelectionQuestion::Setup setup = {}) {
    host().service<VexaTranscript>().clear();
    return VexaSelectionQuestion(setup).ask(set);
  }
  // What the question selects from the lines of `text`; it must end normally.
  std::vector<QvDbObjectId> selected(const QvString& text,
                                     VexaSelectionQuestion::Setup setup = {}) {
    script(text);
    VexaSelectSet set;
    EXPECT_EQ(select(set, setup), kQvNormal) << text;
    return idsOf(set);
  }
  // The entities of a classic set, which is freed.
  static std::vector<QvDbObjectId> take(const Name& name) {
    VexaSelectSet selection;
    EXPECT_EQ(qvedSSToSelectSet(name.w, selection), kQvNormal);
    EXPECT_EQ(qvedSSFree(name.w), kQvNormal);
    return idsOf(selection);
  }
  std::vector<QvString> prompts() { return transcript().texts(Kind::kPrompt); }
  static std::vector<QvDbObjectId> idsOf(const VexaSelectSet& set) {
    return std::vector<QvDbObjectId>(set.begin(), set.end());
  }
  static QvString handleOf(QvDbObjectId id) { return id.handle().ascii(); }
  static Name nameOf(QvDbObjectId id) {
    Name name;
    qvdbGetAdsName(name.w, id);
    return name;
  }
  // The length of a classic set; -1 when refused.
  static int32_t lengthOf(const Name& set) {
    int32_t length = -1;
    return qvedSSLength(set.w, &length) == kQvNormal ? length : -1;
  }
  // The entity at `index` of a classic set; null when refused.
  static QvDbObjectId memberOf(const Name& set, int index) {
    Name at;
    QvDbObjectId id;
    if (qvedSSName(set.w, index, at.w) == kQvNormal) qvdbGetObjectId(id, at.w);
    return id;
  }

  QvDbObjectId frozen_, off_, locked_;
};

TEST_F(SelectionTest, ClassicSetsAddNameCountAndFree) {
  const QvDbObjectId a = box(0, 0, 1, 1), b = box(2, 2, 3, 3);
  VexaSelectionSets& sets = host().service<VexaSelectionSets>();

  Name empty, one, same;
  ASSERT_EQ(qvedSSAdd(nullptr, nullptr, empty.w), kQvNormal);
  ASSERT_EQ(qvedSSAdd(nameOf(a).w, nullptr, one.w), kQvNormal);
  EXPECT_NE(empty.w[0], one.w[0]);
  EXPECT_EQ(sets.count(), 2);
  EXPECT_EQ(lengthOf(empty), 0);

  // Adding to a set answers its own name; an entity already there is not added twice.
  ASSERT_EQ(qvedSSAdd(nameOf(b).w, one.w, same.w), kQvNormal);
  EXPECT_EQ(same.w[0], one.w[0]);
  EXPECT_EQ(same.w[1], one.w[1]);
  ASSERT_EQ(qvedSSAdd(nameOf(a).w, one.w, one.w), kQvNormal);
  EXPECT_EQ(lengthOf(one), 2);
  EXPECT_EQ(memberOf(one, 1), b);
  EXPECT_TRUE(memberOf(one, 2).isNull());
  EXPECT_TRUE(memberOf(one, -1).isNull());
  EXPECT_EQ(qvedSSMemb(nameOf(b).w, one.w), kQvNormal);
  EXPECT_EQ(qvedSSMemb(nameOf(b).w, empty.w), kQvError);

  // Names that name no live entity change nothing: a layer, an erased entity, garbage. An entity
  // name is no set name.
  const Name layer = nameOf(db()->clayer());
  const QvDbObjectId gone = box(5, 5, 6, 6);
  erase(gone);
  const Name garbage{{0x7fff'ffff'ffff, 0}};
  for (const Name& bad : {layer, nameOf(gone), garbage}) {
    Name made{{-1, -1}};
    EXPECT_EQ(qvedSSAdd(bad.w, nullptr, made.w), kQvError);
    EXPECT_EQ(made.w[0], -1);
    EXPECT_EQ(qvedSSAdd(bad.w, one.w, made.w), kQvError);
  }
  EXPECT_EQ(sets.count(), 2);
  EXPECT_EQ(lengthOf(nameOf(a)), -1);
  Name at;
  EXPECT_EQ(qvedSSAdd(nameOf(a).w, nameOf(a).w, at.w), kQvError);

  // Taking out, then freeing: a freed name is dead for good, and freeing it again fails.
  EXPECT_EQ(qvedSSDel(nameOf(a).w, one.w), kQvNormal);
  EXPECT_EQ(qvedSSDel(nameOf(a).w, one.w), kQvError);
  EXPECT_EQ(memberOf(one, 0), b);
  EXPECT_EQ(qvedSSFree(one.w), kQvNormal);
  EXPECT_EQ(qvedSSFree(one.w), kQvError);
  EXPECT_EQ(lengthOf(one), -1);
  EXPECT_EQ(qvedSSAdd(nameOf(a).w, one.w, at.w), kQvError);
  EXPECT_EQ(qvedSSFree(empty.w), kQvNormal);
  EXPECT_EQ(sets.count(), 0);

  // An entity erased after it was added stays named in the set.
  Name held;
  ASSERT_EQ(qvedSSAdd(nameOf(b).w, nullptr, held.w), kQvNormal);
  erase(b);
  EXPECT_EQ(memberOf(held, 0), b);
  EXPECT_TRUE(b.isErased());
  EXPECT_EQ(qvedSSFree(held.w), kQvNormal);
}

TEST_F(SelectionTest, AllLastAndEnd) {
  const QvDbObjectId plain = box(0, 0, 1, 1);
  const QvDbObjectId onOff = box(2, 0, 3, 1, off_);
  box(4, 0, 5, 1, frozen_);
  const QvDbObjectId onLocked = box(6, 0, 7, 1, locked_);
  box(0, 5, 1, 6, {}, db()->paperSpaceId());
  hide(box(0, 8, 1, 9));

  // ALL takes what is not frozen, off layers included; the paper space and the invisible entity
  // stay out.
  EXPECT_THAT(selected(L"ALL\n\n"), ElementsAre(plain, onOff, onLocked));
  EXPECT_THAT(messages(), ElementsAre(L"\n3 found"));
  EXPECT_THAT(prompts(), ElementsAre(L"\nSelect objects: ", L"\nSelect objects: "));

  // Last is the last entity shown: the invisible one and the one on a layer that is off after it
  // do not count.
  const QvDbObjectId late = box(8, 0, 9, 1, off_);
  EXPECT_THAT(selected(L"l\n_L\n\n"), ElementsAre(onLocked));
  EXPECT_THAT(messages(), ElementsAre(L"\n1 found", L"\n1 found (1 duplicate), 1 total"));

  // Ending at once selects nothing.
  script(L"\n");
  VexaSelectSet set;
  EXPECT_EQ(select(set), kQvNone);
  EXPECT_TRUE(set.isEmpty());

  // Locked layers are left out when the question asks it.
  VexaSelectionQuestion::Setup editing;
  editing.rejectLocked = true;
  EXPECT_THAT(selected(L"all\n\n", editing), ElementsAre(plain, onOff, late));
  EXPECT_THAT(messages(), ElementsAre(L"\n1 was on a locked layer.", L"\n3 found"));
}

TEST_F(SelectionTest, WindowsAndCrossings) {
  const QvDbObjectId inside = box(1, 1, 2, 2);
  const QvDbObjectId across = box(3, 3, 6, 4);  // crosses the right edge x = 5
  const QvDbObjectId outside = box(7, 7, 8, 8);
  box(1, 3, 2, 4, off_);                      // inside, but not shown
  append(BoxEntity::unbounded());             // no extents: never in a window
  const QvDbObjectId edge = box(0, 0, 5, 1);  // touching the window's edges counts as inside

  EXPECT_THAT(selected(L"W\n0,0\n5,5\n\n"), ElementsAre(inside, edge));
  EXPECT_THAT(selected(L"c\n5,5\n0,0\n\n"), ElementsAre(inside, across, edge));
  // A point starts a window: to the right a window, to the left a crossing.
  EXPECT_THAT(selected(L"0,0\n5,5\n\n"), ElementsAre(inside, edge));
  EXPECT_THAT(selected(L"5,5\n0,0\n\n"), ElementsAre(inside, across, edge));

  // Corners are typed in the current UCS: with the origin at (6, 6) the window (0,0)-(3,3)
  // covers the world box (6,6)-(9,9).
  ASSERT_EQ(VexaSysVarService::current()->setCurrentUcs(
                *VexaUcs::fromAxes({6, 6, 0}, {1, 0, 0}, {0, 1, 0})),
            Vexa::eOk);
  EXPECT_THAT(selected(L"W\n0,0\n3,3\n\n"), ElementsAre(outside));

  // A corner that is not a point is asked again; Enter at a corner is refused too.
  EXPECT_THAT(selected(L"W\nnowhere\n\n-6,-6\n-1,-1\n\n"), ElementsAre(inside, edge));
  const std::vector<std::wstring> said = messages();
  ASSERT_EQ(said.size(), 3u);  // two reasons to ask again, then the count
  EXPECT_EQ(said.back(), L"\n2 found");
}

TEST_F(SelectionTest, HandlesOnTheLineOrTheNext) {
  const QvDbObjectId a = box(0, 0, 1, 1), b = box(2, 2, 3, 3);
  const QvDbObjectId onFrozen = box(4, 4, 5, 5, frozen_);
  const QvDbObjectId paper = box(0, 0, 1, 1, {}, db()->paperSpaceId());
  const QvDbObjectId gone = box(6, 6, 7, 7);
  erase(gone);

  // Named entities are taken in the order given, even on a frozen layer.
  EXPECT_THAT(selected(QvString::format(
                  L"H %s,%s\nh\n%s zz!  FFFFFF %s %s %s\n\n", handleOf(b).c_str(),
                  handleOf(a).c_str(), handleOf(onFrozen).c_str(), handleOf(db()->clayer()).c_str(),
                  handleOf(paper).c_str(), handleOf(gone).c_str())),
              ElementsAre(b, a, onFrozen));
  EXPECT_THAT(
      messages(),
      ElementsAre(
          L"\n2 found", L"\n'zz!' is not a handle.", L"\nNo object has the handle FFFFFF.",
          QvString::format(L"\nThe object %s is not an entity.", handleOf(db()->clayer()).c_str())
              .wstr(),
          QvString::format(L"\nThe entity %s is not in the current space.", handleOf(paper).c_str())
              .wstr(),
          QvString::format(L"\nNo object has the handle %s.", handleOf(gone).c_str()).wstr(),
          L"\n1 found, 3 total"));
  // The handles were asked for when they did not follow on the line.
  EXPECT_THAT(prompts(),
              ElementsAre(L"\nSelect objects: ", L"\nEnter handles: ", L"\nSelect objects: ",
                          L"\nEnter handles: ", L"\nSelect objects: "));
}

TEST_F(SelectionTest, PreviousRemoveAddAndRefusals) {
  const QvDbObjectId a = box(0, 0, 1, 1), b = box(2, 2, 3, 3), c = box(4, 4, 5, 5);
  VexaSelectSet set;
  script(L"P\n\n");
  EXPECT_EQ(select(set), kQvNone);
  EXPECT_THAT(messages(), ElementsAre(L"\nNo previous selection set.", L"\n0 found"));

  // An answer of another form is refused and the prompt comes again.
  EXPECT_THAT(selected(L"everything\nALL\nR\nH " + handleOf(b) + L"\nA\nL\n\n"), ElementsAre(a, c));
  EXPECT_THAT(messages(),
              ElementsAre(HasSubstr(L"*Invalid selection*"), L"\n3 found",
                          L"\n1 found, 1 removed, 2 total", L"\n1 found (1 duplicate), 2 total"));
  EXPECT_THAT(prompts(), testing::Contains(L"\nRemove objects: "));

  // The previous selection leaves out what was erased since.
  erase(a);
  EXPECT_THAT(selected(L"P\n\n"), ElementsAre(c));

  // A cancel, or the script running out, cancels all and keeps the previous selection.
  script(L"ALL\nW\n0,0\n^C\n");
  EXPECT_EQ(select(set), kQvCancel);
  EXPECT_TRUE(set.isEmpty());
  script(L"ALL\n");
  EXPECT_EQ(select(set), kQvCancel);
  EXPECT_THAT(idsOf(host().service<VexaSelectionSets>().previous()), ElementsAre(c));

  // Each document remembers its own.
  VexaDocumentManager& documents = host().service<VexaDocumentManager>();
  VexaDocument* first = documents.curDocument();
  documents.newDocument();
  EXPECT_TRUE(host().service<VexaSelectionSets>().previous().isEmpty());
  script(L"P\n\n");
  EXPECT_EQ(select(set), kQvNone);
  ASSERT_EQ(documents.setCurDocument(first), Vexa::eOk);
  EXPECT_THAT(idsOf(host().service<VexaSelectionSets>().previous()), ElementsAre(c));
}

TEST_F(SelectionTest, SingleSelectionEndsAtTheFirstFind) {
  box(0, 0, 1, 1);
  const QvDbObjectId b = box(2, 2, 3, 3);
  VexaSelectionQuestion::Setup single;
  single.single = true;
  EXPECT_THAT(selected(L"W\n10,10\n20,20\nL\nALL\n", single), ElementsAre(b));
  EXPECT_TRUE(host().service<VexaInputScript>().linesLeft() == 1);
}

TEST_F(SelectionTest, EntitiesInDrawingOrder) {
  Name first, next;
  EXPECT_EQ(qvdbEntNext(nullptr, first.w), kQvError);  // an empty drawing
  EXPECT_EQ(qvdbEntLast(first.w), kQvError);

  const QvDbObjectId a = box(0, 0, 1, 1);
  // Entities of a block definition are not in the drawing's order.
  const QvDbObjectId blockId = addBlock(db(), L"B");
  box(0, 0, 1, 1, {}, blockId);
  const QvDbObjectId p = box(0, 0, 1, 1, {}, db()->paperSpaceId());
  const QvDbObjectId gone = box(0, 0, 1, 1);
  const QvDbObjectId b = box(0, 0, 1, 1, frozen_);
  erase(gone);

  std::vector<QvDbObjectId> walked;
  for (int rc = qvdbEntNext(nullptr, next.w); rc == kQvNormal; rc = qvdbEntNext(next.w, next.w)) {
    QvDbObjectId id;
    ASSERT_EQ(qvdbGetObjectId(id, next.w), Vexa::eOk);
    walked.push_back(id);
  }
  EXPECT_THAT(walked, ElementsAre(a, p, b));
  const Name zero;
  ASSERT_EQ(qvdbEntNext(zero.w, first.w), kQvNormal);
  EXPECT_EQ(first.w[0], nameOf(a).w[0]);
  ASSERT_EQ(qvdbEntLast(first.w), kQvNormal);
  EXPECT_EQ(first.w[0], nameOf(b).w[0]);
  // From an erased entity the walk goes on; a name of no object stops it.
  ASSERT_EQ(qvdbEntNext(nameOf(gone).w, next.w), kQvNormal);
  EXPECT_EQ(next.w[0], nameOf(b).w[0]);
  const Name garbage{{12345, 0}};
  EXPECT_EQ(qvdbEntNext(garbage.w, next.w), kQvError);
  EXPECT_EQ(qvdbEntNext(nameOf(a).w, nullptr), kQvError);
}

TEST_F(SelectionTest, SelectionsWithoutAQuestion) {
  const QvDbObjectId a = box(0, 0, 1, 1), b = box(2, 2, 3, 3, frozen_);
  const QvDbObjectId p = box(0, 0, 1, 1, {}, db()->paperSpaceId());
  VexaSelectionSets& sets = host().service<VexaSelectionSets>();
  Name set;

  ASSERT_EQ(qvedSSGet(L"X", nullptr, nullptr, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(a, b, p));
  ASSERT_EQ(qvedSSGet(L"A", nullptr, nullptr, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(a));
  const double lo[3] = {-1, -1, 0}, hi[3] = {1.5, 1.5, 0};
  ASSERT_EQ(qvedSSGet(L"C", lo, hi, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(a));
  EXPECT_EQ(qvedSSGet(L"W", lo, nullptr, set.w), kQvError);
  EXPECT_EQ(qvedSSGet(L"Q", nullptr, nullptr, set.w), kQvError);
  EXPECT_EQ(qvedSSGet(L"P", nullptr, nullptr, set.w), kQvNone);  // no previous selection

  // The question, through the classic call; it becomes the previous selection.
  script(L"L\n\n");
  ASSERT_EQ(qvedSSGet(nullptr, nullptr, nullptr, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(a));
  ASSERT_EQ(qvedSSGet(L"P", nullptr, nullptr, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(a));
  script(L"^C\n");
  EXPECT_EQ(qvedSSGet(nullptr, nullptr, nullptr, set.w), kQvCancel);
  EXPECT_EQ(sets.count(), 0);

  // In a paper layout the current space is its paper space.
  ASSERT_EQ(qvdbHostApplicationServices()->layoutManager()->setCurrentLayout(L"Layout1"),
            Vexa::eOk);
  ASSERT_EQ(qvedSSGet(L"A", nullptr, nullptr, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(p));
}

TEST_F(SelectionTest, ReferencesOnlyAndHiddenOrLockedEntities) {
  const QvDbObjectId blockId = addBlock(db(), L"B");
  box(0, 0, 0.5, 0.5, {}, blockId);
  const QvDbObjectId plain = box(0, 0, 1, 1);
  auto reference = [&](double x, QvDbObjectId layer) {
    auto* made = new QvDbBlockReference(QvGePoint3d(x, 0, 0), blockId);
    if (!layer.isNull()) made->setLayer(layer);
    return appendToModelSpace(db(), made);
  };
  const QvDbObjectId ref = reference(2, {});
  const QvDbObjectId refOff = reference(3, off_);
  const QvDbObjectId onFrozen = box(4, 0, 5, 1, frozen_);
  const QvDbObjectId onLocked = box(6, 0, 7, 1, locked_);
  const QvDbObjectId invisible = box(8, 0, 9, 1);
  hide(invisible);

  // ":R" keeps the references, with the caller's prompt, and says what it left out.
  Name set;
  script(L"ALL\n\n");
  host().service<VexaTranscript>().clear();
  ASSERT_EQ(qvedSSGetPrompted(L"\nPick blocks: ", L":R", set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(ref, refOff));
  EXPECT_THAT(messages(), ElementsAre(L"\n2 were not block references.", L"\n2 found"));
  EXPECT_THAT(prompts(), ElementsAre(L"\nPick blocks: ", L"\nPick blocks: "));
  // Only other entities: nothing selected, no set.
  script(L"H " + handleOf(plain) + L"\n\n");
  EXPECT_EQ(qvedSSGet(L":R", nullptr, nullptr, set.w), kQvNone);
  // Single and references both, in either order; the flags once each, nothing else.
  script(L"L\nALL\n");
  ASSERT_EQ(qvedSSGet(L":S:R", nullptr, nullptr, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(ref, refOff));
  EXPECT_EQ(host().service<VexaInputScript>().linesLeft(), 0);
  for (const wchar_t* bad : {L":R:R", L":", L":Q", L":RS", L""}) {
    script(L"ALL\n\n");
    EXPECT_EQ(qvedSSGetPrompted(nullptr, bad, set.w), kQvError) << bad;
    EXPECT_EQ(host().service<VexaInputScript>().linesLeft(), 2) << bad;
  }

  // Hidden too: ALL takes the frozen and invisible entities; Last is the invisible one.
  script(L"ALL\n\n");
  ASSERT_EQ(qvedSSGetHiddenAndLocked(nullptr, true, true, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(plain, ref, refOff, onFrozen, onLocked, invisible));
  script(L"L\n\n");
  ASSERT_EQ(qvedSSGetHiddenAndLocked(nullptr, true, true, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(invisible));
  // A window over the layer that is off takes its reference only when hidden ones count.
  script(L"W\n2.5,-1\n3.5,1\n\n");
  EXPECT_EQ(qvedSSGetHiddenAndLocked(nullptr, false, true, set.w), kQvNone);
  script(L"W\n2.5,-1\n3.5,1\n\n");
  ASSERT_EQ(qvedSSGetHiddenAndLocked(nullptr, true, true, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(refOff));
  // Without `locked` the locked layer's entity is left out.
  script(L"ALL\n\n");
  ASSERT_EQ(qvedSSGetHiddenAndLocked(nullptr, false, false, set.w), kQvNormal);
  EXPECT_THAT(take(set), ElementsAre(plain, ref, refOff));
  script(L"^C\n");
  EXPECT_EQ(qvedSSGetHiddenAndLocked(nullptr, true, true, set.w), kQvCancel);
  EXPECT_EQ(host().service<VexaSelectionSets>().count(), 0);
}

}  // namespace
