#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// File permissions stop root only without the capabilities that override them. For its
// lifetime this takes those out of the calling thread's effective set (they stay
// permitted, so they come back afterwards). Active() is false when permissions cannot be
// made to apply.
class CPermissionsApply {
public:
    CPermissionsApply() {
        if (::geteuid() != 0) {
            m_bActive = true;
            return;
        }
        if (Get(m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2] = {m_saved[0], m_saved[1]};
        for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[cap / 32].effective &= ~(1u << (cap % 32));
        m_bRestore = Set(reduced) == 0;
        m_bActive = m_bRestore;
    }
    ~CPermissionsApply() {
        if (m_bRestore)
            Set(m_saved);
    }
    CPermissionsApply(const CPermissionsApply&) = delete;
    CPermissionsApply& operator=(const CPermissionsApply&) = delete;

    bool Active() const { return m_bActive; }

private:
    static int Get(__user_cap_data_struct* data) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return int(::syscall(SYS_capget, &header, data));
    }
    static int Set(__user_cap_data_struct* data) {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        return int(::syscall(SYS_capset, &header, data));
    }

    __user_cap_data_struct m_saved[2] = {};
    bool m_bActive = false;
    bool m_bRestore = false;
};
