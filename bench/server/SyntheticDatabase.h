#pragma once

#include <string>

// A player and team database of realistic size with made-up values, for runs without the real data.
void writeSyntheticDatabase(const std::string& path, int playerRows, int teamRows);
