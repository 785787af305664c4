// The program's units start in order and stop in the reverse order; a unit
// that fails to start stops the ones before it, backwards, and the failure
// reaches the program; a failing stop does not keep the others running.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/UnitSequence.h"
#include "framework/UnitTrace.h"

namespace {

std::vector<std::string> Events;
int FailingStart = -1, FailingStop = -1;

template <int N>
void Start() {
  if (N == FailingStart) throw std::runtime_error("unit " + std::to_string(N) + " cannot start");
  Events.push_back("start " + std::to_string(N));
}
template <int N>
void Stop() {
  Events.push_back("stop " + std::to_string(N));
  if (N == FailingStop) throw std::runtime_error("unit " + std::to_string(N) + " cannot stop");
}

const TUnit Units[] = {{"one", &Start<1>, &Stop<1>},
                       {"two", &Start<2>, &Stop<2>},
                       {"three", &Start<3>, &Stop<3>},
                       {"four", &Start<4>, nullptr},
                       {"five", &Start<5>, &Stop<5>}};

class UnitSequence : public ::testing::Test {
protected:
  void SetUp() override {
    Events.clear();
    FailingStart = FailingStop = -1;
    previous = SetUnitTraceSink([](const std::string& line) { Events.push_back("trace " + line); });
  }
  void TearDown() override { SetUnitTraceSink(previous); }
  TUnitTraceSink previous = nullptr;
};

using V = std::vector<std::string>;

TEST_F(UnitSequence, StartsInOrderAndStopsBackwards) {
  {
    TUnitSequence units(Units);
    EXPECT_EQ(Events, (V{"start 1", "start 2", "start 3", "start 4", "start 5"}));
    Events.clear();
  }
  EXPECT_EQ(Events, (V{"stop 5", "stop 3", "stop 2", "stop 1"}));
}

TEST_F(UnitSequence, AFailedStartStopsTheStartedUnitsBackwardsAndReachesTheProgram) {
  FailingStart = 3;
  try {
    TUnitSequence units(Units);
    FAIL() << "started";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "unit 3 cannot start");
  }
  EXPECT_EQ(Events, (V{"start 1", "start 2", "trace three: start failed: unit 3 cannot start", "stop 2", "stop 1"}));
}

TEST_F(UnitSequence, AFailedStopIsTracedAndTheOthersStillStop) {
  FailingStop = 3;
  {
    TUnitSequence units(Units);
    Events.clear();
    units.Stop();
    units.Stop();  // a second stop has nothing left to stop
  }
  EXPECT_EQ(Events, (V{"stop 5", "stop 3", "trace three: stop failed: unit 3 cannot stop", "stop 2", "stop 1"}));
}

}  // namespace
