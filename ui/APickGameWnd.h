#pragma once
#include <memory>

#include "ui/AFramedWnd.h"

class ARadioGroup;

// The pick-game screen: twelve radio boxes, one per game variant, "Play!"
// to play the chosen one and "Demo!" to watch it. Variants of families not
// in this build cannot be chosen.
class APickGameWnd : public AFramedWnd {
public:
  explicit APickGameWnd(OMainWindow& owner);
  ~APickGameWnd() override;

  // Takes `current` from the running game (or the settings).
  void open(OEngine** slot) override;
  void buildContents() override;
  void accept() override;
  void cancel() override;
  void onTextClicked(AClipString* text) override;
  void onControlClicked(OClipControl* control) override;
  // The restart confirmation closed: "No" goes back to `current`.
  void onChildClosed(OEngine* child, int result) override;
  void onClosed() override;
  // Up and Down walk the variants (selecting each), Left and Right go
  // between the variants and the two buttons, Home/Page Up and End/Page
  // Down jump to the first and last variant, Return on the variants plays;
  // other keys as on any dialog.
  void onKeyDown(int key, int mods) override;
  // The selected variant's box.
  const void* preferredFocus() const override;

  // The radio of the game in play when the screen opened.
  int current() const { return current_; }
  // The radio selected now (kept after the screen closes).
  int selected() const { return selected_; }
  void select(int radio);
  ARadioGroup* radios() const { return radios_.get(); }

private:
  void play(bool demo);
  void stepVariant(int step);
  void stepAcross(int step);

  std::unique_ptr<ARadioGroup> radios_;
  AClipString* demoButton_ = nullptr;
  int current_ = 0;
  int selected_ = 0;
};
