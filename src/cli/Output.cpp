#include "Output.h"

#include "core/UserText.h"

#include <QTextStream>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Whether the program was started with standard output closed.
bool outputClosed = false;

QString writeProblem(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("kein Platz mehr auf dem Datenträger");
    case EFBIG:
        return QStringLiteral("die Datei würde zu groß");
    case EBADF:
        return QStringLiteral("die Standardausgabe ist geschlossen");
    case EIO:
        return QStringLiteral("Ein-/Ausgabefehler");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

int failedWrite(int error)
{
    Output::tell(
        QStringLiteral("Die Ausgabe ließ sich nicht schreiben: %1.").arg(writeProblem(error)));
    return Output::writeError;
}

} // namespace

// /dev/null holds the number instead, and the first write says that there
// is no output.
void Output::holdClosedOutput()
{
    if (::fcntl(STDOUT_FILENO, F_GETFD) != -1)
        return;
    outputClosed = true;
    int placeholder = -1;
    do
        placeholder = ::open("/dev/null", O_RDWR);
    while (placeholder >= 0 && placeholder < STDOUT_FILENO);
    if (placeholder > STDOUT_FILENO)
        ::close(placeholder);
}

void Output::tell(const QString &text)
{
    QString line = UserText::oneLine(text);
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    QTextStream(stderr) << QStringLiteral("torvelin-search: ") << line << Qt::endl;
}

void Output::count(const QString &text)
{
    QTextStream(stderr) << text << Qt::endl;
}

int Output::fail(const QString &message)
{
    tell(message);
    return usageError;
}

int Output::writeOut(const QString &text)
{
    if (outputClosed)
        return failedWrite(EBADF);
    const QByteArray bytes = text.toUtf8();
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + written,
                                  std::size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EPIPE ? writeError : failedWrite(errno);
        written += n;
    }
    return done;
}
