#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "audio/OMusic.h"
#include "tests/audio/AudioFiles.h"
#include "tests/audio/FakeMediaControl.h"
#include "tests/support/TestSupport.h"

using audiotest::eventually;
using audiotest::MciLog;

namespace {

const std::string kAlias = "OMusic_Bkground_Music";
const std::string kCloseWait = "close " + kAlias + " wait";

std::string openCommand(const std::string& path) {
  return "open \"" + path + "\" type sequencer alias " + kAlias;
}

class Music : public ::testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"t0.mid", "t1.mid", "t2.mid"}) {
      audiotest::writeFile(dir.file(name), audiotest::midiBytes(100));
    }
  }
  // A player on a fake sequencer; a short poll unless the test needs the real one.
  std::unique_ptr<OMusic> make(OMusic::Options options = fastPoll()) {
    return std::make_unique<OMusic>(std::make_unique<audiotest::FakeMediaControl>(log), nullptr, options);
  }
  static OMusic::Options fastPoll() {
    OMusic::Options o;
    o.pollMs = 20;
    return o;
  }
  // The commands after the first `from`.
  std::vector<std::string> since(size_t from) {
    auto all = log->snapshot();
    return {all.begin() + static_cast<long>(std::min(from, all.size())), all.end()};
  }
  zbtest::TempDir dir;
  std::shared_ptr<MciLog> log = std::make_shared<MciLog>();
};

}  // namespace

TEST_F(Music, AddTrackRefusesMissingFilesAndReturnsOnceTheTrackIsListed) {
  auto music = make();
  EXPECT_FALSE(music->addTrack(3, dir.file("none.mid")));
  EXPECT_TRUE(music->playlist().empty());
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(music->addTrack(i + 10, dir.file("t" + std::to_string(i) + ".mid")));
    EXPECT_EQ(music->playlist().size(), static_cast<size_t>(i + 1));
  }
  EXPECT_EQ(music->playlist().at(11), dir.file("t1.mid"));
}

TEST_F(Music, PlayingANumberClosesOpensAndPlaysIt) {
  auto music = make();
  ASSERT_TRUE(music->addTrack(4, dir.file("t0.mid")));
  ASSERT_TRUE(music->addTrack(7, dir.file("t1.mid")));
  music->play(7);
  EXPECT_TRUE(music->playing());
  EXPECT_FALSE(music->stopped());
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
  std::vector<std::string> want = {kCloseWait, "close " + kAlias, openCommand(dir.file("t1.mid")), "play " + kAlias};
  EXPECT_EQ(log->snapshot(), want);
  EXPECT_EQ(music->lastTrack(), 7);
  EXPECT_EQ(log->state(), "playing " + dir.file("t1.mid"));

  // A number not in the playlist closes the music and starts nothing.
  music->play(5);
  ASSERT_TRUE(eventually([&] { return log->snapshot().size() == 5; }, 2000));
  EXPECT_EQ(log->snapshot().back(), kCloseWait);
  audiotest::sleepMs(100);
  EXPECT_EQ(log->openCount(), 1);
  EXPECT_EQ(log->state(), "closed");
}

TEST_F(Music, RandomPlayWalksTheDrawModuloThePlaylistSize) {
  OMusic::Options o = fastPoll();
  o.random = [] { return 5; };
  auto music = make(o);
  ASSERT_TRUE(music->addTrack(2, dir.file("t0.mid")));
  ASSERT_TRUE(music->addTrack(4, dir.file("t1.mid")));
  ASSERT_TRUE(music->addTrack(8, dir.file("t2.mid")));
  music->play(OMusic::kRandomTrack);
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
  EXPECT_EQ(music->lastTrack(), 8);  // 5 % 3 = 2 steps from the first entry
}

TEST_F(Music, RandomPlayOnAnEmptyPlaylistOpensNothingAndThePollRestartsNothing) {
  auto music = make();
  music->play(OMusic::kRandomTrack);
  ASSERT_TRUE(eventually([&] { return log->polls() >= 5; }, 2000));
  EXPECT_EQ(log->snapshot(), std::vector<std::string>{kCloseWait});
  EXPECT_EQ(music->tracksStarted(), 0);
}

