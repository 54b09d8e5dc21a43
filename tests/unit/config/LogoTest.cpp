// The three tray pictures tell their states apart.
#include "core/TrayPictures.h"

#include <gtest/gtest.h>

namespace {

TEST(TrayPictures, BlueWhenOnGreyWhenOffAndAMarkWhileNotConnected)
{
    const auto colourAt = [](TrayPicture picture, QPoint at) {
        return trayPictureIcon(picture).pixmap(16, 16).toImage().pixelColor(at);
    };
    EXPECT_EQ(colourAt(TrayPicture::Enabled, {2, 6}), QColor(31, 111, 209));
    EXPECT_EQ(colourAt(TrayPicture::Disabled, {2, 6}), QColor(128, 128, 128));
    EXPECT_EQ(colourAt(TrayPicture::NotConnected, {12, 11}), QColor(200, 40, 40)) << "the red mark";
    EXPECT_EQ(trayPictureIcon(TrayPicture::Enabled).availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
}

} // namespace
