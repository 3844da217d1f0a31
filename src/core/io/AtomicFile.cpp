#include "io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kzv {

namespace {

bool Fail(std::string* error, const std::string& what, int err) {
    if (error != nullptr) {
        *error = what + ": " + std::strerror(err);
    }
    return false;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    if (path.empty()) {
        return Fail(error, "no file name", ENOENT);
    }
    std::string tmp = path + ".kzv-XXXXXX";
    const int fd = mkstemp(tmp.data());  // fills in the X's
    if (fd < 0) {
        return Fail(error, "cannot create a file beside " + path, errno);
    }

    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            return Fail(error, "cannot write " + path, err);
        }
        done += static_cast<size_t>(n);
    }
    // New files get the usual permissions (mkstemp makes them private).
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Fail(error, "cannot write " + path, err);
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Fail(error, "cannot replace " + path, err);
    }
    return true;
}

}  // namespace kzv
