#pragma once

#include <string>
#include <string_view>

namespace qz {

// Creates `folder` and any missing parents (mode 0700). True when it exists as a folder
// afterwards; otherwise false with the reason in *error.
bool CreateFolders(const std::string& folder, std::string* error);

// Where a write to `path` ends up: `path` itself unless it is a symbolic link, else the end of
// its links, also when that end does not exist yet. A loop of links gives a
// path that is still a link.
std::string FollowLinks(const std::string& path);

// Replaces the file at `path` by `content` so that a crash at any moment leaves either the old
// file or the new one, never a mix: the content goes to a temporary file in the same folder, is
// flushed to disk and renamed over the old file. Missing folders are created. A new file is
// private to the user (0600); a replaced file keeps its owner and mode; a link stays a link and
// its target is replaced (or made, when the link points at nothing yet). Anything but a regular
// file at the path or at the link's end (a device, a fifo, a folder) is refused and left alone. On
// failure: false with the reason in *error, the old file unchanged and the temporary file removed.
bool ReplaceFileAtomically(const std::string& path, std::string_view content, std::string* error);

// Removes the temporary files that saves of `path` left behind when they were killed midway.
// Only safe while no other process may be saving `path` (the game holds its instance lock).
// Returns how many were removed.
int RemoveLeftoverTemporaryFiles(const std::string& path);

}  // namespace qz
