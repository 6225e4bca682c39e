#include "data/DataFile.h"

#include "platform/core/TextCodec.h"

namespace sorban::data {

DataFileReader::DataFileReader(const std::filesystem::path& dir, const FileFormat& format, platform::ProblemSink& sink)
    : m_format(format), m_sink(sink), m_in(dir / format.name, format.buffer)
{
    if (!m_in.isOpen())
        m_sink.report({m_format.name,
                       0,
                       0,
                       "the file is missing (or is no regular file): the program shows its missing-file box",
                       {{m_format.missingText, m_format.missingCaption}}});
}

DataFileReader::~DataFileReader()
{
    finishLongLine();
}

bool DataFileReader::next(std::string_view& line)
{
    if (!m_in.next(line)) {
        if (!m_ended && thorough()) {
            m_ended = true;
            finishLongLine();
            if (const auto& mark = m_in.endMark()) {
                m_sink.report({m_format.name,
                               mark->line,
                               0,
                               mark->dataAfter ? "Ctrl+Z (0x1A) byte: the program stops reading the file here, before what follows it"
                                               : "Ctrl+Z (0x1A) byte at the end of the file: the program stops reading there",
                               {},
                               !mark->dataAfter});
            }
        }
        return false;
    }
    if (thorough())
        checkLine(line);
    return true;
}

void DataFileReader::checkLine(std::string_view line)
{
    const auto& facts = m_in.facts();
    if (!facts.continued) {
        finishLongLine();
        m_longLine = facts.line;
    }
    const std::size_t offset = m_lineBytes;
    m_lineBytes += line.size();
    ++m_pieces;
    if (!facts.cut)
        finishLongLine();
    if (facts.nul)
        problem(0, "NUL byte: the program's line ends there, and the rest of what it read with it is lost");
    if (facts.loneCr)
        problem(0, "carriage return without a line feed: the program keeps it inside the line");
    std::size_t bad = 0;
    if (!isShiftJis(line, &bad))
        problem(0, "bytes that are not valid Shift-JIS at byte " + std::to_string(offset + bad + 1));
}

// A line cut into pieces is reported once it is whole, with its length.
void DataFileReader::finishLongLine()
{
    if (m_pieces > 1) {
        const std::size_t limit = m_format.buffer - 1;
        m_sink.report({m_format.name,
                       m_longLine,
                       0,
                       "line of " + std::to_string(m_lineBytes) + " bytes is longer than the " + std::to_string(limit)
                           + " the program reads at once: it is read as " + std::to_string(m_pieces)
                           + " lines, each taken for a line of its own",
                       {}});
    }
    m_lineBytes = 0;
    m_pieces = 0;
}

void DataFileReader::problem(int field, std::string message, std::vector<platform::ProblemBox> boxes, bool warning)
{
    m_sink.report({m_format.name, line(), field, std::move(message), std::move(boxes), warning});
}

void DataFileReader::problemAt(int line, int field, std::string message)
{
    m_sink.report({m_format.name, line, field, std::move(message), {}, false});
}

void DataFileReader::fileProblem(std::string message, bool warning)
{
    m_sink.report({m_format.name, 0, 0, std::move(message), {}, warning});
}

void DataFileReader::recorded(int index, std::string_view kanji, std::string_view reading)
{
    m_sink.recorded({m_format.name, index, line(), kanji, reading});
}

platform::ProblemBox fieldErrorBox(std::string word)
{
    return {std::move(word), "ご報告"};
}

bool isShiftJis(std::string_view text, std::size_t* badByte)
{
    // The bytes' shape first, cheaply; then one conversion of the whole text finds a double-byte
    // code the code page lacks, and only then is each character converted to find it.
    bool shapeOnly = true;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto b = static_cast<unsigned char>(text[i]);
            bool bad = false;
            if (platform::isSjisLeadByte(b)) {
                const auto trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
                bad = !platform::isSjisTrailByte(trail) || (!shapeOnly && platform::sjisToUtf8(text.substr(i, 2)) == "\xEF\xBF\xBD");
                if (bad && badByte)
                    *badByte = i;
                ++i;
            } else {
                bad = b >= 0x80 && !(b >= 0xA1 && b <= 0xDF); // half-width katakana are single bytes
                if (bad && badByte)
                    *badByte = i;
            }
            if (bad)
                return false;
        }
        if (platform::sjisToUtf8(text).find("\xEF\xBF\xBD") == std::string::npos)
            return true;
        shapeOnly = false;
    }
    return false;
}

} // namespace sorban::data
