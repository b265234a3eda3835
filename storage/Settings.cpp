#include "storage/Settings.h"

#include <cmath>
#include <cstdlib>

#include "platform/ZoomSteps.h"

namespace zb {
namespace {

// "2" or "1.5" to 200 or 150; anything that is not a zoom step gives 0.
int32_t zoomFromText(const std::string& text) {
  if (text.empty()) return 0;
  char* end = nullptr;
  // Only digits and one point: a locale's decimal comma must not change the meaning.
  if (text.find_first_not_of("0123456789.") != std::string::npos) return 0;
  double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !(value > 0) || value > 100) return 0;
  const double percent = value * 100;
  const int32_t rounded = static_cast<int32_t>(std::lround(percent));
  return std::fabs(percent - rounded) < 1e-6 && isZoomStep(rounded) ? rounded : 0;
}

std::string zoomToText(int32_t percent) {
  std::string text = std::to_string(percent / 100);
  if (int32_t rest = percent % 100) {
    text += '.' + std::to_string(rest / 10);
    if (rest % 10) text += std::to_string(rest % 10);
  }
  return text;
}

// Variants per family (Tessel, Sinkra, Gyrex).
constexpr int kKindsPerFamily[3] = {4, 5, 3};

int32_t clampVolume(int32_t v) { return v < 0 ? 0 : (v > 65535 ? 65535 : v); }

}  // namespace

Settings loadSettings(OConfig& tree, int32_t currentSoundVolume, int32_t currentMusicVolume,
                      const std::string& path) {
  tree.loadEncrypted(path, kSaveKeyText, OConfig::kSmallFileLimits);  // an unreadable file leaves the tree empty
  Settings s;
  s.music = tree.getInt("Music", 1);
  s.sound = tree.getInt("Sound", 1) != 0;
  s.directSound = tree.getInt("DirectSound", 1) != 0;
  s.windowMode = tree.getInt("WindowMode", 1) != 0;
  s.animation = tree.getInt("Animation", 1) != 0;
  s.zoom = zoomFromText(tree.getRaw("WindowZoom", ""));
  s.playerName = tree.getString("PlayerName", "Anonymous");
  s.globalAutosave = tree.getInt("GlobalAutosave", 1) != 0;
  s.soundVolume = clampVolume(tree.getInt("SoundVolume", currentSoundVolume));
  s.musicVolume = clampVolume(tree.getInt("MusicVolume", currentMusicVolume));
  // Stored as a signed byte: -1 is "none" (255 in memory).
  const int32_t index = tree.getInt("GameIndex", -1);
  s.gameIndex = (index >= 0 && index <= 2) ? uint8_t(index) : uint8_t(255);
  s.gameKind = tree.getInt("GameKind", 0);
  s.publishAddress = tree.getString("PublishAddress", "");
  if (s.gameIndex == 255 || s.gameKind < 0 || s.gameKind >= kKindsPerFamily[s.gameIndex]) s.gameKind = 0;
  return s;
}

bool saveSettings(OConfig& tree, const Settings& s, bool gameExists, const std::string& path,
                  std::vector<SaveFailure>* failures) {
  tree.clearAll();
  tree.setInt("Music", s.music);
  tree.setInt("Sound", s.sound ? 1 : 0);
  tree.setInt("DirectSound", s.directSound ? 1 : 0);
  tree.setInt("WindowMode", s.windowMode ? 1 : 0);
  tree.setString("PlayerName", s.playerName);
  tree.setInt("GlobalAutosave", s.globalAutosave ? 1 : 0);
  tree.setInt("SoundVolume", s.soundVolume);
  tree.setInt("MusicVolume", s.musicVolume);
  tree.setInt("Animation", s.animation ? 1 : 0);
  if (isZoomStep(s.zoom)) tree.setRaw("WindowZoom", zoomToText(s.zoom));
  tree.setInt("GameIndex", int8_t(s.gameIndex));
  if (gameExists) tree.setInt("GameKind", s.gameKind);
  // Set by hand by a player who has a score page; kept as it is.
  if (!s.publishAddress.empty()) tree.setString("PublishAddress", s.publishAddress);
  std::string reason;
  if (tree.saveEncrypted(path, kSaveKeyText, &reason)) return true;
  if (failures) failures->push_back({path, reason});
  return false;
}

}  // namespace zb
