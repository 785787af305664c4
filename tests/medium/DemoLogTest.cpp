// The demo log is how the end-to-end tests see what the stand-ins did, so a
// line lost to a simultaneous write makes a test fail for nothing: programs
// often log at the same moment (both players told to quit at once).
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "MediumTest.h"
#include "common/DemoLog.h"

namespace medium_test {
namespace {

TEST(DemoLogTest, WritersLoggingAtOnceLoseNoLine) {
  TempFolder folder;
  const std::wstring path = folder / L"demo.log";
  ScopedEnvironment log(L"KORVEX_DEMO_LOG", path);

  constexpr int Writers = 6;
  constexpr int Lines = 60;
  std::vector<std::thread> writers;
  for (int w = 0; w < Writers; ++w) {
    writers.emplace_back([w] {
      const std::wstring program = L"writer" + std::to_wstring(w) + L".exe";
      for (int i = 0; i < Lines; ++i) demo::Log(program, L"line", std::to_wstring(i));
    });
  }
  for (std::thread& writer : writers) writer.join();

  const std::vector<LogLine> lines = ReadLog(path);
  ASSERT_EQ(lines.size(), static_cast<size_t>(Writers * Lines));
  for (int w = 0; w < Writers; ++w) {
    // Each writer's lines whole and in its own order.
    std::vector<std::wstring> seen;
    for (const LogLine& line : lines) {
      if (line.program == L"writer" + std::to_wstring(w) + L".exe") {
        EXPECT_EQ(line.event, L"line");
        seen.push_back(line.details);
      }
    }
    ASSERT_EQ(seen.size(), static_cast<size_t>(Lines)) << "writer " << w;
    for (int i = 0; i < Lines; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)], std::to_wstring(i));
  }
}

}  // namespace
}  // namespace medium_test
