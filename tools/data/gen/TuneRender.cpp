#include "tools/data/gen/TuneRender.h"

#include <fluidsynth.h>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/RenderedTune.h"
#include "storage/Container.h"

namespace zbgen {
namespace {

constexpr int kBlock = 1024;  // frames synthesised per step
constexpr int kMaxTailFrames = 2 * kRenderRate;
constexpr float kSilent = 1.0f / 32768;  // below one 16-bit step
constexpr int kFadeFrames = kRenderRate / 50;  // 20 ms, so a cut tail cannot click
// Any change to how tunes are rendered must change this, so stale renderings are redone.
constexpr const char* kRenderVersion = "fluidsynth-r1";

// FluidSynth prints panic-level messages only; its warnings about the
// soundfont's optional parts are not the generator's business.
void quietLog() {
  for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, nullptr, nullptr);
}

struct SettingsDeleter {
  void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};
struct SynthDeleter {
  void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct PlayerDeleter {
  void operator()(fluid_player_t* p) const { delete_fluid_player(p); }
};

bool readAll(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

float blockPeak(const float* s, size_t n) {
  float peak = 0;
  for (size_t i = 0; i < n; ++i) peak = std::max(peak, std::fabs(s[i]));
  return peak;
}

// Reads an Ogg image from memory through vorbisfile's callbacks.
struct MemoryReader {
  const std::vector<uint8_t>* bytes;
  size_t pos = 0;

  static size_t read(void* ptr, size_t size, size_t count, void* self) {
    auto* r = static_cast<MemoryReader*>(self);
    size_t want = size * count, left = r->bytes->size() - r->pos;
    size_t n = std::min(want, left);
    std::memcpy(ptr, r->bytes->data() + r->pos, n);
    r->pos += n;
    return size ? n / size : 0;
  }
  static int seek(void* self, ogg_int64_t offset, int whence) {
    auto* r = static_cast<MemoryReader*>(self);
    long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<long long>(r->pos)
                                                                 : static_cast<long long>(r->bytes->size());
    long long to = base + offset;
    if (to < 0 || to > static_cast<long long>(r->bytes->size())) return -1;
    r->pos = static_cast<size_t>(to);
    return 0;
  }
  static long tell(void* self) { return static_cast<long>(static_cast<MemoryReader*>(self)->pos); }
};

// Opens `ogg` for decoding; false when it is no Vorbis stream.
bool openMemory(MemoryReader& reader, OggVorbis_File& vf) {
  ov_callbacks cb{MemoryReader::read, MemoryReader::seek, nullptr, MemoryReader::tell};
  return ov_open_callbacks(&reader, &vf, nullptr, 0, cb) == 0;
}

}  // namespace

// The synthesizer library fills its shared tables when the first synth is
// made, unguarded: two tunes rendered at once could read half-filled tables
// (seen as one tune 22 dB too loud). So one synth is made first, once.
static void prepareSynthesizer() {
  static std::once_flag once;
  std::call_once(once, [] {
    quietLog();
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
    if (settings) std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  });
}

bool synthesizeMidi(const std::vector<uint8_t>& midi, const std::string& soundFont, Pcm& out, std::string& error) {
  prepareSynthesizer();
  out.clear();
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
  if (!settings) return error = "cannot create synthesizer settings", false;
  fluid_settings_setnum(settings.get(), "synth.sample-rate", kRenderRate);
  fluid_settings_setnum(settings.get(), "synth.gain", kRenderGain);
  // One thread and no audio driver: the player advances with the samples written.
  fluid_settings_setint(settings.get(), "synth.cpu-cores", 1);
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
  if (!synth) return error = "cannot create the synthesizer", false;
  if (soundFont.empty() || fluid_synth_sfload(synth.get(), soundFont.c_str(), 1) == FLUID_FAILED)
    return error = "no General MIDI soundfont (" + (soundFont.empty() ? std::string("none found") : soundFont) + ")",
           false;
  std::unique_ptr<fluid_player_t, PlayerDeleter> player(new_fluid_player(synth.get()));
  if (!player || fluid_player_add_mem(player.get(), midi.data(), midi.size()) != FLUID_OK ||
      fluid_player_play(player.get()) != FLUID_OK)
    return error = "the synthesizer refuses the tune", false;

  std::vector<float> left(kBlock), right(kBlock);
  auto step = [&] {
    fluid_synth_write_float(synth.get(), kBlock, left.data(), 0, 1, right.data(), 0, 1);
    for (int i = 0; i < kBlock; ++i) out.push_back(left[i]), out.push_back(right[i]);
  };
  // An hour is far beyond any tune: a file that never ends is refused.
  const size_t maxFrames = static_cast<size_t>(3600) * kRenderRate;
  while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING) {
    if (out.size() / 2 > maxFrames) return error = "the tune does not end", false;
    step();
  }
  for (int tail = 0; tail < kMaxTailFrames; tail += kBlock) {
    step();
    if (blockPeak(out.data() + out.size() - 2 * kBlock, 2 * kBlock) < kSilent) break;
  }
  size_t frames = out.size() / 2;
  size_t fade = std::min<size_t>(kFadeFrames, frames);
  for (size_t i = 0; i < fade; ++i) {
    float g = static_cast<float>(i) / static_cast<float>(fade);
    out[2 * (frames - 1 - i)] *= g;
    out[2 * (frames - 1 - i) + 1] *= g;
  }
  return true;
}

std::vector<uint8_t> encodeOggVorbis(const Pcm& pcm, const std::vector<std::pair<std::string, std::string>>& comments) {
  std::vector<uint8_t> out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, kRenderChannels, kRenderRate, kRenderQuality) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  for (const auto& [key, value] : comments) vorbis_comment_add_tag(&vc, key.c_str(), value.c_str());
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 0x5A42);  // fixed serial: the same tune gives the same bytes

  auto append = [&](const ogg_page& og) {
    out.insert(out.end(), og.header, og.header + og.header_len);
    out.insert(out.end(), og.body, og.body + og.body_len);
  };
  ogg_packet header, headerComment, headerCode;
  vorbis_analysis_headerout(&vd, &vc, &header, &headerComment, &headerCode);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &headerComment);
  ogg_stream_packetin(&os, &headerCode);
  ogg_page og;
  while (ogg_stream_flush(&os, &og)) append(og);  // audio starts on a fresh page

  const size_t frames = pcm.size() / 2;
  size_t done = 0;
  bool eos = false;
  while (!eos) {
    size_t n = std::min<size_t>(kBlock, frames - done);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);  // end of stream
    } else {
      float** buf = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i) {
        buf[0][i] = pcm[2 * (done + i)];
        buf[1][i] = pcm[2 * (done + i) + 1];
      }
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      done += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &og)) {
          append(og);
          if (ogg_page_eos(&og)) eos = true;
        }
      }
    }
    if (n == 0 && !eos) {  // the last packets may still sit in the stream
      while (ogg_stream_flush(&os, &og)) append(og);
      eos = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

bool decodeOggVorbis(const std::vector<uint8_t>& ogg, Pcm& out) {
  out.clear();
  MemoryReader reader{&ogg};
  OggVorbis_File vf;
  if (!openMemory(reader, vf)) return false;
  vorbis_info* vi = ov_info(&vf, -1);
  bool ok = vi && vi->channels == kRenderChannels && vi->rate == kRenderRate;
  while (ok) {
    float** pcm;
    int section;
    long n = ov_read_float(&vf, &pcm, kBlock, &section);
    if (n == 0) break;
    if (n < 0) {
      ok = false;
      break;
    }
    for (long i = 0; i < n; ++i) out.push_back(pcm[0][i]), out.push_back(pcm[1][i]);
  }
  ov_clear(&vf);
  return ok;
}

std::string oggComment(const std::vector<uint8_t>& ogg, const std::string& key) {
  MemoryReader reader{&ogg};
  OggVorbis_File vf;
  if (!openMemory(reader, vf)) return "";
  const char* value = nullptr;
  if (vorbis_comment* vc = ov_comment(&vf, -1)) value = vorbis_comment_query(vc, key.c_str(), 0);
  std::string result = value ? value : "";
  ov_clear(&vf);
  return result;
}

std::string soundFontDigest(const std::string& soundFont) {
  std::vector<uint8_t> font;
  if (!readAll(soundFont, font)) return "";
  char hex[24];
  std::snprintf(hex, sizeof hex, "%08x%08x", Crc32(font.data(), font.size()), static_cast<uint32_t>(font.size()));
  return hex;
}

std::string renderStamp(const std::vector<uint8_t>& midi, const std::string& fontDigest) {
  char text[128];
  std::snprintf(text, sizeof text, "%08x %s %s q%.2f g%.2f %d", Crc32(midi.data(), midi.size()), fontDigest.c_str(),
                kRenderVersion, kRenderQuality, kRenderGain, kRenderRate);
  char hex[40];
  std::snprintf(hex, sizeof hex, "%08x%08x", Crc32(midi.data(), midi.size()), Crc32(text, std::strlen(text)));
  return hex;
}

std::string renderedName(const std::string& midiName) {
  size_t dot = midiName.rfind('.');
  return (dot == std::string::npos ? midiName : midiName.substr(0, dot)) + ".ogg";
}

RenderOutcome renderTunes(const std::vector<NamedFile>& tunes, const std::vector<std::string>& reuseDirs,
                          const std::string& soundFont) {
  RenderOutcome r;
  r.files.resize(tunes.size());
  std::vector<std::string> errors(tunes.size());
  std::vector<char> reused(tunes.size(), 0);
  const std::string font = soundFontDigest(soundFont);
  if (font.empty()) {
    r.error = "no General MIDI soundfont" + (soundFont.empty() ? std::string() : " at " + soundFont);
    r.files.clear();
    return r;
  }
  std::atomic<size_t> next{0};
  auto work = [&] {
    for (size_t i; (i = next++) < tunes.size();) {
      NamedFile& f = r.files[i];
      f.path = renderedName(tunes[i].path);
      std::string stamp = renderStamp(tunes[i].bytes, font);
      for (const std::string& dir : reuseDirs) {
        std::vector<uint8_t> old;
        if (!dir.empty() && readAll(dir + "/" + f.path, old) && oggComment(old, "ZENBOX_RENDER") == stamp) {
          f.bytes = std::move(old);
          reused[i] = 1;
          break;
        }
      }
      if (reused[i]) continue;
      Pcm pcm;
      if (!synthesizeMidi(tunes[i].bytes, soundFont, pcm, errors[i])) continue;
      const std::string from = zb::midiDigest(tunes[i].bytes.data(), tunes[i].bytes.size());
      f.bytes = encodeOggVorbis(pcm, {{"TITLE", tunes[i].path}, {zb::kRenderedFromTag, from}, {"ZENBOX_RENDER", stamp}});
      if (f.bytes.empty()) errors[i] = "the Vorbis encoder refuses the settings";
    }
  };
  // One tune per core at a time; each rendering stands alone, so the bytes
  // do not depend on how many run together.
  unsigned cores = std::max(1u, std::min(static_cast<unsigned>(tunes.size()), std::thread::hardware_concurrency()));
  std::vector<std::thread> threads;
  for (unsigned t = 1; t < cores; ++t) threads.emplace_back(work);
  work();
  for (auto& t : threads) t.join();
  for (size_t i = 0; i < tunes.size(); ++i) {
    if (!errors[i].empty()) {
      r.error = tunes[i].path + ": " + errors[i];
      r.files.clear();
      return r;
    }
    reused[i] ? ++r.reused : ++r.rendered;
  }
  return r;
}

}  // namespace zbgen
