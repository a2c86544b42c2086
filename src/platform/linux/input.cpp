// Cursor, mouse buttons and screen size on Linux.
//
// Under X11 one xcb_query_pointer on the root window answers position and
// both buttons system-wide, whatever window lies under the cursor. It goes
// over Qt's own connection, so the program holds one X connection only.
// Between queries, XInput2's raw events on the root window tell when a device
// moved the pointer or a button went down or up; they arrive whatever window
// the pointer is over, so a pointer at rest costs nothing at all.
// Elsewhere (Qt's offscreen platform, Wayland) the position comes from Qt and
// no button is ever seen down: the program still runs, it just counts no presses.
#include "platform/input.h"

#include <QAbstractNativeEventFilter>
#include <QCursor>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace platform {
namespace {

// XInput2 raw events, read from Qt's event stream before Qt looks at them.
class Raw_Event_Filter final : public QAbstractNativeEventFilter {
public:
    Raw_Event_Filter(std::uint8_t opcode, Pointer_Activity_Listener* listener) : opcode_(opcode), listener_(listener) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_GE_GENERIC)
            return false;
        const auto* generic = static_cast<const xcb_ge_generic_event_t*>(message);
        if (generic->extension != opcode_)
            return false;
        switch (generic->event_type) {
        case XCB_INPUT_RAW_MOTION:
            listener_->Pointer_Moved();
            return true;
        case XCB_INPUT_RAW_BUTTON_PRESS:
        case XCB_INPUT_RAW_BUTTON_RELEASE: {
            const bool down = generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS;
            // The device's own numbering, before any left-handed mapping, as
            // the physical left and right buttons are what is counted.
            const auto button = static_cast<const xcb_input_raw_button_press_event_t*>(message)->detail;
            if (button == 1)
                listener_->Button_Changed(Mouse_Button::Left, down);
            else if (button == 3)
                listener_->Button_Changed(Mouse_Button::Right, down);
            return true;
        }
        default:
            return false;
        }
    }

private:
    std::uint8_t opcode_;
    Pointer_Activity_Listener* listener_;
};

class Linux_Input_Service final : public Input_Service {
public:
    ~Linux_Input_Service() override { Stop_Reports(); }

    Pointer_State Query_Pointer() override
    {
        if (xcb_connection_t* connection = Connection()) {
            xcb_query_pointer_reply_t* reply =
                xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root_), nullptr);
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
        Stop_Reports();
        if (!listener)
            return false;
        xcb_connection_t* connection = Connection();
        if (!connection)
            return false;
        const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_input_id);
        if (!extension || !extension->present)
            return false;
        // The server refuses a lower version than the client asked for before
        // (Qt asks first), never a higher one.
        xcb_input_xi_query_version_reply_t* version =
            xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 4), nullptr);
        const bool has_xi2 = version && version->major_version >= 2;
        std::free(version);
        if (!has_xi2 || !Select_Raw_Events(connection, true, true))
            return false;
        filter_ = std::make_unique<Raw_Event_Filter>(extension->major_opcode, listener);
        QCoreApplication::instance()->installNativeEventFilter(filter_.get());
        filtered_for_ = QCoreApplication::instance();
        motion_reported_ = true;
        return true;
    }

    void Report_Motion(bool on) override
    {
        if (!filter_ || on == motion_reported_)
            return;
        if (xcb_connection_t* connection = Connection()) {
            Select_Raw_Events(connection, on, false);
            motion_reported_ = on;
        }
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

    // Raw events are selected for the master pointer only: selecting every
    // device as well would bring each press twice, once from the mouse and
    // once from the pointer it drives.
    bool Select_Raw_Events(xcb_connection_t* connection, bool motion, bool checked)
    {
        struct {
            xcb_input_event_mask_t header;
            std::uint32_t bits;
        } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
               XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE
                   | (motion ? std::uint32_t{XCB_INPUT_XI_EVENT_MASK_RAW_MOTION} : 0u)};
        if (!checked) {
            xcb_input_xi_select_events(connection, root_, 1, &mask.header);
            xcb_flush(connection);
            return true;
        }
        xcb_generic_error_t* error =
            xcb_request_check(connection, xcb_input_xi_select_events_checked(connection, root_, 1, &mask.header));
        std::free(error);
        return error == nullptr;
    }

    void Stop_Reports()
    {
        if (!filter_)
            return;
        if (filtered_for_)
            filtered_for_->removeNativeEventFilter(filter_.get());
        if (xcb_connection_t* connection = filtered_for_ ? Connection() : nullptr) {
            xcb_input_event_mask_t none{XCB_INPUT_DEVICE_ALL_MASTER, 0};
            xcb_input_xi_select_events(connection, root_, 1, &none);
            xcb_flush(connection);
        }
        filter_.reset();
    }

    // Qt's connection when the application runs on X11, with the root window
    // of the display's default screen; null elsewhere.
    xcb_connection_t* Connection()
    {
        // Looked up again only if the application object itself was replaced.
        if (QCoreApplication::instance() != looked_up_for_) {
            looked_up_for_ = QCoreApplication::instance();
            connection_ = nullptr;
            screen_known_ = false;
            Look_Up_Connection();
        }
        if (connection_ && xcb_connection_has_error(connection_))
            connection_ = nullptr; // the display went away: carry on as without one
        return connection_;
    }

    void Look_Up_Connection()
    {
        auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!application)
            return;
        auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return;
        char* host = nullptr;
        int display_number = 0;
        int screen_number = 0;
        if (!xcb_parse_display(nullptr, &host, &display_number, &screen_number))
            screen_number = 0;
        std::free(host);
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x11->connection()));
        xcb_screen_t* screen = screens.data;
        for (int i = 0; i < screen_number && screens.rem > 1; ++i) {
            xcb_screen_next(&screens);
            screen = screens.data;
        }
        if (!screen)
            return;
        connection_ = x11->connection();
        root_ = screen->root;
    }

    // The primary screen as Qt keeps it (from RandR on X11). Read once and
    // again only when Qt says the primary screen or its geometry changed, so
    // the odometer's hundred questions a second cost nothing.
    void Refresh_Screen()
    {
        Connection(); // a new application object makes the figures stale
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
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    Pointer_State last_;

    bool screen_known_ = false;
    QRect bounds_;
    QSize pixel_size_;
    QPointer<QObject> watcher_;

    std::unique_ptr<Raw_Event_Filter> filter_;
    QPointer<QCoreApplication> filtered_for_;
    bool motion_reported_ = false;
};

} // namespace

template <>
Input_Service& Default_Service<Input_Service>()
{
    static Linux_Input_Service service;
    return service;
}

} // namespace platform
