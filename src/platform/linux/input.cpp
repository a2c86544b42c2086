// Cursor, mouse buttons and screen size on Linux.
//
// Under X11 one xcb_query_pointer on the root window answers position and
// both buttons system-wide, whatever window lies under the cursor. Between
// queries, XInput2's raw events on the root window tell when a device moved
// the pointer or a button went down or up; they arrive whatever window the
// pointer is over, so a pointer at rest costs nothing at all.
//
// Both go over a connection of the program's own, read by the user-interface
// thread itself, which sleeps on its socket. Over Qt's connection every reply
// and every event would first wake Qt's event-reading thread, which then
// wakes this one: twice the wake-ups for the same work, tens of times a
// second while the pointer moves. Where that connection cannot be made,
// Qt's is used for the queries, and the caller polls.
//
// Better still, where the server has RECORD: a connection of its own is
// handed every pointer event the server processes, as it processes it, with
// the root position and the server's time, whichever device or program
// (XTest, a warp) moved the pointer. The positions need no query at all,
// and the caller may leave them waiting in the socket and read a batch of
// them now and then. RECORD's connection carries nothing else once enabled.
//
// Elsewhere (Qt's offscreen platform, Wayland) the position comes from Qt and
// no button is ever seen down: the program still runs, it just counts no presses.
#include "platform/input.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <cstring>
#include <functional>
#include <xcb/record.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h> // xcb_poll_for_reply
#include <xcb/xinput.h>

namespace platform {
namespace {

// The root window of a screen of the server the connection leads to.
xcb_window_t Root_Of(xcb_connection_t* connection, int screen_number)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screen_number && screens.rem > 1; ++i)
        xcb_screen_next(&screens);
    return screens.data ? screens.data->root : 0;
}

// The program's own connection to the X server the application runs on,
// alive as long as the application object.
class Pointer_Connection final : public QObject {
public:
    static Pointer_Connection* Open(QGuiApplication* application)
    {
        int screen_number = 0;
        xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
        if (xcb_connection_has_error(connection)) {
            xcb_disconnect(connection);
            return nullptr;
        }
        return new Pointer_Connection(application, connection, Root_Of(connection, screen_number));
    }

    ~Pointer_Connection() override
    {
        for (xcb_generic_event_t* event : queued_)
            std::free(event);
        xcb_disconnect(connection_);
    }

    xcb_connection_t* Connection() const { return xcb_connection_has_error(connection_) ? nullptr : connection_; }
    xcb_window_t Root() const { return root_; }

    // After a reply, events read with it wait in the connection's queue,
    // where the socket no longer tells of them: they are taken out and
    // handed on from the event loop, never from inside the caller's query.
    void Take_Queued_Events()
    {
        while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_))
            queued_.push_back(event);
        if (!queued_.empty() && !drain_posted_) {
            drain_posted_ = true;
            QMetaObject::invokeMethod(this, [this] { Drain(); }, Qt::QueuedConnection);
        }
    }

    // Raw events selected for the master pointer only: selecting every device
    // as well would bring each press twice, once from the mouse and once from
    // the pointer it drives. False when the server has no XInput2.
    bool Start_Reports(Pointer_Activity_Listener* listener)
    {
        const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection_, &xcb_input_id);
        if (!extension || !extension->present)
            return false;
        xcb_input_xi_query_version_reply_t* version =
            xcb_input_xi_query_version_reply(connection_, xcb_input_xi_query_version(connection_, 2, 2), nullptr);
        const bool has_xi2 = version && version->major_version >= 2;
        std::free(version);
        if (!has_xi2)
            return false;
        opcode_ = extension->major_opcode;
        xcb_generic_error_t* error = xcb_request_check(connection_, Select(true, true, true));
        std::free(error);
        if (error)
            return false;
        listener_ = listener;
        return true;
    }

    void Stop_Reports()
    {
        if (!listener_)
            return;
        listener_ = nullptr;
        Select(false, false);
        xcb_flush(connection_);
    }

    void Report_Motion(bool on)
    {
        if (!listener_)
            return;
        Select(on, true);
        xcb_flush(connection_);
    }

