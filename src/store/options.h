// COption and the options file: six on/off settings kept in options.dat.
#pragma once

class COption {
public:
  bool value = true;
  bool applied = false;

  static COption Create(bool value);
  void SetValue(bool v);
};

// Creates the six options (all on) and reads options.dat over them if it exists.
void LoadOptions();
// Writes options.dat; returns false (after reporting) when it could not.
bool SaveOptions();
