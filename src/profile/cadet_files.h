#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qz {

// The file names of the cadets' records in the records' folder. They are made from the game's
// name and a number only, never from a cadet's name, so no name ("../x", "a/b", "CON", control
// characters, any length) ever becomes a path.
//
// The first cadet is "<app>.ini", the settings file of a one-child household; the others are
// "<app>.cadet-<n>.ini", n from 2 on. A removed record is renamed "<stem>.removed-<k>.ini".

inline constexpr int kFirstCadetNumber = 1;

// "<app>.ini" for number 1, "<app>.cadet-<number>.ini" for the others.
std::string CadetFileName(std::string_view app_name, int number);

// The cadet number a file name holds: 1 for "<app>.ini", n for "<app>.cadet-<n>.ini" (n from 2,
// without leading zeros, at most kMaxCadetNumber); none for any other name.
std::optional<int> CadetNumberOf(std::string_view app_name, std::string_view file_name);
inline constexpr int kMaxCadetNumber = 99999;

// The name a removed record is kept under: "<app>.removed-<k>.ini" for the first cadet's
// file, "<app>.cadet-<n>.removed-<k>.ini" for the others.
std::string RemovedFileName(std::string_view cadet_file_name, int attempt);

}  // namespace qz
