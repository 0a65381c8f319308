// The icon built into the program: every size the icon theme gets is there and loads.
#include <gtest/gtest.h>

#include "app/program_icon.h"

namespace yc::app {
namespace {

TEST(ProgramIconTest, EveryBuiltInSizeLoads) {
    const QIcon icon = programIcon();
    for (const int size : {48, 128, 256}) {
        const QPixmap pixmap = icon.pixmap(QSize(size, size));
        ASSERT_FALSE(pixmap.isNull()) << size;
        EXPECT_EQ(pixmap.size(), QSize(size, size));
    }
}

}  // namespace
}  // namespace yc::app
