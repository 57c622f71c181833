#pragma once
// Where the up and down keys take the keyboard focus among the cells of the category window,
// found from where the cells lie on the screen, so that rows whose icons wrap onto several
// lines are walked line by line, and rows of different lengths meet at the nearest cell.

#include "platform/Geometry.h"

#include <cstddef>
#include <optional>
#include <vector>

// Among `cells`, those on the nearest line wholly below `from` (above it for !down; a line is
// the cells of one top edge), the one whose middle is nearest to the middle of `from`, the left
// one of two as near; none when no cell lies that way.
std::optional<std::size_t> nearestCellVertically(const std::vector<platform::Rect>& cells,
                                                 const platform::Rect& from, bool down);
