#pragma once

#include <QString>

namespace quenda {

class Webserverupload;

// Sends config_quenda.xml and then every picture of tsdir/images (as "images/<name>") to the beamer/screen
// target. Failed uploads are recorded in the failure state and the rest is still sent; a failing local copy
// in directory mode raises IoError and ends the transfer there. UI thread.
void konfigurationSenden(Webserverupload& upload, const QString& tsdir);

} // namespace quenda
