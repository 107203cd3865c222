#pragma once

#include <QColor>

class QApplication;
class QLabel;

namespace quenda::stil {

// A calm light style for the whole program (UI thread).
void anwenden(QApplication& app);

inline const QColor geldgruen{0xC0, 0xDC, 0xC0}; // background of the main window's top band
inline const QColor freigabeBlau{0x00, 0x00, 0xFF};
inline const QColor betriebGruen{0x00, 0x80, 0x00};

// White bold text on red: the status banners of the main window.
void alsWarnbanner(QLabel* label);

} // namespace quenda::stil
