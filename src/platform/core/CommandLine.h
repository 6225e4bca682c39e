#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace sorban::platform {

/// What a command's arguments ask for: a run with its operands, its help, its version, or nothing
/// it understands (`wrong` says why).
struct CommandLine {
    enum class Ask { Run, Help, Version, Wrong };
    Ask ask = Ask::Run;
    std::vector<std::string> operands;
    std::string wrong;
};

/// Reads argv: --help (or -h) and --version win; any other argument beginning with "-" is an
/// unknown option, except, with `toolkitOptions`, one dash options left to the window toolkit
/// (-platform, -display …) and their values; the run takes exactly `operands` operands ("--" ends the options).
CommandLine readCommandLine(int argc, char** argv, std::size_t operands, bool toolkitOptions = false);

/// Answers what `line` asks for that is no run: prints `help` (--help) or "<command> (Sorban) <version>"
/// (--version) to standard output, or the reason and `usage` to standard error. Returns the exit
/// code (0, or 2 for a wrong command line), or -1 for a run.
int answerCommandLine(const CommandLine& line, const char* command, const char* usage, const char* help);

} // namespace sorban::platform
