#include "shell/LaunchCommandLine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/engine/FileUtils.h"
#include "platform/engine/Log.h"
#include "platform/os/OsApiBase.h"

namespace {

class LaunchCommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OsApiBase::shareOsApi()->Reset();
    savedPaths_ = cocos2d::FileUtils::getInstance()->getSearchPaths();
    cocos2d::FileUtils::getInstance()->setSearchPaths({});
    cocos2d::Log::setEchoToStderr(false);
    cocos2d::Log::clear();
  }
  void TearDown() override {
    OsApiBase::shareOsApi()->Reset();
    cocos2d::FileUtils::getInstance()->setSearchPaths(savedPaths_);
    cocos2d::Log::setEchoToStderr(true);
  }
  static bool Logged(const std::string& part) {
    for (const auto& l : cocos2d::Log::lines())
      if (l.find(part) != std::string::npos) return true;
    return false;
  }
  OsApiBase& api = *OsApiBase::shareOsApi();
  std::vector<std::string> savedPaths_;
};

TEST_F(LaunchCommandLineTest, FullLineFillsEveryField) {
  ParseLaunchCommandLine("ddz 10.0.0.5 6001 7 3 1 42 tok3n 131072");
  EXPECT_EQ(api.bLaunchedWithParams, 1);
  EXPECT_STREQ(api.m_szServerIP, "10.0.0.5");
  EXPECT_EQ(api.m_iServerPort, 6001);
  EXPECT_EQ(api.m_iServerID, 7);  // token 3
  EXPECT_EQ(api.iLaunchParam4, 3);  // token 4
  EXPECT_EQ(api.m_iNetFlg, 1);
  EXPECT_EQ(api.m_iUserID, 42);
  EXPECT_STREQ(api.m_szUserToken, "tok3n");
  EXPECT_EQ(api.hLobbyWnd, 131072u);
  EXPECT_EQ(api.iLaunchGameKind, 62);
  EXPECT_EQ(api.bLaunchFlag, 0);
  EXPECT_TRUE(Logged("ddz 10.0.0.5 6001 7 3 1 42 tok3n 131072"));
  EXPECT_TRUE(Logged("m_szServerIP[10.0.0.5],m_iServerPort[6001],m_iUserID[42],m_szUserToken[tok3n]"));
  EXPECT_TRUE(Logged("m_iServerID[7]m_iNetFlg[1]"));
  EXPECT_TRUE(cocos2d::FileUtils::getInstance()->getSearchPaths().empty());
}

TEST_F(LaunchCommandLineTest, AddressWithoutDotStopsBeforeAnythingIsSet) {
  for (const char* line : {"ddz", "ddz   ", "ddz localhost 6001 7 3 1 42 tok 9", "ddz 10-0-0-5 1 2"}) {
    SCOPED_TRACE(line);
    api.Reset();
    cocos2d::Log::clear();
    ParseLaunchCommandLine(line);
    EXPECT_EQ(api.bLaunchedWithParams, 0);
    EXPECT_EQ(api.m_iServerPort, 0);
    EXPECT_EQ(api.iLaunchGameKind, 0);
    EXPECT_EQ(api.bLaunchFlag, 1);
  }
  // Without tokens the closing lines are written; an address without '.' ends before them.
  api.Reset();
  cocos2d::Log::clear();
  ParseLaunchCommandLine("ddz");
  EXPECT_TRUE(Logged("m_iServerID[0]m_iNetFlg[0]"));
  cocos2d::Log::clear();
  ParseLaunchCommandLine("ddz localhost 6001");
  EXPECT_TRUE(Logged("strFirstParams:localhost"));
  EXPECT_FALSE(Logged("m_iServerID["));
}

TEST_F(LaunchCommandLineTest, PathWithSpaceMakesItsTailTheAddress) {
  // "/opt/my games/ddz.bin": the part after the space holds a '.' and is taken.
  ParseLaunchCommandLine("/opt/my games/ddz.bin 10.0.0.5 6001");
  EXPECT_EQ(api.bLaunchedWithParams, 1);
  EXPECT_STREQ(api.m_szServerIP, "games/ddz.bin");
  EXPECT_EQ(api.m_iServerPort, 10);  // the real address went to the port
  EXPECT_EQ(api.m_iServerID, 6001);
}

TEST_F(LaunchCommandLineTest, MissingTokensKeepTheirFields) {
  api.hLobbyWnd = 77;
  api.m_iUserID = 5;
  ParseLaunchCommandLine("ddz 1.2.3.4  99");  // a run of spaces is one separator
  EXPECT_STREQ(api.m_szServerIP, "1.2.3.4");
  EXPECT_EQ(api.m_iServerPort, 99);
  EXPECT_EQ(api.m_iUserID, 5);
  EXPECT_EQ(api.hLobbyWnd, 77u);
  EXPECT_EQ(api.iLaunchGameKind, 62);
}

TEST_F(LaunchCommandLineTest, NumbersAreCutToTheirFieldWidths) {
  struct Case {
    const char* port;
    const char* lobby;
    std::uint16_t wantPort;
    std::uint32_t wantLobby;
  } cases[] = {
      {"65535", "4294967295", 65535, 4294967295u},
      {"65536", "4294967296", 0, 0},
      {"65537", "4294967297", 1, 1},
      {"-1", "-1", 65535, 4294967295u},
      {"12ab", "x12", 12, 0},
      {"99999999999999999999", "99999999999999999999", 65535, 4294967295u},  // saturates first
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    api.Reset();
    const std::string line = std::string("ddz 1.2.3.4 ") + c.port + " 0 0 0 0 t " + c.lobby;
    ParseLaunchCommandLine(line.c_str());
    EXPECT_EQ(api.m_iServerPort, c.wantPort);
    EXPECT_EQ(api.hLobbyWnd, c.wantLobby);
  }
}

