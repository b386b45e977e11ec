// The window layer's first-in-first-out event queue and the rules for what enters it.
#pragma once

#include <deque>

#include "event.h"

class EventQueue {
 public:
  // Queues the event unless it equals the newest one still queued, or the program is setting a
  // field's text (see Silence).
  void post(const Event& event);
  // Hands out the oldest queued event; false when none is queued.
  bool next(Event& event);
  bool empty() const { return events_.empty(); }

  // While one exists, nothing is queued: the program's own text changes raise no events.
  class Silence {
   public:
    explicit Silence(EventQueue& queue) : queue_(queue) { ++queue_.silenced_; }
    ~Silence() { --queue_.silenced_; }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;

   private:
    EventQueue& queue_;
  };

 private:
  std::deque<Event> events_;
  int silenced_ = 0;
};
