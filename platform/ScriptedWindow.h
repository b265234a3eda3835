#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/PlatformWindow.h"
#include "platform/Script.h"

namespace zb {

// Wraps a window and feeds it the events of a script as their time comes
// (time from zb::nowMs()). Each step runs only after the events of the
// previous one have been taken, so a shot sees everything sent before it.
// The pointer position reported is the script's once it has moved it.
class ScriptedWindow : public PlatformWindow {
public:
  // Writes the window content to a file; false on failure.
  using ShotWriter = std::function<bool(const std::string& path, const PlatformWindow& window)>;

  // quitAtEnd: a Quit event follows the last step. coarseWaits: waits keep
  // their full time-out instead of ending when the next step is due (keeps
  // virtual-time frames regular).
  ScriptedWindow(PlatformWindow& inner, std::vector<ScriptStep> steps, ShotWriter writeShot, bool quitAtEnd,
                 bool coarseWaits);

  // Shots that could not be written.
  int failures() const { return failures_; }
  bool finished() const { return next_ >= steps_.size() && queued_.empty(); }

  bool open(const std::string& title, int width, int height) override { return inner_.open(title, width, height); }
  void destroy() override { inner_.destroy(); }
  bool isOpen() const override { return inner_.isOpen(); }
  bool pollEvent(WindowEvent& event) override;
  void waitEvent(int timeoutMs) override;
  void blit(const PixelSource& src, int srcX, int srcY, int width, int height, int dstX, int dstY) override {
    inner_.blit(src, srcX, srcY, width, height, dstX, dstY);
  }
  void clearContent(uint32_t colour) override { inner_.clearContent(colour); }
  void present() override { inner_.present(); }
  const uint32_t* content() const override { return inner_.content(); }
  int contentWidth() const override { return inner_.contentWidth(); }
  int contentHeight() const override { return inner_.contentHeight(); }
  void show(bool restore) override { inner_.show(restore); }
  void setBounds(int x, int y, int width, int height) override { inner_.setBounds(x, y, width, height); }
  void position(int& x, int& y) const override { inner_.position(x, y); }
  int setZoom(int percent) override { return inner_.setZoom(percent); }
  int largestZoom() const override { return inner_.largestZoom(); }
  int zoom() const override { return inner_.zoom(); }
  bool setFullScreen(bool on) override { return inner_.setFullScreen(on); }
  void desktopSize(int& width, int& height) const override { inner_.desktopSize(width, height); }
  void cursorPos(int& x, int& y) const override;
  bool hasFocus() const override { return inner_.hasFocus(); }
  std::string clipboardText() const override { return inner_.clipboardText(); }
  bool setClipboardText(const std::string& text) override { return inner_.setClipboardText(text); }
  void messageBox(const std::string& caption, const std::string& text) override { inner_.messageBox(caption, text); }
  bool openUrl(const std::string& url) override { return inner_.openUrl(url); }
  bool pressPadButton(PadButton button, bool down) override { return inner_.pressPadButton(button, down); }

private:
  void runDueSteps();
  void runStep(const ScriptStep& step);
  void queue(WindowEvent::Kind kind, int x, int y, int key, int mods);
  void queueKey(int key, int mods, bool down);

  PlatformWindow& inner_;
  std::vector<ScriptStep> steps_;
  ShotWriter writeShot_;
  bool quitAtEnd_;
  bool coarseWaits_;
  size_t next_ = 0;
  bool waiting_ = false;
  uint32_t dueAt_ = 0;
  bool quitQueued_ = false;
  std::deque<WindowEvent> queued_;
  int heldMods_ = 0;
  bool pointerKnown_ = false;
  int pointerX_ = 0, pointerY_ = 0;
  int failures_ = 0;
  // A pad step's messages have not come back yet.
  bool padPending_ = false;
  uint32_t padSentAt_ = 0;
  static constexpr int32_t kPadPatienceMs = 2000;
};

}  // namespace zb
