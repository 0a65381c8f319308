// Choosing the designed face, or an installed CJK face in its place.
#include "ui/fonts.h"

#include <QStringList>

namespace yc::ui {

QFont designFont(const FontDescription& font) {
    QFont qfont;
    qfont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                       QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                       QStringLiteral("Droid Sans Fallback")});
    qfont.setPixelSize(font.pixelHeight);
    qfont.setBold(font.bold);
    return qfont;
}

}  // namespace yc::ui
