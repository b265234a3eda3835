#pragma once

class OMainWindow;

namespace zb {

// The start-up of the game, run by the main window once it exists: the main
// screen and the intro (which is shown at once in a small window), the
// shared button, letter, spark and curtain pictures, the controller's own
// loading, the table of screens that live for the whole run and the
// interface sounds. A missing button or curtain picture ends the run with a
// message (exit code 255); a missing letter set or spark returns false.
bool startZenbox(OMainWindow& window);

}  // namespace zb
