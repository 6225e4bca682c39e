#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sorban::platform {

/// A message box the program shows: its text and its caption (UTF-8).
struct ProblemBox {
    std::string text;
    std::string caption;
};

/// Something a reader found in a data file: where it is, what it means for whoever prepares the
/// data, and the boxes the program shows for it, in order (none where the program shows nothing).
struct FileProblem {
    std::string file; ///< the file's name, as "knj_yomi.csv"
    int line = 0;     ///< the file's line, 1-based; 0 for the file as a whole
    int field = 0;    ///< the line's field, 1-based; 0 for the line as a whole
    std::string message;
    std::vector<ProblemBox> boxes;
    bool warning = false; ///< worth knowing, though no teacher sees a wrong value for it
};

/// Where a record of a data file came from, and the fields that name it (a kanji, a reading),
/// which the program itself passes over: what a check across files compares.
struct RecordTrace {
    std::string_view file;
    int index = 0; ///< the record's place among the file's records, from 0
    int line = 0;
    std::string_view kanji;
    std::string_view reading;
};

/// Where the readers of the data files report what they find.
class ProblemSink {
public:
    virtual ~ProblemSink() = default;
    virtual void report(const FileProblem& problem) = 0;
    /// Whether the readers also look for what the program shows no box for: lines it would cut or
    /// end early, values that convert but are wrong, records that shift the ones after them.
    virtual bool thorough() const { return false; }
    /// A thorough reader's record, as it is read.
    virtual void recorded(const RecordTrace&) {}
};

/// The program's sink: shows each problem's boxes through dialogs(), one after the other.
ProblemSink& programSink();

} // namespace sorban::platform
