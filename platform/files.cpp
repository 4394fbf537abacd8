#include "platform/files.h"

#include "platform/cp1252.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '/') {
            if (!current.empty()) parts.push_back(current);
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) parts.push_back(current);
    return parts;
}

bool exists(const std::string& osPath) {
    struct stat st;
    return ::lstat(osPath.c_str(), &st) == 0;
}

bool byteLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// The entry of `folder` (a system path) whose name equals `name` (Windows-1252) without regard
// to case; the first in byte order when several do.
std::optional<std::string> findWithoutCase(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    const std::string wanted = upper1252(name);
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string osName = entry->d_name;
        if (osName == "." || osName == "..") continue;
        const auto converted = utf8ToCp1252(osName);
        if (!converted || upper1252(*converted) != wanted) continue;
        if (!best || byteLess(osName, *best)) best = osName;
    }
    ::closedir(dir);
    return best;
}

// The system (UTF-8) path of a program path, each level found without regard to case.
std::string osPath(const std::string& path) {
    const bool absolute = !path.empty() && path[0] == '/';
    std::string result = absolute ? "/" : "";
    bool resolving = true;
    for (const std::string& part : splitPath(path)) {
        const std::string osPart = cp1252ToUtf8(part);
        const std::string folder = result;
        if (!result.empty() && result.back() != '/') result += '/';
        if (resolving && part != "." && part != ".." && !exists(result + osPart)) {
            const auto match = findWithoutCase(folder, part);
            if (match) {
                result += *match;
                continue;
            }
            resolving = false;
        }
        result += osPart;
    }
    if (result.empty()) result = ".";
    return result;
}

std::string folderOf(const std::string& osFile) {
    const auto slash = osFile.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return osFile.substr(0, slash);
}

std::string nameOf(const std::string& osFile) {
    const auto slash = osFile.rfind('/');
    return slash == std::string::npos ? osFile : osFile.substr(slash + 1);
}

bool writeAll(int fd, const std::string& data, off_t offset, bool positioned) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = positioned ? ::pwrite(fd, data.data() + done, data.size() - done,
                                                offset + static_cast<off_t>(done))
                                     : ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::optional<std::vector<std::string>> listEntries(const std::string& folder, bool folders) {
    const std::string os = osPath(folder);
    DIR* dir = ::opendir(os.c_str());
    if (!dir) return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string osName = entry->d_name;
        if (osName.empty() || osName[0] == '.') continue;
        struct stat st;
        if (::stat((os + "/" + osName).c_str(), &st) != 0) continue;
        if (folders ? !S_ISDIR(st.st_mode) : !S_ISREG(st.st_mode)) continue;
        // A name the program cannot spell is a name it could never have made or asked for.
        const auto converted = utf8ToCp1252(osName);
        if (converted) names.push_back(*converted);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end(), byteLess);
    return names;
}

// The temporary files replaceFile makes for `name`: "." & name & "." & six characters.
constexpr std::size_t kTemporarySuffixLength = 6;
std::string temporaryPattern(const std::string& folder, const std::string& name) {
    return folder + "/." + name + "." + std::string(kTemporarySuffixLength, 'X');
}

// A temporary file is stale when no save holds it any more: a save keeps its own locked while it
// writes, and the age covers the moments before the lock and after it, and the shares where
// locks do not reach other computers.
constexpr time_t kStaleTemporaryAge = 60;

