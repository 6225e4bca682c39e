#pragma once

#include "platform/core/FileProblem.h"
#include "platform/core/LineReader.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sorban::data {

/// The folder of the data files, under the working directory.
inline constexpr const char* DataFolder = "kdata";

/// How a data file is opened and cut into lines: its name, its reader's buffer (one read takes at
/// most buffer - 1 bytes, the line feed included) and the box the program shows when it is missing.
struct FileFormat {
    const char* name;
    std::size_t buffer;
    const char* missingText;
    const char* missingCaption;
};

/// A data file as its reader takes it: the program's line reader over it, and the one place its
/// problems go. A missing file is reported on opening; when the sink is thorough, so is every
/// line the program would read otherwise than its author meant (cut into pieces, ended early at a
/// NUL byte, a lone carriage return kept, bytes that are no Shift-JIS) and a Ctrl+Z that ends the
/// file.
class DataFileReader {
public:
    DataFileReader(const std::filesystem::path& dir, const FileFormat& format, platform::ProblemSink& sink);
    ~DataFileReader();
    DataFileReader(const DataFileReader&) = delete;
    DataFileReader& operator=(const DataFileReader&) = delete;

    bool isOpen() const { return m_in.isOpen(); }
    /// The next line as the program reads it, or false at the file's end.
    bool next(std::string_view& line);
    /// The file's line (1-based) of the line last taken.
    int line() const { return m_in.facts().line; }
    const FileFormat& format() const { return m_format; }
    bool thorough() const { return m_sink.thorough(); }

    /// Reports a problem of the line last taken, with the boxes the program shows for it.
    void problem(int field, std::string message, std::vector<platform::ProblemBox> boxes = {}, bool warning = false);
    /// Reports a problem of an earlier line.
    void problemAt(int line, int field, std::string message);
    /// Reports a problem of the file as a whole.
    void fileProblem(std::string message, bool warning = false);
    /// A thorough reader's record `index`, named by the fields the program passes over.
    void recorded(int index, std::string_view kanji, std::string_view reading = {});

private:
    void checkLine(std::string_view line);
    void finishLongLine();

    FileFormat m_format;
    platform::ProblemSink& m_sink;
    platform::LineReader m_in;
    std::size_t m_lineBytes = 0; // of a line cut into pieces, so far
    int m_pieces = 0;
    int m_longLine = 0;
    bool m_ended = false;
};

/// The box of a bad field: its error word under the caption "ご報告".
platform::ProblemBox fieldErrorBox(std::string word);

/// Whether `text` holds only Shift-JIS (code page 932) characters; where the first other byte is.
bool isShiftJis(std::string_view text, std::size_t* badByte = nullptr);

} // namespace sorban::data
