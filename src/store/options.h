// COption and the options file: six on/off settings kept in options.dat.
#pragma once
#include "store/datafile.h"

class COption {
public:
  bool value = true;
  bool applied = false;

  static COption Create(bool value);
  // The player's own change: also what the options file will hold.
  void SetValue(bool v);
  // A value for this run only (a command-line choice): the file keeps what it
  // held until the player changes the option with SetValue.
  void OverrideForThisRun(bool v);
  // The value the options file is to hold.
  bool SavedValue() const { return runOnly ? fileValue : value; }

private:
  bool runOnly = false;
  bool fileValue = true;
};

// Creates the six options (all on) and reads options.dat over them if it exists.
void LoadOptions();
// Writes options.dat; says why when it could not.
TSaveResult SaveOptions();
