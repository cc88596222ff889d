#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "sdk/app/VexaProgressMeter.h"
#include "sdk/app/VexaTerminalProgressBar.h"
#include "tests/support/HostFixture.h"

namespace {

using testing::ElementsAre;

// Writes down what the meter showed.
class RecordingSink : public VexaProgressSink {
 public:
  explicit RecordingSink(std::vector<std::string>& log) : log_(log) {}
  void started(const QvString& text, int minimum, int maximum) override {
    log_.push_back("start " + text.utf8() + " " + std::to_string(minimum) + ".." +
                   std::to_string(maximum));
  }
  void moved(int position) override { log_.push_back("move " + std::to_string(position)); }
  void stopped() override { log_.push_back("stop"); }

 private:
  std::vector<std::string>& log_;
};

class ProgressTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    host().service<VexaProgressMeter>().setSink(std::make_unique<RecordingSink>(log_));
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

}  // namespace
