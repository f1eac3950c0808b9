// The names nearest to one a player typed, for the line that refuses it.
#pragma once
#include <string>
#include <vector>

// Up to `count` candidates, nearest first: those that hold the typed text (or
// are held in it) before the rest, then by letters changed, case ignored.
std::vector<std::string> ClosestNames(const std::string& typed, const std::vector<std::string>& candidates,
                                      size_t count);
