// Times a program from its start to the moment its window is on the X display:
//   window_mapped TITLE COMMAND [ARGS...]
// prints the milliseconds from just before the program is started to the MapNotify of a top-level
// window named TITLE, and to the moment the program has drawn every pixel of that window (the X
// DAMAGE extension's reports of what it drew, from the window's creation on), then ends the program.
// Only the X server's own notifications are waited for, so no polling delay enters the figures.
// Exit status 1 when no such window is mapped and drawn within 20 s.
#include <xcb/damage.h>
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
#include <vector>

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

// The pixels of one window drawn so far.
class Coverage {
public:
    void resize(int width, int height) {
        m_width = width;
        m_height = height;
        m_drawn.assign(std::size_t(width) * std::size_t(height), false);
        m_left = std::size_t(width) * std::size_t(height);
    }
    void draw(const xcb_rectangle_t& r) {
        for (int y = std::max(0, int(r.y)); y < std::min(m_height, r.y + r.height); ++y)
            for (int x = std::max(0, int(r.x)); x < std::min(m_width, r.x + r.width); ++x) {
                auto cell = m_drawn[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
                if (!cell) {
                    cell = true;
                    --m_left;
                }
            }
    }
    bool whole() const { return m_width > 0 && m_left == 0; }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<bool> m_drawn;
    std::size_t m_left = 0;
};

// Follows the top-level windows from their creation: each is watched for drawing at once, since a
// program may draw before a watcher that started later would see it.
class Watch {
public:
    Watch(xcb_connection_t* x, std::string title, Clock::time_point begin) : m_x(x), m_title(std::move(title)), m_begin(begin) {
        m_damageEvent = xcb_get_extension_data(x, &xcb_damage_id)->first_event + XCB_DAMAGE_NOTIFY;
        xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr);
    }

    // Waits until the window is mapped and wholly drawn; returns false after `limit`.
    bool run(Clock::time_point limit) {
        pollfd fd{xcb_get_file_descriptor(m_x), POLLIN, 0};
        while (Clock::now() < limit) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_x)) {
                handle(event);
                std::free(event);
                if (m_drawnMs >= 0) return true;
            }
            if (xcb_connection_has_error(m_x)) return false;
            poll(&fd, 1, 50);
        }
        return false;
    }
    double mappedMs() const { return m_mappedMs; }
    double drawnMs() const { return m_drawnMs; }

private:
    double now() const { return std::chrono::duration<double, std::milli>(Clock::now() - m_begin).count(); }

    void handle(const xcb_generic_event_t* event) {
        const int type = event->response_type & 0x7F;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* create = reinterpret_cast<const xcb_create_notify_event_t*>(event);
            xcb_damage_create(m_x, xcb_generate_id(m_x), create->window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(m_x);
        } else if (type == XCB_MAP_NOTIFY && m_mappedMs < 0) {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            if (named(m_x, map->window, m_title)) onMapped(map->window);
        } else if (type == m_damageEvent) {
            const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event);
            if (damage->drawable == m_window || m_window == XCB_NONE) m_early.push_back({damage->drawable, damage->area});
            if (m_window != XCB_NONE) drawn();
        }
    }

    void onMapped(xcb_window_t window) {
        m_mappedMs = now();
        m_window = window;
        Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(m_x, xcb_get_geometry(m_x, window), nullptr), &std::free);
        if (geometry) m_coverage.resize(geometry->width, geometry->height);
        drawn();
    }

    void drawn() {
        for (const auto& [drawable, area] : m_early)
            if (drawable == m_window) m_coverage.draw(area);
        m_early.clear();
        if (m_coverage.whole()) m_drawnMs = now();
    }

    struct Drawing {
        xcb_drawable_t drawable;
        xcb_rectangle_t area;
    };
    xcb_connection_t* m_x;
    std::string m_title;
    Clock::time_point m_begin;
    int m_damageEvent = 0;
    xcb_window_t m_window = XCB_NONE;
    std::vector<Drawing> m_early;   // drawing not yet counted: before the mapping, or of the mapped window
    Coverage m_coverage;
    double m_mappedMs = -1;
    double m_drawnMs = -1;
};

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
    Watch watch(x, argv[1], begin);
    const pid_t child = start(argv + 2);
    const bool drawn = watch.run(begin + std::chrono::seconds(20));
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
    xcb_disconnect(x);
    if (!drawn) {
        std::fprintf(stderr, "window_mapped: no window named \"%s\" was mapped and drawn\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %.1f\n", watch.mappedMs(), watch.drawnMs());
    return 0;
}