private:
    Pointer_Connection(QGuiApplication* application, xcb_connection_t* connection, xcb_window_t root)
        : QObject(application), connection_(connection), root_(root),
          notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { Drain(); });
    }

    // Checked only at the start; later an error would come as an event.
    xcb_void_cookie_t Select(bool motion, bool buttons, bool checked = false)
    {
        std::uint32_t bits = 0;
        if (buttons)
            bits |= XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE;
        if (motion)
            bits |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
        struct {
            xcb_input_event_mask_t header;
            std::uint32_t bits;
        } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, bits};
        return checked ? xcb_input_xi_select_events_checked(connection_, root_, 1, &mask.header)
                       : xcb_input_xi_select_events(connection_, root_, 1, &mask.header);
    }

    // One read of the socket, then what it brought: an empty read costs a
    // system call, and the socket tells again when more has come.
    void Drain()
    {
        drain_posted_ = false;
        bool read = false;
        for (;;) {
            xcb_generic_event_t* event = nullptr;
            if (!queued_.empty()) {
                event = queued_.front();
                queued_.pop_front();
            } else if (!(event = read ? xcb_poll_for_queued_event(connection_) : xcb_poll_for_event(connection_))) {
                break;
            }
            read = true;
            Dispatch(event);
            std::free(event);
        }
        if (xcb_connection_has_error(connection_))
            notifier_.setEnabled(false); // the display went away: nothing more will come
    }

    void Dispatch(const xcb_generic_event_t* event)
    {
        if (!listener_ || (event->response_type & 0x7F) != XCB_GE_GENERIC)
            return;
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
        if (generic->extension != opcode_)
            return;
        switch (generic->event_type) {
        case XCB_INPUT_RAW_MOTION:
            listener_->Pointer_Moved();
            break;
        case XCB_INPUT_RAW_BUTTON_PRESS:
        case XCB_INPUT_RAW_BUTTON_RELEASE: {
            const bool down = generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS;
            // The device's own numbering, before any left-handed mapping, as
            // the physical left and right buttons are what is counted.
            const auto button = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event)->detail;
            if (button == 1)
                listener_->Button_Changed(Mouse_Button::Left, down);
            else if (button == 3)
                listener_->Button_Changed(Mouse_Button::Right, down);
            break;
        }
        default:
            break;
        }
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    QSocketNotifier notifier_;
    std::deque<xcb_generic_event_t*> queued_;
    bool drain_posted_ = false;
    std::uint8_t opcode_ = 0;
    Pointer_Activity_Listener* listener_ = nullptr;
};

// What a reply of an enabled RECORD context carries (xcb names no constants for it).
enum Record_Category : std::uint8_t { From_Server = 0, From_Client = 1, Start_Of_Data = 4 };

// Pointer events and warps of every client, recorded by the server.
class Pointer_Record final : public QObject {
public:
    using Query = std::function<Pointer_State()>;

    static Pointer_Record* Open(QObject* parent, Pointer_Activity_Listener* listener, Query query)
    {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        const auto fail = [connection]() -> Pointer_Record* {
            xcb_disconnect(connection);
            return nullptr;
        };
        if (xcb_connection_has_error(connection))
            return fail();
        const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_record_id);
        if (!extension || !extension->present)
            return fail();
        xcb_record_query_version_reply_t* version = xcb_record_query_version_reply(
            connection, xcb_record_query_version(connection, XCB_RECORD_MAJOR_VERSION, XCB_RECORD_MINOR_VERSION),
            nullptr);
        std::free(version);
        if (!version)
            return fail();

        // Pointer events only, never keys; and the one request that moves
        // the pointer without a device.
        xcb_record_range_t range{};
        range.device_events = {XCB_BUTTON_PRESS, XCB_MOTION_NOTIFY};
        range.core_requests = {XCB_WARP_POINTER, XCB_WARP_POINTER};
        const xcb_record_client_spec_t clients = XCB_RECORD_CS_ALL_CLIENTS;
        const xcb_record_context_t context = xcb_generate_id(connection);
        xcb_generic_error_t* error = xcb_request_check(
            connection, xcb_record_create_context_checked(connection, context, XCB_RECORD_H_TYPE_FROM_CLIENT_TIME,
                                                          1, 1, &clients, &range));
        std::free(error);
        if (error)
            return fail();
        // The context dies with the connection: there is nothing else to undo.
        const xcb_record_enable_context_cookie_t cookie = xcb_record_enable_context(connection, context);
        xcb_record_enable_context_reply_t* start = xcb_record_enable_context_reply(connection, cookie, &error);
        const bool started = start && start->category == Start_Of_Data;
        std::free(start);
        std::free(error);
        if (!started)
            return fail();
        return new Pointer_Record(parent, connection, cookie.sequence, listener, std::move(query));
    }

    ~Pointer_Record() override { xcb_disconnect(connection_); }

    void Report(bool on) { notifier_.setEnabled(on && !xcb_connection_has_error(connection_)); }

    // What the socket holds, then the reports it brought, in order.
    void Read()
    {
        // Reading for events is how xcb reads the socket without waiting;
        // what comes on this connection comes as replies.
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
        void* reply = nullptr;
        xcb_generic_error_t* error = nullptr;
        while (xcb_poll_for_reply(connection_, sequence_, &reply, &error) && reply) {
            Take(*static_cast<const xcb_record_enable_context_reply_t*>(reply));
            std::free(reply);
            reply = nullptr;
        }
        std::free(error);
        if (warp_unanswered_) {
            // A server that moved the pointer without a motion event: where
            // it went is asked once.
            warp_unanswered_ = false;
            const Pointer_State state = query_();
            listener_->Pointer_At(state.x, state.y, warp_time_);
        }
        if (xcb_connection_has_error(connection_))
            notifier_.setEnabled(false); // the display went away: nothing more will come
    }

