#include "sinkra/AMyGame.h"

#include <cstdio>
#include <cstdlib>

#include "game/AGameHost.h"
#include "app/OMainWindow.h"
#include "gfx/OClip.h"
#include "sinkra/CClassicSinkraGame.h"
#include "sinkra/CCollectorGame.h"
#include "sinkra/CGlobal.h"
#include "sinkra/CRemoverGame.h"
#include "sinkra/CSinkraGame.h"
#include "sinkra/CTurnGame.h"
#include "platform/Language.h"

namespace SpaceSinkra {

AMyGame::AMyGame(AGameHost& main) : ASinkraWnd(main) {
  variants_[kCollector] = std::make_unique<CCollectorGame>();
  variants_[kAdvanced] = std::make_unique<CSinkraGame>();
  variants_[kRemover] = std::make_unique<CRemoverGame>();
  variants_[kTurnPlay] = std::make_unique<CTurnGame>();
  variants_[kClassic] = std::make_unique<CClassicSinkraGame>();
  current_ = variants_[kRemover].get();
}

AMyGame::~AMyGame() {
  // Boards take their clips off the main screen; the shared caption goes last.
  for (auto& v : variants_) v.reset();
  CGlobal& g = CGlobal::instance();
  g.setCaption(nullptr);
  g.star = nullptr;
}

CGameField* AMyGame::variant(int v) const {
  return v >= 0 && v < kVariantCount ? variants_[size_t(v)].get() : nullptr;
}

bool AMyGame::loadPictures() {
  pictures_.clear();
  char file[48];
  bool ok = true;
  auto add = [&](const char* name) {
    auto clip = std::make_unique<OClip>();
    ok = clip->load(name) && ok;
    pictures_.push_back(std::move(clip));
  };
  for (int skin = 0; skin < 6; ++skin) {
    for (int colour = 1; colour <= 6; ++colour) {
      std::snprintf(file, sizeof file, "clp/Sinkra/%d%d.clp", skin, colour);
      add(file);
    }
  }
  for (int i = 0; i <= 5; ++i) {
    std::snprintf(file, sizeof file, "clp/Sinkra/b%d.clp", i);
    add(file);
  }
  for (int i = 0; i <= 3; ++i) {
    std::snprintf(file, sizeof file, "clp/Sinkra/cb%d.clp", i);
    add(file);
  }
  add("clp/Sinkra/b6.clp");
  add("clp/Sinkra/b7.clp");
  add("clp/Sinkra/cb4.clp");
  add("clp/Tessel/gst.clp");
  // The chameleon mark is optional: without it chameleons look like any block.
  auto mark = std::make_unique<OClip>();
  if (!mark->load("clp/Sinkra/cm.clp")) mark->clear();
  pictures_.push_back(std::move(mark));
  separator_ = std::make_unique<OClip>();
  ok = separator_->load("clp/Sinkra/p1.clp") && ok;
  return ok;
}

void AMyGame::loadGameResources() {
  CGlobal& g = CGlobal::instance();
  g.fatal = [this](const std::string& message, int code) {
    main().owner().reportError("%s", message.c_str());
    std::exit(code);
  };
  if (!loadPictures()) {
    main().owner().reportError("%s", zb::tr("Some files was not found. Please reinstall.").c_str());
    std::exit(255);
  }
  g.requireRules();
  g.star = main().star();
  caption_ = makeText(zb::tr("time"), 600, 270);
  caption_->setVisible(false);
  g.setCaption(caption_.get());
  std::vector<OClip*> table;
  for (auto& p : pictures_) table.push_back(p.get());
  std::span<OClip* const> all(table.data(), table.size());
  for (auto& v : variants_) {
    if (!v) continue;
    v->attach(&main().screen(), all, all.subspan(36), kBoardX, kBoardY, kBoardSize, kBoardSize);
    v->setHost(this);
  }
  current_ = variants_[kRemover].get();
  for (int v : {kAdvanced, kClassic})
    static_cast<CSinkraGame*>(variants_[size_t(v)].get())->setSeparatorPicture(separator_.get());
}

void AMyGame::applySpeed() {
  CGlobal& g = CGlobal::instance();
  // Speed 3 plays at the rules' pace; each step is a fifth faster or slower.
  g.speedFactor = g.kvmin * (1.0 + (speed - 3) * 0.2);
}

void AMyGame::startVariant(bool forDemo) {
  cursor_ = -1;
  CGlobal& g = CGlobal::instance();
  if (CGameField* v = variant(kind)) current_ = v;
  // Reading the rules sets the factor of a game not yet begun, so the
  // begun game's factor comes after it.
  if (kind == kAdvanced) g.requireRules();
  g.beginGame(level);
  applySpeed();
  if (kind == kAdvanced) {
    static_cast<CSinkraGame*>(current_)->setRowTiming(g.timeBuildLine[g.skillLevel],
                                                      g.timeBuildLineStep[g.skillLevel]);
  }
  if (kind == kClassic) {
    // The Classic game starts its level in its setup, from the start level.
    current_->clear();
    current_->setLevel(forDemo ? 0 : 5 * startLevel_ - 1);
    current_->setup(g.boardWidth(kind, level), g.boardHeight(kind, level));
  } else {
    current_->setup(g.boardWidth(kind, level), g.boardHeight(kind, level));
    current_->newField();
  }
  for (int c = 0; c < 6 && c < int(skins.size()); ++c) g.skins[c] = skins[size_t(c)];
  current_->refreshSkins();
}

void AMyGame::newGame() {
  AGameWnd::newGame();
  startVariant();
  CGlobal::instance().score = 0;
  score = 0;
  placeScoreNumber();
}

void AMyGame::tick(int elapsed) {
  ASinkraWnd::tick(elapsed);
  if (main().newGameNeeded || !current_) return;
  relightCursor();
  CGlobal& g = CGlobal::instance();
  if (current_->anyMoving() || !paused_) {
    current_->update(int(elapsed * g.speedFactor));
    score = g.score;
    // Points added by the update that ends the game must be on the panel
    // before the game-over text stops the ticks.
    showScore();
    // Blocks that arrived during a paused fall stay hidden too.
    if (paused_) hideBlocks(true);
    if (current_->finished) {
      if (demo_) {
        current_->finished = false;
        startVariant(true);
        current_->startDemo();
      } else if (main().state() != AGameHost::kGameOverShown) {
        showGameOver();
      }
    }
  }
}

OClipControl* AMyGame::onMouseMove(int x, int y) {
  if (!paused_ && current_) current_->hover(current_->cellAt(x, y));
  return AGameWnd::onMouseMove(x, y);
}

OClipControl* AMyGame::onLButtonDown(int x, int y) {
  bool play = !demo_ && !replaying_ && !paused_;
  OClipControl* taken = AGameWnd::onLButtonDown(x, y);
  if (play && current_) {
    auto* turn = dynamic_cast<CTurnGame*>(current_);
    if (!turn || turn->whoseTurn() == 0) current_->click(current_->cellAt(x, y));
  }
  return taken;
}

void AMyGame::hideBlocks(bool hidden) {
  if (kind == kAdvanced || kind == kClassic) current_->setVisible(!hidden);
}

void AMyGame::pause() {
  bool was = paused_;
  AGameWnd::pause();
  if (!was && paused_) hideBlocks(true);
}

void AMyGame::resume() {
  bool was = paused_;
  AGameWnd::resume();
  if (was) hideBlocks(false);
}

void AMyGame::saveUndoPoint() {
  undoTree_.clearAll();
  current_->saveState(undoTree_);
  undoScore_ = score;
  AGameWnd::saveUndoPoint();
}

void AMyGame::restoreUndoPoint() {
  if (!undoPointTaken()) return;
  current_->loadState(undoTree_);
  score = undoScore_;
  CGlobal::instance().score = undoScore_;
  undoPointTaken_ = false;
}

void AMyGame::startDemo(bool takeSnapshot) {
  if (demo_) return;
  // The snapshot is of the game in progress, before the demo deals its board.
  if (takeSnapshot && !main().newGameNeeded) saveUndoPoint();
  CGlobal::instance().score = 0;
  startVariant(true);
  AGameWnd::startDemo(false);
  current_->startDemo();
  score = 1111;
}

void AMyGame::stopDemo(bool restore) {
  if (current_) current_->stopDemo();
  AGameWnd::stopDemo(restore);
}

void AMyGame::saveGame() {
  if (demo_) stopDemo(restoreAfterDemo_);
  if (replaying_) stopReplay(true);
  OConfig& tree = saveTree();
  if (current_ && !main().newGameNeeded) current_->saveState(tree);
  tree.setInt("gamekind", gameKindKey(kind));
  std::vector<int32_t> s(skins.begin(), skins.end());
  tree.setIntArray("skins", s);
  tree.setInt("Game.Options.SinkraLevelNum", startLevel_);
  AGameWnd::saveGame();
}

void AMyGame::loadGame(int flag) {
  AGameWnd::loadGame(flag);
  OConfig& tree = saveTree();
  setStartLevelOption(tree.getInt("Game.Options.SinkraLevelNum", 0));
  CGlobal& g = CGlobal::instance();
  g.beginGame(level);
  std::vector<int32_t> saved = tree.getIntArray("skins");
  for (size_t c = 0; c < saved.size() && c < skins.size(); ++c) skins[c] = std::max(0, std::min(5, int(saved[c])));
  for (int c = 0; c < 6 && c < int(skins.size()); ++c) g.skins[c] = skins[size_t(c)];
  applySpeed();
  if (main().newGameNeeded) return;
  // A file of another variant is no game of this one.
  if (tree.getInt("gamekind", 0) - 1 != kind || !variant(kind)) {
    main().newGameNeeded = true;
    return;
  }
  current_ = variant(kind);
  if (kind == kAdvanced) {
    static_cast<CSinkraGame*>(current_)->setRowTiming(g.timeBuildLine[g.skillLevel],
                                                      g.timeBuildLineStep[g.skillLevel]);
  }
  current_->setup(g.boardWidth(kind, level), g.boardHeight(kind, level));
  current_->loadState(tree);
  // A refused board is no game to continue: a new one starts, as for a
  // damaged file.
  if (!current_->stateLoaded()) {
    main().newGameNeeded = true;
    return;
  }
  current_->refreshSkins();
  score = g.score;
  placeScoreNumber();
}

void AMyGame::applyOptions() {
  CGlobal& g = CGlobal::instance();
  for (int c = 0; c < 6 && c < int(skins.size()); ++c) g.skins[c] = skins[size_t(c)];
  if (current_) current_->refreshSkins();
  applySpeed();
}

int AMyGame::gameResult() { return current_ ? current_->result() : 0; }

}  // namespace SpaceSinkra
