#include "audio/OVolumeOut.h"

#include "platform/MixerLines.h"

namespace {
constexpr int kMinimum = 0;
constexpr int kMaximum = 65535;
constexpr int kSteps = 65536;
}  // namespace

OVolumeOut::OVolumeOut(int kind, zb::MixerLines* lines)
    : kind_(kind), lines_(lines ? lines : &zb::systemMixerLines()) {
  available_ = true;
  hasVolume_ = lines_->hasLine(kind_);
  ready_ = hasVolume_;
  if (ready_) {
    listenerId_ = lines_->addListener([this](int k, int v) { onLineChanged(k, v); });
  }
}

OVolumeOut::~OVolumeOut() {
  if (listenerId_ >= 0) lines_->removeListener(listenerId_);
}

void OVolumeOut::unmute() {
  if (ready_) lines_->setMuted(kind_, false);
}

void OVolumeOut::mute() {
  if (ready_) lines_->setMuted(kind_, true);
}

int OVolumeOut::steps() { return ready_ ? kSteps : -1; }
int OVolumeOut::minimum() { return ready_ ? kMinimum : -1; }
int OVolumeOut::maximum() { return ready_ ? kMaximum : -1; }

int OVolumeOut::getVolume() { return ready_ ? lines_->volume(kind_) : -1; }

void OVolumeOut::setVolume(int volume) {
  if (!ready_ || volume < kMinimum || volume > kMaximum) return;
  lines_->setVolume(kind_, volume);
}

void OVolumeOut::setOnChange(ChangeCallback callback, void* user) {
  onChange_ = std::move(callback);
  user_ = user;
}

void OVolumeOut::onLineChanged(int kind, int volume) {
  if (kind != kind_ || volume == -1 || !onChange_) return;
  onChange_(volume, user_);
}
