#pragma once
#include <memory>
#include <vector>

#include "ui/AOptionsWnd.h"

class AGameWnd;
class ARadioGroup;
class OClipControl;

// What the three families' options screens share: the common options plus
// the skill level radios, a speed bar, and one sample per colour that shows
// the colour's next picture when clicked. Accepting a changed skill level
// asks "Start new Game?" first; "No" puts the level back.
class AFamilyOptionsWnd : public AOptionsWnd {
public:
  // maxSpeed: the highest speed the game keeps (-1: the last bar cell).
  AFamilyOptionsWnd(OMainWindow& owner, AGameWnd& game, int speedCells, int maxSpeed = -1);
  ~AFamilyOptionsWnd() override;

  // Takes level and speed from the game.
  void open(OEngine** slot) override;
  // The common rows; the families add theirs after it.
  void buildContents() override;
  void accept() override;
  void onControlClicked(OClipControl* control) override;
  void onChildClosed(OEngine* child, int result) override;
  void onClosed() override;

  int level() const { return level_; }
  int speed() const { return speed_; }
  void setLevel(int level);
  // The choice of colour sample c (0 when there is no such sample).
  int choice(int c) const { return c >= 0 && c < int(choices_.size()) ? choices_[size_t(c)] : 0; }
  // The sample of colour c, or nullptr before the screen was built.
  OClipControl* sample(int c) const { return c >= 0 && c < int(samples_.size()) ? samples_[size_t(c)] : nullptr; }

protected:
  // Whether accepting asks "Start new Game?" first; by default when the
  // skill level changed.
  virtual bool needsRestart() const { return level_ != openedLevel_; }
  // The restart question was answered "No": back to what the screen opened with.
  virtual void revertToOpened();
  // A click on a control of the family's own; true when it was one.
  virtual bool familyControlClicked(OClipControl*) { return false; }
  // Takes the family's own controls off the screen (before a rebuild and on closing).
  virtual void removeFamilyControls() {}

  // The three level radios with their labels, the first box at x, y.
  void addLevels(int x, int y);
  // The speed bar at x, y with "Speed" at labelX, labelY; "Low" and "High"
  // go under its ends.
  void addSpeedBar(int x, int y, int labelX, int labelY);
  // A sample for the next colour: `frames` as its pictures, `perChoice`
  // frames to a choice, showing `choice`; placed at x, y.
  OClipControl* addSample(const OClip& frames, int perChoice, int choice, int x, int y);
  void setChoices(const std::vector<int>& choices) { choices_ = choices; }

  AGameWnd& game_;
  int level_ = 0, openedLevel_ = 0;
  int speed_ = 3;

private:
  void removeOwnControls();

  int speedCells_;
  int maxSpeed_;
  std::unique_ptr<ARadioGroup> levels_;
  std::unique_ptr<AProgressBar> speedBar_;
  std::vector<OClipControl*> samples_;
  std::vector<int> perChoice_;
  std::vector<int> choices_;
};
