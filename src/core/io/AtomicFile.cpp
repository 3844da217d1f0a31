#include "io/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>
#include "text/CoreText.h"
#include "text/Translatable.h"

namespace kzv {

namespace {

constexpr const char* kTempInfix = ".kzv-";
constexpr size_t kTempInfixLength = 5;   // of kTempInfix
constexpr size_t kTempSuffixLength = 6;  // the X's mkstemp fills in

// Why a write failed, in the words the user reads under "cannot write the file".
std::string CauseOf(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return KZV_TR_NOOP("Core", "書き込みが許可されていません。");
        case EROFS:
            return KZV_TR_NOOP("Core", "読み取り専用のファイルシステムです。");
        case ENOSPC:
        case EDQUOT:
            return KZV_TR_NOOP("Core", "ディスクの空き容量が足りません。");
        case ENOENT:
        case ENOTDIR:
            return KZV_TR_NOOP("Core", "保存先のフォルダがありません。");
        case EISDIR:
            return KZV_TR_NOOP("Core", "同じ名前のフォルダがあります。");
        case ENAMETOOLONG:
            return KZV_TR_NOOP("Core", "ファイル名が長すぎます。");
        case ELOOP:
            return KZV_TR_NOOP("Core", "シンボリックリンクが循環しています。");
        default:
            return kzv::CoreText(KZV_TR_NOOP("Core", "書き込みに失敗しました（%1）。"),
                                 {std::strerror(err)});
    }
}

bool Fail(std::string* error, int err) {
    if (error != nullptr) {
        *error = CauseOf(err);
    }
    return false;
}

bool FailReadOnly(std::string* error) {
    if (error != nullptr) {
        *error = KZV_TR_NOOP("Core", "ファイルが読み取り専用です。");
    }
    return false;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at (the path itself when it is no link). A link to a
// file that does not exist yet resolves to where that file would be. False for a loop.
bool FollowLinks(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return true;
        }
        std::vector<char> buf(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), buf.data(), buf.size());
        if (n < 0 || static_cast<size_t>(n) >= buf.size()) {
            return true;  // changed under us: let the write below report what is there
        }
        const std::string link(buf.data(), static_cast<size_t>(n));
        if (link.empty()) {
            return true;
        }
        target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// Whether entry is a temporary file of a save to base ("<base>.kzv-XXXXXX"); with an empty
// base, of a save to any name.
bool IsOurTempName(const std::string& entry, const std::string& base) {
    constexpr size_t kTail = kTempInfixLength + kTempSuffixLength;
    if (entry.size() <= kTail) {
        return false;
    }
    const size_t infix = entry.size() - kTail;
    if (entry.compare(infix, kTempInfixLength, kTempInfix) != 0 ||
        (!base.empty() && (infix != base.size() || entry.compare(0, infix, base) != 0))) {
        return false;
    }
    for (size_t i = infix + kTempInfixLength; i < entry.size(); ++i) {
        const char c = entry[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) {
            return false;
        }
    }
    return true;
}

// Removes temporary files of target that interrupted saves left behind, and those of saves
// to other names in the same folder once they are older than a day (the save to that name
// may never come again). A save holds a lock on its temporary file while it writes, so a file
// that can be locked has no writer left.
void RemoveStaleTemporaries(const std::string& target) {
    constexpr time_t kDay = 24 * 60 * 60;
    const time_t dayAgo = ::time(nullptr) - kDay;
    const std::string folder = FolderOf(target);
    const std::string base = NameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    struct Candidate {
        std::string path;
        bool ownName;  // a temporary of target itself: stale whatever its age
    };
    std::vector<Candidate> stale;
    while (const dirent* e = ::readdir(dir)) {
        if (IsOurTempName(e->d_name, std::string())) {
            stale.push_back({folder + "/" + e->d_name, IsOurTempName(e->d_name, base)});
        }
    }
    ::closedir(dir);
    for (const Candidate& c : stale) {
        const int fd = ::open(c.path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && (c.ownName || st.st_mtime < dayAgo) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(c.path.c_str());
        }
        ::close(fd);
    }
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    if (path.empty()) {
        return Fail(error, ENOENT);
    }
    std::string target;
    if (!FollowLinks(path, target)) {
        return Fail(error, ELOOP);
    }

    // An existing file keeps its permissions; a read-only one is not replaced.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISREG(old.st_mode) &&
        ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)) {
        return FailReadOnly(error);
    }
    mode_t mode = 0;
    if (exists && S_ISREG(old.st_mode)) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    RemoveStaleTemporaries(target);

    std::string tmp = target + kTempInfix + std::string(kTempSuffixLength, 'X');
    const int fd = mkstemp(tmp.data());  // fills in the X's
    if (fd < 0) {
        return Fail(error, errno);
    }
    // Held until the file is closed: tells a later save that this file is not stale.
    ::flock(fd, LOCK_EX | LOCK_NB);
    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return Fail(error, err);
    };

    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return abandon(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (exists && S_ISREG(old.st_mode)) {
        // Keeps the owner and group where we may (the superuser saving a user's file); a
        // plain user cannot give a file away, and that is no reason to fail.
        (void)!::fchown(fd, old.st_uid, old.st_gid);
    }
    if (::fchmod(fd, mode) != 0) {
        return abandon(errno);
    }
    if (::fsync(fd) != 0) {
        return abandon(errno);
    }
    // Renamed before the descriptor (and with it the lock) goes, so that no other save takes
    // the finished file for a stale one in between.
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        return abandon(errno);
    }
    if (::close(fd) != 0) {
        return Fail(error, errno);
    }
    return true;
}

}  // namespace kzv
