#pragma once

#include "handwriting/Ink.h"
#include "handwriting/StrokeMatcher.h"

#include <random>
#include <vector>

namespace sorban::test {

/// The slips people make, and tablets make for them.
enum class Slip { None, Swapped, LastMissing, Joined };

/// A kanji as a hand writes it on a pad of side `pad`, from its template's stroke ends: each
/// stroke a slightly bowed, shaky line between ends placed a little off; the whole at a random
/// size, place and slant; with one slip of the kind asked (none for a one-stroke kanji).
std::vector<handwriting::Stroke> writtenBy(const handwriting::Template& t, Slip slip, std::mt19937& random, float pad);

} // namespace sorban::test
