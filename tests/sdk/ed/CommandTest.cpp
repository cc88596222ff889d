#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "sdk/app/VexaDocumentManager.h"
#include "sdk/base/QvClassicCodes.h"
#include "sdk/db/QvDbArc.h"
#include "sdk/db/QvDbBlockReference.h"
#include "sdk/db/QvDbCircle.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbHostApplicationServices.h"
#include "sdk/db/QvDbLayoutManager.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/db/QvDbPolyline.h"
#include "sdk/db/QvDbText.h"
#include "sdk/ed/IVexaAlignedUcsSource.h"
#include "sdk/ed/VexaCommandStack.h"
#include "sdk/ed/VexaQuestion.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedUcs.h"
#include "sdk/ge/QvGePoint2d.h"
#include "sdk/ge/QvGePoint3d.h"
#include "tests/sdk/ed/BoxEntity.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PointChecks.h"

namespace {

using testing::ElementsAre;
using Vec = VexaSysVarValue::Point;
constexpr double kPi = 3.14159265358979323846;

class CommandTest : public HostFixture {
 protected:
  QvDbLayoutManager& layouts() { return *qvdbHostApplicationServices()->layoutManager(); }
  std::vector<std::wstring> layoutNames() {
    std::vector<std::wstring> out;
    for (const QvString& name : layouts().layoutNames()) out.push_back(name.wstr());
    return out;
  }
  // A UCS point in world coordinates.
  static Vec world(double x, double y, double z) {
    QvGePoint3d w;
    EXPECT_EQ(qvedTrans(QvGePoint3d(x, y, z), kQvTransUcs, kQvTransWorld, false, w), kQvNormal);
    return {w.x, w.y, w.z};
  }
  static void expectNear(const Vec& a, const Vec& b) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], b[i], 1e-12) << "coordinate " << i;
  }
};

TEST_F(CommandTest, ScriptLinesNameCommandsAndAnswerTheirQuestions) {
  // Any case, leading "_" and "." dropped, a blank types the rest ahead; empty, cancel and
  // cursor lines between commands are skipped.
  const auto summary = run(L"_.setvar INSUNITS\n6\n\n^C\n~1,1\n._SetVar\ninsunits\n\nnosuch\n");
  EXPECT_EQ(summary.commands, 3);
  EXPECT_EQ(summary.done, 2);
  EXPECT_EQ(summary.failed, 1);
  EXPECT_EQ(vars().get(L"INSUNITS")->shortValue(), 6);
  const VexaTranscript& transcript = host().service<VexaTranscript>();
  EXPECT_EQ(transcript.text(),
            L"Command: _.setvar\n"
            L"Enter variable name or [?]: INSUNITS\n"
            L"Enter new value for INSUNITS <4>: 6\n"
            L"Command: ._SetVar\n"
            L"Enter variable name or [?]: insunits\n"
            L"Enter new value for INSUNITS <6>: \n"
            L"Command: nosuch\n"
            L"Unknown command \"nosuch\".");
}

