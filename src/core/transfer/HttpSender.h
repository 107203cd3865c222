#pragma once

#include "util/Ergebnis.h"

#include <QString>

namespace quenda {

// The HTTP(S) upload of one file to the control script. Each call is independent (any thread).
class HttpSender {
public:
    virtual ~HttpSender() = default;
    // The upload: arrived, or fails with why not (the server's reply or the transport error); senders that know
    // no reasons (test doubles) say "Upload Fehler".
    virtual Ergebnis<void> senden(const QString& url, const QString& lokaleDatei, const QString& servername,
                                  const QString& token) {
        if (!HTTP_POST_Token(url, lokaleDatei, servername, token)) {
            return Fehlschlag{QStringLiteral("Upload Fehler")};
        }
        return {};
    }
    // Posts lokaleDatei under servername to url; true only when the server confirmed it.
    virtual bool HTTP_POST(const QString& url, const QString& lokaleDatei, const QString& servername) = 0;
    // The same with the target's shared secret; an empty token sends exactly the plain post. Senders that
    // know no secret (test doubles) post plainly.
    virtual bool HTTP_POST_Token(const QString& url, const QString& lokaleDatei, const QString& servername,
                                 const QString& token) {
        (void)token;
        return HTTP_POST(url, lokaleDatei, servername);
    }
};

// Stands in where no network is wanted: every upload fails.
class KeinHttpSender : public HttpSender {
public:
    bool HTTP_POST(const QString&, const QString&, const QString&) override { return false; }
};

} // namespace quenda
