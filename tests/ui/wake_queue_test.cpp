// The queue of work for the window thread: one wake-up for any number of
// posts until the window thread drains, order kept, hand-overs answered.
#include "ui/wake_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(WakeQueue, ManyPostsFromAWorkerAskForOneWakeUpUntilDrained) {
  int wakeUps = 0;
  TWakeQueue queue([&] {
    ++wakeUps;
    return true;
  });
  std::vector<int> ran;
  std::thread worker([&] {
    for (int i = 0; i < 1000; ++i) queue.Post([&ran, i] { ran.push_back(i); });
  });
  worker.join();
  EXPECT_EQ(wakeUps, 1);
  EXPECT_EQ(queue.Drain(), 1000u);
  ASSERT_EQ(ran.size(), 1000u);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(ran[static_cast<size_t>(i)], i);
  // After a drain the next post wakes the loop again.
  queue.Post([] {});
  EXPECT_EQ(wakeUps, 2);
  EXPECT_EQ(queue.WakeUps(), 2);
}

TEST(WakeQueue, WorkPostedWhileDrainingWakesAgain) {
  int wakeUps = 0;
  TWakeQueue queue([&] {
    ++wakeUps;
    return true;
  });
  int second = 0;
  queue.Post([&] { queue.Post([&] { ++second; }); });
  queue.Drain();
  EXPECT_EQ(wakeUps, 2);
  EXPECT_EQ(second, 0);
  queue.Drain();
  EXPECT_EQ(second, 1);
}

// A held drain keeps later posts from waking the loop until the next
// drain; a drain that found nothing lets the next post wake it again.
TEST(WakeQueue, HeldDrainLetsPostsRideAlongUntilTheNextDrain) {
  int wakeUps = 0;
  TWakeQueue queue([&] {
    ++wakeUps;
    return true;
  });
  int ran = 0;
  queue.Post([&] { ++ran; });
  EXPECT_EQ(wakeUps, 1);
  EXPECT_EQ(queue.DrainAndHold(), 1u);
  for (int i = 0; i < 100; ++i) queue.Post([&] { ++ran; });
  EXPECT_EQ(wakeUps, 1) << "held: no wake-up";
  EXPECT_TRUE(queue.Queued());
  EXPECT_EQ(queue.DrainAndHold(), 100u);
  EXPECT_FALSE(queue.Queued());
  EXPECT_EQ(queue.DrainAndHold(), 0u);
  queue.Post([&] { ++ran; });
  EXPECT_EQ(wakeUps, 2) << "released by the empty drain";
  EXPECT_EQ(queue.Drain(), 1u);
  EXPECT_EQ(ran, 102);
}

TEST(WakeQueue, HandOverWaitsUntilTheWindowThreadRanIt) {
  TWakeQueue queue([] { return true; });
  std::atomic<bool> answered{false};
  bool result = false;
  std::thread::id ranOn;
  std::thread worker([&] {
    result = queue.RunAndWait([&] { ranOn = std::this_thread::get_id(); });
    answered = true;
  });
  while (!answered) queue.Drain();
  worker.join();
  EXPECT_TRUE(result);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(WakeQueueErrors, ClosingAnswersAWaitingHandOverFalseAndDropsWork) {
  TWakeQueue queue([] { return true; });
  int ran = 0;
  queue.Post([&] { ++ran; });
  std::atomic<bool> started{false};
  bool result = true;
  std::thread worker([&] {
    started = true;
    result = queue.RunAndWait([&] { ++ran; });
  });
  while (!started) std::this_thread::yield();
  queue.Close();
  worker.join();
  EXPECT_FALSE(result);
  EXPECT_EQ(queue.Drain(), 0u);
  EXPECT_EQ(ran, 0);
  // Later work is dropped and later hand-overs answer at once.
  queue.Post([&] { ++ran; });
  EXPECT_FALSE(queue.RunAndWait([&] { ++ran; }));
  EXPECT_EQ(queue.Drain(), 0u);
  EXPECT_EQ(ran, 0);
}

TEST(WakeQueueErrors, WakeUpNotTakenIsAskedForAgainByTheNextPost) {
  int asked = 0;
  bool take = false;
  TWakeQueue queue([&] {
    ++asked;
    return take;
  });
  queue.Post([] {});
  take = true;
  queue.Post([] {});
  EXPECT_EQ(asked, 2);
  queue.Post([] {});
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(queue.Drain(), 3u);
}

}  // namespace
