// Where the processes of one user meet: named objects, published windows. It is the
// session's runtime directory when there is one, else a directory of our own in /tmp;
// either way it must belong to the user and be closed to everyone else, so that no
// other user can plant, hold or listen on what is in it.
#pragma once

#include <optional>
#include <string>

namespace platform::kernel {

// The directory, made when missing; nothing when it cannot be made private.
std::optional<std::string> UserRuntimeDirectory();

}  // namespace platform::kernel
