#include "tests/gyrex/VisualFieldRig.h"

#include <algorithm>

#include "gyrex/RRecorder.h"

namespace gyrextest {
namespace {

using namespace SpaceGyrex;

std::unique_ptr<OClip> picture(int w, int h, int frames) {
  auto clip = std::make_unique<OClip>();
  for (int f = 0; f < frames; ++f) {
    auto image = std::make_unique<OBitmap>();
    image->create(w, h, 0x102030u * uint32_t(f + 1));
    clip->addImage(std::move(image));
  }
  return clip;
}

}  // namespace

VisualRig::VisualRig(int k, const RRules& rules) {
  for (int s = 0; s < kSegments; ++s) segments[size_t(s)] = picture(s % 2 ? 22 : 42, s % 2 ? 42 : 22, 8);
  cursor = picture(42, 42, 4);
  preview.isRow = true;
  preview.name = "gamerow";
  preview.originY = 539;
  field.preview = &preview;
  field.recorder = &recorder;
  field.sparkles = false;
  RPictures pictures;
  for (int s = 0; s < kSegments; ++s) pictures.segments[size_t(s)] = segments[size_t(s)].get();
  pictures.cursor = cursor.get();
  field.attach(nullptr, pictures);
  preview.attach(nullptr, pictures);
  use(k, rules);
}

void VisualRig::use(int k, const RRules& rules) {
  kind = k;
  for (RVisualField* f : {&field, &preview}) {
    f->rules = rules;
    f->variant = k;
  }
}

void VisualRig::newGame() {
  field.New();
  preview.New();
  recorder.Reset();
  recorder.TakeField(field);
  if (kind != 0) recorder.AddRow(preview);
  recorder.gameKind = kind;
  field.clock = 0;
  field.recording = true;
}

bool VisualRig::runToRest(int limitMs, int step) {
  for (int t = 0; t < limitMs; t += step) {
    if (field.gameOver || (field.state == RVisualField::kIdle && !field.rowPending)) return true;
    field.Update(step);
  }
  return false;
}

std::string brokenInvariant(const RVisualField& f) {
  int rows = f.isRow ? 1 : kRows;
  for (int c = 0; c < kColumns; ++c) {
    for (int r = 0; r < rows; ++r) {
      for (int s = 0; s < kSegments; ++s) {
        int v = f.Colour(c, r, s);
        std::string where = "segment " + std::to_string(c) + "," + std::to_string(r) + "," + std::to_string(s);
        if (v < 0 || v > kMaxColour) return where + " holds " + std::to_string(v);
        const OClip* sp = f.sprite(c, r, s);
        if (!sp) return where + " has no sprite";
        bool shown = v > 0 && (!f.isRow || f.IsRevealed(c * kSegments + s));
        if (sp->visible != shown) return where + (shown ? " is not shown" : " is shown while empty");
        int choice = f.pictures().choices[size_t(shown ? v - 1 : 0)] % sp->imageCount;
        if (shown && sp->currentFrame != choice) return where + " shows another colour";
        // At rest every sprite sits in its own element.
        bool rest = f.state != RVisualField::kFalling && f.state != RVisualField::kSliding &&
                    f.state != RVisualField::kRising && f.state != RVisualField::kPreviewFade;
        if (rest && shown && (sp->x < f.elementX(c) || sp->x >= f.elementX(c) + 42 || sp->y < f.elementY(r) ||
                              sp->y >= f.elementY(r) + 42)) {
          return where + " is out of its element";
        }
      }
    }
  }
  return "";
}

Snapshot snapshot(const RVisualField& f) {
  Snapshot s;
  s.elements = f.ElementsText();
  // Only what is revealed counts: "Strip mania" never uses its preview.
  s.previewRow = f.preview ? f.preview->RowText().substr(0, size_t(std::max(0, f.preview->visibleElems))) : "";
  s.visible = f.preview ? f.preview->visibleElems : 0;
  s.rightColumn = f.rightColumn;
  s.score = f.score();
  return s;
}

void PrintTo(const Snapshot& s, std::ostream* out) {
  // Segment values as digits, one element (four segments) per group.
  std::string digits;
  for (size_t i = 0; i < s.elements.size(); ++i) {
    if (i && i % 4 == 0) digits += i % 48 == 0 ? '\n' : ' ';
    digits += char('0' + s.elements[i] - 1);
  }
  *out << "score " << s.score << " right " << s.rightColumn << " revealed " << s.visible << "\n" << digits;
}

}  // namespace gyrextest
