#include "TFormHaupt.h"
#include "util/Routinen.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>

namespace {

bool istHeadless(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless") == 0) {
            return true;
        }
    }
    return false;
}

QString programmVersion() {
    const QString exepath = QCoreApplication::applicationDirPath();
    QDir::setCurrent(exepath);
    return quenda::version_laden(QStringLiteral("quenda20"), QStringLiteral("quenda20.ini"), exepath);
}

} // namespace

int main(int argc, char** argv) {
    // Decided before any application object exists: the headless mode never creates a QApplication.
    if (istHeadless(argc, argv)) {
        QCoreApplication app(argc, argv);
        std::fprintf(stderr, "Quenda %s: the headless mode is not available in this build yet.\n",
                     qPrintable(programmVersion()));
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    quenda::TFormHaupt fenster(programmVersion());
    fenster.show();
    return app.exec();
}
