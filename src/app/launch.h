#pragma once
// What main does before the application object exists: reads the command
// line and chooses the window system, printing what the user has to be told.
// When the program goes on, Argc and Argv are what to give the application
// object: the arguments as received, plus the window system chosen here.

#include <optional>
#include <string>
#include <vector>

class Launch {
public:
    Launch(int argc, char** argv);
    Launch(const Launch&) = delete;
    Launch& operator=(const Launch&) = delete;

    // Set when the program ends here, with the status to end with.
    std::optional<int> Exit_Status() const { return exit_status_; }

    // Valid for as long as this object lives, which must outlast the
    // application object.
    int& Argc() { return argc_; }
    char** Argv() { return pointers_.data(); }

private:
    std::optional<int> exit_status_;
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
    int argc_ = 0;
};
