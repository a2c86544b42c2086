#pragma once
// What the settings tests share: the program "installed" in a temporary
// folder, fakes for the services a start-up touches, answered message boxes,
// and another process that holds a lock on a file.

#include "fakes/file_bytes.h"
#include "common/message_box.h"
#include "common/settings_location.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_disk.h"
#include "fakes/fake_memory.h"
#include "fakes/fake_process.h"

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace settings_test {

// A clock that can run a check at the start-up's first look at the time
// (step 17), after the window's bounds are applied and before any placement.
class Watching_Clock final : public platform::Clock_Service {
public:
    std::function<void()> at_next_reading;
    double Now() override
    {
        if (at_next_reading) {
            auto check = std::move(at_next_reading);
            at_next_reading = nullptr;
            check();
        }
        return 46000.5;
    }
};

class Environment {
public:
    Environment()
        : process_guard_(process), disk_guard_(disk), memory_guard_(memory), clock_guard_(clock),
          version_guard_(version), answerer_([this](const Message_Record& record) {
              messages.push_back(record);
              return record.buttons == Msg_Buttons::Yes_No ? question_answer : Msg_Result::OK;
          })
    {
        process.executable_path = dir.filePath(QStringLiteral("vistrel")).toStdString();
        disk.listed = {{'c', "/"}, {'d', "/home"}};
        memory.status.ullTotalPhys = memory.status.ullAvailPhys = 1ull << 30;
        memory.status.ullTotalPageFile = memory.status.ullAvailPageFile = 1ull << 30;
        saved_config_ = qgetenv("XDG_CONFIG_HOME");
        had_config_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());
    }
    ~Environment()
    {
        if (had_config_)
            qputenv("XDG_CONFIG_HOME", saved_config_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    QString Ini_Path() const { return dir.filePath(QStringLiteral("vistrel.ini")); }

    void Write_Ini(const std::string& bytes) const { Write_All(Ini_Path(), bytes); }
    std::string Read_Ini() const { return Read_All(Ini_Path()); }

    QTemporaryDir dir;
    Fake_Process process;
    Fake_Disk disk;
    Fake_Memory memory;
    Watching_Clock clock;
    Fake_Version version;
    std::vector<Message_Record> messages;
    Msg_Result question_answer = Msg_Result::No;

private:
    platform::Scoped_Service<platform::Process_Service> process_guard_;
    platform::Scoped_Service<platform::Disk_Service> disk_guard_;
    platform::Scoped_Service<platform::Memory_Service> memory_guard_;
    platform::Scoped_Service<platform::Clock_Service> clock_guard_;
    platform::Scoped_Service<platform::Version_Service> version_guard_;
    Scoped_Message_Answerer answerer_;
    QByteArray saved_config_;
    bool had_config_ = false;
};

// Another process holding a lock on a file, as an editor or a second copy of
// a program would, until the holder goes out of scope.
class Lock_Holder {
public:
    enum class Kind { Record, Flock };

    Lock_Holder(const std::string& path, Kind kind)
    {
        int ready[2];
        int release[2];
        if (pipe(ready) != 0 || pipe(release) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            // Only async-signal-safe calls in the child of a threaded process.
            close(ready[0]);
            close(release[1]);
            const int fd = open(path.c_str(), O_RDWR);
            bool locked = false;
            if (fd >= 0 && kind == Kind::Record) {
                struct flock lock{};
                lock.l_type = F_WRLCK;
                lock.l_whence = SEEK_SET;
                locked = fcntl(fd, F_SETLK, &lock) == 0;
            } else if (fd >= 0) {
                locked = flock(fd, LOCK_EX | LOCK_NB) == 0;
            }
            const char answer = locked ? 'y' : 'n';
            (void)!write(ready[1], &answer, 1);
            char ignored;
            (void)!read(release[0], &ignored, 1);
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        release_ = release[1];
        char answer = 'n';
        if (pid_ > 0 && read(ready[0], &answer, 1) == 1)
            locked_ = answer == 'y';
        close(ready[0]);
    }
    ~Lock_Holder()
    {
        if (release_ >= 0)
            close(release_);
        if (pid_ > 0)
            waitpid(pid_, nullptr, 0);
    }
    Lock_Holder(const Lock_Holder&) = delete;
    Lock_Holder& operator=(const Lock_Holder&) = delete;

    bool Locked() const { return locked_; }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool locked_ = false;
};

} // namespace settings_test
