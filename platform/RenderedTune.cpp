#include "platform/RenderedTune.h"

#include <vorbis/vorbisfile.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/MidiCheck.h"

namespace zb {
namespace {

bool readMidi(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t buf[16384];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0 && out.size() <= kMaxMidiBytes) out.insert(out.end(), buf, buf + n);
  bool ok = !std::ferror(f) && out.size() <= kMaxMidiBytes;
  std::fclose(f);
  return ok;
}

// The tag of the Vorbis file, read from its headers only.
std::string renderedFrom(const std::string& oggPath) {
  OggVorbis_File vf;
  if (ov_fopen(oggPath.c_str(), &vf) != 0) return "";
  std::string value;
  if (vorbis_comment* vc = ov_comment(&vf, -1))
    if (const char* v = vorbis_comment_query(vc, kRenderedFromTag, 0)) value = v;
  ov_clear(&vf);
  return value;
}

}  // namespace

std::string midiDigest(const uint8_t* data, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most 4 GiB a call; tunes are far smaller, but stay exact.
  for (size_t done = 0; done < size;) {
    uInt n = static_cast<uInt>(std::min<size_t>(size - done, 1u << 30));
    crc = crc32(crc, data + done, n);
    done += n;
  }
  char hex[32];
  std::snprintf(hex, sizeof hex, "%08lx-%zx", crc & 0xFFFFFFFFul, size);
  return hex;
}

std::string renderedTuneFor(const std::string& midiPath) {
  size_t dot = midiPath.rfind('.');
  size_t slash = midiPath.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ogg = midiPath.substr(0, dot) + ".ogg";
  std::string tag = renderedFrom(ogg);
  if (tag.empty()) return "";
  std::vector<uint8_t> midi;
  if (!readMidi(midiPath, midi)) return "";
  return tag == midiDigest(midi.data(), midi.size()) ? ogg : "";
}

}  // namespace zb
