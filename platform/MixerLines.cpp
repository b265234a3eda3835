#include "platform/MixerLines.h"

#include <SDL_mixer.h>

#include "platform/AudioDevice.h"

#include <map>
#include <mutex>
#include <vector>

namespace zb {
namespace {

constexpr int kLines = 3;
constexpr int kMaxLevel = 65535;

class SdlMixerLines : public MixerLines {
public:
  bool hasLine(int kind) override { return kind >= 0 && kind < kLines; }

  int volume(int kind) override {
    if (!hasLine(kind)) return -1;
    std::lock_guard<std::mutex> lock(mutex_);
    return level_[kind];
  }

  bool setVolume(int kind, int volume) override {
    if (!hasLine(kind) || volume < 0 || volume > kMaxLevel) return false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      level_[kind] = volume;
    }
    apply();
    notify(kind, volume);
    return true;
  }

  void setMuted(int kind, bool muted) override {
    if (!hasLine(kind)) return;
    int level;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      muted_[kind] = muted;
      level = level_[kind];
    }
    apply();
    notify(kind, level);
  }

  bool isMuted(int kind) override {
    if (!hasLine(kind)) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    return muted_[kind];
  }

  int addListener(Listener listener) override {
    std::lock_guard<std::mutex> lock(mutex_);
    listeners_[nextId_] = std::move(listener);
    return nextId_++;
  }

  void removeListener(int id) override {
    std::lock_guard<std::mutex> lock(mutex_);
    listeners_.erase(id);
  }

  // Effects and music each sound at their own level times the master level,
  // on SDL_mixer's 0..128 scale.
  void apply() {
    int effects, music;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      effects = effective(kLineEffects);
      music = effective(kLineMusic);
    }
    setOutputLevels(effects, music);
  }

private:
  int effective(int kind) const {
    if (muted_[kind] || muted_[kLineMaster]) return 0;
    long long v = static_cast<long long>(level_[kind]) * level_[kLineMaster] / kMaxLevel;
    return static_cast<int>((v * MIX_MAX_VOLUME + kMaxLevel / 2) / kMaxLevel);
  }

  void notify(int kind, int volume) {
    std::vector<Listener> copy;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      for (auto& entry : listeners_) copy.push_back(entry.second);
    }
    for (auto& listener : copy) listener(kind, volume);
  }

  std::mutex mutex_;
  int level_[kLines] = {kMaxLevel, kMaxLevel, kMaxLevel};
  bool muted_[kLines] = {};
  std::map<int, Listener> listeners_;
  int nextId_ = 1;
};

SdlMixerLines& lines() {
  static SdlMixerLines s;
  return s;
}

}  // namespace

MixerLines& systemMixerLines() { return lines(); }

}  // namespace zb
