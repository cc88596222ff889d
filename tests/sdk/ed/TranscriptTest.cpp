#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "sdk/ed/IVexaUserInteraction.h"
#include "sdk/ed/VexaTranscript.h"
#include "sdk/ed/qvedOutput.h"
#include "tests/support/HostFixture.h"

namespace {

using Kind = VexaTranscriptEntry::Kind;

class TranscriptTest : public HostFixture {};

TEST_F(TranscriptTest, OutputIsFormattedAndKeptInOrder) {
  EXPECT_EQ(qvutPrintf(L"\n%ls has %d items (%s)", L"Block", 3, L"wide"), kQvNormal);
  EXPECT_EQ(qvedPrompt(L"\n100% done"), kQvNormal);  // printed as it stands
  EXPECT_EQ(qvutPrintf(nullptr), kQvError);
  EXPECT_EQ(qvedPrompt(nullptr), kQvError);
  ASSERT_EQ(transcript().entries().size(), 2u);
  EXPECT_EQ(transcript().entries()[0].kind, Kind::kMessage);
  EXPECT_EQ(transcript().entries()[0].text, L"\nBlock has 3 items (wide)");
  EXPECT_EQ(transcript().entries()[1].text, L"\n100% done");
}

TEST_F(TranscriptTest, CommandLineTextEndsAnswerLinesAndDropsRedundantBreaks) {
  std::vector<QvString> echoed;
  transcript().setSink([&](const VexaTranscriptEntry& e) { echoed.push_back(e.text); });
  transcript().addMessage(L"\nFirst");
  transcript().addPrompt(L"\nName: ");
  transcript().addAnswer(L"DOOR");
  transcript().addMessage(L"\nDone.");
  transcript().addPrompt(L"\nAgain: ");
  transcript().addAnswer(L"");
  EXPECT_EQ(transcript().text(), L"First\nName: DOOR\nDone.\nAgain: \n");
  EXPECT_EQ(echoed.size(), 6u);
  EXPECT_THAT(transcript().texts(Kind::kAnswer), testing::ElementsAre(L"DOOR", L""));
  transcript().setSink(nullptr);
  transcript().addMessage(L"x");
  EXPECT_EQ(echoed.size(), 6u);
}

TEST(TranscriptNoHostTest, OutputFailsWithoutAHost) {
  EXPECT_EQ(qvutPrintf(L"x"), kQvError);
  EXPECT_EQ(qvedGetActiveUserInteraction(), nullptr);
}

}  // namespace
