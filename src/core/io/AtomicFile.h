#pragma once

#include <string>
#include <string_view>

namespace kzv {

// Writes bytes to path so that the file under that name is either the old one or the
// complete new one: the bytes go to a temporary file in the same folder, which is flushed to
// disk and then renamed over path. On failure the temporary file is removed, path is left as
// it was, and error (when given) says why in one Japanese sentence for the user's message box.
//
// A path that is a symbolic link is written through: the link's final target is replaced and
// the link stays a link. A file that exists keeps its permission bits; a new file gets the
// usual ones (0666 less the umask). A file that is read-only (no write permission for us, or
// no write bit at all, which even the superuser respects here) is refused and left alone.
// Temporary files of this function's own naming ("<name>.kzv-XXXXXX") beside the target that
// an interrupted save left behind are removed, and those of other names in that folder once
// they are older than a day; one that another save is still writing is not touched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* error = nullptr);

}  // namespace kzv
