#pragma once

class QCoreApplication;

namespace quenda {

// Loads Qt's German texts (standard buttons, questions, file dialogs) from Qt's translation folder and
// installs them in the application (UI thread, once, after the application object exists). The program and
// the GUI tests call it alike, so the tests see what the user sees. False when the translation is missing:
// the program then runs with Qt's English texts.
bool deutschLaden(QCoreApplication& app);

} // namespace quenda
