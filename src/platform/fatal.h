// Fatal errors: one clear line for the player, then an orderly stop.
#pragma once
#include <stdexcept>
#include <string>

// Thrown for an error the game cannot go on from (a short level file, an
// unreadable data file). main() catches it, saves what must be saved, prints
// the message and exits with a non-zero status.
class TFatalError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& message);
