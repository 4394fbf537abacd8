#include "platform/files.h"

#include "platform/cp1252.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

namespace fs = std::filesystem;

// A descriptor that is closed on every way out; `close` tells whether the last close worked,
// which a write must know.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    explicit operator bool() const { return fd_ >= 0; }
    int get() const { return fd_; }
    bool close() {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool isRegular(const Descriptor& fd) {
    struct stat st;
    return ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode);
}

// The entries of a folder, walked to the end or to the first error, which ends the walk the way
// the end of the folder does. False when the folder cannot be opened.
template <typename Visit> bool forEachEntry(const fs::path& folder, Visit visit) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec);
    if (ec) return false;
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) visit(*it);
    return true;
}

bool existsAsWritten(const fs::path& osPath) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(osPath, ec));
}

bool byteLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
}

// The entry of `folder` (a system path) whose name equals `name` (Windows-1252) without regard
// to case; the first in byte order when several do.
std::optional<std::string> findWithoutCase(const fs::path& folder, const std::string& name) {
    const std::string wanted = upper1252(name);
    std::optional<std::string> best;
    const bool opened = forEachEntry(folder, [&](const fs::directory_entry& entry) {
        const std::string osName = entry.path().filename().string();
        const auto converted = utf8ToCp1252(osName);
        if (!converted || upper1252(*converted) != wanted) return;
        if (!best || byteLess(osName, *best)) best = osName;
    });
    if (!opened) return std::nullopt;
    return best;
}

// The system (UTF-8) path of a program path, each level found without regard to case.
fs::path osPath(const std::string& path) {
    // Windows-1252 is one byte per character, so the levels split on the program's own string.
    const fs::path levels(path);
    fs::path result = levels.root_directory();
    bool resolving = true;
    for (const fs::path& level : levels.relative_path()) {
        const std::string& part = level.native();
        if (part.empty()) continue; // the end of a path written with a final "/"
        const std::string osPart = cp1252ToUtf8(part);
        if (resolving && part != "." && part != ".." && !existsAsWritten(result / osPart)) {
            if (const auto match = findWithoutCase(result, part)) {
                result /= *match;
                continue;
            }
            resolving = false;
        }
        result /= osPart;
    }
    if (result.empty()) result = ".";
    return result;
}

