// The on/off options' own bookkeeping, apart from their file.
#include "base/option.h"

COption COption::Create(bool value) {
  COption option;
  option.SetValue(value);
  return option;
}

void COption::SetValue(bool v) {
  value = v;
  applied = false;
  changed = true;
}

void COption::OverrideForThisRun(bool v) {
  value = v;
  applied = false;
}

void COption::Stored(bool v) {
  stored = v;
  changed = false;
}
