// The latency check's known answer: a window that reads the COM link as the
// program does and, a set delay after a sentence brings a new heading, fills
// a small rectangle (the "label") and a large one (the "instrument") with a
// colour of that heading. bench/screen_bench.sh --check-oracle measures it
// as it measures the program; the figures should be the delay plus a little.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

std::int64_t nowNs()
{
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

struct Painter {
    xcb_connection_t *connection;
    xcb_window_t window;
    xcb_gcontext_t gc;

    void fill(std::uint32_t colour, std::int16_t x, std::int16_t y, std::uint16_t w, std::uint16_t h)
    {
        xcb_change_gc(connection, gc, XCB_GC_FOREGROUND, &colour);
        const xcb_rectangle_t r{x, y, w, h};
        xcb_poly_fill_rectangle(connection, window, gc, 1, &r);
    }
    void show(double heading)
    {
        const auto colour = static_cast<std::uint32_t>(std::lround(heading * 10)) * 2654435761u & 0xFFFFFFu;
        // Where the program has them: the label under the instrument.
        fill(colour ^ 0x808080u, 20, 20, 160, 160);
        fill(colour, 40, 200, 60, 16);
        xcb_flush(connection);
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("Usage: bench_screen_fake PORT DELAY_MS\n", stderr);
        return 2;
    }
    const int port = ::open(argv[1], O_RDWR | O_NOCTTY);
    termios raw{};
    if (port < 0 || ::tcgetattr(port, &raw) != 0) {
        std::fprintf(stderr, "bench_screen_fake: cannot open %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    ::cfmakeraw(&raw);
    ::tcsetattr(port, TCSANOW, &raw);
    const std::int64_t delayNs = std::atoll(argv[2]) * 1'000'000;

    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fputs("bench_screen_fake: cannot connect to the X display (is DISPLAY set?)\n", stderr);
        return 1;
    }
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    Painter painter{connection, xcb_generate_id(connection), xcb_generate_id(connection)};
    const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, painter.window, screen->root, 0, 0, 420, 260, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK,
                      values);
    xcb_create_gc(connection, painter.gc, painter.window, 0, nullptr);
    const char title[] = "bench_screen_fake";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, painter.window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof title - 1, title);
    xcb_map_window(connection, painter.window);
    xcb_flush(connection);

    // Headings to show, each with the time it is due.
    std::deque<std::pair<std::int64_t, double>> due;
    double shown = NAN, latest = NAN;
    std::string line;
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_EXPOSE && !std::isnan(shown))
                painter.show(shown);
            std::free(event);
        }
        if (xcb_connection_has_error(connection))
            return 0;
        const std::int64_t now = nowNs();
        while (!due.empty() && due.front().first <= now) {
            shown = due.front().second;
            painter.show(shown);
            due.pop_front();
        }
        const int waitMs = due.empty() ? 50 : int((due.front().first - now) / 1'000'000);
        pollfd fds[2] = {{port, POLLIN, 0}, {xcb_get_file_descriptor(connection), POLLIN, 0}};
        if (::poll(fds, 2, waitMs) <= 0 || !(fds[0].revents & POLLIN))
            continue;
        char buf[4096];
        const ssize_t n = ::read(port, buf, sizeof buf);
        if (n <= 0)
            return 0;
        const std::int64_t arrived = nowNs();
        for (ssize_t i = 0; i < n; ++i) {
            if (buf[i] != '\n') {
                line += buf[i];
                continue;
            }
            if (line.size() > 2 && line[0] == '$' && line[1] == 'C') {
                const double heading = std::atof(line.c_str() + 2);
                if (heading != latest) {
                    latest = heading;
                    due.emplace_back(arrived + delayNs, heading);
                }
            }
            line.clear();
        }
    }
}