bool writeAll(const Descriptor& fd, const std::string& data, off_t offset, bool positioned) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = positioned ? ::pwrite(fd.get(), data.data() + done, data.size() - done,
                                                offset + static_cast<off_t>(done))
                                     : ::write(fd.get(), data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::vector<std::string>> listEntries(const std::string& folder, bool folders) {
    std::vector<std::string> names;
    const bool opened = forEachEntry(osPath(folder), [&](const fs::directory_entry& entry) {
        const std::string osName = entry.path().filename().string();
        if (osName.empty() || osName[0] == '.') return;
        std::error_code ec;
        if (!(folders ? entry.is_directory(ec) : entry.is_regular_file(ec))) return;
        // A name the program cannot spell is a name it could never have made or asked for.
        if (const auto converted = utf8ToCp1252(osName)) names.push_back(*converted);
    });
    if (!opened) return std::nullopt;
    std::sort(names.begin(), names.end(), byteLess);
    return names;
}

// The temporary files replaceFile makes for `name`: "." & name & "." & six letters or digits.
constexpr std::size_t kTemporarySuffixLength = 6;

std::string temporarySuffix() {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr std::uint64_t kCount = sizeof kLetters - 1;
    std::uint64_t bits = 0;
    if (::getrandom(&bits, sizeof bits, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bits))
        bits = static_cast<std::uint64_t>(
                   std::chrono::steady_clock::now().time_since_epoch().count()) ^
               (static_cast<std::uint64_t>(::getpid()) << 40);
    std::string suffix;
    for (std::size_t i = 0; i < kTemporarySuffixLength; ++i, bits /= kCount)
        suffix.push_back(kLetters[bits % kCount]);
    return suffix;
}

// Creates a new temporary file for the file `name` of `folder`, with `mode` as open() applies it
// (less the umask, or as the folder's default permissions say), so that the process umask is
// never changed to learn it. Gives the descriptor and sets `temporary` to the file's path.
Descriptor createTemporary(const fs::path& folder, const std::string& name, mode_t mode,
                           fs::path& temporary) {
    // Far more tries than names that could ever be taken by other saves of the same file.
    constexpr int kTries = 100;
    for (int i = 0; i < kTries; ++i) {
        temporary = folder / ("." + name + "." + temporarySuffix());
        Descriptor fd(::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd || errno != EEXIST) return fd;
    }
    return Descriptor(-1);
}

// A temporary file is stale when no save holds it any more: a save keeps its own locked while it
// writes, and the age covers the moments before the lock and after it, and the shares where
// locks do not reach other computers.
constexpr time_t kStaleTemporaryAge = 60;

bool before(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

// Removes what saves of `name` killed half way left in the folder, so that they do not pile up.
// Only a temporary file older than the file's last change (`replaced`, the time of the save that
// wrote it; nothing for a new file) can be one: the times of the share stamp both, where this
// computer's clock, set apart from the other computers' own, could make a save still at work on
// one of them look a minute old.
void removeStaleTemporaries(const fs::path& folder, const std::string& name,
                            const timespec* replaced) {
    if (!replaced) return;
    const std::string prefix = "." + name + ".";
    const time_t now = ::time(nullptr);
    forEachEntry(folder, [&](const fs::directory_entry& entry) {
        const std::string other = entry.path().filename().string();
        if (other.size() != prefix.size() + kTemporarySuffixLength ||
            other.compare(0, prefix.size(), prefix) != 0)
            return;
        // Opened for writing: a lock over a network share may need it.
        const Descriptor fd(
            ::open(entry.path().c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (!fd) return;
        struct stat st;
        if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && before(st.st_mtim, *replaced) &&
            now - st.st_mtime >= kStaleTemporaryAge && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlink(entry.path().c_str());
    });
}

} // namespace

std::string resolvePath(const std::string& path) {
    return utf8ToCp1252(osPath(path).native()).value_or(path);
}

bool fileExists(const std::string& path) {
    const Descriptor fd(::open(osPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    return fd && isRegular(fd);
}

bool nameTaken(const std::string& path) {
    return existsAsWritten(osPath(path));
}

bool folderExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(osPath(path), ec);
}

std::optional<std::int64_t> fileLength(const std::string& path) {
    std::error_code ec;
    // Anything but a regular file is an error here.
    const auto length = fs::file_size(osPath(path), ec);
    if (ec) return std::nullopt;
    return static_cast<std::int64_t>(length);
}

std::optional<std::string> readBytes(const std::string& path, std::int64_t position,
                                     std::size_t count) {
    if (position < 1) return std::nullopt;
    const Descriptor fd(::open(osPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) return std::nullopt;
    struct stat st;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    // The room asked for is taken only as far as the file holds bytes there: a count taken from
    // a damaged length must not decide the allocation.
    const auto held = st.st_size >= position ? static_cast<std::uint64_t>(st.st_size - position + 1)
                                             : std::uint64_t{0};
    std::string data(static_cast<std::size_t>(std::min<std::uint64_t>(count, held)), '\0');
    count = data.size();
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd.get(), data.data() + done, count - done,
                                  static_cast<off_t>(position - 1 + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    data.resize(done);
    return data;
}

bool writeBytes(const std::string& path, std::int64_t position, const std::string& data) {
    if (position < 1) return false;
    Descriptor fd(::open(osPath(path).c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd) return false;
    const bool ok = isRegular(fd) && writeAll(fd, data, static_cast<off_t>(position - 1), true);
    return fd.close() && ok;
}

std::optional<std::string> readWholeFile(const std::string& path) {
    const auto length = fileLength(path);
    if (!length || *length > kWholeFileLimit) return std::nullopt;
    return readBytes(path, 1, static_cast<std::size_t>(*length));
}

bool replaceFile(const std::string& path, const std::string& content) {
    const fs::path target = osPath(path);
    const std::string name = target.filename().native();
    if (name.empty() || name == "." || name == "..") return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    // A file that is replaced keeps its permissions; a new one gets those any new file gets.
    // The temporary file is never created wider than it will end.
    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    removeStaleTemporaries(folder, name, replacing ? &old.st_mtim : nullptr);
    const mode_t mode = replacing ? (old.st_mode & 07777) : 0666;
    fs::path temporary;
    Descriptor fd = createTemporary(folder, name, mode & 0777, temporary);
    if (!fd) return false;
    // Held until the file is closed: another program's save sees this one is still at work.
    ::flock(fd.get(), LOCK_EX | LOCK_NB);

    bool ok = (!replacing || ::fchmod(fd.get(), mode) == 0) && writeAll(fd, content, 0, false) &&
              ::fsync(fd.get()) == 0;
    if (!fd.close()) ok = false;
    if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The new name must reach the disk too, or a crash could bring the old file back.
    const Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir) ::fsync(dir.get());
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
    std::error_code ec;
    // False without an error when a folder of that name exists; an error for a file of the name.
    if (fs::create_directory(osPath(path), ec)) return MakeFolderResult::Created;
    return ec ? MakeFolderResult::Failed : MakeFolderResult::AlreadyExists;
}

bool makeFolders(const std::string& path) {
    // Level by level, each found without regard to case, as std::filesystem::create_directories
    // would not.
    fs::path level;
    for (const fs::path& part : fs::path(path)) {
        if (part.empty()) continue;
        level /= part;
        makeFolder(level.native());
    }
    return folderExists(path);
}

std::optional<std::vector<std::string>> listFiles(const std::string& folder) {
    return listEntries(folder, false);
}

std::optional<std::vector<std::string>> listFolders(const std::string& folder) {
    return listEntries(folder, true);
}

// unlink and rmdir, where std::filesystem::remove would take a folder for a file or a file for
// a folder.
bool deleteFile(const std::string& path) {
    return ::unlink(osPath(path).c_str()) == 0;
}

bool deleteAllFiles(const std::string& folder) {
    bool ok = true;
    const bool opened = forEachEntry(osPath(folder), [&](const fs::directory_entry& entry) {
        std::error_code ec;
        const auto status = entry.symlink_status(ec);
        if (ec) {
            ok = false;
            return;
        }
        if (fs::is_directory(status)) return;
        if (::unlink(entry.path().c_str()) != 0) ok = false;
    });
    return opened && ok;
}

bool removeFolder(const std::string& path) {
    return ::rmdir(osPath(path).c_str()) == 0;
}

std::string currentFolder() {
    std::error_code ec;
    const fs::path here = fs::current_path(ec);
    if (ec) return ".";
    return utf8ToCp1252(here.native()).value_or(".");
}

} // namespace platform
