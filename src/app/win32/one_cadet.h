#pragma once

namespace qz {

// Windows keeps the game's record in the registry key of the account that plays: one cadet per
// account, and no cadets beside it.
inline constexpr char kOneCadetPerAccount[] =
    "on Windows each child plays under a Windows account of their own; --cadet, --new-cadet "
    "and --remove-cadet are not available";

}  // namespace qz
