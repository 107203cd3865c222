#include "util/Dateiersatz.h"

#include "util/QuendaError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <atomic>

#ifdef Q_OS_UNIX
#include <cstdio>
#endif
#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quenda {

namespace {

IoError schreibfehler(const QString& pfad, const QString& grund) {
    return IoError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2").arg(pfad, grund));
}

void mitSaveFile(const QString& pfad, const QByteArray& inhalt) {
    linkEntfernen(pfad); // QSaveFile would write the file a link points to
    QSaveFile datei(pfad);
    if (!datei.open(QIODevice::WriteOnly) || datei.write(inhalt) != inhalt.size() || !datei.commit()) {
        throw schreibfehler(pfad, datei.errorString());
    }
}

#ifdef Q_OS_LINUX
// As QSaveFile does it, without its fsync: the content goes into an unnamed file of the target folder,
// which then gets a temporary name and is renamed over the target (a link cannot replace a file). False
// when the file system has no unnamed files.
bool ohneSync(const QString& pfad, const QByteArray& inhalt) {
    static std::atomic<unsigned> zaehler{0};
    const QFileInfo info(pfad);
    const int fd = ::open(QFile::encodeName(info.absolutePath()).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
            return false;
        }
        throw schreibfehler(pfad, QString::fromLocal8Bit(std::strerror(errno)));
    }
    const auto scheitern = [&](int fehler) {
        ::close(fd);
        return schreibfehler(pfad, QString::fromLocal8Bit(std::strerror(fehler)));
    };
    for (qsizetype geschrieben = 0; geschrieben < inhalt.size();) {
        const ssize_t n =
            ::write(fd, inhalt.constData() + geschrieben, static_cast<size_t>(inhalt.size() - geschrieben));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            throw scheitern(n < 0 ? errno : EIO);
        }
        geschrieben += n;
    }
    const QByteArray fdPfad = "/proc/self/fd/" + QByteArray::number(fd);
    // A name that is still free (every stamped delivery) gets the finished file in one step.
    if (::linkat(AT_FDCWD, fdPfad.constData(), AT_FDCWD, QFile::encodeName(pfad).constData(), AT_SYMLINK_FOLLOW) == 0) {
        ::close(fd);
        return true;
    }
    if (errno != EEXIST) {
        throw scheitern(errno);
    }
    const QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                              QStringLiteral(".%1.%2").arg(::getpid()).arg(zaehler++));
    if (::linkat(AT_FDCWD, fdPfad.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) != 0) {
        throw scheitern(errno);
    }
    ::close(fd);
    if (::rename(temp.constData(), QFile::encodeName(pfad).constData()) != 0) {
        const int fehler = errno;
        ::unlink(temp.constData());
        throw schreibfehler(pfad, QString::fromLocal8Bit(std::strerror(fehler)));
    }
    return true;
}
#endif

} // namespace

void linkEntfernen(const QString& pfad) {
    if (QFileInfo(pfad).isSymLink() && !QFile::remove(pfad)) {
        throw schreibfehler(pfad, QStringLiteral("die Verknüpfung kann nicht ersetzt werden"));
    }
}

void datei_ersetzen(const QString& pfad, const QByteArray& inhalt, Ablauf ablauf) {
#ifdef Q_OS_LINUX
    if (ablauf == Ablauf::Zyklus && ohneSync(pfad, inhalt)) {
        return;
    }
#else
    (void)ablauf;
#endif
    mitSaveFile(pfad, inhalt);
}

bool datei_umbenennen(const QString& von, const QString& nach) {
#ifdef Q_OS_UNIX
    return std::rename(QFile::encodeName(von).constData(), QFile::encodeName(nach).constData()) == 0;
#else
    QFile::remove(nach);
    return QFile::rename(von, nach);
#endif
}

} // namespace quenda
