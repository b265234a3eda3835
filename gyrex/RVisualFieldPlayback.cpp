// Playback of a recording on the real field (demos and replays): the
// cursor shows a lead time before each move, long pauses are cut short and
// the preview takes its rows from the recording.
#include <algorithm>

#include "gyrex/RRecorder.h"
#include "gyrex/RVisualField.h"

namespace SpaceGyrex {

void RVisualField::startPlayback() {
  New();
  clock = 0;
  demo = true;
  if (!recorder) return;
  recorder->Rewind();
  // A recording without events still shows its starting position.
  recorder->RestoreField(*this);
  scoring.Start(*this, true);
  FindHint();
  if (preview) {
    preview->New();
    if (variant == 1 || variant == 2) recorder->NextRow(*preview);
    preview->refreshSprites();
  }
  refreshSprites();
  if (!recorder->EventsLeft()) return;
  jumpToNextEvent();
  state = kPlayLead;
}

void RVisualField::jumpToNextEvent() {
  if (!recorder || !recorder->EventsLeft()) return;
  int lead = 2 * leadTime(speed);
  if (recorder->time - clock > lead) clock = recorder->time - lead;
}

void RVisualField::updatePlayLead() {
  if (!recorder || !recorder->EventsLeft()) {
    state = kIdle;
    return;
  }
  int lead = leadTime(speed), shortLead = shortLeadTime(speed);
  if (clock + lead < recorder->time) return;
  if (recorder->isAdd) {
    if (clock + lead >= recorder->NextMoveTime()) cursorOn(recorder->NextMoveColumn(), recorder->NextMoveRow());
  } else {
    cursorOn(recorder->column, recorder->row);
  }
  state = kPlayMove;
  // The cursor shows for at least S before a move, even for quick ones.
  if (recorder->time - clock < shortLead) clock = recorder->time - shortLead;
}

void RVisualField::updatePlayMove() {
  if (!recorder || !recorder->EventsLeft()) {
    state = kIdle;
    return;
  }
  if (clock < recorder->time) return;
  state = kIdle;
  if (recorder->isAdd) {
    revealPending = true;
    state = kSettling;
  } else {
    hideCursor();
    applyMove(recorder->column, recorder->row, recorder->clockwise);
  }
  recorder->Advance();
  if (recorder->EventsLeft() && state == kIdle) jumpToNextEvent();
}

void RVisualField::updatePlaybackEnd(int elapsed) {
  // Out of events without the field ending (a cut recording): rest on the
  // last position for 2 x L, then report the playback done so the game can
  // start it again.
  if (rowPending || playbackDone_) return;
  restAfterPlayback_ += elapsed;
  if (restAfterPlayback_ >= 2 * leadTime(speed)) playbackDone_ = true;
}

}  // namespace SpaceGyrex
