#include "tools/data/gen/Help.h"

#include "platform/Language.h"

namespace zbgen {

std::vector<std::string> helpPages() {
  return {
      N_("Welcome to Zenbox\n"
         "Zenbox is a quiet box of tile puzzles in three families: Sinkra, Tessel and Gyrex.\n"
         "Pick a game, play it at your own pace and try to enter the Top 10.\n"
         "\n"
         "== Controls\n"
         "* Mouse: point and click. The right button pauses Sinkra and Tessel and turns Gyrex elements the other way.\n"
         "* Pause: pause or resume the game.\n"
         "* F1: this help.\n"
         "* F3: minimise the window.\n"
         "* F4: switch between window and full screen.\n"
         "* Esc and Enter: cancel or confirm a dialog.\n"
         "\n"
         "== The side panel\n"
         "The stone buttons at the top are, from right to left: exit, window mode, minimise, help, options and new game. "
         "Click \"Menu\" for Pick Game, New Game, Demo, Replay, Top 10, Options and Help.\n"
         "\n"
         "Games are saved when you leave them; with Autosave on, a game carries on where you left it.\n"
         "Use the next pages to learn each game."),

      N_("Sinkra: Remover and Collector\n"
         "Blocks of six colours fill the board. Point at a group of touching blocks of one colour to see it highlighted, "
         "and click to remove it. Blocks above fall down and empty columns close up.\n"
         "\n"
         "== Remover\n"
         "Clear the whole board in as few moves as you can. Every block removed scores 100. "
         "An empty board earns a large bonus that grows the fewer moves you needed.\n"
         "\n"
         "== Collector\n"
         "Collect as many points as you can: a group of n blocks scores n x n x n / 3, so big groups are worth far "
         "more than small ones. Build them up before you click.\n"
         "\n"
         "Both games end when no group of two or more is left.\n"
         "\n"
         "The number in the panel tells what the group under the pointer is worth."),

      N_("Sinkra: Sinkra and Sinkra adv\n"
         "New blocks arrive one by one in the tray under the board. When the tray is full the row is pushed in from "
         "below and lifts the whole board. The game ends when a row cannot be pushed because the top row is occupied.\n"
         "\n"
         "== Sinkra\n"
         "The classic game is played level by level. Each level tells how many rows will rise; when all have risen "
         "the board fills up and explodes and the next level begins. Only groups of three or more can be removed. "
         "Some levels are bonus boards: clear them before the time runs out to double their points.\n"
         "In the options you can start at level 5, 10, 15, 20 or 25.\n"
         "\n"
         "== Sinkra adv\n"
         "Rows rise faster with every push. Groups of two or more can be removed; large groups score triple. "
         "Clearing the whole board earns a bonus."),

      N_("Sinkra: special blocks\n"
         "Special blocks join any group that explodes next to them. Click one to use its power:\n"
         "* Arrows left and right: removes its whole row.\n"
         "* Arrows up and down: removes its whole column.\n"
         "* Lone dot: removes every block that has no neighbour of its own colour.\n"
         "* Turning arrows: turns the board upside down.\n"
         "* Bomb: blasts the 5 x 5 square around it.\n"
         "* Four arrows: removes the groups of its four neighbours.\n"
         "* Star: removes every group of two or more.\n"
         "* Two swatches: turns every block of one colour into another colour.\n"
         "* Vortex with a colour mark: removes every block of that colour.\n"
         "Chameleon blocks in Sinkra change their colour every few seconds."),

      N_("Sinkra: Turn Play\n"
         "You and the computer take turns on one board. In a turn you remove groups of rising size: first a group of "
         "at least two, then one of at least three, and so on up to the turn's limit. A group of n blocks scores "
         "n x n x n / 3.\n"
         "When you cannot go on, the turn passes. The limit grows each time the computer hands the turn back.\n"
         "The game ends when neither side can move; beat the computer's score to win."),

      N_("Tessel\n"
         "Launch cubes into the board from its four sides. A cube flies until it meets another cube; if the cell "
         "behind that cube is free, the cube is pushed along and your cube follows it.\n"
         "Four or more touching cubes of one colour vanish and score. A launch that removes nothing is a miss; "
         "after a number of misses a batch of new cubes drops onto the board.\n"
         "When a colour is gone from the board the score doubles.\n"
         "\n"
         "== Variants\n"
         "* Unicolor: all four sides offer one colour.\n"
         "* quadcolor: each side offers its own colour.\n"
         "* smart mix: one colour, and only the side you used takes a new one.\n"
         "* advanced mix: four colours, and only the side you used changes.\n"
         "The panel shows the next colours and the misses left. Click UNDO to take back one launch."),

      N_("Gyrex\n"
         "Every element of the field has four triangular segments. Click an element to turn it a quarter turn: "
         "the left button clockwise, the right button the other way.\n"
         "Touching segments of one colour form a group; a large enough group is destroyed. Elements then fall, "
         "columns slide left and the field narrows. Losing a colour or a column doubles your score.\n"
         "Point at SHOW STEP to see a useful move.\n"
         "\n"
         "== Variants\n"
         "* Strip mania: the field only shrinks. Clear as much as you can.\n"
         "* Shift Mania: every move that changes the field reveals part of the next row below it.\n"
         "* Time Mania: the next row is revealed by the clock, faster as the field narrows.\n"
         "When the next row is complete it pushes the field up; the game ends when the top row is full "
         "or no useful move is left."),

      N_("Options and scores\n"
         "== Options\n"
         "* Sound and Music switch effects and background music; the bars set their volume.\n"
         "* Autosave keeps your game when you leave it.\n"
         "* block Explosion lets removed blocks burst into sparks.\n"
         "* Animation lets texts and curtains move.\n"
         "Each family adds its own options: skill level (Novice, Expert, Master), speed and the picture set of "
         "every colour.\n"
         "\n"
         "== Top 10\n"
         "Every variant keeps its own Top 10 table. A score good enough for it asks for your name at the end.\n"
         "\n"
         "== Demo and replay\n"
         "Demo lets the computer play; Replay shows your last finished game. Click to take over.")};
}

}  // namespace zbgen
