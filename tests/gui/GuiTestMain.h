#pragma once

#include "Uebersetzung.h"

#include <QApplication>
#include <QTest>

// A part of a window, found by its objectName; a missing one ends the test run at once.
template <typename T>
T* teil(const QObject* fenster, const char* name) {
    T* gefunden = fenster ? fenster->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!gefunden) {
        qFatal("%s has no %s", fenster ? fenster->metaObject()->className() : "nullptr", name);
    }
    return gefunden;
}

// As QTEST_MAIN for widget tests, with Qt's German texts loaded the way the program loads them.
#define QUENDA_GUI_TEST_MAIN(Testklasse)                                                                               \
    int main(int argc, char** argv) {                                                                                  \
        QApplication app(argc, argv);                                                                                  \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        quenda::deutschLaden(app);                                                                                     \
        Testklasse test;                                                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