TEST_F(LaunchCommandLineTest, OverlongAddressAndTokenNeverOverrunTheRecord) {
  struct Case {
    std::size_t length;
    bool addressTaken;
  } cases[] = {{19, true}, {20, false}, {100, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    api.Reset();
    api.m_iServerPort = 1234;
    const std::string address = "1." + std::string(c.length - 2, '2');
    const std::string token(c.length, 'k');
    const std::string line = "ddz " + address + " 6001 0 0 0 0 " + token + " 5";
    ParseLaunchCommandLine(line.c_str());
    // The record's bytes around the fields are untouched, the texts terminated.
    EXPECT_LT(std::strlen(api.m_szServerIP), sizeof api.m_szServerIP);
    EXPECT_LT(std::strlen(api.m_szUserToken), sizeof api.m_szUserToken);
    if (c.addressTaken) {
      EXPECT_EQ(api.m_szServerIP, address);
      EXPECT_EQ(api.m_iServerPort, 6001);
      EXPECT_EQ(api.m_szUserToken, token);
      EXPECT_EQ(api.hLobbyWnd, 5u);
    } else {
      // A cut address would name another server: refused like one without '.'.
      EXPECT_EQ(api.bLaunchedWithParams, 0);
      EXPECT_STREQ(api.m_szServerIP, "");
      EXPECT_EQ(api.m_iServerPort, 1234);
      EXPECT_TRUE(Logged("server address of " + std::to_string(c.length) + " characters refused"));
    }

    api.Reset();
    ParseLaunchCommandLine(("ddz 1.2.3.4 6001 0 0 0 0 " + token + " 5").c_str());
    EXPECT_EQ(std::string(api.m_szUserToken), token.substr(0, 19));
    EXPECT_EQ(api.hLobbyWnd, 5u);  // parsing goes on after a cut token
  }
}

TEST_F(LaunchCommandLineTest, NinthParameterIsASearchPathAndLaterOnesAreIgnored) {
  ParseLaunchCommandLine("ddz 1.2.3.4 1 2 3 4 5 t 6 extra\\res more tokens");
  EXPECT_EQ(cocos2d::FileUtils::getInstance()->getSearchPaths(), std::vector<std::string>{"extra/res/"});

  cocos2d::FileUtils::getInstance()->setSearchPaths({});
  const std::string longPath(260, 'p');
  ParseLaunchCommandLine(("ddz 1.2.3.4 1 2 3 4 5 t 6 " + longPath).c_str());
  EXPECT_TRUE(cocos2d::FileUtils::getInstance()->getSearchPaths().empty());
  EXPECT_TRUE(Logged("search path of 260 characters refused"));
  ParseLaunchCommandLine(("ddz 1.2.3.4 1 2 3 4 5 t 6 " + longPath.substr(1)).c_str());
  EXPECT_EQ(cocos2d::FileUtils::getInstance()->getSearchPaths().size(), 1u);
}

TEST_F(LaunchCommandLineTest, OnlyTheFirst1023CharactersAreRead) {
  std::string line = "ddz 1.2.3.4 1 2 3 4 5 t 6 ";
  line += std::string(1023 - line.size() - 1, 'a') + "bc";  // the 'c' is byte 1024
  const std::vector<std::string> tokens = ddz::SplitCommandLine(line);
  ASSERT_EQ(tokens.size(), 10u);
  EXPECT_EQ(tokens[9].back(), 'b');
  EXPECT_TRUE(ddz::SplitCommandLine("").empty());
  EXPECT_EQ(ddz::SplitCommandLine("  a  b "), (std::vector<std::string>{"a", "b"}));
}

TEST(LaunchNumbers, ReadLikeTheRuntime) {
  struct Case {
    const char* text;
    std::int64_t value;
  } cases[] = {
      {"0", 0},           {"42", 42},          {"+7", 7},           {"-13", -13},        {"  8", 8},
      {"3x4", 3},         {"x", 0},            {"", 0},             {"-", 0},
      {"9223372036854775807", INT64_MAX},      {"9223372036854775808", INT64_MAX},
      {"-9223372036854775808", INT64_MIN},     {"-9223372036854775809", INT64_MIN},
  };
  for (const Case& c : cases) EXPECT_EQ(ddz::ParseInt64Token(c.text), c.value) << c.text;
  // The 32-bit reader saturates like the 64-bit one; it never wraps.
  const Case ints[] = {{"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"4294967297", INT32_MAX},
                       {"99999999999999999999", INT32_MAX}, {"-2147483648", INT32_MIN},
                       {"-2147483649", INT32_MIN}, {"-4294967297", INT32_MIN}};
  for (const Case& c : ints) EXPECT_EQ(ddz::ParseIntToken(c.text), c.value) << c.text;
}

TEST_F(LaunchCommandLineTest, NumbersBeyond32BitsSaturateOnlyTheLobbyWindowKeepsItsLow32Bits) {
  ParseLaunchCommandLine("ddz 10.0.0.5 4294967297 4294967297 -4294967297 4294967297 4294967297 t 4294967297");
  EXPECT_EQ(api.m_iServerPort, 0xFFFF);  // the low 16 bits of INT32_MAX
  EXPECT_EQ(api.m_iServerID, INT32_MAX);
  EXPECT_EQ(api.iLaunchParam4, INT32_MIN);
  EXPECT_EQ(api.m_iNetFlg, INT32_MAX);
  EXPECT_EQ(api.m_iUserID, INT32_MAX);
  EXPECT_EQ(api.hLobbyWnd, 1u);  // a 64-bit number cut to its low 32 bits
}

}  // namespace
