#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "platform/os/CrashHandler.h"
#include "platform/os/FileIo.h"
#include "support/TempDir.h"

using namespace ddz::os;

namespace {
// A real fault: a write to a page that may not be touched.
[[gnu::noinline]] void CrashNow() {
  void* page = ::mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (page == MAP_FAILED) std::_Exit(4);
  *static_cast<volatile int*>(page) = 1;
}
}  // namespace

TEST(CrashHandler, ReportNamesTheSignalAndCarriesABacktrace) {
  ddz::test::TempDir dir;
  const std::string path = dir.file("report.txt");
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  WriteCrashReport(fd, SIGSEGV, reinterpret_cast<void*>(0x10));
  ::close(fd);
  std::string text;
  ASSERT_TRUE(ReadWholeFile(path, text));
  EXPECT_NE(text.find("signal: 11 SIGSEGV"), std::string::npos) << text;
  EXPECT_NE(text.find("address: 0x10\n"), std::string::npos) << text;
  EXPECT_NE(text.find("process: " + std::to_string(::getpid())), std::string::npos);
  const std::size_t bt = text.find("backtrace:\n");
  ASSERT_NE(bt, std::string::npos);
  EXPECT_GT(text.size(), bt + 12);  // at least one frame line
  EXPECT_NE(text.find("end of report\n"), std::string::npos);
}

TEST(CrashHandlerDeathTest, AFaultWritesCrashDmpBesideTheProgramAndStillKills) {
  GTEST_FLAG_SET(death_test_style, "fast");
  ddz::test::TempDir dir;
  // An old dump is replaced.
  ASSERT_TRUE(WriteFileAtomically(dir.file("crash.dmp"), "old dump"));
  EXPECT_EXIT(
      {
        if (!InstallCrashHandler(dir.path())) std::_Exit(3);
        CrashNow();
      },
      ::testing::KilledBySignal(SIGSEGV), "");
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.file("crash.dmp"), text));
  EXPECT_EQ(text.rfind("Crash report\n", 0), 0u) << text;
  EXPECT_NE(text.find("SIGSEGV"), std::string::npos);
  EXPECT_NE(text.find("end of report"), std::string::npos);
}

TEST(CrashHandlerDeathTest, AnAbortIsReportedToo) {
  GTEST_FLAG_SET(death_test_style, "fast");
  ddz::test::TempDir dir;
  EXPECT_EXIT(
      {
        InstallCrashHandler(dir.path());
        std::abort();
      },
      ::testing::KilledBySignal(SIGABRT), "");
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.file("crash.dmp"), text));
  EXPECT_NE(text.find("SIGABRT"), std::string::npos);
}

TEST(CrashHandler, InstallAndUninstallRestoreThePreviousAction) {
  struct sigaction before {};
  ::sigaction(SIGFPE, nullptr, &before);
  ddz::test::TempDir dir;
  ASSERT_TRUE(InstallCrashHandler(dir.path()));
  struct sigaction during {};
  ::sigaction(SIGFPE, nullptr, &during);
  EXPECT_NE(during.sa_flags & SA_SIGINFO, 0);
  UninstallCrashHandler();
  struct sigaction after {};
  ::sigaction(SIGFPE, nullptr, &after);
  // The C library may add its own restorer flag when an action is set again.
#ifdef SA_RESTORER
  constexpr int kLibcFlags = SA_RESTORER;
#else
  constexpr int kLibcFlags = 0x04000000;
#endif
  EXPECT_EQ(after.sa_flags & ~kLibcFlags, before.sa_flags & ~kLibcFlags);
  EXPECT_EQ(reinterpret_cast<void*>(after.sa_handler), reinterpret_cast<void*>(before.sa_handler));
  EXPECT_FALSE(InstallCrashHandler(std::string(5000, 'x')));
}
