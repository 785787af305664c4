#include "framework/UnitSequence.h"

#include <exception>
#include <string>

#include "framework/UnitTrace.h"

namespace {

std::string MessageOf(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown exception";
  }
}

}  // namespace

TUnitSequence::TUnitSequence(std::span<const TUnit> units) : units_(units) {
  for (const TUnit& unit : units_) {
    try {
      unit.Start();
    } catch (...) {
      const std::exception_ptr failure = std::current_exception();
      UnitTrace(std::string(unit.Name) + ": start failed: " + MessageOf(failure));
      Stop();
      std::rethrow_exception(failure);
    }
    ++started_;
  }
}

void TUnitSequence::Stop() noexcept {
  while (started_ > 0) {
    const TUnit& unit = units_[--started_];
    if (!unit.Stop) continue;
    try {
      unit.Stop();
    } catch (...) {
      UnitTrace(std::string(unit.Name) + ": stop failed: " + MessageOf(std::current_exception()));
    }
  }
}
