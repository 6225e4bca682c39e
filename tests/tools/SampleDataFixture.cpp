#include "tools/SampleDataFixture.h"

#include "platform/core/TextCodec.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace sorban::test {

int run(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::filesystem::path& SampleDataTest::generated()
{
    static const std::filesystem::path dir = SORBAN_SAMPLE_DIR;
    return dir;
}

void SampleDataTest::copyKdata()
{
    std::filesystem::copy(generated() / "kdata", work / "kdata");
}

std::vector<std::string> SampleDataTest::lines(const std::string& file) const
{
    std::ifstream in(work / "kdata" / file, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    std::istringstream text(platform::sjisToUtf8(all.str()));
    std::vector<std::string> out;
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

void SampleDataTest::setLines(const std::string& file, const std::vector<std::string>& lines) const
{
    std::string text;
    for (const auto& l : lines)
        text += l + "\n";
    writeSjis(work / "kdata" / file, text);
}

} // namespace sorban::test
