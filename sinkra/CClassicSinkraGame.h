#pragma once
#include <memory>
#include <string>
#include <vector>

#include "sinkra/CBetweenLevelsGame.h"
#include "sinkra/CClassicRules.h"
#include "sinkra/CSinkraGame.h"

namespace SpaceSinkra {

// The Classic variant: rising rows organised into numbered levels from the
// rules file, each with its colours, rows, row timing and special kinds,
// ended by a board filled and blown up; some levels are bonus boards played
// by the between-levels game. Only groups of three or more are removed.
// Columns close towards the middle. Chameleon blocks change colour on a
// timer. It takes the tray, the arrival and the push of the rising-row
// variant and replaces what the levels change.
class CClassicSinkraGame : public CSinkraGame {
public:
  CClassicSinkraGame();
  ~CClassicSinkraGame() override;

  bool setup(int width, int height) override;
  // n of 0 or less starts at level index 0; any other n at index n.
  void setLevel(int n) override;
  // Starts the current level: a row level or a bonus board.
  void newField() override;
  void update(int ms) override;
  int hover(int cell) override;
  void click(int cell) override;
  void clear() override;
  void setVisible(bool visible) override;
  void refreshSkins() override;
  void startDemo() override;
  void stopDemo() override;
  void saveState(OConfig& config) override;
  void loadState(OConfig& config) override;
  bool attach(OEngine* engine, std::span<OClip* const> pictures,
              std::span<OClip* const> specialPictures, unsigned x0, unsigned y0,
              unsigned areaWidth, unsigned areaHeight) override;

  // The cells a click on the special block at `cell` removes (without it).
  std::vector<int> classicTargets(int cell);
  std::vector<int> clickTargets(int cell) override { return classicTargets(cell); }

  int levelIndex() const { return level_; }
  const CClassicRules& rules() const { return rules_; }
  bool bonusRunning() const { return bonusRunning_; }
  const CBetweenLevelsGame& bonusGame() const { return bonus_; }
  bool endLevelEffect() const { return endLevelEffect_; }
  bool levelDone() const { return levelDone_; }
  int rowsOfLevel() const { return rowsOfLevel_; }
  int rowTimeDecrease() const { return rowTimeDecrease_; }
  const CNumberView* linesCounter() const { return lines_.get(); }
  const CTextView* levelCaption() const { return levelCaption_.get(); }
  const CTextView* completeCaption() const { return complete_.get(); }
  // Re-reads the level table for the skill level (after a rules change).
  void readRules();

protected:
  std::unique_ptr<CPiece> makeIncoming(int slot) override;
  void afterPush() override;
  const OClip* specialPicture(int colour) const override;
  // Chameleons wear the chameleon mark over their block pictures, so they
  // can be found without watching them change colour.
  void buildFrames(CPiece& piece) override;
  double floatSpeed() const override { return rules_.speedShowBonusEffect; }
  int floatDelay() const override { return rules_.delayShowBonusEffect; }

private:
  const CClassicLevel& level() const { return rules_.level(level_); }
  void startRowLevel();
  void startBonusLevel();
  void advanceLevel();
  // A row time held to the span of the current level's row times.
  int levelRowTime(int rowTime) const;
  void showLevelCaption();
  void showLines();
  void startEndLevelEffect();
  void endLevelStep(int ms);
  void chameleonStep(int ms);
  // The chameleon mark picture, or null when the pack has none.
  const OBitmap* chameleonMark() const;
  // Replaces a chameleon by one of the next colour at the same place.
  std::unique_ptr<CPiece> nextChameleon(const CPiece& old, int cell);
  void clickClassicSpecial(int cell);
  // Lights the group or special targets at a cell as pointing does, a
  // pair left unlit; returns the group size (0 on a special).
  int lightClassic(int cell);
  void addPoints(int value, int cell);
  void placeComplete();

  CClassicRules rules_;
  CBetweenLevelsGame bonus_;
  int level_ = 0;  // or a pending start level + 1000
  int rowsOfLevel_ = 0;
  int rowTimeDecrease_ = 0;
  bool endLevelEffect_ = false;
  bool levelDone_ = false;
  bool bonusRunning_ = false;
  int endLevelTimer_ = 0;
  int chameleonTimer_ = 0;
  std::vector<std::unique_ptr<OBitmap>> chameleonBitmaps_;  // as the scaled pictures, marked
  double chameleonFor_ = 0;
  int completeTimer_ = 0;
  int pointedCell_ = -1;  // the cell the pointer was last seen over
  std::unique_ptr<CNumberView> lines_;
  std::unique_ptr<CTextView> levelCaption_;
  std::unique_ptr<CTextView> complete_;
  std::string levelText_;
};

}  // namespace SpaceSinkra