TEST_F(Music, RemovingTracksAndEmptyingThePlaylist) {
  auto music = make();
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(music->addTrack(i, dir.file("t" + std::to_string(i) + ".mid")));
  music->removeTrack(1);
  music->removeTrack(9);
  EXPECT_EQ(music->playlist().size(), 2u);
  EXPECT_EQ(music->playlist().count(1), 0u);
  music->removeTrack(-1);
  EXPECT_TRUE(music->playlist().empty());
  music->play(OMusic::kRandomTrack);
  audiotest::sleepMs(120);
  EXPECT_EQ(log->openCount(), 0);
}

TEST_F(Music, AfterStopNothingStartsByItself) {
  auto music = make();
  ASSERT_TRUE(music->addTrack(0, dir.file("t0.mid")));
  music->play(0);
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
  music->stop();
  EXPECT_FALSE(music->playing());
  EXPECT_TRUE(music->stopped());
  ASSERT_TRUE(eventually([&] { return log->state() == "closed"; }, 2000));
  int polls = log->polls();
  ASSERT_TRUE(eventually([&] { return log->polls() >= polls + 5; }, 2000));
  EXPECT_EQ(music->tracksStarted(), 1);
  EXPECT_EQ(log->snapshot().back(), kCloseWait);
}

TEST_F(Music, AnEndedTrackIsFollowedByAnotherAndAPausedOneIsNot) {
  auto music = make();
  ASSERT_TRUE(music->addTrack(0, dir.file("t0.mid")));
  ASSERT_TRUE(music->addTrack(1, dir.file("t1.mid")));
  music->play(0);
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));

  music->pause();
  ASSERT_TRUE(eventually([&] { return log->state().rfind("paused", 0) == 0; }, 2000));
  int polls = log->polls();
  ASSERT_TRUE(eventually([&] { return log->polls() >= polls + 4; }, 2000));
  EXPECT_EQ(music->tracksStarted(), 1);
  music->resume();
  ASSERT_TRUE(eventually([&] { return log->state().rfind("playing", 0) == 0; }, 2000));

  log->finishTrack();
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 2; }, 2000));
  EXPECT_EQ(log->state().rfind("playing", 0), 0u);
}

TEST_F(Music, TheOnceASecondPollStartsTheNextTrackWithinAboutASecond) {
  auto music = make(OMusic::Options());
  ASSERT_TRUE(music->addTrack(0, dir.file("t0.mid")));
  music->play(0);
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
  log->finishTrack();
  auto ended = std::chrono::steady_clock::now();
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 2; }, 2000));
  auto took = std::chrono::steady_clock::now() - ended;
  EXPECT_LT(took, std::chrono::milliseconds(1250));
}

TEST_F(Music, TheLastOfOpposingRequestsWinsWhileTheWorkerIsBusy) {
  OMusic::Options slow;
  slow.pollMs = 60000;
  auto music = make(slow);
  ASSERT_TRUE(music->addTrack(0, dir.file("t0.mid")));
  ASSERT_TRUE(music->addTrack(1, dir.file("t1.mid")));

  log->blockNextCommand();
  music->play(0);
  ASSERT_TRUE(eventually([&] { return log->isBlocked(); }, 2000));
  music->stop();
  music->play(1);
  log->release();
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 2; }, 2000));
  audiotest::sleepMs(50);
  EXPECT_EQ(log->state(), "playing " + dir.file("t1.mid"));

  log->blockNextCommand();
  music->play(0);
  ASSERT_TRUE(eventually([&] { return log->isBlocked(); }, 2000));
  music->play(1);
  music->stop();
  log->release();
  ASSERT_TRUE(eventually([&] { return log->snapshot().back() == kCloseWait && log->state() == "closed"; }, 2000));
  audiotest::sleepMs(50);
  EXPECT_EQ(log->state(), "closed");
}

TEST_F(Music, QuitIsPromptAndClosesTheMusic) {
  auto music = make();
  ASSERT_TRUE(music->addTrack(0, dir.file("t0.mid")));
  music->play(0);
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
  auto t0 = std::chrono::steady_clock::now();
  music.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(300));
  EXPECT_EQ(log->snapshot().back(), "close " + kAlias);
  EXPECT_TRUE(log->isDestroyed());
}

