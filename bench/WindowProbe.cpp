// window-probe: how long a window takes to appear fully painted, seen from outside through the X
// server's DAMAGE extension: the time to the last paint of the window before it stays unchanged
// for a quiet interval.
//
//   window-probe start QUIET_MS TITLE PROGRAM [ARGS...]
//       starts PROGRAM; prints "MAP_MS PAINT_MS RSS_KB": when the window titled TITLE was mapped,
//       when it was last painted, and the program's resident memory then; ends the program.
//   window-probe keys QUIET_MS MAIN_TITLE ROUNDS KEY[=TITLE]... / KEY@WINDOW...
//       presses each KEY (an X keysym name, with "ctrl+", "alt+", "shift+" before it) in the window
//       MAIN_TITLE through XTEST, ROUNDS times; with =TITLE the key opens the window TITLE, whose
//       last paint is timed and which is then closed with Escape; with @WINDOW the key is pressed
//       in the open window WINDOW, whose last paint is timed; otherwise the main window's. KEY may
//       be "a/b" (pressed in turn); "!KEY@WINDOW" presses once, untimed; "~KEY@WINDOW" does not count
//       paints no larger than a text caret (16 × 40 pixels), which blinks on its own. Prints per key
//       "KEY MEDIAN_MS MIN_MS MAX_MS" and, with =TITLE, the median time to the window's mapping.
//       "^KEY@WINDOW" times the first paint after the key instead of the last.
//       "PREP;PREP>KEY@WINDOW" presses the PREPs, untimed, before each timed KEY. Besides keys:
//       "pendown:X1,Y1,X2,Y2" puts the mouse button down at X1,Y1 of the window and moves it to
//       X2,Y2; "penup" lifts it (a stroke on a writing pad, timed from the pen lifting).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point at)
{
    return std::chrono::duration<double, std::milli>(at - start).count();
}

class Probe {
public:
    explicit Probe(Display* display) : m_display(display)
    {
        int errorBase = 0;
        if (!XDamageQueryExtension(display, &m_damageEvent, &errorBase)) {
            std::fprintf(stderr, "window-probe: the X server has no DAMAGE extension\n");
            std::exit(2);
        }
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // windows vanish while we look
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
        // Windows that exist already are watched too.
        Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count; ++i) {
                watch(children[i]);
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
                    m_mapped[children[i]] = Clock::now();
            }
            XFree(children);
        }
        XSync(display, False);
    }

    // What the server reported about the windows, up to `until` or until `done` holds.
    template <typename Done>
    void run(Clock::time_point until, Done done)
    {
        while (!done() && Clock::now() < until) {
            if (!XPending(m_display)) {
                pollfd fd{ConnectionNumber(m_display), POLLIN, 0};
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
                poll(&fd, 1, static_cast<int>(std::clamp<long long>(left, 0, 5)));
                continue;
            }
            XEvent event;
            XNextEvent(m_display, &event);
            const auto now = Clock::now();
            if (event.type == CreateNotify) {
                watch(event.xcreatewindow.window);
            } else if (event.type == MapNotify) {
                m_mapped[event.xmap.window] = now;
            } else if (event.type == UnmapNotify || event.type == DestroyNotify) {
                m_mapped.erase(event.type == UnmapNotify ? event.xunmap.window : event.xdestroywindow.window);
            } else if (event.type == m_damageEvent + XDamageNotify) {
                const XRectangle& area = reinterpret_cast<XDamageNotifyEvent*>(&event)->area;
                if (!(ignoreCarets && area.width <= 16 && area.height <= 40)) {
                    m_painted[reinterpret_cast<XDamageNotifyEvent*>(&event)->drawable] = now;
                    m_firstPainted.emplace(reinterpret_cast<XDamageNotifyEvent*>(&event)->drawable, now);
                }
            }
        }
    }

    // The mapped top-level window titled `title`, if there is one.
    std::optional<Window> mapped(const std::string& title) const
    {
        for (const auto& [window, at] : m_mapped)
            if (titleOf(window) == title)
                return window;
        return std::nullopt;
    }

    std::optional<Clock::time_point> mappedAt(Window window) const { return find(m_mapped, window); }
    std::optional<Clock::time_point> paintedAt(Window window) const { return find(m_painted, window); }
    void forgetPaints()
    {
        m_painted.clear();
        m_firstPainted.clear();
    }
    /// The first paint of `window` since the paints were last forgotten.
    std::optional<Clock::time_point> firstPaintedAt(Window window) const { return find(m_firstPainted, window); }
    /// Whether a paint no larger than a text caret (16 × 40 pixels), which blinks on its own, is not counted.
    bool ignoreCarets = false;

    // Waits until `window` has not been painted for `quiet` after a paint at or after `since`.
    std::optional<Clock::time_point> lastPaint(Window window, Clock::time_point since, std::chrono::milliseconds quiet)
    {
        run(Clock::now() + std::chrono::seconds(20), [&] {
            const auto painted = paintedAt(window);
            return painted && *painted >= since && Clock::now() - *painted > quiet;
        });
        const auto painted = paintedAt(window);
        if (!painted || *painted < since)
            return std::nullopt;
        return painted;
    }

    // Presses KEYSYM, or MODIFIER+...+KEYSYM ("ctrl+l"), with the modifiers held around it; or
    // puts the pen down and moves it ("pendown:X1,Y1,X2,Y2"), or lifts it ("penup").
    void press(Window window, const std::string& keys)
    {
        XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
        if (keys.rfind("pen", 0) == 0) {
            pen(window, keys);
            return;
        }
        std::vector<KeyCode> codes;
        for (std::size_t from = 0;;) {
            const std::size_t plus = keys.find('+', from);
            std::string name = keys.substr(from, plus == std::string::npos ? std::string::npos : plus - from);
            name = name == "ctrl" ? "Control_L" : name == "alt" ? "Alt_L" : name == "shift" ? "Shift_L" : name;
            const KeyCode code = XKeysymToKeycode(m_display, XStringToKeysym(name.c_str()));
            if (code == 0) {
                std::fprintf(stderr, "window-probe: no key %s\n", name.c_str());
                std::exit(2);
            }
            codes.push_back(code);
            if (plus == std::string::npos)
                break;
            from = plus + 1;
        }
        XSync(m_display, False);
        for (const KeyCode code : codes)
            XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
            XTestFakeKeyEvent(m_display, *code, False, CurrentTime);
        XFlush(m_display);
    }

