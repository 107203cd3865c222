#include "draws/TAuslosung.h"

namespace quenda {

QString betriebText(int betrieb) {
    return betrieb == 1 ? QStringLiteral("BETRIEB") : QStringLiteral("FREIGABE");
}

} // namespace quenda
