#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/AudioDevice.h"

// One effect on the mixing device: the WAV file's samples in a static
// buffer of their own. The file is taken to be a canonical PCM WAV with a
// 44-byte header: format block at byte 20, data length at byte 40, samples
// from byte 44.
class OSoundData {
public:
  static constexpr size_t kFormatOffset = 20;
  static constexpr size_t kLengthOffset = 40;
  static constexpr size_t kDataOffset = 44;

  // Reads `fileName` and builds its buffer on `device`. nullptr when the
  // file cannot be read, is shorter than its header or than its stated data
  // length, or the device refuses the format.
  static std::unique_ptr<OSoundData> create(zb::SoundDevice& device, const std::string& fileName);

  // Plays once; `restart` rewinds an effect that is still sounding, otherwise
  // it simply continues. A buffer whose memory was lost is refilled first.
  void play(bool restart);

  // Reads a whole effect file (at most kMaxFileBytes); false when it cannot
  // be opened or read completely.
  static constexpr long kMaxFileBytes = 64L * 1024 * 1024;
  static bool readFile(const std::string& fileName, std::vector<uint8_t>& out);

  size_t dataLength() const { return dataLength_; }
  const zb::WaveFormat& format() const { return format_; }

private:
  OSoundData() = default;
  // Copies the samples from the read position into the locked buffer and
  // pads what the file lacks with silence.
  void fill();

  std::vector<uint8_t> file_;
  zb::WaveFormat format_;
  size_t readPos_ = kDataOffset;
  size_t dataLength_ = 0;
  std::unique_ptr<zb::SoundBuffer> buffer_;
};