private:
    Pointer_Record(QObject* parent, xcb_connection_t* connection, unsigned int sequence,
                   Pointer_Activity_Listener* listener, Query query)
        : QObject(parent), connection_(connection), sequence_(sequence), listener_(listener),
          query_(std::move(query)), notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        connect(&notifier_, &QSocketNotifier::activated, this, [this] { Read(); });
        // What came with the first reply waits in xcb's queue, where the
        // socket no longer tells of it.
        QMetaObject::invokeMethod(this, [this] { Read(); }, Qt::QueuedConnection);
    }

    template <typename T>
    static T At(const std::uint8_t* data)
    {
        T value;
        std::memcpy(&value, data, sizeof value);
        return value;
    }

    void Take(const xcb_record_enable_context_reply_t& reply)
    {
        const auto* data = reinterpret_cast<const std::uint8_t*>(xcb_record_enable_context_data(&reply));
        const std::size_t length = static_cast<std::size_t>(xcb_record_enable_context_data_length(&reply));
        if (reply.category == From_Server) {
            // Device events, 32 bytes each; longer ones (generic events) say so.
            for (std::size_t at = 0; at + 32 <= length;) {
                const std::uint8_t type = data[at] & 0x7F;
                std::size_t size = 32;
                if (type == XCB_GE_GENERIC)
                    size += 4 * std::size_t{At<std::uint32_t>(data + at + 4)};
                else if (type == XCB_MOTION_NOTIFY)
                    Motion(At<xcb_motion_notify_event_t>(data + at));
                else if (type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE)
                    Button(At<xcb_button_press_event_t>(data + at), type == XCB_BUTTON_PRESS);
                at += size;
            }
        } else if (reply.category == From_Client) {
            // Requests, each after the server's time; in the byte order of
            // the client that made it.
            const auto swapped = [&reply](std::uint32_t value, int bytes) {
                if (!reply.client_swapped)
                    return value;
                return bytes == 2 ? std::uint32_t((value >> 8 | value << 8) & 0xFFFF) : __builtin_bswap32(value);
            };
            for (std::size_t at = 0; at + 8 <= length;) {
                const std::uint32_t time = At<std::uint32_t>(data + at);
                const std::uint8_t* request = data + at + 4;
                std::size_t units = swapped(At<std::uint16_t>(request + 2), 2);
                if (units == 0 && at + 12 <= length) // a big request
                    units = swapped(At<std::uint32_t>(request + 4), 4);
                if (units == 0)
                    break;
                if (request[0] == XCB_WARP_POINTER) {
                    warp_unanswered_ = true;
                    warp_time_ = time;
                }
                at += 4 + 4 * units;
            }
        }
    }

    void Motion(const xcb_motion_notify_event_t& event)
    {
        warp_unanswered_ = false;
        listener_->Pointer_At(event.root_x, event.root_y, event.time);
    }

    // The server records the device's own numbering, before any
    // left-handed mapping: the physical left and right buttons are counted.
    void Button(const xcb_button_press_event_t& event, bool down)
    {
        if (event.detail == 1)
            listener_->Button_Changed(Mouse_Button::Left, down);
        else if (event.detail == 3)
            listener_->Button_Changed(Mouse_Button::Right, down);
    }

    xcb_connection_t* connection_;
    unsigned int sequence_;
    Pointer_Activity_Listener* listener_;
    Query query_;
    QSocketNotifier notifier_;
    bool warp_unanswered_ = false;
    std::uint32_t warp_time_ = 0;
};

