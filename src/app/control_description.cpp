// Control records from UTF-8 literals, in the designed font.
#include "app/control_description.h"

#include "text/charset.h"

namespace yc::app {

ui::ControlDescription describeControl(const char* utf8Name, ui::ControlKind kind, ui::Rect rect,
                                       const char* utf8Caption, const char* utf8Parent) {
    ui::ControlDescription d;
    d.name = text::utf8ToGbk(utf8Name);
    d.kind = kind;
    d.rect = rect;
    d.caption = text::utf8ToGbk(utf8Caption);
    d.parent = text::utf8ToGbk(utf8Parent);
    d.font = kNormalFont;
    return d;
}

}  // namespace yc::app
