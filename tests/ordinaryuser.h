#pragma once

#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

// For the life of this object the process acts as an ordinary user, so that
// permission bits keep it out even where the tests run as root. Root changes
// to "nobody" for real and effective ids, keeping root as the saved id to
// come back to; another user stays as it is.
class OrdinaryUser
{
public:
    static constexpr uid_t nobody = 65534;

    OrdinaryUser()
    {
        if (::geteuid() != 0)
            return;
        m_dropped = ::setresgid(nobody, nobody, 0) == 0 && ::setresuid(nobody, nobody, 0) == 0;
        m_failed = !m_dropped;
    }
    ~OrdinaryUser()
    {
        if (m_dropped || m_failed) {
            [[maybe_unused]] const int uid = ::setresuid(0, 0, 0);
            [[maybe_unused]] const int gid = ::setresgid(0, 0, 0);
        }
    }
    OrdinaryUser(const OrdinaryUser &) = delete;
    OrdinaryUser &operator=(const OrdinaryUser &) = delete;

    // False where root could not give up its rights: the test cannot run.
    bool ok() const { return !m_failed; }

private:
    bool m_dropped = false;
    bool m_failed = false;
};

// Permission bits as an octal number: 0755, 0555, 0666, 0444.
inline bool setMode(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}
