#include "tools/data/gen/Palette.h"

#include <algorithm>

#include "tools/data/gen/Shading.h"

namespace zbgen {

Sdf emblemShape(Emblem e, float cx, float cy, float r) {
  switch (e) {
    case Emblem::Circle: return circle(cx, cy, r * 0.8f);
    case Emblem::Triangle:
      return offset(polygon({cx, cy - r * 0.85f, cx + r * 0.8f, cy + r * 0.6f, cx - r * 0.8f, cy + r * 0.6f}), 0.5f);
    case Emblem::Square: return roundRect(cx - r * 0.68f, cy - r * 0.68f, cx + r * 0.68f, cy + r * 0.68f, r * 0.12f);
    case Emblem::Diamond: return polygon({cx, cy - r * 0.95f, cx + r * 0.75f, cy, cx, cy + r * 0.95f, cx - r * 0.75f, cy});
    case Emblem::Star: return star(cx, cy + r * 0.06f, r * 0.95f, r * 0.42f, 5, 0);
    case Emblem::Cross:
      return unite(roundRect(cx - r * 0.85f, cy - r * 0.26f, cx + r * 0.85f, cy + r * 0.26f, r * 0.08f),
                   roundRect(cx - r * 0.26f, cy - r * 0.85f, cx + r * 0.26f, cy + r * 0.85f, r * 0.08f));
    case Emblem::Ring: return ring(cx, cy, r * 0.62f, r * 0.22f);
    case Emblem::Bars:
      return unite(roundRect(cx - r * 0.8f, cy - r * 0.62f, cx + r * 0.8f, cy - r * 0.12f, r * 0.08f),
                   roundRect(cx - r * 0.8f, cy + r * 0.12f, cx + r * 0.8f, cy + r * 0.62f, r * 0.08f));
  }
  return circle(cx, cy, r);
}

bool isLightColour(const Rgba& c) { return 0.3f * c.r + 0.59f * c.g + 0.11f * c.b > 0.55f; }

Rgba emblemInk(const Rgba& base) { return isLightColour(base) ? scaled(base, 0.3f) : lighten(base, 0.78f); }

void markEmblem(Canvas& c, Emblem e, const Rgba& base, float cx, float cy, float r) {
  Sdf em = emblemShape(e, cx, cy, r);
  Rgba halo = isLightColour(base) ? Rgba{1, 1, 0.96f, 0.5f} : Rgba{0.05f, 0.04f, 0.03f, 0.55f};
  c.fill(subtract(offset(em, std::max(1.0f, r * 0.1f)), em), halo);
  engrave(c, em, emblemInk(base), std::max(0.6f, r / 16.0f));
}

}  // namespace zbgen
