#pragma once
// The slim thumb a scrolled view shows beside its rows, in place of a scroll bar.

#include "platform/Geometry.h"

#include <algorithm>

constexpr int kShortestScrollCue = 8;

// Within `track`, the column the thumb moves in, for a view that shows `shown` of `total` (more
// than it shows) from `offset` on: as long as the view's share of the whole, though never shorter
// than kShortestScrollCue, and as far down the track as the view lies.
inline platform::Rect scrollCue(const platform::Rect& track, int shown, int total, int offset) {
    const int length =
        std::min(track.height, std::max(kShortestScrollCue, track.height * shown / total));
    const long long travel = track.height - length;
    return {track.left, track.top + static_cast<int>(travel * offset / (total - shown)),
            track.width, length};
}
