#pragma once

#include <string>
#include <string_view>

namespace qz {

// Creates `folder` and any missing parents (mode 0700). True when it exists as a folder
// afterwards; otherwise false with the reason in *error.
bool CreateFolders(const std::string& folder, std::string* error);

// Replaces the file at `path` by `content` so that a crash at any moment leaves either the old
// file or the new one, never a mix: the content goes to a temporary file in the same folder, is
// flushed to disk and renamed over the old file. Missing folders are created. A new file is
// private to the user (0600); a replaced file keeps its owner and mode; a link to a file stays
// a link and its target is replaced. Anything but a regular file at the path or at the link's
// end (a device, a fifo, a folder) is refused and left alone. On failure: false with the reason
// in *error, the old file unchanged and the temporary file removed.
bool ReplaceFileAtomically(const std::string& path, std::string_view content, std::string* error);

// Removes the temporary files that saves of `path` left behind when they were killed midway.
// Only safe while no other process may be saving `path` (the game holds its instance lock).
// Returns how many were removed.
int RemoveLeftoverTemporaryFiles(const std::string& path);

}  // namespace qz
