#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/OffscreenScreen.h"
#include "sinkra/CFieldHost.h"
#include "sinkra/CGameField.h"
#include "storage/OConfig.h"
#include "tests/support/TestSupport.h"

namespace sinkratest {

// Records effects and the numbers and texts the board shows.
class RecordingHost : public SpaceSinkra::CFieldHost {
public:
  void playEffect(int id, bool restart) override { effects.push_back({id, restart}); }
  bool blockExplosions() const override { return explosions; }
  std::unique_ptr<SpaceSinkra::CNumberView> makeNumber(int value, int digits, double x, double y,
                                                       double z) override {
    ++numbersMade;
    lastDigits = digits;
    return CFieldHost::makeNumber(value, digits, x, y, z);
  }
  int count(int id) const;

  std::vector<std::pair<int, bool>> effects;
  bool explosions = true;
  int numbersMade = 0;
  int lastDigits = 0;
};

// A star picture: six rows of three 6 x 6 frames.
std::unique_ptr<OClip> makeStar();

// Board rows as text: '.' empty, '0'..'5' colours, 'a'..'h' specials 10..17.
std::vector<int> colours(const std::vector<std::string>& rows);
// The board's colours in the same form.
std::vector<std::string> rows(const SpaceSinkra::CGameField& field);

// Rules text for the tests (small boards, fast explosions).
std::string testRulesText();
// Writes rules as the encrypted rules file.
void writeRules(const std::string& path, const std::string& text);

class Rig;
// Loads `rounds` copies of a good saved state with one to four keys set to
// hostile values, plays a little on each and checks that every block keeps
// its clip on the screen. Fails the running test on the first fault.
void reloadDamaged(Rig& rig, SpaceSinkra::CGameField& field, const OConfig& good, int rounds);

// A headless screen with a manual clock, the family state reset to a test
// rules file, and a field factory. Fields must be destroyed before the rig.
class Rig : public zb::OffscreenScreen {
public:
  Rig();
  ~Rig();
  // Attaches a field to the screen with the board area of the game.
  void attach(SpaceSinkra::CGameField& field);
  // Runs updates of `ms` (already scaled) and ticks the screen.
  void run(SpaceSinkra::CGameField& field, int updates, int ms = 15);
  // Updates until the board is at rest (at most `limit` updates).
  int settle(SpaceSinkra::CGameField& field, int limit = 2000);
  // Clips of the board's blocks found on the screen, each counted once;
  // -1 when a block's clip is missing or there twice.
  int blockClipsOnScreen(const SpaceSinkra::CGameField& field) const;
  int sparksOnScreen() const;

  RecordingHost host;
  zbtest::TempDir dir;
  std::unique_ptr<OClip> star;
  std::string rulesPath;
};

}  // namespace sinkratest
