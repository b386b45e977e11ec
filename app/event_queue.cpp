// Event queue rules.
#include "event_queue.h"

void EventQueue::post(const Event& event) {
  if (silenced_ > 0) return;
  if (!events_.empty() && events_.back() == event) return;
  events_.push_back(event);
}

bool EventQueue::next(Event& event) {
  if (events_.empty()) return false;
  event = events_.front();
  events_.pop_front();
  return true;
}
