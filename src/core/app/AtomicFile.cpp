#include "app/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>

namespace pemrin {

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The file a write really goes to: the target of a symbolic link, else the path itself.
std::string ResolveTarget(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string resolved(real);
      std::free(real);
      return resolved;
    }
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates a new, empty temporary file beside `target`; the umask applies to its mode as to any
// new file. Returns the descriptor (or -1) and the chosen name.
int CreateTemporaryBeside(const std::string& target, std::string& name) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  static std::mt19937 random{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = folder + "." + base + "." + std::to_string(::getpid()) + "." +
           std::to_string(random() % 1000000) + ".tmp";
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// For a writable file in a folder we may not create files in: overwrite it where it is. The
// space is reserved first, so a full disk fails before any byte of the old contents changes.
WriteStatus RewriteInPlace(const std::string& target, const Bytes& data) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return WriteStatus::kCannotWrite;
  const off_t size = static_cast<off_t>(data.size());
  bool ok = (size == 0 || ::posix_fallocate(fd, 0, size) == 0) && ::lseek(fd, 0, SEEK_SET) == 0 &&
            WriteAll(fd, data.data(), data.size()) && ::ftruncate(fd, size) == 0 &&
            ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  return ok ? WriteStatus::kOk : WriteStatus::kCannotWrite;
}

}  // namespace

ReadStatus ReadWholeFile(const std::string& path, Bytes& out) {
  // Without O_NONBLOCK, opening a FIFO would wait for a writer for ever; it is no plain file
  // and is refused below. Reads of a plain file never block.
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0)
    return (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::kMissing : ReadStatus::kFailed;

  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return ReadStatus::kFailed;
  }
  Bytes text;
  text.resize(static_cast<std::size_t>(st.st_size));
  std::size_t used = 0;
  for (;;) {
    if (used == text.size()) text.resize(text.size() + 4096);  // the file grew since fstat
    const ssize_t n = ::read(fd, text.data() + used, text.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return ReadStatus::kFailed;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
  }
  ::close(fd);
  text.resize(used);
  out.swap(text);
  return ReadStatus::kOk;
}

WriteStatus ReplaceFileContents(const std::string& path, const Bytes& data) {
  const std::string target = ResolveTarget(path);
  struct stat old;
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return WriteStatus::kCannotCreate;
  // A write-protected file stays protected, although its folder would let us replace it.
  if (exists && ::access(target.c_str(), W_OK) != 0) return WriteStatus::kCannotWrite;

  std::string temporary;
  const int fd = CreateTemporaryBeside(target, temporary);
  if (fd < 0) {
    if (exists && (errno == EACCES || errno == EPERM)) return RewriteInPlace(target, data);
    return WriteStatus::kCannotCreate;
  }

  bool ok = (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
            WriteAll(fd, data.data(), data.size()) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (!ok || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return WriteStatus::kCannotWrite;
  }
  // Make the rename itself durable; a failure here no longer endangers the file's contents.
  const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return WriteStatus::kOk;
}

}  // namespace pemrin
