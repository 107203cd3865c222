#pragma once

#include <QString>

namespace quenda {

// What became of one upload: arrived, or why not (the server's reply or the transport error).
struct Uploadergebnis {
    bool angekommen = false;
    QString grund;
};

// The HTTP(S) upload of one file to the control script. Each call is independent (any thread).
class HttpSender {
public:
    virtual ~HttpSender() = default;
    // The upload with its outcome; senders that know no reasons (test doubles) give none.
    virtual Uploadergebnis senden(const QString& url, const QString& lokaleDatei, const QString& servername,
                                  const QString& token) {
        const bool ok = HTTP_POST_Token(url, lokaleDatei, servername, token);
        return {ok, ok ? QString() : QStringLiteral("Upload Fehler")};
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
