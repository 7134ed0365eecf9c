/* Small helpers of bench/game_perf.sh, one command each:
 *
 *   perfkit launch PROGRAM [ARG...]  prints "launch monotonic-ns=N" on
 *                                     standard error, then becomes PROGRAM
 *   perfkit window                    the raw Xlib reference: creates and maps
 *                                     one window, and once its first expose
 *                                     has been drawn and the server has
 *                                     answered prints "first-frame
 *                                     monotonic-ns=N"; then waits for events
 *   perfkit idle                      the idle reference: 1000 select waits
 *                                     of 10 ms on an unused socket, then
 *                                     prints the CPU time it used, in ns
 *   perfkit wiggle WINDOW MS          moves the pointer over the window every
 *                                     5 ms for MS milliseconds through XTest
 *   perfkit click WINDOW X Y          a left click at (X, Y) of the window
 *
 * Times come from the monotonic clock, CPU times from /proc/self/schedstat.
 */
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

static long long MonotonicNs(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static void SleepNs(long long ns) {
    struct timespec t = {(time_t)(ns / 1000000000LL), (long)(ns % 1000000000LL)};
    nanosleep(&t, NULL);
}

static Display* Open(void) {
    Display* d = XOpenDisplay(NULL);
    if (d == NULL) {
        fprintf(stderr, "perfkit: no X display\n");
        exit(1);
    }
    return d;
}

static int Launch(char** argv) {
    fprintf(stderr, "launch monotonic-ns=%lld\n", MonotonicNs());
    fflush(stderr);
    execvp(argv[0], argv);
    perror("perfkit: exec");
    return 127;
}

static int RawWindow(void) {
    Display* d = Open();
    int s = DefaultScreen(d);
    Window w = XCreateSimpleWindow(d, RootWindow(d, s), 0, 0, 800, 600, 1, BlackPixel(d, s), BlackPixel(d, s));
    XStoreName(d, w, "perfkit window");
    XSelectInput(d, w, ExposureMask);
    XMapWindow(d, w);
    int drawn = 0;
    for (;;) {
        XEvent ev;
        XNextEvent(d, &ev);
        if (ev.type != Expose || drawn) continue;
        GC gc = XCreateGC(d, w, 0, NULL);
        XSetForeground(d, gc, WhitePixel(d, s));
        XFillRectangle(d, w, gc, 10, 10, 100, 100);
        XFreeGC(d, gc);
        XSync(d, False);
        drawn = 1;
        fprintf(stderr, "first-frame monotonic-ns=%lld\n", MonotonicNs());
        fflush(stderr);
    }
    return 0;
}

static int IdleLoop(void) {
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return 1;
    for (int i = 0; i < 1000; ++i) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(pair[0], &set);
        struct timeval tv = {0, 10000};
        select(pair[0] + 1, &set, NULL, NULL, &tv);
    }
    unsigned long long ns = 0;
    FILE* f = fopen("/proc/self/schedstat", "r");
    if (f == NULL || fscanf(f, "%llu", &ns) != 1) ns = 0;
    if (f) fclose(f);
    printf("%llu\n", ns);
    return 0;
}

/* The window's top-left corner on the root window. */
static void Origin(Display* d, Window w, int* x, int* y) {
    Window child;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, x, y, &child);
}

static int Wiggle(Window w, long ms) {
    Display* d = Open();
    int ox, oy;
    Origin(d, w, &ox, &oy);
    const long long end = MonotonicNs() + ms * 1000000LL;
    /* Back and forth over the reels and the lock cells, never pressing. */
    for (int i = 0; MonotonicNs() < end; ++i) {
        const int step = i % 200, x = step < 100 ? step : 199 - step;
        XTestFakeMotionEvent(d, -1, ox + 160 + 4 * x, oy + 250 + (i % 90), CurrentTime);
        XFlush(d);
        SleepNs(5000000);
    }
    XCloseDisplay(d);
    return 0;
}

static int Click(Window w, int x, int y) {
    Display* d = Open();
    int ox, oy;
    Origin(d, w, &ox, &oy);
    XTestFakeMotionEvent(d, -1, ox + x, oy + y, CurrentTime);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
    XSync(d, False);
    XCloseDisplay(d);
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 3 && strcmp(argv[1], "launch") == 0) return Launch(argv + 2);
    if (argc == 2 && strcmp(argv[1], "window") == 0) return RawWindow();
    if (argc == 2 && strcmp(argv[1], "idle") == 0) return IdleLoop();
    if (argc == 4 && strcmp(argv[1], "wiggle") == 0)
        return Wiggle((Window)strtoul(argv[2], NULL, 0), strtol(argv[3], NULL, 10));
    if (argc == 5 && strcmp(argv[1], "click") == 0)
        return Click((Window)strtoul(argv[2], NULL, 0), atoi(argv[3]), atoi(argv[4]));
    fprintf(stderr, "usage: perfkit launch PROGRAM... | window | idle | wiggle WINDOW MS | click WINDOW X Y\n");
    return 2;
}
