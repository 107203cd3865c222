#include "db/Snapshotverwaltung.h"

#include "db/MdbImport.h"
#include "util/QuendaError.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThread>
#include <vector>

namespace quenda {

namespace {

// A file that changes during every read is given up after this many reads, with a pause between them.
constexpr int versuche = 5;
constexpr unsigned long pauseMs = 200;
const QString sperrEndung = QStringLiteral(".lock");

qint64 jetztMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

Dateisignatur Dateisignatur::von(const QString& pfad) {
    Dateisignatur s;
    const QFileInfo info(pfad);
    s.groesse = info.size();
    s.geaendert = info.lastModified();
    QFile datei(pfad);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    if (datei.open(QIODevice::ReadOnly) && hash.addData(&datei)) {
        s.pruefsumme = hash.result();
    }
    return s;
}

Snapshot::~Snapshot() {
    QFile::remove(m_pfad);
}

struct Snapshotverwaltung::Eintrag {
    QMutex import; // one import of this source at a time
    std::shared_ptr<const Snapshot> snapshot;
    Dateisignatur signatur;     // of the content the snapshot was made from
    Dateisignatur fehlSignatur; // content whose import failed: not tried again until it changes
    QString fehlGrund;
    qint64 geprueftMs = 0;
    QThread* hintergrund = nullptr;
};

Snapshotverwaltung& Snapshotverwaltung::instanz() {
    static Snapshotverwaltung verwaltung;
    static const bool angemeldet = [] {
        // Child threads and files must be gone before the application object is.
        if (QCoreApplication::instance()) {
            qAddPostRoutine([] { Snapshotverwaltung::instanz().beenden(); });
        }
        return true;
    }();
    Q_UNUSED(angemeldet);
    return verwaltung;
}

Snapshotverwaltung::~Snapshotverwaltung() {
    beenden();
}

void Snapshotverwaltung::setzeOrdner(const QString& basis) {
    QMutexLocker sperre(&m_mutex);
    m_basis = basis;
}

Snapshotverwaltung::Eintrag& Snapshotverwaltung::eintrag(const QString& quelle) {
    QMutexLocker sperre(&m_mutex);
    std::unique_ptr<Eintrag>& e = m_eintraege[quelle];
    if (!e) {
        e = std::make_unique<Eintrag>();
    }
    return *e;
}

Snapshotverwaltung::Stand Snapshotverwaltung::aktuell(const QString& quellePfad) {
    const QString quelle = QFileInfo(quellePfad).absoluteFilePath();
    Eintrag& e = eintrag(quelle);
    QMutexLocker importSperre(&e.import);
    QString grund;
    for (int versuch = 0; versuch < versuche && grund.isEmpty(); ++versuch) {
        const Dateisignatur vorher = Dateisignatur::von(quelle);
        if (vorher.pruefsumme.isEmpty()) {
            grund = QStringLiteral("Die Datei kann nicht gelesen werden.");
            break;
        }
        {
            QMutexLocker sperre(&m_mutex);
            e.geprueftMs = jetztMs();
            if (e.snapshot && vorher == e.signatur) {
                return {e.snapshot, {}};
            }
            if (vorher == e.fehlSignatur) {
                grund = e.fehlGrund;
                break;
            }
        }
        QString ziel;
        try {
            ziel = neuerPfad();
        } catch (const QuendaError& fehler) {
            grund = fehler.message();
            break;
        }
        ++m_importe;
        const Ergebnis<void> importiert = mdbImportieren(quelle, ziel, m_zeitlimitMs.load(), &m_ende);
        const bool geaendert = !(Dateisignatur::von(quelle) == vorher);
        const bool nochmal = geaendert && versuch + 1 < versuche && !m_ende.load();
        if (!importiert.ok() && !nochmal) {
            grund = importiert.fehler();
            if (!m_ende.load()) {
                QMutexLocker sperre(&m_mutex);
                e.fehlSignatur = vorher;
                e.fehlGrund = grund;
            }
            break;
        }
        if (importiert.ok()) {
            auto neu = std::make_shared<const Snapshot>(ziel);
            if (!geaendert) {
                QMutexLocker sperre(&m_mutex);
                e.snapshot = std::move(neu);
                e.signatur = vorher;
                return {e.snapshot, {}};
            }
            // Changed while it was read: the snapshot may mix old and new pages. Dropping it removes it.
            if (!nochmal) {
                grund = QStringLiteral("Die Datei wurde bei jedem Lesen gerade geändert.");
                break;
            }
        }
        // Being written right now (a read that failed on a file that changed meanwhile is no damage): the
        // desk's program is given a moment to finish before the next read.
        QThread::msleep(pauseMs);
    }
    const QString meldung = QStringLiteral("Die Datenbank %1 konnte nicht gelesen werden: %2").arg(quelle, grund);
    QMutexLocker sperre(&m_mutex);
    if (e.snapshot) {
        return {e.snapshot, meldung + QStringLiteral(" Der zuletzt gelesene Stand bleibt in Gebrauch.")};
    }
    throw DatabaseError(meldung);
}

Snapshotverwaltung::Stand Snapshotverwaltung::vorhanden(const QString& quellePfad) {
    const QString quelle = QFileInfo(quellePfad).absoluteFilePath();
    Eintrag& e = eintrag(quelle);
    {
        QMutexLocker sperre(&m_mutex);
        if (e.snapshot) {
            hintergrund(quelle, e);
            return {e.snapshot, {}};
        }
    }
    return aktuell(quelle);
}

std::shared_ptr<const Snapshot> Snapshotverwaltung::neuester(const QString& quellePfad) {
    const QString quelle = QFileInfo(quellePfad).absoluteFilePath();
    Eintrag& e = eintrag(quelle);
    QMutexLocker sperre(&m_mutex);
    if (jetztMs() - e.geprueftMs >= m_auffrischMs.load()) {
        hintergrund(quelle, e);
    }
    return e.snapshot;
}

// Called with m_mutex held.
void Snapshotverwaltung::hintergrund(const QString& quelle, Eintrag& e) {
    if (m_ende.load() || (e.hintergrund && !e.hintergrund->isFinished())) {
        return;
    }
    if (e.hintergrund) {
        e.hintergrund->wait();
        delete e.hintergrund;
    }
    e.geprueftMs = jetztMs(); // no second request while this one runs
    e.hintergrund = QThread::create([this, quelle]() {
        try {
            aktuell(quelle);
        } catch (const QuendaError&) {
            // Reported to whoever asks for the snapshot next (the cycle logs it).
        }
    });
    e.hintergrund->start();
}

QString Snapshotverwaltung::neuerPfad() {
    QMutexLocker sperre(&m_mutex);
    if (m_ordner.isEmpty()) {
        QString basis = m_basis;
        if (basis.isEmpty()) {
            const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
            basis = cache.isEmpty() ? QDir::tempPath() + QStringLiteral("/quenda-snapshots")
                                    : cache + QStringLiteral("/quenda/snapshots");
        }
        if (!QDir().mkpath(basis)) {
            throw IoError(QStringLiteral("Der Ordner %1 für Schnappschüsse kann nicht angelegt werden.").arg(basis));
        }
        m_basis = basis;
        aufraeumen();
        const QString name = QStringLiteral("%1-%2")
                                 .arg(QCoreApplication::applicationPid())
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        auto lock = std::make_unique<QLockFile>(QDir(basis).filePath(name + sperrEndung));
        lock->setStaleLockTime(0); // held for the whole run: only a dead owner makes it stale
        if (!lock->tryLock(0) || !QDir(basis).mkdir(name)) {
            throw IoError(QStringLiteral("Der Ordner für Schnappschüsse in %1 kann nicht angelegt werden.").arg(basis));
        }
        m_sperre = std::move(lock);
        m_ordner = QDir(basis).filePath(name);
    }
    return QDir(m_ordner).filePath(QStringLiteral("snapshot-%1.sqlite").arg(++m_zaehler));
}

// Folders of processes that ended without cleaning up (crash, kill). Called with m_mutex held.
void Snapshotverwaltung::aufraeumen() {
    const QDir basis(m_basis);
    for (const QFileInfo& info : basis.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (info.isDir()) {
            if (!QFileInfo::exists(info.absoluteFilePath() + sperrEndung)) {
                QDir(info.absoluteFilePath()).removeRecursively();
            }
            continue;
        }
        if (!info.fileName().endsWith(sperrEndung)) {
            continue;
        }
        QLockFile fremd(info.absoluteFilePath());
        fremd.setStaleLockTime(0);
        if (fremd.tryLock(0)) { // its owner is gone
            QDir(info.absoluteFilePath().chopped(sperrEndung.size())).removeRecursively();
            fremd.unlock();
        }
    }
}

void Snapshotverwaltung::beenden() {
    m_ende.store(true);
    std::vector<QThread*> threads;
    {
        QMutexLocker sperre(&m_mutex);
        for (auto& [quelle, e] : m_eintraege) {
            if (e->hintergrund) {
                threads.push_back(std::exchange(e->hintergrund, nullptr));
            }
        }
    }
    for (QThread* t : threads) {
        t->wait();
        delete t;
    }
    QMutexLocker sperre(&m_mutex);
    m_eintraege.clear();
    if (!m_ordner.isEmpty()) {
        QDir(m_ordner).removeRecursively();
        m_ordner.clear();
    }
    m_sperre.reset(); // unlocks and removes the lock file
    m_ende.store(false);
}

} // namespace quenda
