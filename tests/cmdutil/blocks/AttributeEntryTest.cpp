// Attribute entry on an inserted reference: the command line (prompts by tag and index,
// multi-line values, verification) and the attribute dialog, through EditAttBasedOnBlkRefId.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "sdk/db/QvDbAttribute.h"
#include "sdk/db/QvDbAttributeDefinition.h"
#include "sdk/db/QvDbMText.h"
#include "sdk/db/QvDbObjectPointer.h"
#include "sdk/ed/VexaBuildInCommandContext.h"
#include "sdk/ed/VexaInputScript.h"
#include "tests/cmdutil/blocks/BlockTestSupport.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ObjectEdits.h"
#include "xqcmdutil/CreateInsertData.h"
#include "xqcmdutil/XqAttributeEdit.h"
#include "xqcmdutil/XqBlockInsert.h"

namespace {

using P = QvGePoint3d;
using ::testing::Contains;
using ::testing::HasSubstr;
using Attrs = std::vector<std::pair<std::wstring, std::wstring>>;

class AttributeEntryTest : public HostFixture {
 protected:
  // "Room": NAME, two definitions tagged A, a multi-line NOTE, a verifiable CODE, a preset
  // KIND and a constant MARK.
  void SetUp() override {
    HostFixture::SetUp();
    const QvDbObjectId room = addBlock(db(), L"Room");
    def(addAttDef(room, L"NAME", L"room", P(0, 0, 0)), L"Room name",
        [](QvDbAttributeDefinition& d) { d.setFieldLength(8); });  // at most 8 characters
    def(addAttDef(room, L"A", L"a0", P(0, -1, 0)), L"First A");
    def(addAttDef(room, L"A", L"a1", P(0, -2, 0)), L"Second A");
    note = addAttDef(room, L"NOTE", L"", P(0, -3, 0));
    def(note, L"Notes", [](QvDbAttributeDefinition& d) {
      d.convertIntoMTextAttributeDefinition(true);
      std::unique_ptr<QvDbMText> text(d.getMTextAttributeDefinition());
      text->setContents(L"one\\Ptwo");
      d.setMTextAttributeDefinition(text.get());
    });
    def(addAttDef(room, L"CODE", L"000", P(0, -4, 0)), L"Code",
        [](QvDbAttributeDefinition& d) { d.setVerifiable(true); });
    addAttDef(room, L"KIND", L"office", P(0, -5, 0), false, true);
    addAttDef(room, L"MARK", L"*", P(0, -6, 0), true);
    CreateInsertData data;
    data.setInsertName(L"Room");
    VexaBuildInCommandContext context;
    ASSERT_EQ(CreateInsert(&context, ref, data), 5100);
    setShortVar(L"ATTDIA", 0);
  }
  // Gives a definition its prompt and what `more` sets.
  static void def(QvDbObjectId id, const wchar_t* prompt,
                  const std::function<void(QvDbAttributeDefinition&)>& more = {}) {
    QvDbObjectPointer<QvDbAttributeDefinition> d(id, QvDb::kForWrite);
    d->setPrompt(prompt);
    if (more) more(*d);
  }
  Attrs attributes() { return attributeTexts(ref); }
  std::vector<std::wstring> prompts() {
    std::vector<std::wstring> out;
    for (const auto& [kind, text] : entries())
      if (kind == VexaTranscriptEntry::Kind::kPrompt) out.push_back(text);
    return out;
  }
  const Attrs defaults{{L"NAME", L"room"},      {L"A", L"a0"},     {L"A", L"a1"},
                       {L"NOTE", L"one\\Ptwo"}, {L"CODE", L"000"}, {L"KIND", L"office"}};
  QvDbObjectId ref, note;
};

TEST_F(AttributeEntryTest, CommandLineAsksEachPromptingAttributeAndWritesAtTheEnd) {
  // NAME with blanks; the two A's apart; NOTE in two lines; CODE twice, the second written.
  script(L"Hall 1\nx\n\nfirst line\nsecond line\n\n111\n22 2\n");
  ASSERT_TRUE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes(), (Attrs{{L"NAME", L"Hall 1"},
                                 {L"A", L"x"},
                                 {L"A", L"a1"},
                                 {L"NOTE", L"first line\\Psecond line"},
                                 {L"CODE", L"22 2"},
                                 {L"KIND", L"office"}}));
  const std::vector<std::wstring> asked = prompts();
  EXPECT_THAT(asked, Contains(L"Room name <room> :"));
  EXPECT_THAT(asked, Contains(L"First A <a0> :"));
  EXPECT_THAT(asked, Contains(L"Second A <a1> :"));
  EXPECT_THAT(asked, Contains(L"Notes <Accept default value> :"));
  EXPECT_THAT(asked, Contains(L"Next line or <complete>: "));
  EXPECT_THAT(asked, Contains(L"\nVerify attribute values\nCode <111> :"));
  EXPECT_EQ(asked.size(), 8u);  // KIND and MARK are never asked
  std::wstring said;
  for (const auto& m : messages()) said += m;
  // The header once, before the first prompt, however many attributes follow.
  const size_t header = said.find(L"Input Attribute Value");
  ASSERT_NE(header, std::wstring::npos);
  EXPECT_EQ(said.find(L"Input Attribute Value", header + 1), std::wstring::npos);
  EXPECT_THAT(said, HasSubstr(L"Notes - Default Value: \n    one\n    two\n"));
  EXPECT_TRUE(inputScript().atEnd());
}

