#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sorban::fuzz {

/// Each harness writes `data` as the file(s) its reader reads and runs the program's own reader on
/// them. Nothing it is given may crash it or make it touch memory it does not own.
void mainDataFiles(const std::uint8_t* data, std::size_t size);
void jukujikunFiles(const std::uint8_t* data, std::size_t size);
void searchTableFiles(const std::uint8_t* data, std::size_t size);
void settingsFile(const std::uint8_t* data, std::size_t size);
void jpegPicture(const std::uint8_t* data, std::size_t size);
/// A text as the text check takes it from a file: decoded, cut into words by the analyser (where
/// it is installed), split over its kanji and marked; a tab parts a word and a reading to split.
void checkedText(const std::uint8_t* data, std::size_t size);

/// Strokes as a pen, a finger or a broken device gives them to the writing pad (5 bytes a step: what,
/// then x and y as 16-bit numbers, far outside the pad too), then the candidates of both recognisers.
void writtenStrokes(const std::uint8_t* data, std::size_t size);

/// The harness of the named target ("main_data", "jukujikun", "search_tables", "settings", "jpeg", "text", "ink").
using Harness = void (*)(const std::uint8_t*, std::size_t);
Harness harnessNamed(const std::string& name);

} // namespace sorban::fuzz
