#pragma once
#include <memory>

#include "game/AGameWnd.h"

class AClipNum;
class AClipString;

namespace SpaceTessel {

// The Tessel family window: the family word of the saved games, the side
// panel laid out for the variant, the score number, the "UNDO" caption, the
// family's sounds and its options screen.
class ATesselWnd : public AGameWnd {
public:
  // Effect slots: launch, miss interval renewed, group removed, colour out.
  static constexpr int kFirstSound = 5;
  static constexpr int kLastSound = 8;
  static constexpr int kUndoX = 620, kUndoY = 160;

  explicit ATesselWnd(AGameHost& main);
  // Drops the family's sounds and options screen.
  ~ATesselWnd() override;

  bool buildPanel() override;
  void tick(int elapsed) override;
  // Takes speed, level and skins from an accepted options screen.
  void onChildClosed(OEngine* child, int result) override;
  OEngine* optionsScreen() const override;

  // Top of the score rows: lower for the variants that preview four colours.
  int panelTop() const { return kind == 1 || kind == 3 ? 370 : 340; }
  const AClipNum* scoreNumber() const { return scoreNumber_.get(); }
  const AClipString* undoCaption() const { return undoCaption_.get(); }
  bool undoShown() const;

protected:
  void showUndo(bool on);
  // True when (x, y) is on the shown "UNDO" caption.
  bool undoHit(int x, int y) const;
  // Shows the score at once (after a load or a new game).
  void showScore();

private:
  void loadSounds();

  std::unique_ptr<AClipNum> scoreNumber_;
  std::unique_ptr<AClipString> undoCaption_;
  int shownScore_ = -1;
};

}  // namespace SpaceTessel