TEST_F(AttributeEntryTest, AVerifiableMultiLineValueIsVerifiedOnceWhenComplete) {
  {
    QvDbObjectPointer<QvDbAttributeDefinition> d(note, QvDb::kForWrite);
    d->setVerifiable(true);
  }
  CreateInsertData data;
  data.setInsertName(L"Room");
  VexaBuildInCommandContext context;
  ASSERT_EQ(CreateInsert(&context, ref, data), 5100);
  // NAME, A, A; NOTE in two lines, then verified (Enter keeps them); CODE and its check.
  script(L"\n\n\nx\ny z\n\n\n\n\n");
  ASSERT_TRUE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes()[3], (std::pair<std::wstring, std::wstring>{L"NOTE", L"x\\Py z"}));
  const std::vector<std::wstring> asked = prompts();
  EXPECT_THAT(asked, Contains(L"\nVerify attribute values\nNotes <x\\Py z> :"));
  EXPECT_EQ(std::count(asked.begin(), asked.end(), L"Next line or <complete>: "), 2);
  EXPECT_TRUE(inputScript().atEnd());
}

TEST_F(AttributeEntryTest, EnterEverywhereKeepsTheDefaultsAndACancelChangesNothing) {
  script(L"\n\n\n\n\n\n");
  ASSERT_TRUE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes(), defaults);
  EXPECT_TRUE(inputScript().atEnd());

  script(L"Hall\nx\n\nfirst\n^C\n");
  EXPECT_FALSE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes(), defaults);
  // An exhausted script is a cancel too.
  script(L"Hall\n");
  EXPECT_FALSE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes(), defaults);
}

TEST_F(AttributeEntryTest, DialogAsksEveryNonConstantAttributeAndIsShownAgainForTooLongValues) {
  setShortVar(L"ATTDIA", 1);
  // First showing: NAME too long, so shown again with the values typed; then corrected.
  script(
      L"Lobby area\n\n\nA\\PB\n\nbig\n"
      "Hall\n\n\n\n\n\n");
  ASSERT_TRUE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes(), (Attrs{{L"NAME", L"Hall"},
                                 {L"A", L"a0"},
                                 {L"A", L"a1"},
                                 {L"NOTE", L"A\\PB"},
                                 {L"CODE", L"000"},
                                 {L"KIND", L"big"}}));
  const std::vector<std::wstring> asked = prompts();
  EXPECT_THAT(asked, Contains(L"\nNAME (Room name) <room>: "));
  EXPECT_THAT(asked, Contains(L"\nNAME (Room name) <Lobby area>: "));
  EXPECT_THAT(asked, Contains(L"\nNOTE (Notes) <A\\PB>: "));  // the second showing
  EXPECT_EQ(asked.size(), 12u);
  std::wstring said;
  for (const auto& m : messages()) said += m;
  EXPECT_THAT(said, HasSubstr(L"at most 8 characters"));

  script(L"Gone\n^C\n");
  EXPECT_FALSE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes()[0].second, L"Hall");
}

TEST_F(AttributeEntryTest, NonInteractiveRunsUseTheCommandLineAndANullIdAsksNothing) {
  setShortVar(L"ATTDIA", 1);
  VexaCommandContexts::current()->documentContext().setNonInteractive(true);
  script(L"Hall\n\n\n\n\n\n");
  ASSERT_TRUE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(attributes()[0].second, L"Hall");
  EXPECT_THAT(prompts(), Contains(L"Room name <room> :"));

  script(L"x\n");
  EXPECT_FALSE(EditAttBasedOnBlkRefId(QvDbObjectId()));
  EXPECT_EQ(inputScript().linesLeft(), 1);
  ASSERT_EQ(eraseObject(ref), Vexa::eOk);
  EXPECT_FALSE(EditAttBasedOnBlkRefId(ref));
  EXPECT_EQ(inputScript().linesLeft(), 1);
}

}  // namespace
