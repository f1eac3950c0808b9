// Raising a fatal error; main() reports it and ends the program.
#include "shell/fatal.h"

void Fail(const std::string& message) { throw TFatalError(message); }
