// startup-probe TITLE PROGRAM [ARGS...]: starts PROGRAM and prints the milliseconds until a window
// titled TITLE is viewable on the X display, then the program's resident memory in kB; ends it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool viewableWindowTitled(Display* display, Window window, const std::string& title)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
        XTextProperty name;
        if (XGetWMName(display, window, &name) && name.value) {
            const bool same = title == reinterpret_cast<const char*>(name.value);
            XFree(name.value);
            if (same)
                return true;
        }
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i)
        found = viewableWindowTitled(display, children[i], title);
    if (children)
        XFree(children);
    return found;
}

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup-probe TITLE PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup-probe: no X display\n");
        return 2;
    }
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // windows may vanish while we look
    const std::string title = argv[1];
    const auto started = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    double ms = -1;
    while (std::chrono::steady_clock::now() - started < std::chrono::seconds(20)) {
        if (viewableWindowTitled(display, DefaultRootWindow(display), title)) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let the first paint settle
    const long rss = residentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    if (ms < 0) {
        std::fprintf(stderr, "startup-probe: no window titled %s\n", title.c_str());
        return 1;
    }
    std::printf("%.1f %ld\n", ms, rss);
    return 0;
}