TEST_F(CommandTest, CommandsEndDoneCancelledOrFailed) {
  VexaCommandStack& stack = host().service<VexaCommandStack>();
  int calls = 0;
  ASSERT_TRUE(stack.addCommand(L"TEST", L"ASKTWICE", [&](IVexaBuildInCommandContext&) {
    ++calls;
    VexaQuestionSetup setup;
    setup.prompt = L"\nFirst: ";
    if (VexaQuestion(setup).ask().outcome == VexaAnswer::Outcome::kCancel) return kQvCancel;
    setup.prompt = L"\nSecond: ";
    VexaQuestion(setup).ask();
    return kQvNormal;  // even when the second was cancelled
  }));
  ASSERT_TRUE(stack.addCommand(L"TEST", L"THROWS", [](IVexaBuildInCommandContext&) -> int {
    throw std::runtime_error("boom");
  }));
  ASSERT_TRUE(stack.addCommand(L"TEST", L"THROWSANY",
                               [](IVexaBuildInCommandContext&) -> int { throw 42; }));
  ASSERT_TRUE(stack.addCommand(L"TEST", L"REFUSES",
                               [](IVexaBuildInCommandContext&) { return kQvRejected; }));
  // Names are taken once, in any case and group; blanks and empty names are refused.
  EXPECT_FALSE(stack.addCommand(L"OTHER", L"asktwice",
                                [](IVexaBuildInCommandContext&) { return kQvNormal; }));
  EXPECT_FALSE(stack.addCommand(L"OTHER", L"TWO WORDS",
                                [](IVexaBuildInCommandContext&) { return kQvNormal; }));
  EXPECT_FALSE(stack.addCommand(L"OTHER", L"", [](IVexaBuildInCommandContext&) { return 0; }));
  EXPECT_FALSE(stack.addCommand(L"OTHER", L"EMPTY", {}));

  auto summary = run(L"asktwice\n^C\nthrows\nthrowsany\nrefuses\nasktwice\na\n");
  EXPECT_EQ(summary.commands, 5);
  EXPECT_EQ(summary.done, 0);
  EXPECT_EQ(summary.cancelled, 2);  // by a cancel line, and by the script running out
  EXPECT_EQ(summary.failed, 3);
  EXPECT_EQ(calls, 2);
  EXPECT_THAT(messages(), ElementsAre(L"\nThe command THROWS stopped: boom",
                                      L"\nThe command THROWSANY stopped."));

  EXPECT_EQ(stack.removeGroup(L"TEST"), 4);
  EXPECT_EQ(stack.lookup(L"ASKTWICE"), nullptr);
  EXPECT_NE(stack.lookup(L"ucs"), nullptr);  // the host's own stay
  EXPECT_FALSE(stack.removeCommand(L"TEST", L"THROWS"));
  EXPECT_THAT(stack.commandNames(), ElementsAre(L"BLOCK", L"EXPLODE", L"INSERT", L"LAYOUT",
                                                L"SCRIPT", L"SETVAR", L"UCS"));
}

TEST_F(CommandTest, SetVarReadsTheValueAsTheVariablesType) {
  auto summary =
      run(L"SETVAR\nINSUNITS\n25\nten\n24\n"  // out of range, then not a number
          L"SETVAR\nSNAPANG\n0.5\n"           // a real
          L"SETVAR\nLASTPOINT\n1,2\n"         // a point, z 0
          L"SETVAR\nINSNAME\nmy block\n"      // a text with a blank
          L"SETVAR\nVIEWDIR\n"                // read only
          L"SETVAR\nUCSORG\n"                 // changed by the UCS command only
          L"SETVAR\nNOSUCH\n"                 // unknown
          L"SETVAR\nINSNAME\n.\n");           // "." empties a text
  EXPECT_EQ(summary.done, 5);
  EXPECT_EQ(summary.failed, 3);
  EXPECT_EQ(vars().get(L"INSUNITS")->shortValue(), 24);
  EXPECT_EQ(vars().get(L"SNAPANG")->realValue(), 0.5);
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (Vec{1, 2, 0}));
  EXPECT_EQ(vars().get(L"INSNAME")->textValue(), L"");
  EXPECT_THAT(
      messages(),
      ElementsAre(L"\nRequires an integer between 0 and 24.",
                  L"\nRequires an integer between 0 and 24.", L"\nVIEWDIR = 0,0,1 (read only)",
                  L"\nUCSORG = 0,0,0 (read only)", L"\nUnknown variable name \"NOSUCH\"."));

  // A per-drawing variable lives in the drawing: TILEMODE 0 goes to the paper layout.
  run(L"SETVAR\nTILEMODE\n0\n");
  EXPECT_FALSE(db()->tilemode());
  EXPECT_EQ(layouts().findActiveLayout(true), L"Layout1");
  run(L"SETVAR\n?\n");
  EXPECT_THAT(messages(), testing::Contains(L"\nTILEMODE = 0"));
}

