#pragma once

#include <csignal>
#include <sys/resource.h>

// For the life of this object no file of the process may grow beyond
// `bytes`: a write past it fails as one on a full disk does (with EFBIG
// instead of ENOSPC), through the same checks. The signal that would
// otherwise end the process is ignored meanwhile.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_set = ::getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_set = m_set && (m_old.rlim_max == RLIM_INFINITY || bytes <= m_old.rlim_max) &&
                ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        if (m_set)
            ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False where the limit could not be set: the test cannot run.
    bool ok() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
    void (*m_oldHandler)(int) = nullptr;
};
