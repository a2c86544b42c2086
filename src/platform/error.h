#pragma once
// Operations that can fail raise a Program_Error carrying the message the
// user sees; handlers do not catch it, the application's error report does.

#include <stdexcept>
#include <string>

class Program_Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
