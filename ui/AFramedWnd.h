#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/OEngine.h"
#include "ui/AClipString.h"

// A dialog screen: opens over the current screen with a picture of it
// behind, shows clip-font texts that fly in and out, treats clickable
// texts as buttons (with their click fade), answers Enter and Escape, and
// closes with a result (0 accept, 1 cancel) that the screen below gets in
// onChildClosed. A screen requested while the dialog is open opens over it
// as a child: the dialog hides until the child closes, then rebuilds.
class AFramedWnd : public OEngine {
public:
  // Where the dialog stands; see phase() for what the frame makes of it.
  enum State : int { kClosing = 1, kOpen = 2, kClosed = 3, kHiding = 4, kHidden = 5 };
  // Result codes of close.
  enum : int { kAccepted = 0, kCancelled = 1 };
  // Depth of the backdrop, behind everything the dialog shows.
  static constexpr int kBackdropDepth = 100;
  static constexpr uint32_t kBackground = 0xE6E6E6;
  // Effect played when a control or a text takes a click.
  static constexpr int kClickSound = 1000000;

  // The texts given here (any may be null) are owned by the dialog once
  // `create` has registered them.
  AFramedWnd(OMainWindow& owner, int x, int y, int width, int height, AClipString* title = nullptr,
             AClipString* defaultButton = nullptr, AClipString* cancelButton = nullptr);
  ~AFramedWnd() override;

  void tick(int elapsed) override;
  // Open, with every text in place and nothing moving.
  bool atRest() const override;
  // Presses, releases and keys are ignored unless the dialog is open and no
  // click animation runs.
  OClipControl* onLButtonDown(int x, int y) override;
  OClipControl* onLButtonUp(int x, int y) override;
  // Enter presses the focused control or text while keys are in use, else
  // accepts; Escape cancels; other keys go to the controls.
  void onKeyDown(int key, int mods) override;
  void onChar(unsigned char ch, int mods) override;
  void onControlClicked(OClipControl* control) override;
  // The controls and the clickable texts, while the dialog is open.
  void collectFocusTargets(std::vector<FocusTarget>& out) const override;
  // The default button.
  const void* preferredFocus() const override { return defaultButton_; }
  // The child opened over this dialog has closed: show everything again
  // and rebuild the contents.
  void onChildClosed(OEngine* child, int result) override;
  void open(OEngine** slot) override;
  // Starts closing: everything but the backdrop and the texts is hidden and
  // the texts fly out; the dialog leaves once they are gone.
  void close(int result) override;
  // Open: Opening is never reported; Closing while texts leave (also when
  // hiding for a child, and until the close has completed); Closed once
  // hidden for a child.
  ScreenPhase phase() const override;
  // The frame wants another screen: an open dialog hides for it.
  void startClosing() override;

  // Sets the background and registers the constructor's texts; called once
  // after construction.
  virtual bool create();
  virtual void setTitle(AClipString* text);
  virtual void accept();
  virtual void cancel();
  // Makes the texts and controls of the dialog; runs on every opening.
  virtual void buildContents();
  // Takes ownership of a text.
  virtual void addText(AClipString* text);
  // A button text's click fade has ended: the default button accepts, the
  // cancel button cancels (only while open).
  virtual void onTextClicked(AClipString* text);
  // Removes a text from the dialog and deletes it.
  virtual void removeText(AClipString* text);
  virtual void removeAllTexts();
  // Ends the closing: texts and backdrop go, the screen below gets `result`.
  virtual void finishClose(int result);
  virtual void onClosed();

  // Hides the dialog for a child screen: texts fly out, the rest is hidden.
  void hideForChild();

  // A new text of this dialog at depth `depth`, flying in when the
  // animation setting is on; a button text takes clicks.
  AClipString* newText(OClip* font, int x, int y, const std::string& text, int depth, bool button);
  void setDefaultButton(AClipString* text) { defaultButton_ = text; }
  void setCancelButton(AClipString* text) { cancelButton_ = text; }

  int state() const { return state_; }
  int result() const { return result_; }
  OClip* backdrop() const { return backdrop_; }
  AClipString* title() const { return title_; }
  AClipString* defaultButton() const { return defaultButton_; }
  AClipString* cancelButton() const { return cancelButton_; }
  AClipString* clickedText() const { return clicked_; }
  const std::vector<AClipString*>& texts() const { return texts_; }

  // Plays interface effects (the click); empty: silent. Defaults to the
  // player shared by every dialog.
  std::function<void(int)> soundPlayer;
  static std::function<void(int)>& sharedSoundPlayer();
  // The picture of the click bursts (not owned); null: the shared spark
  // picture of the application, if it has one.
  OClip* starPicture = nullptr;

protected:
  void playSound(int effect) const;
  // Presses, releases and keys wait while the dialog is not open, a
  // button text's click fade runs or texts are still flying.
  bool inputBlocked() const;
  // Shows or hides every clip and control except the texts' glyphs.
  void showContents(bool visible);
  bool allTextsGone() const;
  void makeBackdrop(const OEngine& below);
  void dropBackdrop();

private:
  OClip* backdrop_ = nullptr;  // on the clip list while it exists
  AClipString* defaultButton_ = nullptr;
  AClipString* cancelButton_ = nullptr;
  AClipString* title_ = nullptr;
  int result_ = 0;
  std::vector<AClipString*> texts_;  // owned
  AClipString* clicked_ = nullptr;
  int state_ = kOpen;
};
