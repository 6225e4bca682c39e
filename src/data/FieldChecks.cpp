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

bool takeInteger(DataFileReader& file, platform::FieldCursor& fields, int field, const std::string& what,
                 std::vector<platform::ProblemBox> boxes, std::int32_t& value)
{
    const std::string_view text = fields.take();
    value = platform::intOr(text, -1);
    if (value != -1)
        return true;
    std::string message = notAnInteger(what, text) + ": the program stops with an error box (" + boxes.back().text + ")";
    file.problem(field, std::move(message), std::move(boxes));
    return false;
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
