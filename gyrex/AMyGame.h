#pragma once
#include <array>
#include <memory>

#include "gyrex/AGyrexWnd.h"
#include "gyrex/RRecorder.h"
#include "gyrex/RVisualField.h"
#include "storage/OConfig.h"

class OClip;

namespace SpaceGyrex {

// The Gyrex game object: the main field and its preview row, the segment
// and cursor pictures, the rules and demo files, the settle tree (both
// fields as of the last settled move) and the three recorders: live,
// backup (live as of the last settle) and last game. A saved game, an
// undo and the end of a demo or replay all go back to the settle tree.
class AMyGame : public AGyrexWnd {
public:
  static constexpr int kMainX = 19, kMainY = 19;
  static constexpr int kPreviewX = 19, kPreviewY = 539;

  explicit AMyGame(AGameHost& main);
  ~AMyGame() override;

  void loadGameResources() override;
  void tick(int elapsed) override;
  OClipControl* onMouseMove(int x, int y) override;
  OClipControl* onLButtonDown(int x, int y) override;
  OClipControl* onRButtonDown(int x, int y) override;
  void newGame() override;
  void saveGame() override;
  void loadGame(int flag) override;
  void saveUndoPoint() override;
  void restoreUndoPoint() override;
  void startDemo(bool takeSnapshot) override;
  void stopDemo(bool restore) override;
  void startReplay(bool takeSnapshot) override;
  void stopReplay(bool restore) override;
  void pause() override;
  void resume() override;
  void applyOptions() override;
  int gameResult() override;
  // The arrows move an element cursor (from the middle); Return or Space
  // turns the element as the left button does, Backspace or Shift+Return
  // the other way; H shows the hint as pointing at "SHOW STEP" does.
  int onKeyDown(int key, int mods) override;
  bool keyFocusRect(ORect& rect) const override;
  // The element under the key cursor (column, row), -1 before the first key.
  int cursorColumn() const { return cursorColumn_; }
  int cursorRow() const { return cursorRow_; }

  RVisualField& field() { return field_; }
  RVisualField& preview() { return preview_; }
  const RRecorder& liveRecorder() const { return live_; }
  const RRecorder& backupRecorder() const { return backup_; }
  const RRecorder& lastGameRecorder() const { return lastGame_; }
  const OConfig& settleTree() const { return settleTree_; }
  const RRules& rules() const { return rules_; }

private:
  // Reads the rules of a kind and level and gives them to both fields.
  void useRules(int gameKind, int gameLevel);
  void startRecording();
  // Both fields into the settle tree, the live recorder into the backup.
  void keepSettled();
  // Both fields from the settle tree, the backup into the live recorder;
  // false when the tree holds no sound position.
  bool restoreSettled();
  // The game's part of a loaded save: the last game's recording and, when
  // a game was in progress, both fields and the backup recording.
  void resumeFrom(OConfig& tree);
  // Restarts the playback of the live recorder (demo or replay).
  void replayFromStart();
  void fieldsToScreen();
  bool playing() const { return !paused_ && !demo_ && !replaying_; }
  // Points the field at the cursor's element, as the pointer would.
  void pointAtCursor();

  RVisualField field_;
  RVisualField preview_;
  std::array<std::unique_ptr<OClip>, kSegments> segmentPictures_;
  std::unique_ptr<OClip> cursorPicture_;
  OConfig rulesTree_;
  OConfig demoTree_;
  OConfig settleTree_;
  RRules rules_;
  RRecorder live_, backup_, lastGame_;
  bool damagedSave_ = false;
  bool overShown_ = false;
  int cursorColumn_ = -1, cursorRow_ = -1;
};

}  // namespace SpaceGyrex
