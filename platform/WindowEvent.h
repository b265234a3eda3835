#pragma once

namespace zb {

// One input or window message, already in the terms the game uses: client
// coordinates, virtual-key numbers, one byte per character, and the
// modifier mask (bit 0 Shift, bit 1 Ctrl, bit 2 Alt) sampled when the
// message was taken from the system.
struct WindowEvent {
  enum Kind {
    MouseMove,
    LButtonDown,
    LButtonUp,
    LButtonDblClk,  // replaces the second press of a double click
    RButtonDown,
    RButtonUp,
    KeyDown,
    KeyUp,
    Char,
    Activate,      // `active` tells gained or lost
    Paint,         // the window content was lost and must be drawn again
    Size,          // back from minimised
    Moved,         // the window was moved (by the user or the desktop) to x, y
    CloseRequest,  // the user or the system asks the window to close
    Quit,          // the run must end now (the message loop stops)
  };

  Kind kind = MouseMove;
  int x = 0;
  int y = 0;
  int key = 0;             // virtual key for KeyDown/KeyUp
  unsigned char ch = 0;    // character for Char
  int mods = 0;
  bool active = false;     // for Activate
};

}  // namespace zb
