#include "runtime/system_ops.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>

namespace {

// A body of `total` short steps that leaves off whenever its slice is over.
struct TStepper {
  int total = 0;
  int done = 0;
  int calls = 0;
  bool operator()() {
    ++calls;
    while (done < total) {
      ++done;
      if (done < total && SliceOver()) return false;
    }
    return true;
  }
};

// Slices handed over, run when the test plays the window's next turn.
struct TSliceQueue {
  std::deque<std::function<void()>> queue;
  TPostSlice Post() {
    return [this](std::function<void()> slice) { queue.push_back(std::move(slice)); };
  }
  // Runs the queue dry; answers how many slices ran.
  int RunAll() {
    int ran = 0;
    while (!queue.empty()) {
      std::function<void()> slice = std::move(queue.front());
      queue.pop_front();
      slice();
      ++ran;
    }
    return ran;
  }
};

TEST(WorkerSlices, OutsideASliceNothingIsOver) {
  for (int i = 0; i < 1000; ++i) ASSERT_FALSE(SliceOver());
  TStepper body{50000};
  EXPECT_TRUE(body());
  EXPECT_EQ(body.done, 50000);
  EXPECT_EQ(body.calls, 1);
}

TEST(WorkerSlices, ASliceIsOverOnlyOnceItsTimeIsUp) {
  {
    TWorkerSlice slice(std::chrono::hours(1));
    for (int i = 0; i < 1000; ++i) ASSERT_FALSE(SliceOver()) << "ask " << i;
  }
  {
    TWorkerSlice slice(std::chrono::steady_clock::duration::zero());
    bool over = false;
    for (int i = 0; i < 1000 && !over; ++i) over = SliceOver();
    EXPECT_TRUE(over);
    EXPECT_TRUE(SliceOver()) << "once over, a slice stays over";
    {
      // The innermost slice counts; the outer one is back after it.
      TWorkerSlice inner(std::chrono::hours(1));
      EXPECT_FALSE(SliceOver());
    }
    EXPECT_TRUE(SliceOver());
  }
  EXPECT_FALSE(SliceOver());
}

// However the body is cut into slices, it does all its steps once, the
// first slice before the run is handed out, each next one in a later turn.
TEST(WorkerSlices, ABodyRunsInSlicesToItsEnd) {
  struct Case {
    const char* name;
    int total;
    std::chrono::steady_clock::duration time;
    bool oneSlice;  // the whole body fits the first slice
  };
  const Case cases[] = {
      {"a body shorter than its slice", 1000, std::chrono::hours(1), true},
      {"slices with no time to spare", 5000, std::chrono::steady_clock::duration::zero(), false},
      {"an empty body", 0, std::chrono::steady_clock::duration::zero(), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSliceQueue turns;
    auto body = std::make_shared<TStepper>();
    body->total = c.total;
    std::unique_ptr<TWorkerRun> run = RunWorkerInSlices([body] { return (*body)(); }, turns.Post(), c.time);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(body->calls, 1) << "the first slice runs at once";
    EXPECT_EQ(turns.queue.empty(), c.oneSlice);
    const int later = turns.RunAll();
    EXPECT_EQ(body->done, c.total);
    EXPECT_EQ(body->calls, 1 + later);
    if (!c.oneSlice) {
      EXPECT_GT(later, 1);
    }
    run->Join();  // ended already: nothing more
    EXPECT_EQ(body->calls, 1 + later);
  }
}

// Joining a run part way runs the rest at once, outside any slice; the
// slice already handed over then finds nothing to do, and the body's
// captures are let go.
TEST(WorkerSlices, JoinRunsTheRestAndLaterSlicesDoNothing) {
  for (bool byDestructor : {false, true}) {
    SCOPED_TRACE(byDestructor ? "destroyed" : "joined");
    TSliceQueue turns;
    auto body = std::make_shared<TStepper>();
    body->total = 5000;
    std::unique_ptr<TWorkerRun> run =
        RunWorkerInSlices([body] { return (*body)(); }, turns.Post(), std::chrono::steady_clock::duration::zero());
    ASSERT_EQ(turns.queue.size(), 1u);
    const int before = body->done;
    EXPECT_LT(before, 5000);
    if (byDestructor) {
      run.reset();
    } else {
      run->Join();
    }
    EXPECT_EQ(body->done, 5000);
    EXPECT_EQ(body->calls, 2) << "the rest in one call";
    EXPECT_EQ(body.use_count(), 1) << "the body was let go";
    EXPECT_EQ(turns.RunAll(), 1);
    EXPECT_EQ(body->calls, 2);
  }
}

}  // namespace
