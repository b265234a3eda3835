#pragma once
#include <memory>

#include "ui/AFramedWnd.h"

class AProgressBar;
class OClipCheckBox;

// The common options screen: sound, music, autosave, block explosions and
// animation switches and the two volume bars. Changes sound at once;
// "Cancel" puts sound, music and both volumes back. The family options
// screens extend it with rows of their own.
class AOptionsWnd : public AFramedWnd {
public:
  explicit AOptionsWnd(OMainWindow& owner);
  ~AOptionsWnd() override;

  // Remembers sound, music and volumes for a cancel.
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void cancel() override;
  void onControlClicked(OClipControl* control) override;
  void onClosed() override;

  // The boxes as the screen last showed them (kept after it closes).
  bool soundChecked() const { return sound_; }
  bool musicChecked() const { return music_; }
  bool autosaveChecked() const { return autosave_; }
  bool explosionChecked() const { return explosion_; }
  bool animationChecked() const { return animation_; }
  AProgressBar* soundBar() const { return soundBar_.get(); }
  AProgressBar* musicBar() const { return musicBar_.get(); }
  OClipCheckBox* box(int i) const { return boxes_[i]; }

  // Bar cell of a line volume and the volume of a cell (0..65535 on 10 cells).
  static int cellOfVolume(int volume) { return (volume * 9) >> 16; }
  static int volumeOfCell(int cell) { return cell * 65535 / 9; }

  enum Box : int { kSound, kMusic, kAutosave, kExplosion, kAnimation, kBoxCount };

protected:
  // Closes with 0 after the checks of a family screen.
  void finishAccept();
  void takeBoxes();
  // A check box at x, y with its label beside it.
  OClipCheckBox* addBox(int x, int y, const char* label);
  OClip* font(int i) const;

private:
  void removeControls();

  OClipCheckBox* boxes_[kBoxCount] = {};
  std::unique_ptr<AProgressBar> soundBar_, musicBar_;
  bool sound_ = true, music_ = true, autosave_ = true, explosion_ = true, animation_ = true;
  bool savedSound_ = true, savedMusic_ = true;
  int savedSoundVolume_ = 0, savedMusicVolume_ = 0;
};