TEST_F(Music, QuitReturnsWithinOneSecondWhenTheWorkerIsStuck) {
  OMusic::Options slow;
  slow.pollMs = 60000;
  auto music = make(slow);
  ASSERT_TRUE(music->addTrack(0, dir.file("t0.mid")));
  log->blockNextCommand();
  music->play(0);
  ASSERT_TRUE(eventually([&] { return log->isBlocked(); }, 2000));
  auto t0 = std::chrono::steady_clock::now();
  music.reset();
  auto took = std::chrono::steady_clock::now() - t0;
  EXPECT_GE(took, std::chrono::milliseconds(950));
  EXPECT_LT(took, std::chrono::milliseconds(1200));
  // Once its command returns, the worker closes the music and ends by itself.
  log->release();
  ASSERT_TRUE(eventually([&] { return log->isDestroyed(); }, 2000));
  EXPECT_EQ(log->snapshot().back(), "close " + kAlias);
}

TEST_F(Music, PlaylistSwitchesListTheExistingFilesOfTheMusicFolder) {
  std::filesystem::create_directories(dir.file("Music"));
  for (const char* name : {"Music/slow0.mid", "Music/SLOW3.mid", "Music/slow7.mid", "Music/fast7.mid"}) {
    audiotest::writeFile(dir.file(name), audiotest::midiBytes(100));
  }
  auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  {
    auto music = make();
    ASSERT_TRUE(music->addTrack(9, dir.file("t0.mid")));
    music->setEnabled(false);
    music->useSlowPlaylist();
    auto slow = music->playlist();
    ASSERT_EQ(slow.size(), 2u);  // slow7 is not in the slow list
    EXPECT_EQ(slow.at(0), dir.file("Music/slow0.mid"));
    EXPECT_EQ(slow.at(3), dir.file("Music/SLOW3.mid"));
    EXPECT_FALSE(music->playing());
    audiotest::sleepMs(60);
    EXPECT_EQ(log->openCount(), 0);

    music->setEnabled(true);
    music->useFastPlaylist();
    ASSERT_EQ(music->playlist().size(), 1u);
    EXPECT_TRUE(music->playing());
    ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
    EXPECT_EQ(music->lastTrack(), 7);
    EXPECT_EQ(log->state(), "playing " + dir.file("Music/fast7.mid"));
  }
  std::filesystem::current_path(previous);
}

// A damaged tune is named once and never tried, so nothing fails again
// and again; the good ones still play.
TEST_F(Music, DamagedTunesAreNamedOnceAndLeftOut) {
  auto bad = audiotest::midiBytes(100);
  bad.resize(bad.size() - 3);  // the last event is cut
  audiotest::writeFile(dir.file("cut.mid"), bad);
  auto music = make();
  testing::internal::CaptureStderr();
  EXPECT_FALSE(music->addTrack(0, dir.file("cut.mid")));
  EXPECT_FALSE(music->addTrack(0, dir.file("cut.mid")));
  ASSERT_TRUE(music->addTrack(1, dir.file("t1.mid")));
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cut.mid"), std::string::npos) << said;
  EXPECT_EQ(said.find("cut.mid"), said.rfind("cut.mid")) << said;
  music->play(OMusic::kRandomTrack);
  ASSERT_TRUE(eventually([&] { return music->tracksStarted() == 1; }, 2000));
  EXPECT_EQ(music->lastTrack(), 1);
}

// The music folder is found inside a working folder whose name holds a
// backslash: only the game's own names are split at it.
TEST_F(Music, AFolderNameWithABackslashIsUsedAsItIs) {
  const std::string work = dir.file("My\\Games");
  std::filesystem::create_directories(work + "/music");
  audiotest::writeFile(work + "/music/slow2.mid", audiotest::midiBytes(100));
  auto previous = std::filesystem::current_path();
  std::filesystem::current_path(work);
  {
    auto music = make();
    music->setEnabled(false);
    music->useSlowPlaylist();
    auto slow = music->playlist();
    ASSERT_EQ(slow.size(), 1u);
    EXPECT_EQ(slow.at(2), work + "/music/slow2.mid");
  }
  std::filesystem::current_path(previous);
}
