#include "tools/data/gen/Palette.h"

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
  }
  return circle(cx, cy, r);
}

}  // namespace zbgen
