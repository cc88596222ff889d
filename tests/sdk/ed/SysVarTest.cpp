#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "sdk/base/resbuf.h"
#include "sdk/ed/VexaSysVarService.h"
#include "sdk/ed/VexaSysvarData.h"
#include "sdk/ed/qvedSysVar.h"
#include "tests/support/HostFixture.h"

namespace {

class SysVarTest : public HostFixture {};

TEST_F(SysVarTest, EveryVariableReadsWithItsDeclaredTypeAndIsFoundInAnyCase) {
  for (const VexaSysvarData& var : vexaSysvarTable()) {
    resbuf rb{};
    ASSERT_EQ(qvedGetVar(var.name, &rb), kQvNormal) << QvString(var.name);
    EXPECT_EQ(rb.type, var.type) << QvString(var.name);
    if (rb.type == kRbString) std::free(rb.value.string);
    EXPECT_EQ(vexaFindSysvarData(QvString(var.name).makeLower()), &var) << QvString(var.name);
  }
  // Mixed case; names before, after and between others, or sharing a beginning with them.
  EXPECT_STREQ(vexaFindSysvarData(L"InsUnitsDefTarget")->name, L"INSUNITSDEFTARGET");
  const wchar_t* const missing[] = {L"NOSUCHVAR", L"INSUNITSDEF", L"INSUNITSDEFSOURCEX",
                                    L"AAA",       L"ZZZ",         L""};
  for (const wchar_t* name : missing)
    EXPECT_EQ(vexaFindSysvarData(name), nullptr) << QvString(name);
  EXPECT_EQ(vexaFindSysvarData(nullptr), nullptr);
}

TEST_F(SysVarTest, ABufferNamesWhatItHoldsAtEachLookUp) {
  // The same characters at the same place, rewritten between look-ups.
  wchar_t name[32] = L"INSUNITS";
  for (int pass = 0; pass < 2; ++pass) {
    std::wcscpy(name, L"INSUNITS");
    EXPECT_STREQ(vexaFindSysvarData(name)->name, L"INSUNITS");
    std::wcscpy(name, L"EXPERT");
    EXPECT_STREQ(vexaFindSysvarData(name)->name, L"EXPERT");
    std::wcscpy(name, L"expert");
    EXPECT_STREQ(vexaFindSysvarData(name)->name, L"EXPERT");
    std::wcscpy(name, L"INSUNITSX");
    EXPECT_EQ(vexaFindSysvarData(name), nullptr);
  }
}

TEST_F(SysVarTest, WritesAreReadBackInAnyCase) {
  EXPECT_EQ(shortVar(L"PICKFIRST"), 1);
  EXPECT_EQ(setShortVar(L"pickfirst", 0), kQvNormal);
  EXPECT_EQ(shortVar(L"PickFirst"), 0);

  QvRbListPtr name(qvutBuildList(kRbString, L"DOOR", 0));
  EXPECT_EQ(qvedSetVar(L"insname", name.get()), kQvNormal);
  resbuf rb{};
  ASSERT_EQ(qvedGetVar(L"INSNAME", &rb), kQvNormal);
  ASSERT_EQ(rb.type, kRbString);
  EXPECT_EQ(QvString(rb.value.string), L"DOOR");
  std::free(rb.value.string);

  QvRbListPtr real(qvutBuildList(kRbReal, 0.25, 0));
  EXPECT_EQ(qvedSetVar(L"SNAPANG", real.get()), kQvNormal);
  EXPECT_DOUBLE_EQ(vars().get(L"SNAPANG")->realValue(), 0.25);

  const double p[3] = {1, 2, 3};
  QvRbListPtr point(qvutBuildList(kRbPoint3d, p, 0));
  EXPECT_EQ(qvedSetVar(L"LASTPOINT", point.get()), kQvNormal);
  EXPECT_EQ(vars().get(L"LASTPOINT")->pointValue(), (VexaSysVarValue::Point{1, 2, 3}));

  // As the command line shows them.
  EXPECT_EQ(vars().get(L"LASTPOINT")->toText(), L"1,2,3");
  EXPECT_EQ(vars().get(L"SNAPANG")->toText(), L"0.25");
  EXPECT_EQ(vars().get(L"PICKFIRST")->toText(), L"0");
  EXPECT_EQ(vars().get(L"INSNAME")->toText(), L"DOOR");
}

TEST_F(SysVarTest, RefusedWritesChangeNothing) {
  ASSERT_EQ(setShortVar(L"CMDECHO", 0), kQvNormal);

  // Unknown name.
  EXPECT_EQ(setShortVar(L"NOSUCHVAR", 1), kQvError);
  QvRbListPtr real(qvutBuildList(kRbReal, 77.0, 0));
  EXPECT_EQ(qvedGetVar(L"NOSUCHVAR", real.get()), kQvError);
  EXPECT_EQ(real->value.real, 77);  // untouched

  // Wrong types: a real, a long and a string for a short variable.
  EXPECT_EQ(qvedSetVar(L"CMDECHO", real.get()), kQvError);
  resbuf rb{};
  rb.type = kRbLong;
  rb.value.int32 = 1;
  EXPECT_EQ(qvedSetVar(L"CMDECHO", &rb), kQvError);
  QvRbListPtr text(qvutBuildList(kRbString, L"1", 0));
  EXPECT_EQ(qvedSetVar(L"CMDECHO", text.get()), kQvError);
  // A string buffer without text, and null arguments.
  rb.type = kRbString;
  rb.value.string = nullptr;
  EXPECT_EQ(qvedSetVar(L"INSNAME", &rb), kQvError);
  EXPECT_EQ(qvedSetVar(L"CMDECHO", nullptr), kQvError);
  EXPECT_EQ(qvedSetVar(nullptr, real.get()), kQvError);
  EXPECT_EQ(qvedGetVar(L"CMDECHO", nullptr), kQvError);

  // Out of range: switches and bounded shorts.
  EXPECT_EQ(setShortVar(L"CMDECHO", 2), kQvRejected);
  EXPECT_EQ(setShortVar(L"CMDECHO", -1), kQvRejected);
  EXPECT_EQ(setShortVar(L"MIRRORDRAW", 2), kQvRejected);
  EXPECT_EQ(setShortVar(L"INSUNITS", 25), kQvRejected);
  EXPECT_EQ(setShortVar(L"INSUNITS", -1), kQvRejected);
  EXPECT_EQ(setShortVar(L"INSUNITS", 24), kQvNormal);
  EXPECT_EQ(setShortVar(L"CVPORT", 0), kQvRejected);

  // A real that is not finite.
  real->value.real = std::nan("");
  EXPECT_EQ(qvedSetVar(L"SNAPANG", real.get()), kQvRejected);

  EXPECT_EQ(shortVar(L"CMDECHO"), 0);
  EXPECT_EQ(shortVar(L"MIRRORDRAW"), 0);
  EXPECT_EQ(shortVar(L"INSUNITS"), 24);
  EXPECT_EQ(shortVar(L"CVPORT"), 2);
  EXPECT_DOUBLE_EQ(vars().get(L"SNAPANG")->realValue(), 0.0);
}

TEST_F(SysVarTest, ReadOnlyVariablesRefuseProgramsButNotTheHost) {
  QvRbListPtr real(qvutBuildList(kRbReal, 0.5, 0));
  EXPECT_EQ(qvedSetVar(L"CANNOSCALEVALUE", real.get()), kQvError);
  EXPECT_DOUBLE_EQ(vars().get(L"CANNOSCALEVALUE")->realValue(), 1.0);
  EXPECT_EQ(setShortVar(L"LISPCOMMANDHASMORE", 1), kQvError);

  EXPECT_EQ(vars().setByHost(L"CANNOSCALEVALUE", VexaSysVarValue::ofReal(0.5)),
            VexaSysVarResult::kOk);
  EXPECT_DOUBLE_EQ(vars().get(L"CANNOSCALEVALUE")->realValue(), 0.5);
  // The host's own writes are still checked for type and range.
  EXPECT_EQ(vars().setByHost(L"LISPCOMMANDHASMORE", VexaSysVarValue::ofShort(3)),
            VexaSysVarResult::kOutOfRange);
  EXPECT_EQ(vars().setByHost(L"CANNOSCALEVALUE", VexaSysVarValue::ofShort(1)),
            VexaSysVarResult::kWrongType);
}

TEST_F(SysVarTest, TheAnnotationScaleIsChosenByNameFromTheDrawingsList) {
  resbuf name{};
  name.type = kRbString;
  name.value.string = const_cast<wchar_t*>(L"1:4");
  ASSERT_EQ(qvedSetVar(L"CANNOSCALE", &name), kQvNormal);
  EXPECT_EQ(vars().get(L"CANNOSCALE")->textValue(), L"1:4");
  EXPECT_DOUBLE_EQ(vars().get(L"CANNOSCALEVALUE")->realValue(), 0.25);
  // A name the list lacks is refused and changes nothing.
  name.value.string = const_cast<wchar_t*>(L"1:7");
  EXPECT_EQ(qvedSetVar(L"CANNOSCALE", &name), kQvError);
  EXPECT_EQ(vars().get(L"CANNOSCALE")->textValue(), L"1:4");
  EXPECT_DOUBLE_EQ(vars().get(L"CANNOSCALEVALUE")->realValue(), 0.25);
}

TEST_F(SysVarTest, UcsAxesChangeOnlyTogetherAndStayOrthonormal) {
  const double along[3] = {0, 1, 0};
  QvRbListPtr axis(qvutBuildList(kRbPoint3d, along, 0));
  EXPECT_EQ(qvedSetVar(L"UCSXDIR", axis.get()), kQvError);
  EXPECT_EQ(vars().setByHost(L"UCSXDIR", VexaSysVarValue::ofPoint({0, 1, 0})),
            VexaSysVarResult::kReadOnly);

  // A skewed, unscaled Y is made a unit vector perpendicular to X in their plane.
  auto ucs = VexaUcs::fromAxes({5, 6, 7}, {2, 0, 0}, {3, 4, 0});
  ASSERT_TRUE(ucs.has_value());
  ASSERT_EQ(vars().setCurrentUcs(*ucs), Vexa::eOk);
  const auto x = vars().get(L"UCSXDIR")->pointValue();
  const auto y = vars().get(L"UCSYDIR")->pointValue();
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(x[i], i == 0 ? 1.0 : 0.0, 1e-15);
    EXPECT_NEAR(y[i], i == 1 ? 1.0 : 0.0, 1e-15);
  }
  EXPECT_EQ(vars().get(L"UCSORG")->pointValue(), (VexaSysVarValue::Point{5, 6, 7}));

