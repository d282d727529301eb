#include "watcher/XSyncIdle.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <xcb/sync.h>
#include <xcb/xcb.h>

namespace dd {
namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> Owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

// The IDLETIME system counter: milliseconds since the last input on any device. The entries
// of the reply are read by hand: each is padded to four bytes, which libxcb's iterator
// miscounts (it reads "VICEIDLETIME 7" where a server lists "DEVICEIDLETIME 7").
std::optional<xcb_sync_counter_t> IdleTimeCounter(xcb_connection_t* c) {
    const auto counters =
        Owned(xcb_sync_list_system_counters_reply(c, xcb_sync_list_system_counters(c), nullptr));
    if (!counters)
        return std::nullopt;
    const auto* at = reinterpret_cast<const std::uint8_t*>(counters.get() + 1);
    const auto* end = at + counters->length * 4;
    constexpr std::size_t kHead = 14; // the counter, its resolution, the name's length
    for (std::uint32_t i = 0; i < counters->counters_len && at + kHead <= end; ++i) {
        xcb_sync_counter_t counter = 0;
        std::uint16_t length = 0;
        std::memcpy(&counter, at, sizeof counter);
        std::memcpy(&length, at + 12, sizeof length);
        const char* name = reinterpret_cast<const char*>(at + kHead);
        if (at + kHead + length > end)
            break;
        if (length == 8 && std::memcmp(name, "IDLETIME", 8) == 0)
            return counter;
        at += (kHead + length + 3) / 4 * 4;
    }
    return std::nullopt;
}

class XSyncIdle : public IdleSource {
public:
    XSyncIdle(xcb_connection_t* connection, xcb_sync_counter_t counter,
              std::chrono::milliseconds delay)
        : connection_(connection), counter_(counter),
          delay_(static_cast<std::uint32_t>(delay.count())),
          notify_(xcb_get_extension_data(connection, &xcb_sync_id)->first_event +
                  XCB_SYNC_ALARM_NOTIFY) {
        alarm_ = xcb_generate_id(connection_);
        const std::uint32_t values[] = {counter_,
                                        XCB_SYNC_VALUETYPE_ABSOLUTE,
                                        0,
                                        delay_,
                                        XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON,
                                        0,
                                        0,
                                        1};
        xcb_sync_create_alarm(connection_, alarm_,
                              XCB_SYNC_CA_COUNTER | XCB_SYNC_CA_VALUE_TYPE | XCB_SYNC_CA_VALUE |
                                  XCB_SYNC_CA_TEST_TYPE | XCB_SYNC_CA_DELTA | XCB_SYNC_CA_EVENTS,
                              values);
    }
    XSyncIdle(const XSyncIdle&) = delete;
    XSyncIdle& operator=(const XSyncIdle&) = delete;
    ~XSyncIdle() override {
        xcb_sync_destroy_alarm(connection_, alarm_);
        xcb_disconnect(connection_);
    }

    std::string Name() const override { return "the X server's IDLETIME counter (XSync)"; }
    int Descriptor() const override { return xcb_get_file_descriptor(connection_); }
    void Flush() override { xcb_flush(connection_); }

    bool Dispatch() override {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7F) == notify_ &&
                reinterpret_cast<xcb_sync_alarm_notify_event_t*>(event)->alarm == alarm_)
                Fired();
            std::free(event);
        }
        return xcb_connection_has_error(connection_) == 0;
    }

private:
    // A comparison alarm fires once and rests until it is changed: idle, it is armed for the
    // next input (the counter below the delay), and after that for idleness again.
    void Fired() {
        waitingForIdle_ = !waitingForIdle_;
        const std::uint32_t values[] = {0, delay_,
                                        waitingForIdle_ ? XCB_SYNC_TESTTYPE_POSITIVE_COMPARISON
                                                        : XCB_SYNC_TESTTYPE_NEGATIVE_COMPARISON};
        xcb_sync_change_alarm(connection_, alarm_, XCB_SYNC_CA_VALUE | XCB_SYNC_CA_TEST_TYPE,
                              values);
        if (!waitingForIdle_ && OnIdle)
            OnIdle();
    }

    xcb_connection_t* connection_;
    xcb_sync_counter_t counter_;
    std::uint32_t delay_;
    std::uint8_t notify_;
    xcb_sync_alarm_t alarm_ = 0;
    bool waitingForIdle_ = true;
};

} // namespace

std::unique_ptr<IdleSource> OpenXSyncIdle(std::chrono::milliseconds delay) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    const xcb_query_extension_reply_t* sync = xcb_get_extension_data(c, &xcb_sync_id);
    const auto version =
        sync && sync->present
            ? Owned(xcb_sync_initialize_reply(c, xcb_sync_initialize(c, 3, 1), nullptr))
            : Owned<xcb_sync_initialize_reply_t>(nullptr);
    const auto counter = version ? IdleTimeCounter(c) : std::nullopt;
    if (!counter) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<XSyncIdle>(c, *counter, delay);
}

} // namespace dd
