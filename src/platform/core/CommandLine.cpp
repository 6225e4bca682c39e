#include "platform/core/CommandLine.h"

#include "version/Version.h"

#include <cstdio>
#include <string_view>

namespace sorban::platform {
namespace {

// The window toolkit's own options that take a value (the rest take none).
bool takesValue(std::string_view option)
{
    for (const std::string_view known :
         {"-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-display", "-style", "-stylesheet", "-session",
          "-qwindowgeometry", "-qwindowicon", "-qwindowtitle", "-geometry", "-title"})
        if (option == known)
            return true;
    return false;
}

} // namespace

CommandLine readCommandLine(int argc, char** argv, std::size_t operands, bool toolkitOptions)
{
    CommandLine line;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (!optionsEnd && (arg == "--help" || arg == "-h"))
            return {CommandLine::Ask::Help, {}, {}};
        if (!optionsEnd && arg == "--version")
            return {CommandLine::Ask::Version, {}, {}};
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
            if (!toolkitOptions || arg[1] == '-')
                return {CommandLine::Ask::Wrong, {}, "unknown option " + std::string(arg)};
            if (takesValue(arg))
                ++i;
        } else {
            line.operands.emplace_back(arg);
        }
    }
    if (line.operands.size() != operands)
        return {CommandLine::Ask::Wrong, {}, operands == 0 ? "takes no arguments" : "takes " + std::to_string(operands) + " argument"};
    return line;
}

int answerCommandLine(const CommandLine& line, const char* command, const char* usage, const char* help)
{
    switch (line.ask) {
    case CommandLine::Ask::Help:
        std::printf("%s\n%s", usage, help);
        return 0;
    case CommandLine::Ask::Version:
        std::printf("%s (Sorban) %s\n", command, Version);
        return 0;
    case CommandLine::Ask::Wrong:
        std::fprintf(stderr, "%s: %s\n%s\n", command, line.wrong.c_str(), usage);
        return 2;
    case CommandLine::Ask::Run:
        break;
    }
    return -1;
}

} // namespace sorban::platform