// Removes what saves of `name` killed half way left in the folder, so that they do not pile up.
void removeStaleTemporaries(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::string prefix = "." + name + ".";
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string other = entry->d_name;
        if (other.size() != prefix.size() + kTemporarySuffixLength ||
            other.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string full = folder + "/" + other;
        // Opened for writing: a lock over a network share may need it.
        const int fd = ::open(full.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat st;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
            now - st.st_mtime >= kStaleTemporaryAge && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(full.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

std::string resolvePath(const std::string& path) {
    return utf8ToCp1252(osPath(path)).value_or(path);
}

bool fileExists(const std::string& path) {
    const int fd = ::open(osPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

bool folderExists(const std::string& path) {
    struct stat st;
    return ::stat(osPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::optional<std::int64_t> fileLength(const std::string& path) {
    struct stat st;
    if (::stat(osPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::string> readBytes(const std::string& path, std::int64_t position,
                                     std::size_t count) {
    if (position < 1) return std::nullopt;
    const int fd = ::open(osPath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // The room asked for is taken only as far as the file holds bytes there: a count taken from
    // a damaged length must not decide the allocation.
    const auto held = st.st_size >= position ? static_cast<std::uint64_t>(st.st_size - position + 1)
                                             : std::uint64_t{0};
    std::string data(static_cast<std::size_t>(std::min<std::uint64_t>(count, held)), '\0');
    count = data.size();
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(fd, data.data() + done, count - done, static_cast<off_t>(position - 1 + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    data.resize(done);
    return data;
}

bool writeBytes(const std::string& path, std::int64_t position, const std::string& data) {
    if (position < 1) return false;
    const int fd = ::open(osPath(path).c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
              writeAll(fd, data, static_cast<off_t>(position - 1), true);
    if (::close(fd) != 0) ok = false;
    return ok;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    const auto length = fileLength(path);
    if (!length || *length > kWholeFileLimit) return std::nullopt;
    return readBytes(path, 1, static_cast<std::size_t>(*length));
}

bool replaceFile(const std::string& path, const std::string& content) {
    const std::string target = osPath(path);
    const std::string name = nameOf(target);
    if (name.empty() || name == "." || name == "..") return false;
    const std::string folder = folderOf(target);
    removeStaleTemporaries(folder, name);
    std::string temporary = temporaryPattern(folder, name);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    // Held until the file is closed: another program's save sees this one is still at work.
    ::flock(fd, LOCK_EX | LOCK_NB);

    struct stat old;
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : newFileMode();
    bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, content, 0, false) && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

std::optional<std::vector<std::string>> readLines(const std::string& path) {
    const auto content = readWholeFile(path);
    if (!content) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content->size()) {
        auto end = content->find('\n', start);
        if (end == std::string::npos) end = content->size();
        std::string line = content->substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const auto& line : lines) content += line + "\r\n";
    return replaceFile(path, content);
}

MakeFolderResult makeFolder(const std::string& path) {
    const std::string os = osPath(path);
    if (::mkdir(os.c_str(), 0777) == 0) return MakeFolderResult::Created;
    if (errno == EEXIST) {
        struct stat st;
        if (::stat(os.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            return MakeFolderResult::AlreadyExists;
    }
    return MakeFolderResult::Failed;
}

bool makeFolders(const std::string& path) {
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i] == '/' && path[i - 1] != '/') makeFolder(path.substr(0, i));
    }
    makeFolder(path);
    return folderExists(path);
}

std::optional<std::vector<std::string>> listFiles(const std::string& folder) {
    return listEntries(folder, false);
}

std::optional<std::vector<std::string>> listFolders(const std::string& folder) {
    return listEntries(folder, true);
}

bool deleteFile(const std::string& path) {
    const std::string os = osPath(path);
    struct stat st;
    if (::lstat(os.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(os.c_str()) == 0;
}

bool deleteAllFiles(const std::string& folder) {
    const std::string os = osPath(folder);
    DIR* dir = ::opendir(os.c_str());
    if (!dir) return false;
    bool ok = true;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        const std::string full = os + "/" + name;
        struct stat st;
        if (::lstat(full.c_str(), &st) != 0) {
            ok = false;
            continue;
        }
        if (S_ISDIR(st.st_mode)) continue;
        if (::unlink(full.c_str()) != 0) ok = false;
    }
    ::closedir(dir);
    return ok;
}

bool removeFolder(const std::string& path) {
    return ::rmdir(osPath(path).c_str()) == 0;
}

std::string currentFolder() {
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return utf8ToCp1252(buffer).value_or(".");
}

} // namespace platform
