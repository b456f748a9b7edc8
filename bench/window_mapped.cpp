// Times a program from its start to the moment its window is mapped on the X display:
//   window_mapped TITLE COMMAND [ARGS...]
// prints the milliseconds from just before the program is started to the MapNotify of a top-level
// window named TITLE, then ends the program. Only the X server's own notification is waited for,
// so no polling delay enters the figure. Exit status 1 when no such window appears within 20 s.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* x, const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, std::strlen(name), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string windowName(xcb_connection_t* x, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(x, xcb_get_property(x, 0, window, property, type, 0, 256), nullptr),
                                          &std::free);
    if (!reply) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       std::size_t(xcb_get_property_value_length(reply.get())));
}

bool named(xcb_connection_t* x, xcb_window_t window, const std::string& title) {
    static const xcb_atom_t netName = atom(x, "_NET_WM_NAME");
    static const xcb_atom_t utf8 = atom(x, "UTF8_STRING");
    return windowName(x, window, netName, utf8) == title || windowName(x, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) == title;
}

pid_t start(char** argv) {
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return child;
}

// Waits for the MapNotify of a window named `title`; returns false after `limit`.
bool waitForMap(xcb_connection_t* x, const std::string& title, Clock::time_point limit) {
    pollfd fd{xcb_get_file_descriptor(x), POLLIN, 0};
    while (Clock::now() < limit) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool map = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
            std::free(event);
            if (map && named(x, window, title)) return true;
        }
        if (xcb_connection_has_error(x)) return false;
        poll(&fd, 1, 50);
    }
    return false;
}

}   // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_mapped TITLE COMMAND [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "window_mapped: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    const Clock::time_point begin = Clock::now();
    const pid_t child = start(argv + 2);
    const bool mapped = waitForMap(x, argv[1], begin + std::chrono::seconds(20));
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    if (!mapped) {
        std::fprintf(stderr, "window_mapped: no window named \"%s\" was mapped\n", argv[1]);
        return 1;
    }
    std::printf("%.1f\n", ms);
    return 0;
}
