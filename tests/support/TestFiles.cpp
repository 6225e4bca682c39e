#include "support/TestFiles.h"

#include "platform/core/TextCodec.h"

#include <cstdlib>
#include <fstream>
#include <grp.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace sorban::test {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "sorban-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

void writeBytes(const std::filesystem::path& file, std::string_view bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

int inChild(const std::function<int()>& body, bool asNobody)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (asNobody && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(99);
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int inChildWithMemoryLeft(std::size_t bytes, const std::function<int()>& body)
{
    return inChild([&] {
        std::ifstream status("/proc/self/status");
        std::string key;
        rlim_t kib = 0;
        while (status >> key && key != "VmSize:")
            status.ignore(256, '\n');
        status >> kib;
        const rlimit limit{(kib << 10) + bytes, (kib << 10) + bytes};
        if (kib == 0 || setrlimit(RLIMIT_AS, &limit) != 0)
            return 2;
        return body();
    });
}

bool isRoot()
{
    return geteuid() == 0;
}

std::string sjis(std::string_view utf8)
{
    return platform::utf8ToSjis(utf8);
}

void writeSjis(const std::filesystem::path& file, std::string_view utf8)
{
    std::string crlf;
    for (const char c : utf8) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    writeBytes(file, sjis(crlf));
}

} // namespace sorban::test
