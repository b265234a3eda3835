#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "app/ODirtyList.h"
#include "app/OFocusOrder.h"
#include "gfx/OBitmap.h"
#include "gfx/OClip.h"

class OClipControl;
class OMainWindow;

// Where a screen stands in its leave sequence, as the frame sees it when it
// switches screens: a screen in Open is told to start closing, Opening and
// Closing make the switch wait, Closed lets the next screen open over it.
// A plain screen has no animation and reports Closed at once.
enum class ScreenPhase { Opening, Open, Closing, Closed };

// A screen: a rectangle of the main window with its own back buffer, the
// clips drawn on it in depth order and the controls among them that take
// input. Screens stack through a current-screen slot: opening one pushes it
// over the screen in the slot, closing it pops it and reports its result to
// the screen below. All coordinates given to a screen's input operations
// are in the main window's client area.
class OEngine {
public:
  // Redraw modes of the tick.
  enum : int { kRedrawNone = 0, kRedrawAll = 1, kRedrawDirty = 3 };

  // Takes its frame interval from the owner; makes no back buffer (open does).
  OEngine(OMainWindow& owner, int x, int y, int width, int height);
  OEngine(const OEngine&) = delete;
  OEngine& operator=(const OEngine&) = delete;

  // Deletes the back buffer and every clip still held.
  virtual ~OEngine();
  // Empties the control and clip lists, deleting the clips when `del`.
  virtual void removeAllClips(bool del);
  // Takes a clip off the screen (its old and new areas become dirty).
  virtual void removeClip(OClip* clip, bool del);
  virtual void removeControl(OClipControl* control, bool del);
  // Takes off every clip whose lifetime is exactly 0 (marking it -1).
  virtual void removeExpiredClips(bool del);
  // Appends a clip (the screen then owns it); empty clips and clips the
  // screen already holds are refused.
  virtual void addClip(OClip* clip);
  // Appends a control to the clip list and the control list.
  virtual void addControl(OClipControl* control);
  // One frame: motion in whole frame steps (at most 5), animation with the
  // real elapsed time, expiry, then drawing by redraw mode.
  virtual void tick(int elapsed);
  // Pointer events; each returns the control that took it, or nullptr.
  virtual OClipControl* onMouseMove(int x, int y);
  virtual OClipControl* onRButtonDown(int x, int y);
  virtual OClipControl* onRButtonUp(int x, int y);
  virtual OClipControl* onLButtonDown(int x, int y);
  virtual OClipControl* onLButtonUp(int x, int y);
  // Tab moves focus, Ctrl+V / Shift+Insert / Shift+Num0 paste, other keys
  // go to the focused controls.
  virtual void onKeyDown(int key, int mods);
  virtual int onKeyUp(int key, int mods);
  // A pressed control was released on: the main hook of derived screens.
  virtual void onControlClicked(OClipControl* control);
  virtual void onChar(unsigned char ch, int mods);
  // A screen opened over this one has closed with `result`.
  virtual void onChildClosed(OEngine* child, int result);
  virtual void onClipExpired(OClip* clip);
  virtual void onClipWaypoint(OClip* clip, const OWaypoint& waypoint);
  virtual void onClipArrived(OClip* clip, const OWaypoint& waypoint);
  // Makes this screen current in `slot`, over the screen that was there.
  virtual void open(OEngine** slot);
  // Gives the slot back to the screen below and tells it `result`.
  virtual void close(int result);

  // Loads the screen's pictures once after construction; false when
  // something it cannot run without is missing.
  virtual bool load();
  // See ScreenPhase. startClosing begins the leave sequence (the closing
  // animation, or covering the main screen); the default does nothing.
  virtual ScreenPhase phase() const;
  virtual void startClosing();
  // The player asks to leave the program (on the bottom screen: the window's
  // close request). The default ends the run at the next tick.
  virtual void requestQuit();

  // True when another tick would change nothing, so the frame may stop
  // ticking until input arrives. Screens are never at rest unless they say
  // so: one with timers of its own in tick must not.
  virtual bool atRest() const;

