// Files and folders. Every path is a Windows-1252 string using "/" as separator; it is converted
// to the system's UTF-8 names only here. Names match without regard to case, the way the data
// folder has always been used ("LECONS.tav" finds "lecons.tav"): each level of a path that does
// not exist as written is looked up in its folder by Windows-1252 upper case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The path of an existing file or folder as it is spelled on disk, found level by level without
// regard to case. Levels that cannot be found are kept as written, so the result also names where
// a new file or folder would go.
std::string resolvePath(const std::string& path);

// True when the path names a regular file that opens for reading. Never creates anything.
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// True when anything at all stands under that name (a file that does not open now, a folder, a
// link whose target is away), found without regard to case.
bool nameTaken(const std::string& path);

// Length in bytes, or nothing when the file cannot be opened.
std::optional<std::int64_t> fileLength(const std::string& path);

// Up to `count` bytes from the 1-based byte position `position`; fewer when the file ends first
// (and only as much memory as the bytes there).
// Nothing when the file cannot be opened or read.
std::optional<std::string> readBytes(const std::string& path, std::int64_t position,
                                     std::size_t count);

// Writes `data` in place from the 1-based byte position `position` of an existing file, which
// grows (with zero bytes) when the position lies beyond its end. A missing file is never created.
bool writeBytes(const std::string& path, std::int64_t position, const std::string& data);

// The whole file, or nothing when it cannot be read or is longer than kWholeFileLimit (far
// beyond any file of the program, which would only exhaust the memory).
constexpr std::int64_t kWholeFileLimit = std::int64_t{256} << 20;
std::optional<std::string> readWholeFile(const std::string& path);

// Replaces the file (or creates it) with `content`: the text goes to a temporary file of the same
// folder, is flushed to disk and then renamed over the old file, so that a failed write leaves
// the old file whole. Temporary files of the same file that a save stopped half way left behind
// (unlocked, a minute old, and older than the file itself) are removed first. A replaced file keeps
// its permissions; a new one gets those any new file gets (the umask, or the folder's default
// permissions).
bool replaceFile(const std::string& path, const std::string& content);

// Creates a new file holding `content`, or replaces it completely (used only to build new
// catalogues). Same safety as replaceFile.
inline bool createFile(const std::string& path, const std::string& content) {
    return replaceFile(path, content);
}

// Lines of a text file; a line ends at a line feed, and a carriage return before it is dropped.
std::optional<std::vector<std::string>> readLines(const std::string& path);
// Writes the lines, each followed by carriage return and line feed, as replaceFile does.
bool writeLines(const std::string& path, const std::vector<std::string>& lines);

enum class MakeFolderResult { Created, AlreadyExists, Failed };

// Makes one folder. A folder that exists already is reported apart from other failures; a file
// of that name is a failure.
MakeFolderResult makeFolder(const std::string& path);
// Makes every missing level of a folder; true when the whole folder exists afterwards.
bool makeFolders(const std::string& path);

// Names of the regular files, or of the sub-folders, of a folder, in byte order, without the
// names that start with "."; nothing when the folder cannot be read.
std::optional<std::vector<std::string>> listFiles(const std::string& folder);
std::optional<std::vector<std::string>> listFolders(const std::string& folder);

bool deleteFile(const std::string& path);
// Deletes every regular file of the folder (hidden ones too, so that the folder can then be
// removed); false when the folder cannot be read or a file cannot be deleted.
bool deleteAllFiles(const std::string& folder);
// Removes an empty folder; false on failure.
bool removeFolder(const std::string& path);

// The current folder, without a final "/" (except for the root itself). When the system name
// cannot be written in Windows-1252, "." stands for it, which still names the same folder.
std::string currentFolder();

} // namespace platform