private:
    void pen(Window window, const std::string& how)
    {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (how == "penup") {
            XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        } else if (std::sscanf(how.c_str(), "pendown:%d,%d,%d,%d", &x1, &y1, &x2, &y2) == 4) {
            int left = 0, top = 0;
            Window child = 0;
            XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &left, &top, &child);
            XTestFakeMotionEvent(m_display, -1, left + x1, top + y1, CurrentTime);
            XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
            constexpr int Steps = 20;
            for (int i = 1; i <= Steps; ++i)
                XTestFakeMotionEvent(m_display, -1, left + x1 + (x2 - x1) * i / Steps, top + y1 + (y2 - y1) * i / Steps, CurrentTime);
        } else {
            std::fprintf(stderr, "window-probe: no pen step %s\n", how.c_str());
            std::exit(2);
        }
        XFlush(m_display);
    }

    // The window's title as UTF-8: _NET_WM_NAME, which holds any script, else WM_NAME.
    std::string titleOf(Window window) const
    {
        const Atom netName = XInternAtom(m_display, "_NET_WM_NAME", False);
        const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string title;
        if (XGetWindowProperty(m_display, window, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success
            && data) {
            title.assign(reinterpret_cast<const char*>(data), count);
            XFree(data);
            return title;
        }
        char* name = nullptr;
        if (XFetchName(m_display, window, &name) && name) {
            title = name;
            XFree(name);
        }
        return title;
    }

    void watch(Window window) { XDamageCreate(m_display, window, XDamageReportRawRectangles); }

    static std::optional<Clock::time_point> find(const std::map<Window, Clock::time_point>& times, Window window)
    {
        const auto it = times.find(window);
        return it == times.end() ? std::nullopt : std::optional(it->second);
    }

    Display* m_display;
    int m_damageEvent = 0;
    std::map<Window, Clock::time_point> m_mapped;
    std::map<Window, Clock::time_point> m_painted;
    std::map<Window, Clock::time_point> m_firstPainted;
};

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int start(Probe& probe, std::chrono::milliseconds quiet, const std::string& title, char** program)
{
    const auto started = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execv(program[0], program);
        _exit(127);
    }
    std::optional<Window> window;
    probe.run(started + std::chrono::seconds(20), [&] { return (window = probe.mapped(title)).has_value(); });
    const auto painted = window ? probe.lastPaint(*window, started, quiet) : std::nullopt;
    const long rss = residentKb(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    if (!painted) {
        std::fprintf(stderr, "window-probe: no painted window titled %s\n", title.c_str());
        return 1;
    }
    std::printf("%.1f %.1f %ld\n", msSince(started, *probe.mappedAt(*window)), msSince(started, *painted), rss);
    return 0;
}

