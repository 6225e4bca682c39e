#include "data/FieldChecks.h"

#include "platform/core/TextCodec.h"

namespace sorban::data {

std::string notAnInteger(const std::string& what, std::string_view field)
{
    if (field.empty())
        return what + " is missing or empty";
    if (platform::convertInt(field))
        return what + " is -1";
    return what + " \"" + platform::sjisToUtf8(field) + "\" is not a number";
}

void reportNotAnInteger(DataFileReader& file, int field, std::string_view text, FieldError error)
{
    std::string message = notAnInteger(error.what, text) + ": the program stops with an error box (" + error.boxes.back().text + ")";
    file.problem(field, std::move(message), std::move(error.boxes));
}

std::string readNote(DataFileReader& file, std::string_view line)
{
    platform::FieldCursor note(line.substr(1));
    std::string text(note.take());
    if (file.thorough() && note.ranOut())
        file.problem(0, "note line has no comma: the note would be empty");
    return text;
}

void checkFieldCount(DataFileReader& file, const platform::FieldCursor& fields, int expected)
{
    if (file.thorough() && fields.ranOut())
        file.problem(0, "record has fewer than the " + std::to_string(expected)
                            + " comma-terminated fields the program takes: the missing ones read as empty");
}

} // namespace sorban::data