TEST_F(CommandTest, UcsOptionsTurnAndMoveTheCurrentUcs) {
  // Origin: moved, axes kept. Points are typed in the current UCS.
  run(L"UCS\nO\n10,20,0\nucs\no\n1,1\n");
  expectNear(world(0, 0, 0), {11, 21, 0});

  // Z 90: X goes where Y was. X 90 next: the UCS Y axis stands up along world Z.
  run(L"UCS\nZ\n90\n");
  expectNear(world(1, 0, 0), {11, 22, 0});
  run(L"UCS\nX\n\n");  // Enter: 90 degrees
  expectNear(world(0, 1, 0), {11, 21, 1});
  expectNear(world(0, 0, 1), {12, 21, 0});
  // Y -90 (as 270): X turns about the upright Y axis onto world X.
  run(L"UCS\nY\n-90\n");
  expectNear(world(1, 0, 0), {12, 21, 0});
  expectNear(world(0, 1, 0), {11, 21, 1});

  // Previous, step by step, back to the start; then there is none.
  run(L"UCS\nP\n");
  expectNear(world(1, 0, 0), {11, 22, 0});
  run(L"UCS\nP\nUCS\nP\n");
  expectNear(world(1, 0, 0), {12, 21, 0});
  run(L"UCS\nP\nUCS\nP\n");
  EXPECT_TRUE(vars().currentUcs().isWorld());
  const auto summary = run(L"UCS\nP\n");
  EXPECT_EQ(summary.failed, 1);
  EXPECT_THAT(messages(), ElementsAre(L"\nNo previous UCS."));

  // ZAxis: the new Z points at the second point; Enter at the first prompt means World.
  run(L"UCS\nZA\n5,0,0\n5,0,-3\n");
  expectNear(world(0, 0, 1), {5, 0, -1});
  expectNear(world(0, 0, 0), {5, 0, 0});
  run(L"UCS\n\n");
  EXPECT_TRUE(vars().currentUcs().isWorld());

  // Three points: origin, X axis, a point of the XY plane.
  run(L"UCS\n1,1,1\n1,3,1\n0,1,1\n");
  expectNear(world(2, 0, 0), {1, 3, 1});
  expectNear(world(0, 1, 0), {0, 1, 1});
  expectNear(world(0, 0, 1), {1, 1, 2});
  // Points that define no system change nothing.
  const auto degenerate = run(L"UCS\n0,0\n0,0\n");
  EXPECT_EQ(degenerate.failed, 1);
  expectNear(world(2, 0, 0), {1, 3, 1});
  run(L"UCS\nW\n");
  EXPECT_TRUE(vars().currentUcs().isWorld());
}

TEST_F(CommandTest, UcsObjectFollowsTheObject) {
  auto add = [&](QvDbEntity* made) {
    made->setDatabaseDefaults(db());
    return appendToModelSpace(db(), made).handle().ascii();
  };
  auto alignTo = [&](const QvString& handle) {
    return run(L"UCS\nW\nUCS\nOB\nH " + handle + L"\n");
  };
  const double c30 = std::cos(kPi / 6), s30 = std::sin(kPi / 6);

  // A block reference: its insertion point and its rotation.
  const QvDbObjectId blockId = addBlock(db(), L"B");
  auto* reference = new QvDbBlockReference({10, 5, 0}, blockId);
  reference->setRotation(kPi / 6);
  EXPECT_EQ(alignTo(add(reference)).done, 2);
  expectNear(world(0, 0, 0), {10, 5, 0});
  expectNear(world(1, 0, 0), {10 + c30, 5 + s30, 0});
  expectNear(world(0, 0, 1), {10, 5, 1});

  // A line: from its start along it.
  alignTo(add(new QvDbLine({1, 1, 0}, {1, 4, 0})));
  expectNear(world(2, 0, 0), {1, 3, 0});
  expectNear(world(0, 1, 0), {0, 1, 0});
  // An arc: at its center, X towards its start.
  alignTo(add(new QvDbArc({3, 3, 0}, 2, kPi / 2, kPi)));
  expectNear(world(1, 0, 0), {3, 4, 0});
  // A circle seen from below: Z down, X the arbitrary axis of -Z, (-1, 0, 0).
  alignTo(add(new QvDbCircle({0, 0, 7}, {0, 0, -1}, 1)));
  expectNear(world(0, 0, 1), {0, 0, 6});
  expectNear(world(1, 0, 0), {-1, 0, 7});
  // A text: along its baseline.
  alignTo(add(new QvDbText({4, 0, 0}, L"T", QvDbObjectId(), 1.0, kPi / 6)));
  expectNear(world(1, 0, 0), {4 + c30, s30, 0});
  // A polyline: from its first vertex towards the second, whatever the bulge.
  auto* polyline = new QvDbPolyline();
  polyline->addVertexAt(0, QvGePoint2d(2, 2), 1.0);
  polyline->addVertexAt(1, QvGePoint2d(2, 5));
  alignTo(add(polyline));
  expectNear(world(0, 0, 0), {2, 2, 0});
  expectNear(world(3, 0, 0), {2, 5, 0});

  // An entity without a plane defines no UCS; nothing selected neither. The UCS stays.
  const auto summary = alignTo(add(new BoxEntity({0, 0, 0}, {1, 1, 1})));
  EXPECT_EQ(summary.failed, 1);
  EXPECT_TRUE(vars().currentUcs().isWorld());
  EXPECT_THAT(messages(), testing::Contains(L"\nThe object does not define a coordinate system."));
  EXPECT_EQ(run(L"UCS\nOB\n\n").failed, 1);
  EXPECT_THAT(messages(), testing::Contains(L"\nNo object selected."));
  EXPECT_EQ(run(L"UCS\nOB\n^C\n").cancelled, 1);
}

