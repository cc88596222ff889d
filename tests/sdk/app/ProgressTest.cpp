#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaProgressMeter.h"
#include "sdk/app/VexaTerminalProgressBar.h"
#include "sdk/db/QvDbDatabase.h"
#include "sdk/db/QvDbLine.h"
#include "sdk/io/QvDxfFile.h"
#include "tests/support/DbSetup.h"
#include "tests/support/HostFixture.h"
#include "tests/support/ProgressLog.h"

namespace {

using testing::ElementsAre;

class ProgressTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    ProgressLog::install(host().service<VexaProgressMeter>(), log_);
  }
  std::vector<std::string> log_;
};

TEST_F(ProgressTest, TheMeterMovesWithinItsRangeOnlyWhileItRuns) {
  VexaProgressMeter& meter = host().service<VexaProgressMeter>();
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(10), -1);  // none runs yet
  EXPECT_EQ(vexaSetStatusBarProgressMeter(L"Bad", 5, 4), -1);
  EXPECT_FALSE(meter.isRunning());
  ASSERT_EQ(vexaSetStatusBarProgressMeter(L"Counting blocks", 0, 100), 0);
  EXPECT_EQ(meter.position(), 0);
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(40), 0);
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(101), -1);
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(-1), -1);
  EXPECT_EQ(meter.position(), 40);
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(100), 0);
  EXPECT_EQ(vexaRestoreStatusBarProgressMeter(), 0);
  EXPECT_EQ(vexaRestoreStatusBarProgressMeter(), 0);  // stopping twice shows nothing more
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(50), -1);
  EXPECT_THAT(log_, ElementsAre("start Counting blocks 0..100", "move 40", "move 100", "stop"));
}

TEST(ProgressNoHostTest, EntryPointsFailWithoutAHost) {
  EXPECT_EQ(vexaSetStatusBarProgressMeter(L"x", 0, 100), -1);
  EXPECT_EQ(vexaSetStatusBarProgressMeterPos(0), -1);
  EXPECT_EQ(vexaRestoreStatusBarProgressMeter(), -1);
}

// The text a bar wrote into memory.
class MemoryStream {
 public:
  MemoryStream() : stream_(open_memstream(&data_, &size_)) {}
  ~MemoryStream() {
    std::fclose(stream_);
    std::free(data_);
  }
  std::FILE* get() { return stream_; }
  std::string text() {
    std::fflush(stream_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  std::FILE* stream_;
};

TEST(TerminalProgressBarTest, DrawsInPlaceOnlyWhenThePercentChanges) {
  MemoryStream out;
  VexaTerminalProgressBar bar(out.get());
  bar.started(L"R\u00E9gion", 200, 400);
  bar.moved(201);  // still 0 %
  bar.moved(300);
  bar.moved(301);  // still 50 %
  bar.moved(400);
  bar.stopped();
  EXPECT_EQ(out.text(),
            "\rR\xC3\xA9gion [                    ]   0%"
            "\rR\xC3\xA9gion [##########          ]  50%"
            "\rR\xC3\xA9gion [####################] 100%"
            "\r\x1b[K");
}

TEST(TerminalProgressBarTest, InstalledOnStandardErrorOnlyForATerminal) {
  VexaProgressMeter meter;
  EXPECT_EQ(VexaTerminalProgressBar::installOnStandardError(meter), ::isatty(STDERR_FILENO) != 0);
  EXPECT_EQ(meter.sink() != nullptr, ::isatty(STDERR_FILENO) != 0);
}

// A drawing of `lines` lines in model space, as DXF text.
std::string drawingOfLines(int lines) {
  QvDbDatabase db;
  for (int i = 0; i < lines; ++i)
    appendToModelSpace(&db, new QvDbLine(QvGePoint3d(i, 0, 0), QvGePoint3d(i, 1, 0)));
  std::string text;
  QvString message;
  EXPECT_EQ(Vexa::eOk, QvDxfFile::writeText(db, text, message)) << message.utf8();
  return text;
}

// The positions the log moved to between its start and its stop; fails unless the log is one
// run of the meter labelled `text` that rises strictly and ends at 100.
std::vector<int> oneRisingRun(const std::vector<std::string>& log, const std::string& text) {
  EXPECT_GE(log.size(), 3u);
  if (log.size() < 3) return {};
  EXPECT_EQ(log.front(), "start " + text + " 0..100");
  EXPECT_EQ(log.back(), "stop");
  std::vector<int> moves;
  for (size_t i = 1; i + 1 < log.size(); ++i) {
    EXPECT_EQ(log[i].rfind("move ", 0), 0u) << log[i];
    moves.push_back(std::stoi(log[i].substr(5)));
    if (moves.size() > 1) {
      EXPECT_GT(moves.back(), moves[moves.size() - 2]);
    }
  }
  EXPECT_EQ(moves.back(), 100);
  return moves;
}

TEST_F(ProgressTest, DrawingsAreReadAndWrittenOnTheMeterFromStartToEnd) {
  const std::string text = drawingOfLines(6000);
  std::vector<int> moves = oneRisingRun(log_, "Writing drawing");
  EXPECT_GT(moves.size(), 10u);  // entities counted as they go, not just the end

  log_.clear();
  QvDbDatabase read(false);
  const QvDxfReadResult result = QvDxfFile::readText(text, read);
  ASSERT_TRUE(result.ok()) << result.message().utf8();
  moves = oneRisingRun(log_, "Reading drawing");
  // Splitting the text fills the first half, reading the records the second.
  EXPECT_TRUE(std::any_of(moves.begin(), moves.end(), [](int p) { return p > 0 && p < 50; }));
  EXPECT_TRUE(std::any_of(moves.begin(), moves.end(), [](int p) { return p > 50 && p < 100; }));
  EXPECT_FALSE(host().service<VexaProgressMeter>().isRunning());
}

TEST_F(ProgressTest, ACommandsOwnMeterIsLeftAloneAndARefusedFileStopsTheMeter) {
  const std::string text = drawingOfLines(200);
  log_.clear();
  VexaProgressMeter& meter = host().service<VexaProgressMeter>();
  ASSERT_EQ(0, meter.start(L"Counting blocks", 0, 10));
  ASSERT_EQ(0, meter.setPosition(3));
  QvDbDatabase read(false);
  ASSERT_TRUE(QvDxfFile::readText(text, read).ok());
  EXPECT_TRUE(meter.isRunning());
  EXPECT_EQ(meter.text(), QvString(L"Counting blocks"));
  EXPECT_EQ(meter.position(), 3);
  meter.stop();
  EXPECT_THAT(log_, ElementsAre("start Counting blocks 0..10", "move 3", "stop"));

  log_.clear();
  const std::string cut = text.substr(0, text.size() / 2);
  QvDbDatabase refused(false);
  EXPECT_FALSE(QvDxfFile::readText(cut, refused).ok());
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_.front(), "start Reading drawing 0..100");
  EXPECT_EQ(log_.back(), "stop");
  EXPECT_FALSE(meter.isRunning());
}

}  // namespace
