// Painting of the wrapping caption button: the style draws the bevel and focus, the caption is
// drawn here so that it can wrap and, when it has to, shrink.
#include "ui/caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace yc::ui {
namespace {

// Below this the caption would no longer be legible; it is drawn at this size regardless.
constexpr int kSmallestPixelSize = 9;
// Room kept between the caption and the frame at the sides; two lines at the designed 19-pixel
// font need the button's full inner height.
constexpr int kSidePadding = 2;

bool fits(const QFont& font, const QRect& rect, const QString& text) {
    const QRect needed = QFontMetrics(font).boundingRect(rect, CaptionButton::kCaptionFlags, text);
    return rect.contains(needed);
}

}  // namespace

QRect CaptionButton::captionRect() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    return contents.adjusted(kSidePadding, 0, -kSidePadding, 0);
}

QFont CaptionButton::captionFont() const {
    QFont font = this->font();
    const QRect rect = captionRect();
    const QString caption = text();
    if (font.pixelSize() <= 0) {
        return font;
    }
    while (font.pixelSize() > kSmallestPixelSize && !fits(font, rect, caption)) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setFont(captionFont());
    style()->drawItemText(&painter, captionRect(), kCaptionFlags, option.palette, isEnabled(),
                          text(), QPalette::ButtonText);
}

}  // namespace yc::ui
