// SIGINT and SIGTERM end the command as they would by default (the conventional status), but
// first remove the temporary file of a write in progress, so an interrupt leaves nothing behind.
#pragma once

namespace lumora::cli {

void removeTemporariesOnInterrupt();

} // namespace lumora::cli
