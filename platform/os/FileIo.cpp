#include "platform/os/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/os/Log.h"

namespace ddz::os {

namespace {

// Reads from `fd` at `offset` until `out` holds `want` bytes or the file ends.
bool ReadAt(int fd, std::uint64_t offset, std::size_t want, std::string& out) {
  out.resize(want);
  std::size_t done = 0;
  while (done < want) {
    const ssize_t n = ::pread(fd, out.data() + done, want - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      out.clear();
      return false;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  out.resize(done);
  return true;
}

// Opens a regular file for reading: -1 with errno set otherwise (EISDIR for a
// folder or anything else that is no regular file).
int OpenRegular(const std::string& path, struct stat& st) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  return fd;
}

}  // namespace

StoredFile ReadStoredFile(const std::string& path, std::string& out) {
  out.clear();
  struct stat st {};
  const int fd = OpenRegular(path, st);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return StoredFile::kMissing;
    Log("ReadStoredFile: [%s] cannot be read: %s", path.c_str(), std::strerror(errno));
    return StoredFile::kUnreadable;
  }
  // Read on to the end, whatever size the file gives itself.
  std::string chunk;
  for (std::uint64_t at = 0;; at += chunk.size()) {
    if (!ReadAt(fd, at, 64 * 1024, chunk)) {
      Log("ReadStoredFile: reading [%s] failed: %s", path.c_str(), std::strerror(errno));
      ::close(fd);
      out.clear();
      return StoredFile::kUnreadable;
    }
    if (chunk.empty()) break;
    out += chunk;
  }
  ::close(fd);
  return StoredFile::kRead;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  return ReadStoredFile(path, out) == StoredFile::kRead;
}

bool ReadFileTail(const std::string& path, std::size_t maxBytes, std::string& out, std::uint64_t& size) {
  out.clear();
  size = 0;
  struct stat st {};
  const int fd = OpenRegular(path, st);
  if (fd < 0) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  const std::uint64_t from = size > maxBytes ? size - maxBytes : 0;
  const bool ok = ReadAt(fd, from, static_cast<std::size_t>(size - from), out);
  ::close(fd);
  return ok;
}

bool MakeDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string partial;
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    partial = path.substr(0, pos);
    if (partial.empty()) continue;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {
std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}
}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view contents) {
  const std::string parent = ParentOf(path);
  if (!MakeDirectories(parent)) {
    Log("WriteFileAtomically: cannot create folder [%s]", parent.c_str());
    return false;
  }
  const std::string tmp = path + ".tmp";
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    Log("WriteFileAtomically: cannot open [%s]: %s", tmp.c_str(), std::strerror(errno));
    return false;
  }
  std::size_t done = 0;
  bool ok = true;
  while (done < contents.size()) {
    const ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    Log("WriteFileAtomically: writing [%s] failed: %s", path.c_str(), std::strerror(errno));
    ::unlink(tmp.c_str());
    return false;
  }
  // Make the rename itself durable.
  const int dirFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
  return true;
}

}  // namespace ddz::os
