// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ddz::os {

// Reads the whole file into `out`. False (and `out` emptied) when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string& out);

// What reading back a file of the program's own found.
enum class StoredFile {
  kRead,        // the whole file is in `out`
  kMissing,     // there is no file (nothing stored yet)
  kUnreadable,  // something is there but cannot be read: a folder, no permission, a read error
};
// Reads the whole file into `out` (emptied unless kRead). A store that finds
// kUnreadable must not write over the file: what it holds is not lost, only
// out of reach for now.
StoredFile ReadStoredFile(const std::string& path, std::string& out);

// The last `maxBytes` bytes of a regular file (all of it when it is shorter)
// into `out`, without reading what lies before them; `size` gets the file's
// size. False (`out` emptied) when the file cannot be read.
bool ReadFileTail(const std::string& path, std::size_t maxBytes, std::string& out, std::uint64_t& size);

// Replaces the file with `contents` atomically: the bytes go to "<path>.tmp",
// are synced to disk, and the temporary file is then renamed over `path`. A
// write that fails or is interrupted part-way leaves the old file as it was.
// Missing parent folders are created. False on failure (logged).
bool WriteFileAtomically(const std::string& path, std::string_view contents);

// Creates a folder and its missing parents. True when it exists afterwards.
bool MakeDirectories(const std::string& path);

}  // namespace ddz::os
