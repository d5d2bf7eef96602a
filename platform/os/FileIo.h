// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <string>
#include <string_view>

namespace ddz::os {

// Reads the whole file into `out`. False (and `out` emptied) when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out);

// Replaces the file with `contents` atomically: the bytes go to "<path>.tmp",
// are synced to disk, and the temporary file is then renamed over `path`. A
// write that fails or is interrupted part-way leaves the old file as it was.
// Missing parent folders are created. False on failure (logged).
bool WriteFileAtomically(const std::string& path, std::string_view contents);

// Creates a folder and its missing parents. True when it exists afterwards.
bool MakeDirectories(const std::string& path);

}  // namespace ddz::os
