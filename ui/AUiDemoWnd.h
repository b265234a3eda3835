#pragma once
#include <memory>

#include "ui/AFramedWnd.h"

class ARadioGroup;
class AProgressBar;
class OClipCheckBox;
class OClipEdit;

// A dialog that shows every clip-drawn control on the shared pictures: a
// title, a check box, a radio group, a segmented bar, an edit field and the
// two button texts. `zenbox --screen controls` opens it over a plain screen
// to look at the controls (and script them) without a game.
class AUiDemoWnd : public AFramedWnd {
public:
  explicit AUiDemoWnd(OMainWindow& owner);
  ~AUiDemoWnd() override;

  // Loads the letter sets, the six button pictures and the spark into the
  // application state, makes a plain main screen and opens this dialog over
  // it (again each time it closes). Suits OMainWindow's start-up hook; false
  // (after an error box naming the file) when a picture is missing.
  static bool startup(OMainWindow& window);

  void buildContents() override;
  void accept() override;
  void cancel() override;
  void onControlClicked(OClipControl* control) override;

  OClipCheckBox* checkBox() const { return check_; }
  ARadioGroup* radioGroup() const { return radio_.get(); }
  AProgressBar* bar() const { return bar_.get(); }
  OClipEdit* edit() const { return edit_; }

private:
  void dropControls();
  OClip* picture(int button) const;
  OClip* letters(int set) const;
  void label(int set, int x, int y, const char* text);

  OClipCheckBox* check_ = nullptr;
  std::unique_ptr<ARadioGroup> radio_;
  std::unique_ptr<AProgressBar> bar_;
  OClipEdit* edit_ = nullptr;
};
