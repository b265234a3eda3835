#include "tests/audio/AudioFiles.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

namespace audiotest {
namespace {

// The tests never want a real sound card; without this a run outside
// CTest's environment would try ALSA and run silent.
const bool kDummyDriver = [] { return setenv("SDL_AUDIODRIVER", "dummy", 0) == 0; }();

void put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
  put16(v, x);
  put16(v, x >> 16);
}
void putBe32(std::vector<uint8_t>& v, uint32_t x) {
  for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<uint8_t>(x >> s));
}
void putText(std::vector<uint8_t>& v, const char* s) { v.insert(v.end(), s, s + std::strlen(s)); }

}  // namespace

std::vector<uint8_t> wavBytes(int rate, int channels, int bits, const std::vector<uint8_t>& data,
                              long long statedLength) {
  std::vector<uint8_t> v;
  int align = channels * bits / 8;
  putText(v, "RIFF");
  put32(v, static_cast<uint32_t>(36 + data.size()));
  putText(v, "WAVEfmt ");
  put32(v, 16);
  put16(v, 1);
  put16(v, channels);
  put32(v, rate);
  put32(v, rate * align);
  put16(v, align);
  put16(v, bits);
  putText(v, "data");
  put32(v, static_cast<uint32_t>(statedLength < 0 ? data.size() : statedLength));
  v.insert(v.end(), data.begin(), data.end());
  return v;
}

std::vector<uint8_t> constantWav(int16_t level, int ms) {
  std::vector<uint8_t> data;
  int frames = 44100 * ms / 1000;
  for (int i = 0; i < frames * 2; ++i) put16(data, static_cast<uint16_t>(level));
  return wavBytes(44100, 2, 16, data);
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> midiBytes(int noteMs) {
  const int division = 96;  // ticks per beat; a beat is 500 ms at the default tempo
  int ticks = noteMs * division / 500;
  std::vector<uint8_t> track;
  auto delta = [&](int t) {  // variable-length quantity
    uint8_t bytes[4];
    int n = 0;
    do {
      bytes[n++] = static_cast<uint8_t>(t & 0x7F);
      t >>= 7;
    } while (t);
    while (n--) track.push_back(static_cast<uint8_t>(bytes[n] | (n ? 0x80 : 0)));
  };
  delta(0);
  track.insert(track.end(), {0xC0, 0x00});  // program: piano
  delta(0);
  track.insert(track.end(), {0x90, 60, 110});  // note on
  delta(ticks);
  track.insert(track.end(), {0x80, 60, 0});  // note off
  delta(0);
  track.insert(track.end(), {0xFF, 0x2F, 0x00});  // end of track
  std::vector<uint8_t> v;
  putText(v, "MThd");
  putBe32(v, 6);
  v.insert(v.end(), {0, 0, 0, 1, 0, division});
  putText(v, "MTrk");
  putBe32(v, static_cast<uint32_t>(track.size()));
  v.insert(v.end(), track.begin(), track.end());
  return v;
}

DiskAudio::DiskAudio(const std::string& file) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
}

DiskAudio::~DiskAudio() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  unsetenv("SDL_DISKAUDIOFILE");
}

std::vector<int16_t> readSamples(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> raw{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<int16_t> out(raw.size() / 2);
  std::memcpy(out.data(), raw.data(), out.size() * 2);
  return out;
}

size_t countValue(const std::vector<int16_t>& samples, int16_t value) {
  size_t n = 0;
  for (int16_t s : samples) n += s == value;
  return n;
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

}  // namespace audiotest
