// The small numbers by which the program addresses its window, fields and menu items. A menu
// item's number is also its command id and the number its menu event carries.
#pragma once

#include <cstdint>

inline constexpr int32_t kMainWindowNumber = 0;
inline constexpr int32_t kMenuBarNumber = 0;

inline constexpr int32_t kQuitItem = 0;
inline constexpr int32_t kNumberItem = 1;
inline constexpr int32_t kArabicItem = 2;
inline constexpr int32_t kRomanItem = 3;

inline constexpr int32_t kPanelField = 0;
inline constexpr int32_t kTextField = 1;
inline constexpr int32_t kSeparatorField = 2;
inline constexpr int32_t kNoField = -1;
