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
#include <xcb/xcb.h>
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
        if (!own_ || !own_->Connection())
            return false;
        own_->Stop_Reports();
        return listener && own_->Start_Reports(listener);
    }

    void Report_Motion(bool on) override
    {
        if (own_)
            own_->Report_Motion(on);
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
