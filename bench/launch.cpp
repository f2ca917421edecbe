// Starts a program and reports when its first window becomes visible.
//
//   bench_launch OUTFILE LOGFILE PROGRAM [ARGS...]
//
// Watches the root window for maps of its children (with a reparenting
// window manager, the frame around the program's window is mapped once the
// window inside it is), forks and execs PROGRAM with stdout and stderr
// redirected to LOGFILE, and writes "PID MILLISECONDS" to OUTFILE at the
// first such map: the time from just before the exec to the window being
// shown. Then it waits for the program to end and exits with its status.
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int MapTimeoutMs = 30000;

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

void writeResult(const char *path, pid_t pid, double ms)
{
    FILE *out = std::fopen(path, "w");
    if (!out)
        return;
    std::fprintf(out, "%d %.1f\n", int(pid), ms);
    std::fclose(out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s OUTFILE LOGFILE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);

    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        return 2;
    if (child == 0) {
        close(ConnectionNumber(display));
        const int log = open(argv[2], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
            close(log);
        }
        execvp(argv[3], argv + 3);
        std::perror("exec");
        _exit(127);
    }

    double mappedAt = -1;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (mappedAt < 0 && nowMs() - start < MapTimeoutMs) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mappedAt = nowMs();
                break;
            }
        }
        if (mappedAt < 0 && poll(&fd, 1, 100) < 0 && errno != EINTR)
            break;
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child)
            return 1; // ended before showing anything
    }
    writeResult(argv[1], child, mappedAt < 0 ? -1 : mappedAt - start);
    XCloseDisplay(display);

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
