#pragma once

#include <string>

namespace kdatacheck {

/// Whether the user's locale is Japanese: the first of LC_ALL, LC_MESSAGES and LANG that is set
/// begins with "ja".
bool japaneseLocale();

/// A report's message in Japanese, for the teachers and school helpers who run kdata-check on a
/// Japanese desktop; a message no rule knows stays as it is.
std::string inJapanese(const std::string& message);

/// The closing line: how many problems, how many of them only warnings.
std::string summary(int problems, int warnings, bool japanese);

} // namespace kdatacheck
