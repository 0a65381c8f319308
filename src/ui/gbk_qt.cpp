// Converting between GBK text and QString.
#include "ui/gbk_qt.h"

#include "text/charset.h"

namespace yc::ui {

QString toQString(std::string_view gbk) {
    const std::u16string wide = text::gbkToUtf16(gbk);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

Text fromQString(const QString& s) {
    return text::utf16ToGbk(
        std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), s.size()));
}

QString toQStringLines(std::string_view gbk) {
    return toQString(gbk).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

Text fromQStringLines(const QString& s) {
    QString lines = s;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QChar('\n'), QStringLiteral("\r\n"));
    return fromQString(lines);
}

}  // namespace yc::ui
