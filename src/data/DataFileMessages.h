#pragma once

#include <string>

namespace sorban::data {

/// The missing-file box of the data files: "ご注意！" under the file's own sentence.
void reportMissingFile(const std::string& sentence);

/// A bad field: its error word under the caption "ご報告".
void reportFieldError(const std::string& word);

} // namespace sorban::data