  // Keyboard and gamepad focus. A screen offers targets (by default its
  // visible, enabled controls); the arrows, Tab and Shift+Tab move among
  // them and Return or Space presses the focused one as a click at its
  // centre would. The focus shows as an outline while keys are in use: the
  // first navigation key shows it where it stands, a pointer move hides it.
  // Screens where a control takes typing leave every key to that control.
  struct FocusTarget {
    ORect rect;
    const void* id = nullptr;
  };
  virtual void collectFocusTargets(std::vector<FocusTarget>& out) const;
  // The target focused when none is yet; null: the first in reading order.
  virtual const void* preferredFocus() const { return nullptr; }
  // The key a gamepad button (vk::PadA ...) stands for here: A is Return,
  // B and Back are Escape, X is U (undo), Y is H (hint), Start is Pause,
  // the shoulders page up and down. 0 ignores the button.
  virtual int keyForPad(int padKey) const;
  // Presses the focused target; false when keys are not in use or nothing
  // is focused.
  virtual bool pressFocus();
  // Whether the focus is on show: one flag for the whole window.
  bool keysInUse() const;
  void setKeysInUse(bool on);
  // Shows the focus, or moves it when already shown; false without targets.
  bool moveFocus(zb::FocusStep step);
  const void* focusId() const { return focusId_; }
  void setFocusId(const void* id) { focusId_ = id; }
  // The focused target's rectangle (screen coordinates); false when none.
  bool focusRect(ORect& rect) const;
  // The outline clip while the screen has one (for tests).
  OClip* focusOutline() const { return focusOutline_; }

  // Moves and resizes the screen; an existing back buffer is remade.
  void setBounds(int x, int y, int width, int height);
  // Stable sort by z, largest first (smaller z is drawn later, in front).
  void sortClips();
  // Draws everything into the back buffer and sends it to the window.
  void redrawAll();
  // Redraws and sends only the areas that changed since the last draw.
  void redrawDirty();
  void addDirty(const ORect& rect);

  OMainWindow& owner() const { return owner_; }
  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<OClip*>& clips() const { return clips_; }
  const std::vector<OClipControl*>& controls() const { return controls_; }
  const ODirtyList& dirtyList() const { return dirty_; }
  OBitmap* backBuffer() const { return backBuffer_.get(); }
  OEngine* previousScreen() const { return previous_; }
  void forgetPreviousScreen() { previous_ = nullptr; }
  bool leftButtonHeld() const { return leftHeld_; }
  bool isOpen() const { return backBuffer_ != nullptr; }

  int redrawMode = kRedrawAll;
  uint32_t backgroundColour = 0;  // 0xRRGGBB
  bool drawToWindow = true;       // false: drawing stays in the back buffer
  bool skipNextDraw = false;      // the next tick draws nothing
  int frameInterval = 30;         // milliseconds, at least 1

protected:
  // Every clip at rest and everything already drawn.
  bool clipsAtRest() const;
  // Arrows, Tab and Shift+Tab move the focus: true when the key was taken.
  bool navigateFocus(int key, int mods);
  // A control takes typing (an edit field has the keyboard).
  bool typingControl() const;
  // Places or hides the outline for the focus as it stands; the tick calls it.
  void updateFocusOutline();

private:
  void moveClip(OClip& clip, int steps);
  void followWaypoint(OClip& clip, int steps);
  static void recordDrawn(OClip& clip, const ORect& imageRect, int frameKey);
  static bool changedSinceDrawn(const OClip& clip, const ORect& imageRect, int frameKey);
  void clearArea(const ORect* area);
  void drawClip(OClip& clip, const ORect* area);
  static bool partInside(const OBitmap& image, int x, int y, const ORect& area, ORect& part);
  void sendToWindow(const ORect* area);
  ORect coveredArea(const OClip& clip) const;
  void pasteFromClipboard();
  void moveFocusOn();
  std::vector<FocusTarget> targetsNow() const;
  // Keeps the focus on its target, or puts it on the preferred or first
  // one; returns its index in `targets` (-1 when there are none).
  int landFocus(const std::vector<FocusTarget>& targets);

  OMainWindow& owner_;
  ODirtyList dirty_;
  std::vector<OClip*> clips_;
  std::vector<OClipControl*> controls_;
  int width_, height_;
  int x_, y_;
  bool leftHeld_ = false;
  std::unique_ptr<OBitmap> backBuffer_;
  OEngine* previous_ = nullptr;
  OEngine** slot_ = nullptr;
  // The clip the tick is working on, and whether a notification deleted it.
  const OClip* ticking_ = nullptr;
  bool tickingDeleted_ = false;
  void deleteClip(OClip* clip);
  // Draws the listed visible clips that overlap `area`, clipped to it.
  void drawShownIn(const ORect& area);
  // Scratch lists of redrawDirty, kept to avoid allocating every frame: the
  // visible clips and their areas, one array per edge so the overlap test
  // runs over many clips at once.
  std::vector<OClip*> shownClips_;
  std::vector<int> shownLeft_, shownTop_, shownRight_, shownBottom_;
  std::vector<uint64_t> shownHit_;  // one bit per clip
  const void* focusId_ = nullptr;
  OClip* focusOutline_ = nullptr;  // on the clip list while it exists
  ORect outlineFor_;               // the rectangle the outline was made for
};
