#include <gtest/gtest.h>

#include "platform/FrameBuffer.h"
#include "platform/HeadlessWindow.h"
#include "platform/KeyCodes.h"
#include "platform/Script.h"
#include "platform/SdlKeys.h"
#include "platform/ScriptedWindow.h"

using zb::WindowEvent;

TEST(KeyCodes, SdlKeysMapToVirtualKeys) {
  struct {
    const char* sdl;
    int vk;
  } table[] = {{"Backspace", 8}, {"Tab", 9},    {"Return", 13},  {"Keypad Enter", 13}, {"Pause", 19},
               {"Escape", 27},   {"Space", 32}, {"End", 35},     {"Home", 36},         {"Left", 37},
               {"Up", 38},       {"Right", 39}, {"Down", 40},    {"Insert", 45},       {"Delete", 46},
               {"0", 48},        {"9", 57},     {"A", 65},       {"Z", 90},            {"Keypad 0", 96},
               {"Keypad 9", 105}, {"F1", 112},  {"F3", 114},     {"F4", 115},          {"Left Alt", 18},
               {"Right Alt", 18}, {"Left Shift", 16}, {"Right Ctrl", 17}};
  for (const auto& row : table) EXPECT_EQ(zb::vkFromSdlKeyName(row.sdl), row.vk) << row.sdl;
  EXPECT_EQ(zb::vkFromSdlKeyName("Volume Up"), 0);
}

TEST(KeyCodes, ScriptNamesAreCaseInsensitive) {
  EXPECT_EQ(zb::vkFromName("a"), 65);
  EXPECT_EQ(zb::vkFromName("ENTER"), 13);
  EXPECT_EQ(zb::vkFromName("f12"), 123);
  EXPECT_EQ(zb::vkFromName("Num0"), 96);
  EXPECT_EQ(zb::vkFromName("F13"), 0);
  EXPECT_EQ(zb::vkFromName("F1x"), 0);
  EXPECT_EQ(zb::vkFromName(""), 0);
}

TEST(KeyCodes, TextIsReducedToOneBytePerCharacter) {
  EXPECT_EQ(zb::toLatin1("abc"), "abc");
  EXPECT_EQ(zb::toLatin1("caf\xC3\xA9"), "caf\xE9");
  EXPECT_EQ(zb::toLatin1("\xE2\x82\xAC!"), "?!");         // euro sign is not Latin-1
  EXPECT_EQ(zb::toLatin1("\xF0\x9F\x98\x80"), "?");       // four-byte sequence
  EXPECT_EQ(zb::toLatin1("x\xC3"), "x\xC3");              // cut short: byte kept
  EXPECT_EQ(zb::toLatin1("\xE9t\xE9"), "\xE9t\xE9");      // already Latin-1
}

TEST(FrameBufferTest, CopiesBottomUpRowsAndClipsBothSides) {
  // A 3 x 2 bottom-up source: memory row 0 is image row 1.
  const int stride = 12;
  uint8_t mem[2 * stride] = {};
  auto put = [&](int x, int imageRow, uint32_t rgb) {
    uint8_t* p = mem + (1 - imageRow) * stride + x * 3;
    p[0] = rgb & 0xFF;
    p[1] = (rgb >> 8) & 0xFF;
    p[2] = (rgb >> 16) & 0xFF;
  };
  put(0, 0, 0x112233);
  put(2, 1, 0xAABBCC);
  zb::PixelSource src{mem, stride, 3, 2};
  zb::FrameBuffer fb(4, 4);
  fb.blit(src, 0, 0, 3, 2, 1, 1);
  EXPECT_EQ(fb.row(1)[1], 0x112233u);
  EXPECT_EQ(fb.row(2)[3], 0xAABBCCu);
  auto dirty = fb.takeDirty();
  ASSERT_EQ(dirty.size(), 1u);
  EXPECT_EQ(dirty[0].left, 1);
  EXPECT_EQ(dirty[0].right, 4);
  EXPECT_EQ(dirty[0].bottom, 3);
  EXPECT_FALSE(fb.isDirty());
  // The same picture again changes nothing; one new pixel marks that pixel alone.
  fb.blit(src, 0, 0, 3, 2, 1, 1);
  EXPECT_FALSE(fb.isDirty());
  put(1, 1, 0x010203);
  fb.blit(src, 0, 0, 3, 2, 1, 1);
  dirty = fb.takeDirty();
  ASSERT_EQ(dirty.size(), 1u);
  EXPECT_EQ(dirty[0].left, 2);
  EXPECT_EQ(dirty[0].top, 2);
  EXPECT_EQ(dirty[0].right, 3);
  EXPECT_EQ(dirty[0].bottom, 3);
  // Off the left edge: only the last column lands, at x 0.
  fb.blit(src, 0, 0, 3, 2, -2, 0);
  EXPECT_EQ(fb.row(1)[0], 0xAABBCCu);
  // Entirely outside, or a source rectangle past the source: nothing.
  fb.takeDirty();
  fb.blit(src, 0, 0, 3, 2, 4, 0);
  fb.blit(src, 5, 0, 3, 2, 0, 0);
  EXPECT_FALSE(fb.isDirty());
}

