#pragma once
#include <cstdint>

#include "TMath.h"
#include "str.h"

// A platform event. The first field is the type, as the game loop expects.
struct TEvent {
  enum Type : uint32_t {
    kNone = 0,
    kCloseRequest = 3,  // the window's close button
    kQuit = 4,
    kMouseDown = 10,
    kMouseUp = 11,
    kMouseMove = 12,
    kKeyDown = 13,
    kKeyUp = 14,
    kChar = 15,
    kExtendedMouse = 16,  // `code`: see below
    kMouseLeave = 17,
    kDisplayModeChanged = 19,
  };
  // Key codes beyond ASCII letters (lower case), digits and space (32).
  enum Key : int {
    kEscape = 27,
    kEnter = 13,
    kBackspace = 8,
    kTab = 9,
    kDelete = 127,
    kLeft = 37,
    kUp = 38,
    kRight = 39,
    kDown = 40,
  };
  // Extended mouse codes.
  enum ExtCode : int {
    kRightUp = 0,
    kRightDown = 1,
    kWheelUp = 4,
    kWheelDown = 5,
    kWheelLeft = 6,
    kWheelRight = 7,
  };

  // Bits of `flags`.
  enum Modifier : uint32_t {
    kShift = 1,
    kControl = 2,
    kAlt = 4,
  };

  uint32_t type = kNone;
  TPoint point;        // screen position of mouse events
  int key = 0;         // kKeyDown, kKeyUp; the character for kChar
  uint32_t flags = 0;  // modifier keys
  int code = 0;        // kExtendedMouse
};
