// Showing text that came from a file (or the command line) in a message.
#pragma once
#include <cstddef>
#include <string>

// How many characters of such text a message shows at most.
constexpr size_t EchoedLength = 60;
// A path is shown longer, for its end names the file.
constexpr size_t EchoedPathLength = 240;
// A whole message that may hold a path and text from a file.
constexpr size_t EchoedMessageLength = EchoedPathLength + EchoedLength + 200;

// The text made safe for a terminal and a one-line notice: a byte that is a
// control character or not part of well-formed UTF-8 is written as \xNN, a
// backslash as \\, and once `most` characters are shown the rest is left out
// for "..." (an escape counts as the characters it takes).
// Printable ASCII and well-formed UTF-8 letters are shown as they are.
std::string Echoed(const std::string& text, size_t most = EchoedLength);
