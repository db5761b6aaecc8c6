#include "fileaccessoverride.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <dirent.h>

namespace skarde::monkey {

bool dropFileAccessOverride(const std::filesystem::path& probe) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (::syscall(SYS_capget, &header, data) == 0) {
        constexpr unsigned overrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        for (auto& set : data) {
            set.effective &= ~overrides;
            set.permitted &= ~overrides;
            set.inheritable &= ~overrides;
        }
        ::syscall(SYS_capset, &header, data);
    }
    DIR* listing = ::opendir(probe.c_str());
    if (!listing)
        return true;
    ::closedir(listing);
    return false;
}

} // namespace skarde::monkey
