// Starts a program under X and reports, for that one run:
//   startup_ms  from exec to its first top-level window being mapped and painted
//   rss_kb, anon_kb  resident and anonymous memory `--settle` seconds after that
//   cpu_ms, wakeups  CPU time and context switches (all threads) over `--idle` seconds
//
//   xprobe [--settle S] [--idle S] -- PROGRAM [ARGS...]
//
// "Painted" means the window's pixels are no longer all one colour: a fresh window on
// Xvfb has no background of its own, so the first frame the program draws shows up as
// the first non-uniform image.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int ignoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

bool painted(Display* d, Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    XImage* img = XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!img) return false;
    const unsigned long first = XGetPixel(img, 0, 0);
    bool varied = false;
    for (int y = 0; y < a.height && !varied; y += 3) {
        for (int x = 0; x < a.width && !varied; x += 3)
            varied = XGetPixel(img, x, y) != first;
    }
    XDestroyImage(img);
    return varied;
}

long statusField(const std::string& path, const char* key) {
    std::ifstream in(path);
    std::string line;
    const std::size_t n = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, n, key) == 0 && line[n] == ':') return std::atol(line.c_str() + n + 1);
    }
    return 0;
}

// Time on a CPU of all the process's threads, in nanoseconds (from schedstat, which
// is exact where /proc/PID/stat counts in 10 ms ticks).
long long cpuNs(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    long long total = 0;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] == '.') continue;
            std::ifstream in(dir + "/" + e->d_name + "/schedstat");
            long long ns = 0;
            in >> ns;
            total += ns;
        }
        closedir(d);
    }
    return total;
}

long contextSwitches(pid_t pid) {
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    long total = 0;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d)) {
            if (e->d_name[0] == '.') continue;
            const std::string status = dir + "/" + e->d_name + "/status";
            total += statusField(status, "voluntary_ctxt_switches") +
                     statusField(status, "nonvoluntary_ctxt_switches");
        }
        closedir(d);
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    double settle = 1, idle = 0;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (!std::strcmp(argv[i], "--settle") && i + 1 < argc) settle = std::atof(argv[++i]);
        if (!std::strcmp(argv[i], "--idle") && i + 1 < argc) idle = std::atof(argv[++i]);
    }
    if (i + 1 >= argc) {
        std::fprintf(stderr, "usage: xprobe [--settle S] [--idle S] -- PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "xprobe: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXErrors);
    const Window root = DefaultRootWindow(d);
    XSelectInput(d, root, SubstructureNotifyMask);
    XSync(d, False);

    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[i + 1], argv + i + 1);
        _exit(127);
    }

    Window win = 0;
    while (!win) {
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        if (!XPending(d) && poll(&p, 1, 10000) <= 0) {
            std::fprintf(stderr, "xprobe: no window within 10 s\n");
            kill(pid, SIGKILL);
            return 1;
        }
        XEvent ev;
        XNextEvent(d, &ev);
        if (ev.type == MapNotify && !ev.xmap.override_redirect) win = ev.xmap.window;
    }
    while (!painted(d, win))
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    std::printf("startup_ms=%.2f", msSince(t0));

    std::this_thread::sleep_for(std::chrono::duration<double>(settle));
    const std::string status = "/proc/" + std::to_string(pid) + "/status";
    std::printf(" rss_kb=%ld anon_kb=%ld", statusField(status, "VmRSS"),
                statusField(status, "RssAnon"));
    if (idle > 0) {
        const long long cpu0 = cpuNs(pid);
        const long ctx0 = contextSwitches(pid);
        std::this_thread::sleep_for(std::chrono::duration<double>(idle));
        const long long cpu1 = cpuNs(pid);
        const long ctx1 = contextSwitches(pid);
        std::printf(" cpu_ms=%.2f wakeups=%ld", double(cpu1 - cpu0) / 1e6, ctx1 - ctx0);
    }
    std::printf("\n");
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    return 0;
}
