#include "alarm/sound_player.h"

#include "platform/sound.h"

#include <QEventLoop>
#include <QTimer>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// How often a waiting Play looks whether its sound has ended: well below
// what a listener notices between two queued sounds.
constexpr int Look_Interval_Ms = 10;

} // namespace

// Owned jointly by the player and its thread, so that a thread left to
// finish a tone never touches freed memory.
struct Sound_Player::Shared {
    struct Job {
        Sound sound;
        platform::Sound_Service* device;
        Sound_Output output;
        std::uint64_t ticket;
    };

    std::mutex mutex;
    std::condition_variable woken;
    std::deque<Job> queue;
    std::uint64_t queued = 0;   // tickets handed out
    std::uint64_t finished = 0; // every ticket up to this one has played
    bool stopping = false;
    platform::Sound_Service* device = nullptr; // the last one played on
    std::atomic<bool> stop{false};
    std::thread thread;

    bool Finished(std::uint64_t ticket)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return finished >= ticket;
    }

    static void Run(std::shared_ptr<Shared> shared)
    {
        std::unique_lock<std::mutex> lock(shared->mutex);
        for (;;) {
            shared->woken.wait(lock, [&] { return shared->stopping || !shared->queue.empty(); });
            if (shared->stopping)
                break;
            Job job = std::move(shared->queue.front());
            shared->queue.pop_front();
            shared->device = job.device;
            lock.unlock();
            job.sound(job.output);
            lock.lock();
            // The device is let go only when nothing follows, so that queued
            // sounds run on without a gap, and before the waiter hears of the
            // end, so that nothing plays once Play has returned.
            if (shared->queue.empty() && !shared->stopping) {
                lock.unlock();
                job.device->Silence();
                lock.lock();
            }
            shared->finished = job.ticket;
        }
        platform::Sound_Service* const device = shared->device;
        lock.unlock();
        // Ends a cut: the stream is dropped and the device ready for others.
        if (device)
            device->Silence();
    }
};

Sound_Player::Sound_Player() : shared_(std::make_shared<Shared>()) {}

Sound_Player::~Sound_Player()
{
    platform::Sound_Service* device = nullptr;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        if (!shared_->thread.joinable())
            return;
        shared_->stopping = true;
        shared_->queue.clear();
        shared_->stop = true;
        device = shared_->device;
    }
    shared_->woken.notify_all();
    const bool ends_now = !device || device->Cut_Short();
    if (ends_now)
        shared_->thread.join();
    else
        shared_->thread.detach();
}

void Sound_Player::Play(Sound sound)
{
    Sound_Output output = Current_Sound_Output();
    output.stop = &shared_->stop;
    std::uint64_t ticket = 0;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        ticket = ++shared_->queued;
        shared_->queue.push_back({std::move(sound), &output.sound, output, ticket});
        if (!shared_->thread.joinable())
            shared_->thread = std::thread(&Shared::Run, shared_);
    }
    shared_->woken.notify_all();

    QEventLoop loop;
    QTimer look;
    look.setInterval(Look_Interval_Ms);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (shared_->Finished(ticket))
            loop.quit();
    });
    look.start();
    if (!shared_->Finished(ticket))
        loop.exec();
}
