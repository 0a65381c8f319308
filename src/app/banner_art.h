// The banner's pictures, drawn in code: the product logo and the three 64 x 64 icons.
#pragma once

#include <QPixmap>

namespace yc::app {

QPixmap drawLogo();         ///< 195 x 64
QPixmap drawHomeIcon();     ///< a house, for the homepage
QPixmap drawContactIcon();  ///< an envelope, for the contact link
QPixmap drawAdvertIcon();   ///< a toolbox, for the advert

}  // namespace yc::app