class Linux_Input_Service final : public Input_Service {
public:
    Pointer_State Query_Pointer() override
    {
        Look_Up();
        xcb_connection_t* connection = own_ ? own_->Connection() : nullptr;
        xcb_window_t root = own_ ? own_->Root() : 0;
        if (!connection && qt_connection_ && !xcb_connection_has_error(qt_connection_)) {
            connection = qt_connection_;
            root = qt_root_;
        }
        if (connection) {
            xcb_query_pointer_reply_t* reply =
                xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
            if (own_ && connection == own_->Connection())
                own_->Take_Queued_Events();
            if (!reply)
                return Last_Position();
            last_.x = reply->root_x;
            last_.y = reply->root_y;
            Pointer_State state = last_;
            state.left_down = (reply->mask & XCB_KEY_BUT_MASK_BUTTON_1) != 0;
            state.right_down = (reply->mask & XCB_KEY_BUT_MASK_BUTTON_3) != 0;
            std::free(reply);
            return state;
        }
        if (Has_Gui()) {
            const QPoint position = QCursor::pos();
            last_.x = position.x();
            last_.y = position.y();
        }
        return Last_Position();
    }

    std::int32_t Get_System_Metrics(int index) override
    {
        if (index != SM_CXSCREEN && index != SM_CYSCREEN)
            return 0;
        Refresh_Screen();
        return index == SM_CXSCREEN ? pixel_size_.width() : pixel_size_.height();
    }

    Screen_Bounds Primary_Screen_Bounds() override
    {
        Refresh_Screen();
        return {bounds_.x(), bounds_.y(), bounds_.width(), bounds_.height()};
    }

    bool Report_Activity(Pointer_Activity_Listener* listener) override
    {
        Look_Up();
        delete record_;
        if (own_)
            own_->Stop_Reports();
        if (!listener || !qt_connection_)
            return false;
        record_ = Pointer_Record::Open(QCoreApplication::instance(), listener, [this] { return Query_Pointer(); });
        if (record_)
            return true;
        return own_ && own_->Connection() && own_->Start_Reports(listener);
    }

    void Report_Motion(bool on) override
    {
        if (record_)
            record_->Report(on);
        else if (own_)
            own_->Report_Motion(on);
    }

    bool Reports_Positions() override { return record_ != nullptr; }

    void Read_Reports() override
    {
        if (!record_)
            return;
        // The server keeps what it records until it has something to send
        // to some client: one reply of its own makes it send everything.
        if (xcb_connection_t* connection = own_ ? own_->Connection() : nullptr) {
            std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
            own_->Take_Queued_Events();
        }
        record_->Read();
    }

private:
    static bool Has_Gui() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

    Pointer_State Last_Position() const
    {
        Pointer_State state;
        state.x = last_.x;
        state.y = last_.y;
        return state;
    }

    // Looked up again only if the application object itself was replaced.
    void Look_Up()
    {
        if (QCoreApplication::instance() == looked_up_for_)
            return;
        looked_up_for_ = QCoreApplication::instance();
        qt_connection_ = nullptr;
        screen_known_ = false;
        auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!application)
            return;
        auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return;
        own_ = Pointer_Connection::Open(application);
        char* host = nullptr;
        int display_number = 0;
        int screen_number = 0;
        if (!xcb_parse_display(nullptr, &host, &display_number, &screen_number))
            screen_number = 0;
        std::free(host);
        qt_connection_ = x11->connection();
        qt_root_ = Root_Of(qt_connection_, screen_number);
    }

    // The primary screen as Qt keeps it (from RandR on X11). Read once and
    // again only when Qt says the primary screen or its geometry changed, so
    // the odometer's questions cost nothing.
    void Refresh_Screen()
    {
        Look_Up(); // a new application object makes the figures stale
        if (screen_known_ || !Has_Gui())
            return;
        screen_known_ = true;
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return;
        bounds_ = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        pixel_size_ = QSize(static_cast<int>(std::lround(bounds_.width() * ratio)),
                            static_cast<int>(std::lround(bounds_.height() * ratio)));
        delete watcher_;
        watcher_ = new QObject(QCoreApplication::instance());
        const auto stale = [this] { screen_known_ = false; };
        QObject::connect(qGuiApp, &QGuiApplication::primaryScreenChanged, watcher_, stale);
        QObject::connect(screen, &QScreen::geometryChanged, watcher_, stale);
    }

    const QCoreApplication* looked_up_for_ = nullptr;
    QPointer<Pointer_Connection> own_;
    QPointer<Pointer_Record> record_;
    xcb_connection_t* qt_connection_ = nullptr;
    xcb_window_t qt_root_ = 0;
    Pointer_State last_;

    bool screen_known_ = false;
    QRect bounds_;
    QSize pixel_size_;
    QPointer<QObject> watcher_;
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Linux_Input_Service service;
    return service;
}

} // namespace platform