TEST(ScriptParse, ReadsEveryStepKind) {
  std::vector<zb::ScriptStep> steps;
  std::string error;
  const char* text =
      "# a comment\n"
      "wait 500\n"
      "move 10 20\n"
      "press 1 2 right\n"
      "release 3 4\n"
      "click 5 6 left\n"
      "\n"
      "keydown Shift\n"
      "keyup shift\r\n"
      "key Ctrl+V\n"
      "type Hello world\n"
      "shot out/first.png\n"
      "quit\n";
  ASSERT_TRUE(zb::parseScript(text, steps, error)) << error;
  ASSERT_EQ(steps.size(), 11u);
  EXPECT_EQ(steps[0].ms, 500);
  EXPECT_EQ(steps[2].kind, zb::ScriptStep::Press);
  EXPECT_TRUE(steps[2].right);
  EXPECT_FALSE(steps[4].right);
  EXPECT_EQ(steps[5].key, zb::vk::Shift);
  EXPECT_EQ(steps[7].key, 'V');
  EXPECT_EQ(steps[7].mods, zb::ModCtrl);
  EXPECT_EQ(steps[8].text, "Hello world");
  EXPECT_EQ(steps[9].text, "out/first.png");
  EXPECT_EQ(steps[10].kind, zb::ScriptStep::Quit);
  EXPECT_EQ(steps[10].line, 13);
}

TEST(ScriptParse, RejectsBadLinesNamingTheLine) {
  std::vector<zb::ScriptStep> steps;
  std::string error;
  EXPECT_FALSE(zb::parseScript("wait 10\njump 1 2\n", steps, error));
  EXPECT_EQ(error.rfind("line 2:", 0), 0u);
  EXPECT_TRUE(steps.empty());
  EXPECT_FALSE(zb::parseScript("wait -1\n", steps, error));
  EXPECT_FALSE(zb::parseScript("move 10\n", steps, error));
  EXPECT_FALSE(zb::parseScript("click 1 2 middle\n", steps, error));
  EXPECT_FALSE(zb::parseScript("key Hyper\n", steps, error));
  EXPECT_FALSE(zb::parseScript("key Meta+A\n", steps, error));
  EXPECT_FALSE(zb::parseScript("quit now\n", steps, error));
  EXPECT_FALSE(zb::parseScript("shot\n", steps, error));
  EXPECT_FALSE(zb::parseScript("move 99999999999 1\n", steps, error));
}

namespace {

struct ScriptRig {
  explicit ScriptRig(const std::string& text, bool quitAtEnd = true) {
    zb::setClock(&clock);
    std::string error;
    EXPECT_TRUE(zb::parseScript(text, steps, error)) << error;
    inner.open("t", 8, 8);
    scripted = std::make_unique<zb::ScriptedWindow>(
        inner, steps,
        [this](const std::string& path, const zb::PlatformWindow&) {
          shots.push_back(path + "@" + std::to_string(zb::nowMs()));
          return path != "fail.png";
        },
        quitAtEnd, true);
  }
  ~ScriptRig() { zb::setClock(nullptr); }

