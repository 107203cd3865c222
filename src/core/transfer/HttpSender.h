#pragma once

#include <QString>

namespace quenda {

// The HTTP(S) upload of one file to the control script. Each call is independent (any thread).
class HttpSender {
public:
    virtual ~HttpSender() = default;
    // Posts lokaleDatei under servername to url; true only when the server confirmed it.
    virtual bool HTTP_POST(const QString& url, const QString& lokaleDatei, const QString& servername) = 0;
};

// Stands in until the HTTP(S) client is built: every upload fails with a clear message.
class KeinHttpSender : public HttpSender {
public:
    bool HTTP_POST(const QString&, const QString&, const QString&) override { return false; }
};

} // namespace quenda
