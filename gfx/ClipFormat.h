#pragma once
#include <cstdint>

// Constants of the clip file layout shared by the loader and the writer.
namespace zb::clipfile {

constexpr char kSignature[12] = {'o', 'k', 'r', 'a', 'm', 'i', 'n', 'd', ' ', 'c', 'l', 'p'};
constexpr int kHeaderSize = 28;
constexpr int kFrameRecordSize = 28;
constexpr int kMaxImages = 1000;
// Largest image side accepted from a file.
constexpr int kMaxImageSide = 8192;
// Largest shared section accepted from a file, in pixels (96 MB of pixel
// memory), so a damaged header cannot claim a huge block.
constexpr int64_t kMaxSectionPixels = int64_t(32) << 20;
// Most sequences and frame records accepted from a file. Each costs the
// file a few bytes but the clip a child clip or an image object, so a
// damaged count must not turn a large file into millions of objects.
constexpr int kMaxSequences = 65536;
constexpr int kMaxFrames = 1 << 20;
// Key text of the enciphered JPEG payloads.
constexpr const char* kKeyText = "QuillBox";

// Kinds whose pixels are an enciphered JPEG payload.
inline bool isJpegKind(int kind) { return kind == 10 || kind == 26; }
// Kinds followed by an alpha plane.
inline bool hasAlphaPlane(int kind) { return kind == 4 || kind == 5 || kind == 6 || kind == 26; }

}  // namespace zb::clipfile
