#include "audio/OSound.h"

OSound::OSound(std::unique_ptr<zb::AudioBackend> backend, zb::MixerLines* lines)
    : backend_(backend ? std::move(backend) : zb::makeMixerAudio()), volumeOut_(OVolumeOut::kWaveOut, lines) {
  savedVolume_ = volumeOut_.getVolume();
  volume_ = savedVolume_ < 0 ? 0 : savedVolume_;
}

OSound::~OSound() {
  effects_.clear();
  device_.reset();
  if (savedVolume_ >= 0) volumeOut_.setVolume(savedVolume_);
  backend_.reset();
}

bool OSound::load(int number, const std::string& fileName) {
  std::vector<uint8_t> image;
  if (!OSoundData::readFile(fileName, image)) return false;
  Effect& e = effects_[number];
  e.fileName = fileName;
  e.image = std::move(image);
  e.data.reset();
  if (mode_ == 1 && device_) e.data = OSoundData::create(*device_, fileName);
  return true;
}

void OSound::play(int number, bool restart) {
  if (!enabled_) return;
  auto it = effects_.find(number);
  if (it == effects_.end()) return;
  if (mode_ == 0) {
    backend_->memorySound().play(it->second.image, restart);
  } else if (it->second.data) {
    it->second.data->play(restart);
  }
}

void OSound::unload(int number) {
  if (number == -1) {
    effects_.clear();
  } else {
    effects_.erase(number);
  }
}

bool OSound::setDirectSound(bool on) {
  if (on == (mode_ == 1)) return true;
  if (!on) {
    for (auto& entry : effects_) entry.second.data.reset();
    device_.reset();
    mode_ = 0;
    return true;
  }
  device_ = backend_->createSoundDevice();
  if (!device_) return false;
  // An effect whose buffer cannot be built stays silent in this mode.
  for (auto& entry : effects_) entry.second.data = OSoundData::create(*device_, entry.second.fileName);
  mode_ = 1;
  return true;
}

void OSound::setVolume(int volume) {
  volume_ = volume;
  volumeOut_.setVolume(volume);
}

bool OSound::hasBuffer(int number) const {
  auto it = effects_.find(number);
  return it != effects_.end() && it->second.data != nullptr;
}
