#pragma once
#include <cstdint>
#include <string>

#include "storage/OConfig.h"
#include "storage/SaveFailure.h"

namespace zb {

// Key text of the settings file and the saved games (only 8 bytes count).
inline constexpr const char* kSaveKeyText = "TideMarsh";
inline constexpr const char* kSettingsFile = "zenbox.cfg";

// The program-wide settings kept in "zenbox.cfg". Defaults are those of a
// first start (or of a missing, damaged or foreign file).
struct Settings {
  int32_t music = 1;  // non-zero: background music on
  bool sound = true;
  bool directSound = true;
  bool windowMode = true;  // true: full-screen 800 x 600
  // Windowed zoom in percent, a step of platform/ZoomSteps.h; 0: the
  // largest that fits the desktop. Stored as "WindowZoom", a whole number
  // for whole steps ("2") and a decimal for the others ("1.5").
  int32_t zoom = 0;
  bool animation = true;
  std::string playerName = "Anonymous";
  bool globalAutosave = true;
  int32_t soundVolume = 0;  // 0..65535; default: the mixer's current volume
  int32_t musicVolume = 0;
  uint8_t gameIndex = 255;  // family of the last game: 0 Tessel, 1 Sinkra, 2 Gyrex, 255 none
  int32_t gameKind = 0;     // its variant within the family
  std::string publishAddress;  // "PublishAddress": the score page "Publish" opens; empty: none
};

// Reads the settings file into `tree` and returns its settings; every key
// that is missing (or the whole file when it does not load) takes its
// default, the volumes the current mixer volumes given here. Values out of
// range fall back to their defaults too, so a damaged file can never name
// a family or variant that does not exist.
Settings loadSettings(OConfig& tree, int32_t currentSoundVolume, int32_t currentMusicVolume,
                      const std::string& path = kSettingsFile);

// Rewrites `tree` from scratch with the settings and stores it. "GameKind"
// is written only when a game exists (the caller has saved that game
// first). False when the file could not be written; the failure is then
// added to `failures` when given.
bool saveSettings(OConfig& tree, const Settings& settings, bool gameExists,
                  const std::string& path = kSettingsFile, std::vector<SaveFailure>* failures = nullptr);

}  // namespace zb
