#include "documents/file_io.hpp"

#include "documents/encoding.hpp"
#include "documents/rich_text.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace sarvelo {

namespace {

std::string withErrno(const char* what) { return std::string(what) + " (" + std::strerror(errno) + ")"; }

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool writeInPlace(const std::string& path, const std::string& bytes, std::string& reason) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0 || !writeAll(fd, bytes)) {
        reason = withErrno("écriture impossible");
        if (fd >= 0) ::close(fd);
        return false;
    }
    ::close(fd);
    return true;
}

}  // namespace

FileBytes readFileBytes(const std::string& path, std::size_t limit, bool refuseBinary) {
    FileBytes result;
    if (path.empty()) {
        result.error = "aucun nom de fichier";
        return result;
    }
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = withErrno("impossible d'ouvrir le fichier");
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        if (!standardInput) ::close(fd);
        result.error = "c'est un dossier, pas un fichier";
        return result;
    }
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) continue;
            result.error = withErrno("erreur de lecture du fichier");
            break;
        }
        if (got == 0) break;
        // RTF (pictures) and UTF-16 text hold NUL bytes of their own.
        const std::string_view start = result.bytes.empty() ? std::string_view(chunk, static_cast<std::size_t>(got))
                                                            : std::string_view(result.bytes);
        if (refuseBinary && std::memchr(chunk, '\0', static_cast<std::size_t>(got)) && !looksLikeRtf(start) &&
            !hasUtf16ByteOrderMark(start)) {
            result.error = "ce n'est pas un fichier texte (fichier binaire)";
            result.binary = true;
            break;
        }
        if (result.bytes.size() + static_cast<std::size_t>(got) > limit) {
            result.error = "fichier trop volumineux (plus de " + std::to_string(limit / (1024 * 1024)) + " Mo)";
            break;
        }
        result.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    if (!standardInput) ::close(fd);
    if (result.error) result.bytes.clear();
    return result;
}

bool writeFileAtomically(const std::string& target, const std::string& bytes, std::string& reason) {
    if (target.empty()) {
        reason = "aucun nom de fichier";
        return false;
    }
    // Through a link, write the file it points at and keep the link.
    std::string path = target;
    if (char* real = ::realpath(target.c_str(), nullptr)) {
        path = real;
        std::free(real);
    }
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        reason = "c'est un dossier, pas un fichier";
        return false;
    }
    // A device or a pipe (/dev/null, a named pipe) is written in place: it
    // holds no earlier content to protect, and must never be replaced.
    if (exists && !S_ISREG(existing.st_mode)) return writeInPlace(path, bytes, reason);

    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        reason = withErrno("écriture impossible");
        return false;
    }
    auto failWith = [&](const char* what) {
        reason = withErrno(what);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    if (!writeAll(fd, bytes)) return failWith("écriture impossible");
    // The temporary file is private (0600); give it the mode the target had,
    // or the usual one for a new file.
    mode_t mode = existing.st_mode & 07777;
    if (!exists) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return failWith("écriture impossible");
    if (::close(fd) != 0) {
        reason = withErrno("écriture impossible");
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        reason = withErrno("écriture impossible");
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace sarvelo
