#pragma once
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/OffscreenScreen.h"
#include "tessel/AGameField.h"

namespace tesseltest {

// Interior rows as text: 11 strings of 11 characters, '.' empty, '1'..'6'
// colours. Puts them on the board (opaque, at rest); exactly the colours
// on it are in play.
void setBoard(SpaceTessel::AGameField& board, const std::vector<std::string>& rows);
// The interior in the same form.
std::vector<std::string> boardRows(const SpaceTessel::AGameField& board);
// An empty interior.
std::vector<std::string> emptyRows();

// A headless 800 x 600 screen with cube and sparkle pictures, the shared
// state reset and the generator seeded. Boards must go before the rig.
class Rig : public zb::OffscreenScreen {
public:
  Rig();
  ~Rig();
  // One frame: the screen moves and fades the clips, then the board runs.
  void frame(SpaceTessel::AGameField& board);
  // Frames until the launch has landed and removed cubes have faded.
  int settle(SpaceTessel::AGameField& board, int limit = 2000);
  // The first broken invariant of board and screen, empty when none: no
  // cube on the ring, each cube's clip on the screen exactly once, nothing
  // on the screen but cubes and sparkles, score within range.
  std::string check(const SpaceTessel::AGameField& board) const;

  std::vector<std::unique_ptr<OClip>> pictures;
  std::unique_ptr<OClip> sparkle;
  std::vector<int> sounds;
};

// One move of the game's rhythm as the game window runs it: launch,
// settle, the batch when one is due, then the colour rotation. The record
// gets the launch and the batch in the replay layout (nullptr: none).
void playMove(Rig& rig, SpaceTessel::AGameField& board, int side, int row, int column,
              std::vector<int>* record);

}  // namespace tesseltest