  // Takes every event available now.
  std::vector<WindowEvent> drain() {
    std::vector<WindowEvent> out;
    WindowEvent e;
    while (scripted->pollEvent(e)) {
      out.push_back(e);
      if (e.kind == WindowEvent::Quit) break;
    }
    return out;
  }

  zb::ManualClock clock;
  zb::HeadlessWindow inner{&clock};
  std::vector<zb::ScriptStep> steps;
  std::unique_ptr<zb::ScriptedWindow> scripted;
  std::vector<std::string> shots;
};

}  // namespace

TEST(ScriptedWindowTest, StepsWaitForTheirTime) {
  ScriptRig rig("click 10 20\nwait 100\nshot a.png\nkey Enter\n");
  auto first = rig.drain();
  ASSERT_EQ(first.size(), 3u);  // move, press, release; then the wait holds
  EXPECT_EQ(first[1].kind, WindowEvent::LButtonDown);
  EXPECT_EQ(first[2].kind, WindowEvent::LButtonUp);
  EXPECT_EQ(first[2].x, 10);
  int x = 0, y = 0;
  rig.scripted->cursorPos(x, y);
  EXPECT_EQ(y, 20);
  for (int i = 0; i < 3; ++i) {
    rig.scripted->waitEvent(30);
    EXPECT_TRUE(rig.drain().empty());
  }
  rig.scripted->waitEvent(30);  // now 120 ms
  auto rest = rig.drain();
  EXPECT_EQ(rig.shots, std::vector<std::string>{"a.png@120"});
  ASSERT_EQ(rest.size(), 4u);  // key down, its character, key up, quit
  EXPECT_EQ(rest[0].key, zb::vk::Enter);
  EXPECT_EQ(rest[1].kind, WindowEvent::Char);
  EXPECT_EQ(rest[1].ch, 13);
  EXPECT_EQ(rest[2].kind, WindowEvent::KeyUp);
  EXPECT_EQ(rest[3].kind, WindowEvent::Quit);
}

TEST(ScriptedWindowTest, ShotWaitsUntilEarlierEventsAreTaken) {
  ScriptRig rig("move 1 1\nshot a.png\n");
  WindowEvent e;
  ASSERT_TRUE(rig.scripted->pollEvent(e));
  EXPECT_TRUE(rig.shots.empty());
  rig.drain();
  EXPECT_EQ(rig.shots.size(), 1u);
}

TEST(ScriptedWindowTest, HeldModifiersTravelWithLaterEvents) {
  ScriptRig rig("keydown Ctrl\nkey V\nclick 1 1 right\nkeyup Ctrl\ntype \xC3\xA9z\n", false);
  auto events = rig.drain();
  ASSERT_EQ(events.size(), 9u);
  EXPECT_EQ(events[0].mods, zb::ModCtrl);  // Ctrl's own key down
  EXPECT_EQ(events[1].key, 'V');
  EXPECT_EQ(events[1].mods, zb::ModCtrl);
  EXPECT_EQ(events[4].kind, WindowEvent::RButtonDown);
  EXPECT_EQ(events[4].mods, zb::ModCtrl);
  EXPECT_EQ(events[6].kind, WindowEvent::KeyUp);
  EXPECT_EQ(events[6].mods, 0);            // Ctrl released
  EXPECT_EQ(events[7].kind, WindowEvent::Char);
  EXPECT_EQ(events[7].ch, 0xE9);
  EXPECT_EQ(events[8].ch, 'z');
  EXPECT_TRUE(rig.scripted->finished());
}