  // Degenerate axes make no system.
  EXPECT_FALSE(VexaUcs::fromAxes({0, 0, 0}, {0, 0, 0}, {0, 1, 0}).has_value());
  EXPECT_FALSE(VexaUcs::fromAxes({0, 0, 0}, {1, 1, 0}, {-2, -2, 0}).has_value());
  EXPECT_FALSE(VexaUcs::fromAxes({0, 0, 0}, {1, 0, 0}, {0, NAN, 0}).has_value());
}

// A store standing for a drawing's header.
class RecordingStore : public VexaSysVarStore {
 public:
  std::optional<VexaSysVarValue> read(const VexaSysvarData& var) const override {
    const auto it = values.find(var.name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  }
  Vexa::ErrorStatus write(const VexaSysvarData& var, const VexaSysVarValue& value) override {
    if (refuse) return Vexa::eNotApplicable;
    values[var.name] = value;
    return Vexa::eOk;
  }
  std::map<std::wstring, VexaSysVarValue> values;
  bool refuse = false;
};

TEST_F(SysVarTest, PerDrawingVariablesLiveInTheDrawingStore) {
  RecordingStore drawing;
  drawing.values[L"INSUNITS"] = VexaSysVarValue::ofShort(6);
  vars().setDrawingStore(&drawing);

  EXPECT_EQ(shortVar(L"INSUNITS"), 6);
  EXPECT_EQ(setShortVar(L"ORTHOMODE", 1), kQvNormal);
  EXPECT_EQ(drawing.values.at(L"ORTHOMODE").shortValue(), 1);
  // Session variables stay with the service.
  EXPECT_EQ(setShortVar(L"CMDECHO", 0), kQvNormal);
  EXPECT_EQ(drawing.values.count(L"CMDECHO"), 0u);
  // A store that refuses leaves the value alone.
  drawing.refuse = true;
  EXPECT_EQ(setShortVar(L"ORTHOMODE", 0), kQvError);
  EXPECT_EQ(shortVar(L"ORTHOMODE"), 1);
  // The UCS is written to the drawing too, all or nothing.
  EXPECT_EQ(vars().setCurrentUcs(*VexaUcs::fromAxes({1, 1, 1}, {1, 0, 0}, {0, 1, 0})),
            Vexa::eNotApplicable);
  EXPECT_TRUE(vars().currentUcs().isWorld());
  drawing.refuse = false;
  // A store holding a value of another type is ignored in favour of the default.
  drawing.values[L"TILEMODE"] = VexaSysVarValue::ofText(L"1");
  EXPECT_EQ(shortVar(L"TILEMODE"), 1);

  // Back on the service's own store, the drawing's values are gone.
  vars().setDrawingStore(nullptr);
  EXPECT_EQ(shortVar(L"INSUNITS"), 4);
  EXPECT_EQ(shortVar(L"ORTHOMODE"), 0);
  EXPECT_EQ(shortVar(L"CMDECHO"), 0);
}

TEST(SysVarNoHostTest, ClassicCallsFailWithoutAHost) {
  resbuf rb{};
  EXPECT_EQ(qvedGetVar(L"PICKFIRST", &rb), kQvError);
  rb.type = kRbShort;
  EXPECT_EQ(qvedSetVar(L"PICKFIRST", &rb), kQvError);
}

}  // namespace
