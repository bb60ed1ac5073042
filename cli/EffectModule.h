// The effect module the command drives through the embedded host: the one given with --module,
// else the module built with the command; and the one way a failed host command is reported.
#pragma once

#include <functional>
#include <string>

#include "embedhost/Host.h"

namespace lumora::cli {

// "Lumora.so" (or ".aex") beside the running program, else where the build made it. Throws
// std::runtime_error naming where it looked when there is none.
std::string builtModulePath();

// Loads `module`, or the built module when it is empty.
embedhost::Plugin effectPlugin(const std::string &module);

// Throws std::runtime_error "the plug-in failed <what> (error N: <its message>)" unless the
// command succeeded.
void checkCommand(const embedhost::CommandResult &result, const char *what);
// "error N", then ": <message>" when there is one (shown with control characters replaced).
std::string failureText(PF_Err err, const std::string &message);

// Global and parameter set-up, `use` on what the effect registered, then global set-down.
void withRegisteredParams(embedhost::Host &host, const std::function<void(embedhost::EffectParams &)> &use);

} // namespace lumora::cli
