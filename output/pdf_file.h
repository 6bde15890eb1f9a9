#pragma once

// Writing a finished file in place of another without ever leaving a
// partial one: the content goes into a temporary file beside the target,
// every write, fsync and close is checked, and only a complete file is
// renamed over the target.

#include "physics/numeric/errors.h"

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tavro {

/// The system calls a replacement goes through, each with the meaning and
/// return value of its POSIX namesake; tests replace some of them to make
/// them fail.
struct FileCalls {
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
    /// The real system calls.
    FileCalls();
};

/// Writes `content` as the file `path`, replacing what is there:
/// - a symbolic link is followed to its final target, which gets the
///   content; the link stays a link;
/// - an existing file keeps its permissions (and its owner and group where
///   the user may set them); a new file gets 0666 less the umask;
/// - a file nobody may write (no write permission for the user, or no
///   write bit at all) is refused with the system's "Permission denied", as
///   a folder the user may not write to is.
/// Throws Error with the system's message ("No space left on device", …)
/// when anything fails; the old file is then unchanged and no temporary
/// file remains.
void ReplaceFile(const std::string& path, std::string_view content,
                 const FileCalls& calls = FileCalls());

/// The temporary file's name for the file name `name` in a folder whose
/// names may be `nameMax` bytes long: "." + the start of `name` (cut at a
/// whole UTF-8 character) + ".tmp-" + 8 hexadecimal digits of `random`;
/// never longer than nameMax (which must be at least 14).
std::string TemporaryName(const std::string& name, size_t nameMax, unsigned random);

} // namespace tavro
