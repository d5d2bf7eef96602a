// The framework's free helpers: the millisecond clock, the random draw, hex
// texts, MD5 digests and text splitting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Milliseconds of the program's virtual clock (monotonic; wraps after about
// 49 days, so callers compare differences).
unsigned int GetTime();

// 0 .. n - 1 from the process's one random source (0 when n <= 0).
int YndRand(int n);

// Two upper-case hex digits per byte, no separators ("0A1BFF").
std::string CharArrayToHexString(const char* data, int len);

// Decodes hex digits (either case, an even count) into `out`, which holds
// `outCapacity` bytes; the result is zero-terminated, so at most
// outCapacity - 1 bytes are decoded. *outLen gets the decoded length.
// Odd length, a non-hex character or a result that does not fit: false,
// "" in `out` and 0 in *outLen (logged).
bool HexStringToCharArray(const char* hex, char* out, int* outLen, int outCapacity);

// MD5 of `len` bytes as 32 lower-case hex digits and a terminator: `out` must
// hold 33 bytes.
void MakeMD5(const char* data, int len, char* out);
std::string MakeMD5(std::string_view data);

// Splits `text` at every occurrence of the separator `sep` (one or more
// characters) into `out` (cleared first). Empty pieces between separators are
// kept; an empty text gives no pieces; without a separator the whole text is
// one piece.
void CutString(std::vector<std::string>& out, const char* text, const char* sep);

// Removes every line end ('\r' and '\n') from a text in place.
void DeleteCharArrayEnter(char* text);
