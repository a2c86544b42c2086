#pragma once
// The odometer fed with the pointer's positions as the platform reports
// them, each with the server's time, rather than querying the pointer.
//
// The figure stays the one of a sample every Sample_Interval_ms: the sample
// at each boundary of that grid of server time is the last position reported
// before it, and the positions in between are never seen. A sample is taken
// once a report of a later interval shows the interval closed, or once the
// reports have stopped for a whole batch (the pointer came to rest; its last
// boundary has long passed).
//
// The reports wake the odometer only when the pointer starts to move. Then
// they are left waiting and read in batches every Batch_Interval_ms, so a
// mouse reporting a thousand times a second wakes it 25 times a second, and
// the distance still changes as often as the label is painted. While nobody
// can see the distance (the panel out of the window, as it starts), the
// batches come every Unseen_Batch_Interval_ms: the figure is the same, and
// a fast mouse costs hardly more than a pointer at rest. A batch that
// brings nothing means the pointer stopped: its last sample is taken, the
// timer stops and the next report wakes the odometer again. The label is
// written once a batch, not once a sample: a fast mouse brings a hundred
// samples a second.
//
// The stream only decides; its host takes the samples and runs the timer.

#include <cstdint>

class Odometer_Stream {
public:
    static constexpr int Sample_Interval_ms = 10;
    static constexpr int Batch_Interval_ms = 40;
    static constexpr int Unseen_Batch_Interval_ms = 500;

    class Host {
    public:
        virtual ~Host() = default;
        // One sample that found the pointer elsewhere than the one before;
        // the distance it adds is shown by Show_Distance.
        virtual void Take_Position(std::int32_t x, std::int32_t y) = 0;
        // (Re)starts the odometer timer with this period from now; 0 stops it.
        virtual void Run_Timer(int interval_ms) = 0;
        virtual void Report_Motion(bool on) = 0;
        // Hands over the reports waiting, through Pointer_At.
        virtual void Read_Reports() = 0;
        // Once a batch: shows the distance the samples brought, painted if
        // the label may be painted now; true when a change is still to be
        // painted.
        virtual bool Show_Distance() = 0;
        // Whether the distance and the press counts can be seen now.
        virtual bool Distance_Seen() = 0;
    };

    explicit Odometer_Stream(Host& host) : host_(host) {}

    // Where the pointer is when the stream starts (one query).
    void Start(std::int32_t x, std::int32_t y);
    void Pointer_At(std::int32_t x, std::int32_t y, std::uint32_t time_ms);
    void Timer_Fired();
    // The distance came into view or went out of it: the batches take their pace now.
    void View_Changed();
    // Before the figure is stored: the reports waiting are read now, and the
    // last one is taken as a sample (the pointer came to rest there, as far
    // as anyone knows yet).
    void Catch_Up();

    // Reading batches, as opposed to sleeping until a report comes.
    bool Following() const { return following_; }

private:
    void Take_Sample();
    void Keep_Pace();

    Host& host_;
    std::int32_t sampled_x_ = 0; // at the last sample
    std::int32_t sampled_y_ = 0;
    std::int32_t x_ = 0; // the last position reported
    std::int32_t y_ = 0;
    std::uint32_t interval_ = 0; // of server time the last report fell in
    bool unsampled_ = false;     // the last report awaits its sample
    bool following_ = false;
    int pace_ = 0; // the batches' period while following
    bool reported_ = false; // a report since the batch began
};
