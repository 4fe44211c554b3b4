#pragma once
// Helpers shared by the data tests: fixture files, raw bytes, and a way to make
// a file write fail partway through.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

inline QString fixturePath(const QString &name)
{
    return QStringLiteral(DATA_FIXTURES_DIR "/") + name;
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<unreadable>");
    return f.readAll();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

#ifdef Q_OS_UNIX
// While alive, no file of this process can grow beyond `bytes`: a longer write
// fails with EFBIG after writing the first bytes, as on a full disk. Works for
// root as well, unlike permission tricks.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};
#endif
