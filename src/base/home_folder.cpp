// SPDX-License-Identifier: MIT
#include "base/home_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace base {

std::string homeFolder(const char* homeVariable) {
    if (homeVariable && *homeVariable == '/') return homeVariable;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

std::string homeFolder() { return homeFolder(std::getenv("HOME")); }

}  // namespace base
