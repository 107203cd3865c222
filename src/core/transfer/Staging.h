#pragma once

#include <QString>

namespace quenda {

// Hand-over of a data file written into the working folder as name + "_org.txt" (name without it):
// the staging step compares it with its kept version and sends it to the targets chosen by ziel
// (1 beamer/screen, 2 mobile phone, 3 both). Implemented by the transfer engine.
class Staging {
public:
    virtual ~Staging() = default;
    virtual void DateiAnlage(const QString& name, const QString& stempel, int ziel) = 0;
};

} // namespace quenda
