#include "export/Namensfeld.h"

namespace quenda {

QString trimmen(const QString& text) {
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    while (anfang < ende && text.at(anfang).unicode() <= 0x20) {
        ++anfang;
    }
    while (ende > anfang && text.at(ende - 1).unicode() <= 0x20) {
        --ende;
    }
    return text.mid(anfang, ende - anfang);
}

QString klammerTeil(const QString& text, bool an) {
    return an ? u'[' + text + u']' : QString();
}

QString namensfeldSpiel(const QString& s, const QString& n, const QString& r) {
    return trimmen(s + u' ' + n + u' ' + r);
}

QString namensfeldStarter(const QString& s, const QString& n, const QString& r) {
    return trimmen(s + u' ' + n) + u' ' + r;
}

} // namespace quenda
