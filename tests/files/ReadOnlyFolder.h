// ReadOnlyFolder.h: folders and files that refuse to be written or read, also for tests run as root.
#pragma once

#include <cstdlib>

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// While alive, a file or folder has the given permission bits; afterwards it
// gets its own back.
class TemporaryMode {
public:
    TemporaryMode(const QString& path, mode_t mode) : path_(QFile::encodeName(path))
    {
        struct stat info {};
        if (::stat(path_.constData(), &info) == 0)
            oldMode_ = info.st_mode & 07777;
        ::chmod(path_.constData(), mode);
    }
    ~TemporaryMode() { ::chmod(path_.constData(), oldMode_); }
    TemporaryMode(const TemporaryMode&) = delete;
    TemporaryMode& operator=(const TemporaryMode&) = delete;

private:
    QByteArray path_;
    mode_t oldMode_ = 0700;
};

// While alive, the folder and its parent are readable and searchable by
// anyone and the folder cannot be written. Root ignores such permissions:
// while a test needs them to hold for root too, it keeps a PermissionsHold.
class ReadOnlyFolder {
public:
    ReadOnlyFolder(const QString& parent, const QString& folder) : parent_(parent, 0755), folder_(folder, 0555) {}

private:
    TemporaryMode parent_;
    TemporaryMode folder_;
};

// While alive, a process running as root checks file permissions as the
// unprivileged user "nobody" does; any other process is left as it is.
class PermissionsHold {
public:
    PermissionsHold()
    {
        if (::geteuid() == 0)
            dropped_ = ::seteuid(NobodyId) == 0;
    }
    ~PermissionsHold()
    {
        if (dropped_ && ::seteuid(0) != 0)
            std::abort();  // every later test would run with the wrong rights
    }
    PermissionsHold(const PermissionsHold&) = delete;
    PermissionsHold& operator=(const PermissionsHold&) = delete;

    // True when a new file cannot be made in `folder` now; a test that needs
    // the folder read-only and gets false has nothing to test.
    static bool CannotCreateIn(const QString& folder)
    {
        const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.probe"));
        const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0)
            return true;
        ::close(fd);
        ::unlink(probe.constData());
        return false;
    }

    // True when `file` cannot be opened for reading now.
    static bool CannotRead(const QString& file)
    {
        const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY);
        if (fd < 0)
            return true;
        ::close(fd);
        return false;
    }

private:
    static constexpr uid_t NobodyId = 65534;
    bool dropped_ = false;
};
