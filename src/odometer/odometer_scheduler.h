#pragma once
// Paces the odometer: Trailcount_Timer and the platform's reports of pointer
// activity. Reports that carry positions feed Odometer_Stream, which
// samples them without a query; reports that only say something moved are
// paced by Odometer_Pacer, with the odometer's tick (Trailcount_TimerTimer)
// as the sample. Either way the button reports feed the press counting.
// The pacer's backup poll rides the refresh timer's own wake where there is
// one running (twice a second): a wake of its own costs a program at rest
// as much as the refresh (under Wine, a dozen round trips to its server).
// What the platform reports is decided once, at start, and logged under the "vistrel.odometer" category (info level,
// off unless QT_LOGGING_RULES asks for it).

#include "odometer/odometer_pacer.h"
#include "odometer/odometer_stream.h"
#include "platform/input.h"

#include <QMetaObject>

class Odometer;
class QTimer;

// One sample through the odometer's tick; true when the pointer moved since
// the sample before (the first sample only takes the starting position).
bool Sample_Odometer(Odometer& odometer);

class Odometer_Scheduler final : public Odometer_Pacer::Host,
                                 public Odometer_Stream::Host,
                                 public platform::Pointer_Activity_Listener {
public:
    // `refresh`, where given, is the refresh timer, whose wakes take the backup poll.
    Odometer_Scheduler(Odometer& odometer, QTimer& timer, QTimer* refresh = nullptr);
    ~Odometer_Scheduler() override;
    Odometer_Scheduler(const Odometer_Scheduler&) = delete;
    Odometer_Scheduler& operator=(const Odometer_Scheduler&) = delete;

    void Start();
    // No more sampling of any kind, for good (a harness that measures the
    // program without its odometer).
    void Stop();
    void Timer_Fired();
    // The odometer panel came into view or went out of it.
    void View_Changed();
    // The figure is about to be stored: what the platform reported so far is counted now.
    void Catch_Up();
    Odometer_Pacer::Mode Mode() const { return pacer_.Current_Mode(); }
    // The platform's reports carry positions: the stream samples, not the pacer.
    bool Streaming() const { return streaming_; }
    // Nothing but a report wakes the odometer (the pacer's backup poll aside).
    bool Resting() const
    {
        return streaming_ ? !stream_.Following() : pacer_.Current_Mode() == Odometer_Pacer::Mode::Listening;
    }

    bool Sample() override;
    void Run_Timer(int interval_ms) override;
    void Run_Backup_Poll() override;
    void Report_Motion(bool on) override;
    void Take_Position(std::int32_t x, std::int32_t y) override;
    void Read_Reports() override;
    bool Show_Distance() override;
    bool Distance_Seen() override;
    void Pointer_Moved() override;
    void Pointer_At(std::int32_t x, std::int32_t y, std::uint32_t time_ms) override;
    void Button_Changed(platform::Mouse_Button button, bool down) override;

private:
    bool Ride_Refresh();

    Odometer& odometer_;
    QTimer& timer_;
    QTimer* refresh_;
    QMetaObject::Connection refresh_connection_;
    bool backup_poll_ = false;   // the pacer's samples are its backup poll's
    bool backup_riding_ = false; // taken by the refresh's wakes
    Odometer_Pacer pacer_{*this};
    Odometer_Stream stream_{*this};
    bool reported_ = false;
    bool streaming_ = false;
    bool distance_unshown_ = false; // samples taken since the label was written
};
