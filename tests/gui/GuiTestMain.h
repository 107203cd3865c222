#pragma once

#include "Uebersetzung.h"

#include <QApplication>
#include <QTest>

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
