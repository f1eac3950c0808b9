// The shape of a level map: 18 rows of 14 cells behind a 9-byte header, as
// the level files store it.
#pragma once

constexpr int LevelColumns = 14;
constexpr int LevelRows = 18;
constexpr int LevelCells = LevelColumns * LevelRows;
constexpr int LevelHeaderBytes = 9;
constexpr int LevelFileBytes = LevelHeaderBytes + 2 * LevelCells;  // 513