int keys(Probe& probe, std::chrono::milliseconds quiet, const std::string& mainTitle, int rounds, int count, char** presses)
{
    std::optional<Window> main;
    probe.run(Clock::now() + std::chrono::seconds(20), [&] { return (main = probe.mapped(mainTitle)).has_value(); });
    if (!main) {
        std::fprintf(stderr, "window-probe: no window titled %s\n", mainTitle.c_str());
        return 1;
    }
    probe.lastPaint(*main, Clock::time_point{}, quiet); // the window settles first
    for (int s = 0; s < count; ++s) {
        const std::string press = presses[s];
        // KEY[=OPENS] or KEY@WINDOW; KEY may be "a/b", pressed in turn; a leading "!" presses once,
        // untimed; a leading "~" leaves a blinking caret's paints out; "^" times the first paint.
        const bool untimed = press[0] == '!';
        const bool firstPaint = press[0] == '^';
        probe.ignoreCarets = press[0] == '~';
        std::string step = press.substr(untimed || firstPaint || probe.ignoreCarets ? 1 : 0);
        std::vector<std::string> preparations;
        if (const auto gt = step.find('>'); gt != std::string::npos) {
            for (std::size_t from = 0, semi; from < gt; from = semi + 1) {
                semi = std::min(step.find(';', from), gt);
                preparations.push_back(step.substr(from, semi - from));
            }
            step = step.substr(gt + 1);
        }
        const auto equals = step.find('=');
        const auto at = step.find('@');
        const std::string keyList = step.substr(0, std::min(equals, at));
        const std::string opens = equals == std::string::npos ? std::string() : step.substr(equals + 1);
        std::optional<Window> in = main;
        if (at != std::string::npos && !(in = probe.mapped(step.substr(at + 1)))) {
            std::fprintf(stderr, "window-probe: no window titled %s\n", step.substr(at + 1).c_str());
            return 1;
        }
        std::vector<std::string> alternatives;
        for (std::size_t from = 0, slash; from <= keyList.size(); from = slash + 1) {
            slash = keyList.find('/', from);
            alternatives.push_back(keyList.substr(from, slash == std::string::npos ? std::string::npos : slash - from));
            if (slash == std::string::npos)
                break;
        }
        if (untimed) {
            probe.press(*in, alternatives.front());
            probe.lastPaint(*in, Clock::now(), quiet);
            continue;
        }
        std::vector<double> paints;
        std::vector<double> maps;
        for (int round = 0; round < rounds; ++round) {
            for (const std::string& p : preparations) { // each may paint, or not: its time passes quietly
                probe.press(*in, p);
                probe.run(Clock::now() + quiet, [] { return false; });
            }
            probe.forgetPaints();
            const auto pressed = Clock::now();
            const std::string key = alternatives[static_cast<std::size_t>(round) % alternatives.size()];
            probe.press(*in, key);
            Window target = *in;
            if (!opens.empty()) {
                std::optional<Window> window;
                probe.run(pressed + std::chrono::seconds(20), [&] { return (window = probe.mapped(opens)).has_value(); });
                if (!window) {
                    std::fprintf(stderr, "window-probe: %s opened no window titled %s\n", key.c_str(), opens.c_str());
                    return 1;
                }
                target = *window;
                maps.push_back(msSince(pressed, *probe.mappedAt(target)));
            }
            auto painted = probe.lastPaint(target, pressed, quiet);
            if (firstPaint)
                painted = probe.firstPaintedAt(target);
            if (!painted) {
                std::fprintf(stderr, "window-probe: %s painted nothing\n", key.c_str());
                return 1;
            }
            paints.push_back(msSince(pressed, *painted));
            if (!opens.empty()) {
                probe.press(target, "Escape");
                probe.run(Clock::now() + std::chrono::seconds(20), [&] { return !probe.mapped(opens); });
                probe.lastPaint(*main, Clock::now(), quiet); // the main window may repaint where it was
            }
        }
        std::printf("%s %.1f %.1f %.1f", press.c_str(), median(paints), *std::min_element(paints.begin(), paints.end()),
                    *std::max_element(paints.begin(), paints.end()));
        if (!maps.empty())
            std::printf(" map %.1f", median(maps));
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (!((mode == "start" && argc >= 5) || (mode == "keys" && argc >= 6))) {
        std::fprintf(stderr, "usage: window-probe start QUIET_MS TITLE PROGRAM [ARGS...]\n"
                             "       window-probe keys QUIET_MS MAIN_TITLE ROUNDS KEY[=TITLE]...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window-probe: no X display\n");
        return 2;
    }
    Probe probe(display);
    const std::chrono::milliseconds quiet(std::atoi(argv[2]));
    const int code =
        mode == "start" ? start(probe, quiet, argv[3], argv + 4) : keys(probe, quiet, argv[3], std::atoi(argv[4]), argc - 5, argv + 5);
    XCloseDisplay(display);
    return code;
}
