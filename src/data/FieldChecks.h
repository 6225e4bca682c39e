#pragma once

#include "data/DataFile.h"
#include "platform/core/DataFields.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sorban::data {

/// "<what> is missing or empty", "<what> "x" is not a number" or "<what> is -1": why an integer
/// field counts as -1, which the readers take for an error.
std::string notAnInteger(const std::string& what, std::string_view field);

/// Why an integer field is in error: its name in reports and the boxes the program shows for it
/// (after which it stops).
struct FieldError {
    std::string what;
    std::vector<platform::ProblemBox> boxes;
};

/// Reports field `field` (1-based), whose text `text` gave -1.
void reportNotAnInteger(DataFileReader& file, int field, std::string_view text, FieldError error);

/// Takes field `field` (1-based) as an integer into `value`. A field that gives -1 is an error:
/// it is reported with what `error()` gives and false comes back. `error` runs only for a field in
/// error, so that reading a sound file builds no message.
template <typename MakeError>
bool takeInteger(DataFileReader& file, platform::FieldCursor& fields, int field, std::int32_t& value, MakeError&& error)
{
    const std::string_view text = fields.take();
    value = platform::intOr(text, -1);
    if (value != -1)
        return true;
    reportNotAnInteger(file, field, text, error());
    return false;
}

/// A "$" note line: the text after the "$" up to its first comma; with no comma, the empty text.
std::string readNote(DataFileReader& file, std::string_view line);

/// A thorough reader's report of a record with fewer fields than it takes: the missing ones read
/// as empty.
void checkFieldCount(DataFileReader& file, const platform::FieldCursor& fields, int expected);

} // namespace sorban::data
