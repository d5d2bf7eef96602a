// Paths beside the program file: the program folder as the web view and the
// web-result file expect it.
#pragma once

#include <string>

// The program folder as UTF-8 with '/' separators and a trailing '/';
// filled on first use of GetProgramDir (empty before).
extern std::string g_strProgramDir;

// out = g_strProgramDir + relativePath + "/" ('\' in relativePath become '/').
void GetProgramDir(const char* relativePath, std::string& out);

// Deletes "tx_web_result.dat" in the program folder; done before the web-view
// program is started so that an old result is never read back.
void DeleteWebResultFile();
