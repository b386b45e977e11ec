// What the window layer hands to the event loop.
#pragma once

#include <cstdint>

enum class EventKind : uint8_t {
  kMessage,     // a window message was handled and raised no event of its own
  kMenu,        // code: the chosen item's number
  kClose,       // close box, Close in the system menu, Alt+F4
  kField,       // source: field number; code: the field's notification code
  kActivation,  // code: 1 when activated, 0 when deactivated
  kSize,
  kMove,
};

struct Event {
  EventKind kind = EventKind::kMessage;
  int32_t source = 0;  // window, menu or field number
  int32_t code = 0;

  bool operator==(const Event&) const = default;
};
