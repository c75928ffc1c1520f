#include "session/icon_ring.h"

#include <algorithm>

namespace brindle {

void start(IconRing& ring) {
    ring.enabled[0] = true;
}

void halt(IconRing& ring, Picture still) {
    ring.enabled.fill(false);
    ring.Picture1 = still;
}

void tick(IconRing& ring, int n) {
    if (n < 1 || n > kRingSize || !ring.enabled[n - 1]) return;
    ring.Picture1 = frame(n);
    ring.enabled[n % kRingSize] = true;
    ring.enabled[n - 1] = false;
}

int enabledCount(const IconRing& ring) {
    return static_cast<int>(std::count(ring.enabled.begin(), ring.enabled.end(), true));
}

}  // namespace brindle
