#pragma once

#include "data/DataFile.h"
#include "platform/core/DataFields.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace sorban::data {

/// "<what> is missing or empty", "<what> "x" is not a number" or "<what> is -1": why an integer
/// field counts as -1, which the readers take for an error.
std::string notAnInteger(const std::string& what, std::string_view field);

/// Takes field `field` (1-based) as an integer into `value`. A field that gives -1 is an error: it
/// is reported with `boxes` (what the program shows, after which it stops) and false comes back.
bool takeInteger(DataFileReader& file, platform::FieldCursor& fields, int field, const std::string& what,
                 std::vector<platform::ProblemBox> boxes, std::int32_t& value);

/// A "$" note line: the text after the "$" up to its first comma; with no comma, the empty text.
std::string readNote(DataFileReader& file, std::string_view line);

/// A thorough reader's report of a record with fewer fields than it takes: the missing ones read
/// as empty.
void checkFieldCount(DataFileReader& file, const platform::FieldCursor& fields, int expected);

} // namespace sorban::data