TEST_F(CommandTest, UcsPreviousIsKeptPerDocument) {
  run(L"UCS\nO\n3,0\n");
  VexaDocumentManager& documents = host().service<VexaDocumentManager>();
  VexaDocument* first = documents.curDocument();
  documents.newDocument();
  EXPECT_TRUE(vars().currentUcs().isWorld());  // the UCS is the drawing's
  EXPECT_EQ(run(L"UCS\nP\n").failed, 1);
  ASSERT_EQ(documents.setCurDocument(first), Vexa::eOk);
  expectNear(world(0, 0, 0), {3, 0, 0});
  EXPECT_EQ(run(L"UCS\nP\n").done, 1);
  EXPECT_TRUE(vars().currentUcs().isWorld());
}

TEST_F(CommandTest, LayoutSwitchesCreatesRenamesAndDeletes) {
  run(L"LAYOUT\nlayout1\n");  // a name at the first prompt
  EXPECT_EQ(layouts().findActiveLayout(true), L"Layout1");
  EXPECT_EQ(db()->currentSpaceId(), db()->paperSpaceId());
  run(L"LAYOUT\n\nModel\n");
  EXPECT_EQ(layouts().findActiveLayout(true), L"Model");
  EXPECT_EQ(db()->currentSpaceId(), db()->modelSpaceId());

  auto summary = run(L"LAYOUT\nN\n\nLAYOUT\nnew\nSite plan\nLAYOUT\nR\nLayout2\nSheet A\n");
  EXPECT_EQ(summary.done, 3);
  EXPECT_THAT(layoutNames(), ElementsAre(L"Model", L"Layout1", L"Sheet A", L"Site plan"));
  run(L"LAYOUT\nS\nsite plan\nLAYOUT\n?\n");
  EXPECT_THAT(messages(),
              ElementsAre(L"\n  Model", L"\n  Layout1", L"\n  Sheet A", L"\n* Site plan"));

  // Refusals: unknown names, a taken name, model space and the last layouts.
  summary =
      run(L"LAYOUT\nS\nnowhere\nLAYOUT\nN\nLayout1\nLAYOUT\nD\nModel\nLAYOUT\nR\nnowhere\nX\n");
  EXPECT_EQ(summary.failed, 4);
  EXPECT_THAT(messages(), ElementsAre(L"\nNo layout is named \"nowhere\".",
                                      L"\nA layout named \"Layout1\" exists already.",
                                      L"\nThe layout \"Model\" cannot be deleted.",
                                      L"\nNo layout is named \"nowhere\"."));
  summary = run(L"LAYOUT\nD\n\nLAYOUT\nD\nLayout1\nLAYOUT\nD\nSheet A\n");
  EXPECT_EQ(summary.done, 2);
  EXPECT_EQ(summary.failed, 1);  // the last paper layout stays
  EXPECT_THAT(layoutNames(), ElementsAre(L"Model", L"Sheet A"));
}

// The OBject option of the UCS command with an aligned UCS source set, as a loaded module sets
// one: the source's frame wins, and the host's own rule serves when it does not answer.
// Answers for lines only: a frame at the line's end, turned a quarter about Z from the
// current UCS it is given, and notes what it was asked.
class QuarterTurnAtEnd final : public IVexaAlignedUcsSource {
 public:
  Vexa::ErrorStatus alignedUcs(QvDbEntity* entity, const QvGePoint3d* pickPoint,
                               QvGeMatrix3d& ucs) override {
    ++calls;
    sawPick = pickPoint != nullptr;
    if (pickPoint) pick = *pickPoint;
    wasReadable = entity && entity->isReadEnabled();
    const QvDbLine* line = QvDbLine::cast(entity);
    if (!line) return Vexa::eNotImplemented;
    QvGePoint3d origin;
    QvGeVector3d x, y, z;
    ucs.getCoordSystem(origin, x, y, z);
    ucs.setCoordSystem(line->endPoint(), y, -x, z);
    return Vexa::eOk;
  }
  int calls = 0;
  bool sawPick = false;
  QvGePoint3d pick;
  bool wasReadable = false;
};

