// Reading and writing whole files safely: one size limit for every source
// (files, pipes, standard input), and writes that never leave a partial
// file where a good one was.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sarvelo {

// Files larger than this are refused rather than loaded into the editor.
inline constexpr std::size_t kMaxTextFileBytes = 64u * 1024u * 1024u;

struct FileBytes {
    std::string bytes;
    std::optional<std::string> error;  // French reason when nothing usable was read
    bool binary = false;               // the reason is binary data
};

// Reads a file, a pipe or, for "-", standard input, without asking its size.
// Stops with a reason at the first NUL byte (binary data) when `refuseBinary`
// (not in RTF, whose pictures may hold binary data),
// or once more than `limit` bytes have come.
FileBytes readFileBytes(const std::string& path, std::size_t limit = kMaxTextFileBytes,
                        bool refuseBinary = true);

// Writes `bytes` to a temporary file beside `path`, then renames it over
// `path`: a failure leaves any earlier file as it was. Returns false with a
// French reason on failure.
bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& reason);

struct FileToWrite {
    std::string path;
    std::string bytes;
};
struct WriteFailure {
    std::string path;    // empty: the standard output
    std::string reason;  // French
};

// Writes several files as one: each to its temporary file first, and only when
// all are on disk (and `beforeCommit`, the standard output's part, succeeded)
// are they renamed over their targets. On a failure before that, no file is
// changed.
std::optional<WriteFailure> writeFilesTogether(const std::vector<FileToWrite>& files,
                                               const std::function<bool()>& beforeCommit = {});

// The same, a file at a time: each file goes to its temporary file as it is
// added, so that its bytes need not wait in memory for the others. Files
// not committed are removed with the object.
class FilesTogether {
public:
    FilesTogether();
    ~FilesTogether();
    FilesTogether(const FilesTogether&) = delete;
    FilesTogether& operator=(const FilesTogether&) = delete;

    // After a failure, nothing more is staged and `commit` returns it.
    void add(const std::string& path, const std::string& bytes);
    std::optional<WriteFailure> commit(const std::function<bool()>& beforeCommit = {});

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace sarvelo
