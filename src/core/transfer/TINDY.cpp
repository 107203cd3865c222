#include "transfer/TINDY.h"

#include "util/MeldungsAusgabe.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <cstdlib>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <openssl/crypto.h>

namespace quenda {

namespace {

// A reply larger than this is no answer of the control script; reading stops there.
constexpr qsizetype maxAntwort = 1024 * 1024;

void curlStart() {
    // curl_global_init is not thread-safe in every libcurl version: once, before the first handle.
    static std::once_flag einmal;
    std::call_once(einmal, [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        // Releases the TLS library's global state at exit; the cycle thread has ended by then.
        std::atexit([] { curl_global_cleanup(); });
    });
}

struct CurlFrei {
    void operator()(CURL* h) const { curl_easy_cleanup(h); }
    void operator()(curl_mime* m) const { curl_mime_free(m); }
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};
using CurlHandle = std::unique_ptr<CURL, CurlFrei>;
using CurlMime = std::unique_ptr<curl_mime, CurlFrei>;
using CurlListe = std::unique_ptr<curl_slist, CurlFrei>;

size_t empfangen(char* daten, size_t groesse, size_t anzahl, void* ziel) {
    auto* puffer = static_cast<QByteArray*>(ziel);
    const size_t laenge = groesse * anzahl;
    if (puffer->size() + static_cast<qsizetype>(laenge) > maxAntwort) {
        return 0; // ends the transfer with a write error
    }
    puffer->append(daten, static_cast<qsizetype>(laenge));
    return laenge;
}

QString inhaltstyp(const QString& datei) {
    const QString endung = QFileInfo(datei).suffix().toLower();
    if (endung == u"txt" || endung == u"cfg") {
        return QStringLiteral("text/plain");
    }
    if (endung == u"xml") {
        return QStringLiteral("text/xml");
    }
    if (endung == u"zip") {
        return QStringLiteral("application/zip");
    }
    if (endung == u"png" || endung == u"gif" || endung == u"bmp" || endung == u"webp") {
        return QStringLiteral("image/") + endung;
    }
    if (endung == u"jpg" || endung == u"jpeg") {
        return QStringLiteral("image/jpeg");
    }
    return QStringLiteral("application/octet-stream");
}

// The body as text in the character set the server names (UTF-8 when it names none or an unknown one).
QString alsText(const QByteArray& body, const char* contentType) {
    if (contentType) {
        const QByteArray typ = QByteArray(contentType).toLower();
        const qsizetype pos = typ.indexOf("charset=");
        if (pos >= 0) {
            QByteArray name = typ.mid(pos + 8);
            const qsizetype ende = name.indexOf(';');
            name = (ende >= 0 ? name.left(ende) : name).trimmed();
            if (name.startsWith('"') && name.endsWith('"') && name.size() >= 2) {
                name = name.mid(1, name.size() - 2);
            }
            QStringDecoder dekoder(name.constData());
            if (dekoder.isValid()) {
                return dekoder.decode(body);
            }
        }
    }
    return QString::fromUtf8(body);
}

} // namespace

struct TINDY::Antwort {
    QByteArray body;
    QString text;
};

TINDY::TINDY(MeldungsAusgabe& meldungen) : m_meldungen(meldungen) {
    curlStart();
}

void TINDY::setZeitlimits(long verbindenMs, long gesamtMs) {
    m_verbindenMs = verbindenMs;
    m_gesamtMs = gesamtMs;
}

QString TINDY::erfolgsAntwort() {
    return QStringLiteral("FILE vorhanden!");
}

QString TINDY::verbindungsFehler(const QString& fehler) {
    return QStringLiteral("Es besteht keine Verbindung zum Web-Server!\n\r") + fehler;
}

void httpThreadBeenden() {
    OPENSSL_thread_stop();
}

QString TINDY::melden(const QString& text) {
    m_meldungen.meldung(text);
    return text;
}

Ergebnis<void> TINDY::ausfuehren(void* roh, Antwort& antwort) {
    CURL* h = static_cast<CURL*>(roh);
    char fehlertext[CURL_ERROR_SIZE] = {};
    CurlListe kopf;
    for (const char* zeile : {"Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8",
                              "User-Agent: Mozilla/3.0 (compatible; Indy Library)", "Expect:"}) {
        kopf.reset(curl_slist_append(kopf.release(), zeile));
    }
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, kopf.get());
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, fehlertext);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L); // time-outs must not raise signals in a worker thread
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    // A followed 301/302 keeps the POST and its body (303 asks for a GET by definition).
    curl_easy_setopt(h, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_301 | CURL_REDIR_POST_302));
    curl_easy_setopt(h, CURLOPT_PROXY, ""); // no proxy, also none from the environment
    curl_easy_setopt(h, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    // As the curl tool does: a bundle named in the environment replaces the built-in one, so a club's own
    // certificate authority can be trusted.
    QByteArray bundle = qgetenv("CURL_CA_BUNDLE");
    if (bundle.isEmpty()) {
        bundle = qgetenv("SSL_CERT_FILE");
    }
    if (!bundle.isEmpty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, bundle.constData());
    }
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, m_verbindenMs.load());
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, m_gesamtMs.load());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &empfangen);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &antwort.body);

    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK) {
        const QString text =
            fehlertext[0] ? QString::fromLocal8Bit(fehlertext).trimmed() : QString::fromUtf8(curl_easy_strerror(rc));
        return Fehlschlag{melden(verbindungsFehler(text))};
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) {
        return Fehlschlag{melden(verbindungsFehler(QStringLiteral("HTTP-Status %1").arg(status)))};
    }
    char* typ = nullptr;
    curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &typ);
    antwort.text = alsText(antwort.body, typ);
    return {};
}