class AlignedUcsSource : public HostFixture {
 protected:
  VexaUcs ucs() { return vars().currentUcs(); }
  void objectUcs(const QvDbObjectId& id) {
    run(QvString::format(L"UCS\nOB\nH %s\n", id.handle().ascii().c_str()));
  }
};

TEST_F(AlignedUcsSource, TheSourceAnswersFirstAndTheHostServesTheRest) {
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(1, 1, 0), QvGePoint3d(4, 5, 0)));
  QuarterTurnAtEnd source;
  EXPECT_EQ(vexaSetAlignedUcsSource(&source), nullptr);

  objectUcs(line);
  EXPECT_EQ(source.calls, 1);
  EXPECT_FALSE(source.sawPick);
  EXPECT_TRUE(source.wasReadable);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(4, 5, 0));
  EXPECT_VECTOR_NEAR(ucs().xAxis(), QvGeVector3d::kYAxis);
  EXPECT_VECTOR_NEAR(ucs().yAxis(), -QvGeVector3d::kXAxis);

  // Taken away again, the host's own rule: the start point, X along the line.
  EXPECT_EQ(vexaSetAlignedUcsSource(nullptr), &source);
  objectUcs(line);
  EXPECT_EQ(source.calls, 1);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(1, 1, 0));
  EXPECT_VECTOR_NEAR(ucs().xAxis(), QvGeVector3d(0.6, 0.8, 0));
}

TEST_F(AlignedUcsSource, APointPicksTheNearestEntityAndReachesTheSource) {
  ASSERT_FALSE(
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 0, 0), QvGePoint3d(10, 0, 0))).isNull());
  ASSERT_FALSE(
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(0, 1, 5), QvGePoint3d(10, 1, 5))).isNull());
  QuarterTurnAtEnd source;
  vexaSetAlignedUcsSource(&source);
  // Seen from above the second line passes 0.2 from the pick, the first 0.8.
  run(L"UCS\nOB\n4,0.8\n");
  ASSERT_EQ(source.calls, 1);
  EXPECT_TRUE(source.sawPick);
  EXPECT_POINT_NEAR(source.pick, QvGePoint3d(4, 0.8, 0));
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(10, 1, 5));
  // Back in the world UCS, a pick nearer the first line.
  run(L"UCS\nW\nUCS\nOB\n9,-0.5\n");
  ASSERT_EQ(source.calls, 2);
  EXPECT_POINT_NEAR(source.pick, QvGePoint3d(9, -0.5, 0));
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(10, 0, 0));
  // Nothing within the aperture: nothing is selected and the UCS stays.
  run(L"UCS\nOB\n40,40\n\n");
  EXPECT_EQ(source.calls, 2);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(10, 0, 0));
  vexaSetAlignedUcsSource(nullptr);
}

TEST_F(AlignedUcsSource, EntitiesTheSourceRefusesFallBackToTheHost) {
  class Refusing final : public IVexaAlignedUcsSource {
   public:
    Vexa::ErrorStatus alignedUcs(QvDbEntity*, const QvGePoint3d*, QvGeMatrix3d& ucs) override {
      ucs.setToIdentity();  // a refusal's frame is not taken
      return Vexa::eNotApplicable;
    }
  } refusing;
  vexaSetAlignedUcsSource(&refusing);
  const QvDbObjectId line =
      appendToModelSpace(db(), new QvDbLine(QvGePoint3d(2, 0, 0), QvGePoint3d(2, 3, 0)));
  objectUcs(line);
  EXPECT_POINT_NEAR(ucs().origin(), QvGePoint3d(2, 0, 0));
  EXPECT_VECTOR_NEAR(ucs().xAxis(), QvGeVector3d::kYAxis);
  vexaSetAlignedUcsSource(nullptr);
}

}  // namespace
