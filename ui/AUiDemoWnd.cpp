#include "ui/AUiDemoWnd.h"

#include <cstdio>

#include "app/OMainWindow.h"
#include "ui/AProgressBar.h"
#include "ui/ARadioGroup.h"
#include "ui/OClipCheckBox.h"
#include "ui/OClipEdit.h"

namespace {

constexpr int kWidth = 700;
constexpr int kHeight = 520;
constexpr int kDepth = -10;

// The plain screen under the dialog; it owns the dialog and opens it again
// whenever it closes, so a scripted run can go round more than once.
class ADemoBackdrop : public OEngine {
public:
  explicit ADemoBackdrop(OMainWindow& owner) : OEngine(owner, 0, 0, 800, 600), dialog_(owner) {
    backgroundColour = 0x35506E;
    dialog_.create();
    for (const char* name : {"clp/jp8.clp", "clp/jp9.clp"}) {
      auto* clip = new OClip();
      if (!clip->load(name) || clip->empty()) {
        delete clip;
        continue;
      }
      clip->x = name[6] == '8' ? 0 : 600;
      clip->z = 1000;
      addClip(clip);
    }
  }
  ~ADemoBackdrop() override { removeAllClips(true); }

  void onChildClosed(OEngine* /*child*/, int /*result*/) override { owner().requestScreen(&dialog_); }
  AUiDemoWnd& dialog() { return dialog_; }

private:
  AUiDemoWnd dialog_;
};

}  // namespace

AUiDemoWnd::AUiDemoWnd(OMainWindow& owner) : AFramedWnd(owner, 50, 40, kWidth, kHeight) {}

AUiDemoWnd::~AUiDemoWnd() {
  removeAllTexts();
  dropControls();
}

bool AUiDemoWnd::startup(OMainWindow& window) {
  OAppState& app = window.app();
  char name[32];
  for (int i = 0; i < 4; ++i) {
    std::snprintf(name, sizeof name, i == 0 ? "clp/alph.clp" : "clp/alph%d.clp", i + 1);
    app.letters[size_t(i)] = std::make_unique<OClip>();
    if (!app.letters[size_t(i)]->load(name)) {
      window.reportError("Error: file %s not found!", name);
      return false;
    }
  }
  for (int i = 0; i < 6; ++i) {
    std::snprintf(name, sizeof name, "clp/bt%d.clp", i);
    app.buttons[size_t(i)] = std::make_unique<OClip>();
    if (!app.buttons[size_t(i)]->load(name)) {
      window.reportError("Error: file %s not found!", name);
      return false;
    }
  }
  // The spark only adds the click bursts; the dialog works without it.
  app.spark = std::make_unique<OClip>();
  if (!app.spark->load("clp/tessel/gst.clp")) app.spark.reset();

  auto backdrop = std::make_unique<ADemoBackdrop>(window);
  AUiDemoWnd& dialog = backdrop->dialog();
  app.mainScreen = std::move(backdrop);
  int dw = 0, dh = 0;
  window.getScreenSize(dw, dh);
  window.moveTo((dw - 800) / 2, (dh - 600) / 2, 800, 600);
  app.mainScreen->open(&app.currentScreen);
  // Opened directly: the start-up clears any pending request when it ends.
  dialog.open(&app.currentScreen);
  return true;
}

OClip* AUiDemoWnd::picture(int button) const { return owner().app().buttons[size_t(button)].get(); }

OClip* AUiDemoWnd::letters(int set) const { return owner().app().letters[size_t(set)].get(); }

void AUiDemoWnd::label(int set, int x, int y, const char* text) {
  newText(letters(set), x, y, text, kDepth, false);
}

void AUiDemoWnd::dropControls() {
  radio_.reset();
  bar_.reset();
  for (OClipControl* control : {static_cast<OClipControl*>(check_), static_cast<OClipControl*>(edit_)}) {
    if (control) removeControl(control, true);
  }
  check_ = nullptr;
  edit_ = nullptr;
}

void AUiDemoWnd::buildContents() {
  dropControls();
  setTitle(newText(letters(2), 230, 20, "Controls", kDepth, false));

  check_ = new OClipCheckBox();
  check_->copyFrom(*picture(0));
  check_->x = 60;
  check_->y = 110;
  check_->z = -1;
  check_->check();
  addControl(check_);
  label(3, 110, 110, "Sound");

  radio_ = std::make_unique<ARadioGroup>(this);
  const char* levels[] = {"Novice", "Expert", "Master"};
  for (int i = 0; i < 3; ++i) {
    radio_->addBox(*picture(1), 60, 170 + 45 * i, -1);
    label(3, 110, 170 + 45 * i, levels[i]);
  }
  radio_->select(1);

  label(3, 60, 330, "Volume");
  bar_ = std::make_unique<AProgressBar>(this, *picture(2), 10, 260, 330, -1, -3);
  bar_->setValue(5);

  label(3, 60, 400, "Name");
  edit_ = new OClipEdit();
  edit_->setPicture(*picture(3));
  edit_->x = 260;
  edit_->y = 400;
  edit_->z = -1;
  edit_->setTextArea(8, 4, edit_->width - 8, edit_->height - 4);
  OTextStyle style;
  style.size = 13;
  edit_->setStyle(style);
  edit_->setTextColour(0xFFFF00);
  edit_->setMaxLength(25);
  edit_->setText("Anonymous");
  addControl(edit_);
  edit_->setFocus(true);

  setDefaultButton(newText(letters(0), 150, kHeight - 70, "Ok", kDepth, true));
  setCancelButton(newText(letters(0), 420, kHeight - 70, "Cancel", kDepth, true));
  sortClips();
}

void AUiDemoWnd::accept() { close(kAccepted); }

void AUiDemoWnd::cancel() { close(kCancelled); }

void AUiDemoWnd::onControlClicked(OClipControl* control) {
  if (radio_ && radio_->controlClicked(control)) return;
  if (bar_) bar_->controlClicked(control);
}
