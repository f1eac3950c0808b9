// Raising a fatal error; main() reports it and ends the program.
#include "platform/fatal.h"

void Fail(const std::string& message) { throw TFatalError(message); }
