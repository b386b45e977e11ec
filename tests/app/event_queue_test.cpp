// The window layer's event queue: order, the equal-to-newest rule and silence while the program
// sets a field's text.
#include "event_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const Event kNumber{EventKind::kMenu, 0, 1};
const Event kQuit{EventKind::kMenu, 0, 0};
const Event kClose{EventKind::kClose, 0, 0};
const Event kTextChanged{EventKind::kField, 1, 0x300};
const Event kSeparatorChanged{EventKind::kField, 2, 0x300};

std::vector<Event> drain(EventQueue& queue) {
  std::vector<Event> events;
  for (Event event; queue.next(event);) events.push_back(event);
  return events;
}

TEST(EventQueue, HandsOutOldestFirst) {
  EventQueue queue;
  queue.post(kNumber);
  queue.post(kClose);
  queue.post(kQuit);
  EXPECT_EQ(drain(queue), (std::vector<Event>{kNumber, kClose, kQuit}));
  Event event;
  EXPECT_FALSE(queue.next(event));
}

TEST(EventQueue, DropsAnEventEqualToTheNewestQueued) {
  EventQueue queue;
  queue.post(kTextChanged);
  queue.post(kTextChanged);
  queue.post(kSeparatorChanged);  // same kind, other field: not equal
  queue.post(kSeparatorChanged);
  queue.post(kTextChanged);  // equal to an older one, not to the newest: queued
  EXPECT_EQ(drain(queue), (std::vector<Event>{kTextChanged, kSeparatorChanged, kTextChanged}));
}

TEST(EventQueue, QueuesAgainOnceTheEqualEventWasHandedOut) {
  EventQueue queue;
  queue.post(kNumber);
  Event event;
  ASSERT_TRUE(queue.next(event));
  queue.post(kNumber);
  EXPECT_EQ(drain(queue), (std::vector<Event>{kNumber}));
}

TEST(EventQueue, QueuesNothingWhileSilenced) {
  EventQueue queue;
  queue.post(kNumber);
  {
    EventQueue::Silence outer(queue);
    queue.post(kSeparatorChanged);
    {
      EventQueue::Silence inner(queue);
      queue.post(kSeparatorChanged);
    }
    queue.post(kClose);  // the outer silence still holds
  }
  queue.post(kQuit);
  EXPECT_EQ(drain(queue), (std::vector<Event>{kNumber, kQuit}));
}

}  // namespace
