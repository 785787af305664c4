// The task stack: what each task is told, in order, as tasks start, stack,
// replace and end; the start modes; tasks that end inside their own handlers.

#include "TaskTestSupport.h"

namespace tasktest {
namespace {

class TaskStack : public TaskFixture {
protected:
  void SetUp() override {
    TaskFixture::SetUp();
    manager = std::make_unique<TTaskManager>();
    // A recording base task of level -1 replaces the plain one.
    base = new TRecTask("base", -1);
    ASSERT_TRUE(manager->Start(base));
    TakeLog();
  }
  void TearDown() override {
    manager.reset();
    TaskFixture::TearDown();
  }
  TRecTask* Task(const std::string& name, int32_t level) { return new TRecTask(name, level); }

  std::unique_ptr<TTaskManager> manager;
  TRecTask* base = nullptr;
};

TEST_F(TaskStack, NewManagerHoldsOnlyTheActiveBaseTask) {
  TTaskManager fresh;
  ASSERT_NE(fresh.FCurrent, nullptr);
  EXPECT_EQ(fresh.FCurrent->FLevel, -1);
  EXPECT_TRUE(fresh.FCurrent->FActive);
  ASSERT_EQ(fresh.FSuspended.size(), 1u);
  EXPECT_EQ(fresh.FSuspended[0], nullptr);
}

TEST_F(TaskStack, StartingAndEndingASubTaskTellsBothTasksInOrder) {
  TRecTask* t = Task("t", 0);
  ASSERT_TRUE(manager->Start(t));
  EXPECT_EQ(TakeLog(), "base.Deactivate base.Interrupted(t) t.Started t.Activate");
  EXPECT_EQ(manager->FCurrent, t);
  EXPECT_EQ(t->FPrevious, base);

  TTaskObj::Free(t);
  // Once for its own ending, once from EndTasks because it is inactive by then.
  EXPECT_EQ(TakeLog(), "t.Deactivate t.Deactivate base.Resumed base.Activate");
  EXPECT_EQ(manager->FCurrent, base);
  EXPECT_TRUE(base->FActive);
}

TEST_F(TaskStack, SameLevelReplacesAndEndingALowerTaskEndsTheOnesAbove) {
  TRecTask* a = Task("a", 0);
  manager->Start(a);
  TRecTask* b = Task("b", 0);
  manager->Start(b);
  EXPECT_EQ(manager->FSuspended.size(), 2u);  // null and the base task
  EXPECT_EQ(b->FPrevious, base);

  TRecTask* c = Task("c", 1);
  TRecTask* d = Task("d", 2);
  manager->Start(c);
  manager->Start(d);
  EXPECT_EQ(manager->FCurrent, d);
  TakeLog();
  TTaskObj::Free(c);
  EXPECT_EQ(manager->FCurrent, b);
  EXPECT_TRUE(b->FActive);
  const std::string log = TakeLog();
  EXPECT_LT(log.find("d.Deactivate"), log.find("c.Resumed")) << log;
  EXPECT_NE(log.find("b.Resumed b.Activate"), std::string::npos) << log;
}

TEST_F(TaskStack, EndTasksKeepsAnInactiveTopInactive) {
  TRecTask* a = Task("a", 0);
  TRecTask* b = Task("b", 1);
  manager->Start(a);
  manager->Start(b);
  manager->DeactivateCurrent();
  TakeLog();
  manager->EndTasks(1);
  EXPECT_EQ(manager->FCurrent, a);
  EXPECT_FALSE(a->FActive);
  EXPECT_EQ(TakeLog(), "b.Deactivate a.Resumed a.Activate a.Deactivate");
}

TEST_F(TaskStack, StartModesAndTheEnabledSwitchRefuseAndFreeTasks) {
  manager->FMode = 1;
  manager->FBound = 3;
  EXPECT_FALSE(manager->Start(Task("three", 3)));
  EXPECT_EQ(manager->FCurrent, base);
  TRecTask* four = Task("four", 4);
  EXPECT_TRUE(manager->Start(four));
  EXPECT_EQ(manager->FCurrent, four);

  manager->FMode = 2;
  EXPECT_FALSE(manager->CanStart(100));
  manager->FMode = 0;
  manager->FEnabled = false;
  EXPECT_FALSE(manager->Start(Task("any", 9)));
  EXPECT_EQ(manager->FCurrent, four);
}

TEST_F(TaskStack, PopRestoresTheModeSavedInTheEndingTask) {
  TRecTask* guard = Task("guard", 2);
  manager->Start(guard);
  guard->FSavedMode = 0;
  guard->FSavedBound = -1;
  manager->FMode = 1;
  manager->FBound = 2;
  TTaskObj::Free(guard);
  EXPECT_EQ(manager->FMode, 0);
  EXPECT_EQ(manager->FBound, -1);
}

TEST_F(TaskStack, ATaskAlreadyOnAStackIsIgnored) {
  TRecTask* t = Task("t", 0);
  ASSERT_TRUE(manager->Start(t));
  TakeLog();
  EXPECT_FALSE(manager->Start(t));
  EXPECT_FALSE(manager->Start(base));
  EXPECT_EQ(TakeLog(), "");
  EXPECT_EQ(manager->FCurrent, t);
}

TEST_F(TaskStack, ATaskEndingInsideItsHandlerStaysValidUntilTheCallReturns) {
  // Ends during Started: popped at once, the task below is active exactly once.
  TRecTask* quitter = Task("quitter", 0);
  quitter->EndInStarted = true;
  EXPECT_TRUE(manager->Start(quitter));
  EXPECT_EQ(manager->FCurrent, base);
  EXPECT_EQ(TakeLog(),
            "base.Deactivate base.Interrupted(quitter) quitter.Started quitter.Deactivate base.Resumed "
            "base.Activate");

  // Ends on Esc from inside KeyPress: the character is still consumed.
  TRecTask* t = Task("t", 0);
  t->FOptions |= TTaskObj::optCancelEnds;
  manager->Start(t);
  char key = 27;
  {
    TTaskCallScope outer;
    t->KeyPress(nullptr, key, {});
    EXPECT_TRUE(t->Ended());  // still a whole object inside the outer call
    EXPECT_EQ(t->Name, "t");
  }
  EXPECT_EQ(key, 0);
  EXPECT_EQ(manager->FCurrent, base);
}

TEST_F(TaskStack, EndAllEndsEveryTaskTopFirst) {
  manager->Start(Task("a", 0));
  manager->Start(Task("b", 1));
  TakeLog();
  manager->EndAll();
  EXPECT_EQ(manager->FCurrent, nullptr);
  EXPECT_TRUE(manager->FSuspended.empty());
  const std::string log = TakeLog();
  EXPECT_LT(log.find("b.Deactivate"), log.find("a.Resumed")) << log;
  EXPECT_LT(log.find("a.Deactivate"), log.find("base.Resumed")) << log;
}

// A task that shows its cursor while it is current, as a host does.
class TShowingTask : public TRecTask {
public:
  TShowingTask(const std::string& name, int32_t level, TCursorViewInfo* provider) : TRecTask(name, level) {
    SetViewInfo(provider);
    FCursor->FBuffered = true;
    FCursor->FMoveMouse = false;
  }
  void Started() override { FCursor->SetShown(true); }
  void Resumed() override { FCursor->SetShown(true); }
  void Interrupted(TTaskObj*) override { FCursor->SetShown(false); }
};

TEST_F(TaskStack, TheCursorOfTheResumedTaskIsOnScreenAfterTheTaskAboveEnds) {
  auto* below = new TShowingTask("below", 0, NewProvider());
  manager->Start(below);
  auto* above = new TShowingTask("above", 1, NewProvider());
  manager->Start(above);
  ASSERT_TRUE(above->FCursor->FVisible);
  TakeLog();
  TTaskObj::Free(above);
  ASSERT_TRUE(below->FCursor->FVisible);
  // The ending cursor copies the clean picture over the view after the
  // resumed one has drawn; the resumed one must be drawn once more after it.
  const std::string log = TakeLog();
  const size_t erased = log.rfind("copy back>screen");
  ASSERT_NE(erased, std::string::npos) << log;
  EXPECT_NE(log.find("copy buffer>screen", erased), std::string::npos) << log;
}

TEST_F(TaskStack, HostDeactivationAndTheHintHandler) {
  const int before = platform.HintNotifications;
  manager->HostDeactivate();
  EXPECT_FALSE(base->FActive);
  manager->HostActivate();
  EXPECT_TRUE(base->FActive);
  EXPECT_EQ(platform.HintNotifications, before + 2);
}

TEST_F(TaskStack, OptionBitSixteenNeedsEveryTaskBelow) {
  TRecTask* a = Task("a", 0);
  TRecTask* b = Task("b", 1);
  manager->Start(a);
  manager->Start(b);
  EXPECT_EQ(b->GetOptions() & 0x10, 0x10);
  base->FOptions &= static_cast<uint8_t>(~0x10);
  EXPECT_EQ(a->GetOptions() & 0x10, 0);
  EXPECT_EQ(b->GetOptions() & 0x10, 0);
  EXPECT_EQ(b->FOptions & 0x10, 0x10);
}

}  // namespace
}  // namespace tasktest
