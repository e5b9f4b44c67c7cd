#include "documents/file_io.hpp"

#include <deque>

#include "documents/encoding.hpp"
#include "documents/rich_text.hpp"
#include "documents/system_errors.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace sarvelo {

namespace {

std::string withErrno(const char* what) { return std::string(what) + " (" + frenchSystemError(errno) + ")"; }

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
    // A regular file's bytes go into room taken once: grown by doubling, a
    // long key would be copied and faulted in several times over.
    if (S_ISREG(info.st_mode) && info.st_size > 0 && static_cast<std::size_t>(info.st_size) <= limit)
        result.bytes.reserve(static_cast<std::size_t>(info.st_size) + 1);
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

namespace {

// A file on its way: the temporary file beside the target, or a device or
// pipe written in place when the files are committed.
struct Staged {
    std::string path;
    std::string temp;
    const std::string* bytes = nullptr;
    int fd = -1;  // the temporary file, open until its bytes are known on disk
};

bool stage(const std::string& target, const std::string& bytes, Staged& staged, std::string& reason) {
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
    staged.path = path;
    staged.bytes = &bytes;
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        reason = "c'est un dossier, pas un fichier";
        return false;
    }
    // A device or a pipe (/dev/null, a named pipe) is written in place: it
    // holds no earlier content to protect, and must never be replaced.
    if (exists && !S_ISREG(existing.st_mode)) return true;

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
    if (::fchmod(fd, mode) != 0) return failWith("écriture impossible");
    // The disk starts on the bytes now; `settle` waits for them, by which
    // time the next file has been made and most of these are written.
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    staged.temp = std::move(temp);
    staged.fd = fd;
    return true;
}

// Waits until the temporary file's bytes are on disk.
bool settle(Staged& staged, std::string& reason) {
    if (staged.fd < 0) return true;
    const bool synced = ::fsync(staged.fd) == 0;
    if (!synced) reason = withErrno("écriture impossible");
    const bool closed = ::close(staged.fd) == 0;
    if (synced && !closed) reason = withErrno("écriture impossible");
    staged.fd = -1;
    if (synced && closed) return true;
    ::unlink(staged.temp.c_str());
    staged.temp.clear();
    return false;
}

bool commitStaged(const Staged& staged, std::string& reason) {
    if (staged.temp.empty()) return writeInPlace(staged.path, *staged.bytes, reason);
    if (::rename(staged.temp.c_str(), staged.path.c_str()) != 0) {
        reason = withErrno("écriture impossible");
        ::unlink(staged.temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& target, const std::string& bytes, std::string& reason) {
    Staged staged;
    return stage(target, bytes, staged, reason) && settle(staged, reason) && commitStaged(staged, reason);
}

struct FilesTogether::State {
    std::vector<Staged> staged;
    std::vector<std::string> paths;  // as given, for the messages
    // The bytes of a device or pipe, written in place only at the commit.
    std::deque<std::string> kept;
    std::optional<WriteFailure> failure;
    bool committed = false;
};

FilesTogether::FilesTogether() : state_(std::make_unique<State>()) {}

FilesTogether::~FilesTogether() {
    for (Staged& staged : state_->staged)
        if (staged.fd >= 0) ::close(staged.fd);
    if (state_->committed) return;
    for (const Staged& staged : state_->staged)
        if (!staged.temp.empty()) ::unlink(staged.temp.c_str());
}

void FilesTogether::add(const std::string& path, const std::string& bytes) {
    if (state_->failure) return;
    Staged staged;
    std::string reason;
    if (!stage(path, bytes, staged, reason)) {
        state_->failure = WriteFailure{path, reason};
        return;
    }
    if (staged.temp.empty()) staged.bytes = &state_->kept.emplace_back(bytes);
    else staged.bytes = nullptr;
    state_->staged.push_back(std::move(staged));
    state_->paths.push_back(path);
}

std::optional<WriteFailure> FilesTogether::commit(const std::function<bool()>& beforeCommit) {
    if (state_->failure) return state_->failure;
    // Every file on disk before anything is renamed or shown.
    std::string settleReason;
    for (std::size_t i = 0; i < state_->staged.size(); ++i)
        if (!settle(state_->staged[i], settleReason) && !state_->failure)
            state_->failure = WriteFailure{state_->paths[i], settleReason};
    if (state_->failure) return state_->failure;
    if (beforeCommit && !beforeCommit()) return WriteFailure{"", "écriture impossible sur la sortie standard"};
    state_->committed = true;
    // Only a rename can fail now (the disk was written): the rest still goes.
    std::optional<WriteFailure> failure;
    std::string reason;
    for (std::size_t i = 0; i < state_->staged.size(); ++i)
        if (!commitStaged(state_->staged[i], reason) && !failure) failure = WriteFailure{state_->paths[i], reason};
    return failure;
}

std::optional<WriteFailure> writeFilesTogether(const std::vector<FileToWrite>& files,
                                               const std::function<bool()>& beforeCommit) {
    FilesTogether together;
    for (const FileToWrite& file : files) together.add(file.path, file.bytes);
    return together.commit(beforeCommit);
}

}  // namespace sarvelo
