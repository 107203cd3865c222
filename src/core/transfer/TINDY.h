// TINDY — the HTTP client (uploads, form posts) and the ping
#pragma once

#include "transfer/HttpSender.h"
#include "util/Ergebnis.h"

#include <QString>
#include <atomic>

namespace quenda {

class MeldungsAusgabe;

// The network module: the upload of one file to the control script, the form post of one value and the
// ICMP echo. Created on the UI thread (or the headless main thread) and callable from any thread: it keeps
// no connection state, every HTTP call uses its own libcurl handle. Failure messages go through
// MeldungsAusgabe, which returns only after the message was confirmed.
class TINDY : public HttpSender {
public:
    explicit TINDY(MeldungsAusgabe& meldungen);

    // Multipart post of "datname" and "datei"; true only for the exact reply "FILE vorhanden!".
    bool HTTP_POST(const QString& url, const QString& lokaleDatei, const QString& servername) override;
    // With a token the form gets a third part "token" after "datei".
    bool HTTP_POST_Token(const QString& url, const QString& lokaleDatei, const QString& servername,
                         const QString& token) override;
    // The same post, failing with the reason (which is also shown).
    Ergebnis<void> senden(const QString& url, const QString& lokaleDatei, const QString& servername,
                          const QString& token) override;
    // Form post "var1=" + wert. When the request completed, the body goes to antwort and the result is true;
    // otherwise antwort is left as it was.
    virtual bool HTTP_LOAD(const QString& url, const QString& wert, QString& antwort);
    // One ICMP echo request to host, waiting at most 5000 ms for the reply. Never raises or shows anything.
    virtual bool PING(const QString& host);

    // Connect and whole-request time-outs in milliseconds (15 s and 120 s unless changed).
    void setZeitlimits(long verbindenMs, long gesamtMs);

    static QString erfolgsAntwort();
    // "Es besteht keine Verbindung zum Web-Server!" with the error's own text.
    static QString verbindungsFehler(const QString& fehler);

private:
    struct Antwort;
    // Runs the prepared request; fails with the text (already shown) of a transport error or an HTTP error
    // status.
    Ergebnis<void> ausfuehren(void* handle, Antwort& antwort);
    // Shows a failure and hands its text back.
    QString melden(const QString& text);

    MeldungsAusgabe& m_meldungen;
    std::atomic<long> m_verbindenMs{15000};
    std::atomic<long> m_gesamtMs{120000};
};

// Releases what the TLS library keeps for the calling thread. A thread that made HTTP calls runs it as its
// last step: left to the thread-exit handler, the state races with the library's cleanup at process exit
// and is then never freed.
void httpThreadBeenden();

// One ICMP echo (platform part of PING): true only when the reply arrived within wartezeitMs.
bool icmpEcho(const QString& host, int wartezeitMs);

} // namespace quenda
