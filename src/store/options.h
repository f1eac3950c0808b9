// COption and the options file: six on/off settings kept in options.dat.
#pragma once
#include "base/option.h"
#include "platform/datafile.h"

// Creates the six options (all on) and reads options.dat over them if it exists.
void LoadOptions();
// Writes the options this copy of the game changed into options.dat, the
// others as the file holds them now (another copy may have saved since);
// says why when it could not.
TSaveResult SaveOptions();
