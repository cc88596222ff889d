#include "sdk/base/VexaHost.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// An interface a lower area owns, and two services of a higher area that answer it. The
// interface is not the services' first base, so a cast that forgets to adjust shows.
class Greeter {
 public:
  virtual int greet() = 0;

 protected:
  ~Greeter() = default;
};

class Loud : public VexaHostService, public Greeter {
 public:
  int greet() override { return ++greetings; }
  int greetings = 0;
};

class Quiet : public VexaHostService, public Greeter {
 public:
  int greet() override { return 0; }
};

TEST(VexaHostTest, ABoundInterfaceAnswersWithItsServiceMadeOnFirstUse) {
  VexaHost host;
  EXPECT_EQ(VexaHost::current(), &host);
  host.bind<Greeter, Loud>();
  EXPECT_EQ(host.findService<Greeter>(), nullptr);
  EXPECT_EQ(host.findService<Loud>(), nullptr);

  Greeter& greeter = host.service<Greeter>();
  EXPECT_EQ(greeter.greet(), 1);
  Loud* loud = host.findService<Loud>();
  ASSERT_NE(loud, nullptr);
  EXPECT_EQ(static_cast<Greeter*>(loud), &greeter);
  EXPECT_EQ(host.findService<Greeter>(), &greeter);
  EXPECT_EQ(&host.service<Greeter>(), &greeter);
  EXPECT_EQ(&host.service<Loud>(), loud);
  EXPECT_EQ(loud->greetings, 1);
}

TEST(VexaHostTest, AnInterfaceBoundToNothingIsNotFoundAndCannotBeMade) {
  VexaHost host;
  EXPECT_EQ(host.findService<Greeter>(), nullptr);
  EXPECT_THROW(host.service<Greeter>(), std::logic_error);

  // The latest binding answers; the service of an earlier one stays a service of its own.
  host.bind<Greeter, Loud>();
  host.service<Greeter>().greet();
  host.bind<Greeter, Quiet>();
  EXPECT_EQ(host.findService<Greeter>(), nullptr);
  EXPECT_EQ(host.service<Greeter>().greet(), 0);
  EXPECT_EQ(host.findService<Loud>()->greetings, 1);
}

}  // namespace
