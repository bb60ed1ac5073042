// Writes a whole file so that a crash, a full disk or a second writer never leaves a damaged or
// wrong file under its name: the bytes go to a temporary file created exclusively beside the
// target, every write, the flush to disk and the close are checked, and only then is it renamed
// over the target (over a symlink's final target, so the link stays a link).
#pragma once

#include <string>
#include <string_view>

namespace lumora::platform {

// True when written. Otherwise the target is as it was, the temporary is gone and `cause` says
// why in a few words (the system's message, for example "No space left on device").
bool writeFileSafely(const std::string &path, std::string_view bytes, std::string &cause);

// Removes what writers of `path` killed outright (which no handler sees) left behind: their
// temporaries beside its final target, when their process no longer runs. For files written
// now and then (settings, presets); a folder of many files would be read on every call.
void removeStaleTemporaries(const std::string &path);

// The file a name finally refers to, through any chain of symlinks (the name itself otherwise).
std::string finalTarget(const std::string &path);

// Removes the temporary a write in progress holds, if any. Async-signal-safe: for handlers of
// interrupts, which then end the process.
void removePendingTemporary();

} // namespace lumora::platform
