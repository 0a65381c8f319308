// A push button whose caption wraps over several lines, as a multi-line button does, and whose
// text shrinks only when the wrapped caption would not fit the button's designed size.
#pragma once

#include <QPushButton>

namespace yc::ui {

class CaptionButton final : public QPushButton {
  public:
    using QPushButton::QPushButton;

    /// The area the caption is drawn in: the button less its frame and a little room at the sides.
    QRect captionRect() const;
    /// The widget's font, or the largest smaller size of it at which the wrapped caption fits
    /// captionRect().
    QFont captionFont() const;
    /// The alignment and wrapping the caption is drawn with.
    static constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace yc::ui