bool TINDY::HTTP_POST(const QString& url, const QString& lokaleDatei, const QString& servername) {
    return senden(url, lokaleDatei, servername, QString()).ok();
}

bool TINDY::HTTP_POST_Token(const QString& url, const QString& lokaleDatei, const QString& servername,
                            const QString& token) {
    return senden(url, lokaleDatei, servername, token).ok();
}

Ergebnis<void> TINDY::senden(const QString& url, const QString& lokaleDatei, const QString& servername,
                             const QString& token) {
    QFile datei(lokaleDatei);
    if (!datei.open(QIODevice::ReadOnly)) {
        return Fehlschlag{melden(verbindungsFehler(
            QStringLiteral("Die Datei %1 kann nicht gelesen werden: %2").arg(lokaleDatei, datei.errorString())))};
    }
    const QByteArray inhalt = datei.readAll();
    datei.close();

    CurlHandle h(curl_easy_init());
    if (!h) {
        return Fehlschlag{melden(verbindungsFehler(QStringLiteral("HTTP-Client nicht verfügbar")))};
    }
    const QByteArray urlBytes = url.trimmed().toUtf8();
    curl_easy_setopt(h.get(), CURLOPT_URL, urlBytes.constData());

    CurlMime form(curl_mime_init(h.get()));
    curl_mimepart* teil = curl_mime_addpart(form.get());
    curl_mime_name(teil, "datname");
    const QByteArray name = servername.toUtf8();
    curl_mime_data(teil, name.constData(), static_cast<size_t>(name.size()));
    curl_mime_type(teil, "text/plain; charset=UTF-8");
    curl_mime_encoder(teil, "binary");

    teil = curl_mime_addpart(form.get());
    curl_mime_name(teil, "datei");
    curl_mime_data(teil, inhalt.constData(), static_cast<size_t>(inhalt.size()));
    curl_mime_filename(teil, QFileInfo(lokaleDatei).fileName().toUtf8().constData());
    curl_mime_type(teil, inhaltstyp(lokaleDatei).toLatin1().constData());

    if (!token.isEmpty()) {
        teil = curl_mime_addpart(form.get());
        curl_mime_name(teil, "token");
        const QByteArray geheim = token.toUtf8();
        curl_mime_data(teil, geheim.constData(), static_cast<size_t>(geheim.size()));
    }
    curl_easy_setopt(h.get(), CURLOPT_MIMEPOST, form.get());

    Antwort antwort;
    if (Ergebnis<void> gesendet = ausfuehren(h.get(), antwort); !gesendet.ok()) {
        return gesendet;
    }
    if (antwort.text == erfolgsAntwort()) {
        return {};
    }
    // The control script's own error text; an empty reply would make an empty box.
    return Fehlschlag{
        melden(antwort.text.isEmpty() ? QStringLiteral("Der Web-Server hat keine Antwort gesendet.") : antwort.text)};
}

bool TINDY::HTTP_LOAD(const QString& url, const QString& wert, QString& antwort) {
    CurlHandle h(curl_easy_init());
    if (!h) {
        melden(verbindungsFehler(QStringLiteral("HTTP-Client nicht verfügbar")));
        return false;
    }
    const QByteArray urlBytes = url.trimmed().toUtf8();
    curl_easy_setopt(h.get(), CURLOPT_URL, urlBytes.constData());
    const QByteArray wertBytes = wert.toUtf8();
    char* kodiert = curl_easy_escape(h.get(), wertBytes.constData(), static_cast<int>(wertBytes.size()));
    const QByteArray body = QByteArray("var1=") + QByteArray(kodiert ? kodiert : "");
    curl_free(kodiert);
    curl_easy_setopt(h.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(h.get(), CURLOPT_COPYPOSTFIELDS, body.constData());

    Antwort ergebnis;
    if (!ausfuehren(h.get(), ergebnis).ok()) {
        return false;
    }
    antwort = ergebnis.text;
    return true;
}

bool TINDY::PING(const QString& host) {
    try {
        return icmpEcho(host.trimmed(), 5000);
    } catch (...) {
        return false;
    }
}

} // namespace quenda
