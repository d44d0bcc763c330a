#pragma once
// An X server of the test's own (Xvfb on a display number it picks itself,
// no TCP) and a watcher that sees top-level windows appear on it, reads
// their titles and asks them to close, as a window manager would. Needs
// QUODDLE_XVFB (path) from the build, and libxcb.

#include "Processes.hpp"

#include <xcb/xcb.h>

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace quoddle::test {

class VirtualDisplay {
public:
    VirtualDisplay()
    {
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe2 failed");
        // -displayfd: Xvfb takes the first free display and writes its number once it accepts clients.
        pid_ = StartChild({QUODDLE_XVFB, "-displayfd", "3", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"},
                          EnvironmentWith({}), {-1, -1, -1, ready[1]});
        ::close(ready[1]);
        const auto number = ReadLine(ready[0], std::chrono::seconds(20));
        ::close(ready[0]);
        if (!number || number->empty()) {
            EndChild(pid_);
            throw std::runtime_error("Xvfb did not start");
        }
        name_ = ":" + *number;
    }
    ~VirtualDisplay() { EndChild(pid_); }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // ":N", for DISPLAY.
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

class WindowWatcher {
public:
    using Clock = std::chrono::steady_clock;

    enum class Kind { Normal, Dialog, Splash, Popup };

    struct Shown {
        xcb_window_t window = 0;
        std::string title;
        Kind kind = Kind::Normal; // Popup: override-redirect (a menu, a tooltip)
        Clock::time_point at;     // when this watcher saw it shown
        bool popup() const { return kind == Kind::Popup; }
    };

    explicit WindowWatcher(const std::string& display)
    {
        connection_ = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(connection_)) {
            xcb_disconnect(connection_);
            throw std::runtime_error("cannot open display " + display);
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        utf8_ = Atom("UTF8_STRING");
        netWmName_ = Atom("_NET_WM_NAME");
        wmProtocols_ = Atom("WM_PROTOCOLS");
        wmDelete_ = Atom("WM_DELETE_WINDOW");
        windowType_ = Atom("_NET_WM_WINDOW_TYPE");
        dialogType_ = Atom("_NET_WM_WINDOW_TYPE_DIALOG");
        splashType_ = Atom("_NET_WM_WINDOW_TYPE_SPLASH");
        // Without a window manager every top-level window is a child of the root.
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        // Windows shown before the watch began count too.
        auto* tree = xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree);
            for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
                auto* attributes = xcb_get_window_attributes_reply(
                    connection_, xcb_get_window_attributes(connection_, children[i]), nullptr);
                if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
                    Track(children[i], attributes->override_redirect);
                std::free(attributes);
            }
            std::free(tree);
        }
        xcb_flush(connection_);
    }
    ~WindowWatcher() { xcb_disconnect(connection_); }
    WindowWatcher(const WindowWatcher&) = delete;
    WindowWatcher& operator=(const WindowWatcher&) = delete;

    // The first shown top-level window for which `wanted(Shown)` holds, one
    // already shown included, or its title changing while shown; nullopt
    // after `timeout`.
    template <class Wanted>
    std::optional<Shown> WaitForShown(Wanted wanted, std::chrono::milliseconds timeout)
    {
        for (const auto& [window, popup] : shown_)
            if (Shown s = Describe(window, popup); wanted(s))
                return s;
        const auto deadline = Clock::now() + timeout;
        for (;;) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                std::optional<Shown> candidate = Handle(event);
                std::free(event);
                if (candidate && wanted(*candidate))
                    return candidate;
            }
            if (xcb_connection_has_error(connection_))
                throw std::runtime_error("the X connection broke");
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            pollfd p{xcb_get_file_descriptor(connection_), POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(left.count()));
        }
    }

    // Every top-level window shown since the watch began, in order.
    const std::vector<Shown>& history() const { return history_; }

    // A window's title (_NET_WM_NAME, else WM_NAME).
    std::string Title(xcb_window_t window)
    {
        std::string title = Property(window, netWmName_, utf8_);
        return title.empty() ? Property(window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING) : title;
    }

    // Asks a window to close, as a window manager's close button does.
    void Close(xcb_window_t window)
    {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = wmProtocols_;
        message.data.data32[0] = wmDelete_;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

private:
    xcb_atom_t Atom(const char* name)
    {
        auto* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return atom;
    }

    std::string Property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
    {
        auto* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, property, type, 0, 4096), nullptr);
        std::string value;
        if (reply)
            value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                         static_cast<std::size_t>(xcb_get_property_value_length(reply)));
        std::free(reply);
        return value;
    }

    // Follows a shown window's title changes.
    void Track(xcb_window_t window, bool popup)
    {
        shown_.emplace(window, popup);
        if (!popup) {
            const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
            xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        }
    }

    Shown Describe(xcb_window_t window, bool popup)
    {
        Kind kind = Kind::Popup;
        if (!popup) {
            const std::string type = Property(window, windowType_, XCB_ATOM_ATOM);
            xcb_atom_t first = XCB_ATOM_NONE;
            if (type.size() >= sizeof first)
                std::memcpy(&first, type.data(), sizeof first);
            kind = first == dialogType_ ? Kind::Dialog : first == splashType_ ? Kind::Splash : Kind::Normal;
        }
        return {window, Title(window), kind, Clock::now()};
    }

    std::optional<Shown> Handle(const xcb_generic_event_t* event)
    {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY: {
            const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            const Clock::time_point at = Clock::now();
            Track(map->window, map->override_redirect);
            Shown shown = Describe(map->window, map->override_redirect);
            shown.at = at;
            history_.push_back(shown);
            return shown;
        }
        case XCB_UNMAP_NOTIFY:
            shown_.erase({reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window, false});
            shown_.erase({reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window, true});
            return std::nullopt;
        case XCB_PROPERTY_NOTIFY: {
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            const bool named = change->atom == netWmName_ || change->atom == XCB_ATOM_WM_NAME;
            if (named && shown_.contains({change->window, false}))
                return Describe(change->window, false);
            return std::nullopt;
        }
        default:
            return std::nullopt;
        }
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t utf8_ = 0, netWmName_ = 0, wmProtocols_ = 0, wmDelete_ = 0;
    xcb_atom_t windowType_ = 0, dialogType_ = 0, splashType_ = 0;
    std::vector<Shown> history_;
    std::set<std::pair<xcb_window_t, bool>> shown_; // shown top-level windows, with their popup flag
};

} // namespace quoddle::test
