// COption: one of the six on/off options, with what the options file holds
// of it and whether the game has acted on its value yet.
#pragma once

class COption {
public:
  bool value = true;
  bool applied = false;

  static COption Create(bool value);
  // The player's own change: the options file will hold it, whatever another
  // copy of the game saved meanwhile.
  void SetValue(bool v);
  // A value for this run only (a command-line choice): the file keeps what it
  // holds until the player changes the option with SetValue.
  void OverrideForThisRun(bool v);
  // The value the options file is to hold, given what it holds now.
  bool SavedValue(bool inFile) const { return changed ? value : inFile; }
  // The file now holds `v` for this option.
  void Stored(bool v);
  bool StoredValue() const { return stored; }

private:
  bool changed = false;
  bool stored = true;
};
