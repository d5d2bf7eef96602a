// Finding and reading the program's data files: the search-path lookup every
// reader of the framework shares, the line reader of the text tables and the
// heap text helper.
#pragma once

#include <cstddef>
#include <string>

namespace ddz {

// Largest data file a reader accepts; anything bigger is refused with a log
// line (a data file that size is broken or hostile, never ours).
constexpr std::size_t kMaxDataFileBytes = 16u * 1024u * 1024u;

// The full path of a data file: an absolute path as it stands (when the file
// exists), else the first hit of the engine's search paths. "" when none.
std::string FindDataFile(const std::string& name);

// Reads a whole file into `out`. False (and `out` emptied) when the file cannot
// be opened or read, or is larger than kMaxDataFileBytes.
bool ReadFileBytes(const std::string& path, std::string& out);

}  // namespace ddz

// A heap text with room for n characters and the terminator (n + 1 bytes, all
// zero). The caller frees it with delete[].
char* NewCharArray(std::size_t n);

// Reads a text file line by line. A line comes without its terminator ("\n",
// "\r\n" or a lone "\r"); a UTF-8 byte-order mark at the start of the file is
// dropped. A last line without a terminator is still a line.
class YndFileTools {
 public:
  // `absolutePath` false: the file is found through the search paths;
  // true: opened exactly as named.
  explicit YndFileTools(const char* file, bool absolutePath = false);

  // Whether the file was found and read.
  bool IsOpen() const { return open_; }
  // The next line into `line`; false (and `line` emptied) at the end.
  bool GetLine(std::string& line);

 private:
  std::string text_;
  std::size_t pos_ = 0;
  bool open_ = false;
};