TEST(ScriptedWindowTest, FailedShotIsCountedAndQuitEndsTheScript) {
  ScriptRig rig("shot fail.png\nquit\nmove 1 1\n", false);
  auto events = rig.drain();
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, WindowEvent::Quit);
  EXPECT_EQ(rig.scripted->failures(), 1);
  EXPECT_TRUE(rig.drain().empty());
}

TEST(HeadlessWindowTest, DestroyIsFollowedByQuit) {
  zb::HeadlessWindow w;
  ASSERT_TRUE(w.open("x", 10, 10));
  w.push(WindowEvent{});
  w.destroy();
  WindowEvent e;
  ASSERT_TRUE(w.pollEvent(e));
  EXPECT_EQ(e.kind, WindowEvent::Quit);
  EXPECT_FALSE(w.pollEvent(e));
  EXPECT_FALSE(w.isOpen());
}

TEST(KeyCodes, SdlKeyEventsFollowTheSystemKeyRules) {
  auto run = [](const char* name, int mods, bool down) {
    std::vector<WindowEvent> out;
    zb::translateSdlKey(zb::sdlKeyFromName(name), mods, down, out);
    return out;
  };
  auto enter = run("Return", zb::ModShift, true);
  ASSERT_EQ(enter.size(), 2u);
  EXPECT_EQ(enter[0].kind, WindowEvent::KeyDown);
  EXPECT_EQ(enter[0].mods, zb::ModShift);
  EXPECT_EQ(enter[1].kind, WindowEvent::Char);
  EXPECT_EQ(enter[1].ch, 13);
  EXPECT_EQ(run("Return", 0, false).size(), 1u);  // releases type nothing
  EXPECT_EQ(run("Backspace", 0, true)[1].ch, 8);
  EXPECT_EQ(run("A", 0, true).size(), 1u);  // letters come as text input
  auto altF4 = run("F4", zb::ModAlt, true);
  ASSERT_EQ(altF4.size(), 1u);
  EXPECT_EQ(altF4[0].kind, WindowEvent::CloseRequest);
  EXPECT_TRUE(run("F4", zb::ModAlt, false).empty());
  EXPECT_TRUE(run("A", zb::ModAlt, true).empty());  // system key
  auto alt = run("Left Alt", zb::ModAlt, true);
  ASSERT_EQ(alt.size(), 1u);
  EXPECT_EQ(alt[0].key, zb::vk::Alt);
  EXPECT_EQ(run("Q", zb::ModAlt | zb::ModCtrl, true).size(), 1u);  // AltGr reaches the game
  EXPECT_TRUE(run("Volume Up", 0, true).empty());
}

TEST(ScriptParse, SurvivesArbitraryBytes) {
  // Any text either parses or is refused; none may crash or hang.
  uint32_t state = 12345;
  auto next = [&]() { return (state = state * 1103515245u + 12345u) >> 16; };
  const char* words[] = {"wait ", "move ", "press ", "key ", "type ", "shot ", "quit", "Ctrl+", "-", "9999999999 ", "\n"};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    int parts = next() % 12;
    for (int i = 0; i < parts; ++i)
      text += (next() % 3) ? std::string(words[next() % 11]) : std::string(1, static_cast<char>(next() & 0xFF));
    std::vector<zb::ScriptStep> steps;
    std::string error;
    bool ok = zb::parseScript(text, steps, error);
    EXPECT_TRUE(ok || !error.empty());
  }
}

TEST(ScriptedWindowTest, KeysFollowTheSameSystemKeyRulesAsTheRealWindow) {
  ScriptRig rig("key Alt+F4\nkeydown Alt\nkey A\nkeyup Alt\n", false);
  auto events = rig.drain();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, WindowEvent::CloseRequest);  // not a full-screen toggle
  EXPECT_EQ(events[1].kind, WindowEvent::KeyDown);
  EXPECT_EQ(events[1].key, zb::vk::Alt);
  EXPECT_EQ(events[2].kind, WindowEvent::KeyUp);  // A with Alt held is a system key
  EXPECT_EQ(events[2].key, zb::vk::Alt);
}
