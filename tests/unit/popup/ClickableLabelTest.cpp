// Links, icon pictures and colour swatches share one notion of a click: the left
// button goes down on the label and comes up again inside it.
#include "config/ColourSwatch.h"
#include "common/LinkLabel.h"
#include "popup/IconPicture.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

void send(QWidget& widget, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

struct Gesture {
    const char* name;
    bool press;
    Qt::MouseButton button;
    QPoint releaseAt;
    bool isClick;
};

const Gesture gestures[] = {
    {"left press and release inside", true, Qt::LeftButton, {3, 3}, true},
    {"release without a press on the label", false, Qt::LeftButton, {3, 3}, false},
    {"press inside, release outside", true, Qt::LeftButton, {500, 3}, false},
    {"right button", true, Qt::RightButton, {3, 3}, false},
};

class ClickableLabelTest : public testing::TestWithParam<std::function<std::unique_ptr<ClickableLabel>()>> {};

TEST_P(ClickableLabelTest, OnlyAFullLeftClickInsideCounts)
{
    for (const Gesture& g : gestures) {
        const std::unique_ptr<ClickableLabel> label = GetParam()();
        label->resize(40, 20);
        QSignalSpy clicks(label.get(), &ClickableLabel::clicked);
        if (g.press)
            send(*label, QEvent::MouseButtonPress, g.button, {3, 3});
        send(*label, QEvent::MouseButtonRelease, g.button, g.releaseAt);
        EXPECT_EQ(clicks.count(), g.isClick ? 1 : 0) << g.name;

        // A second release needs a new press.
        send(*label, QEvent::MouseButtonRelease, g.button, {3, 3});
        EXPECT_EQ(clicks.count(), g.isClick ? 1 : 0) << g.name << ", then a stray release";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, ClickableLabelTest,
                         testing::Values([] { return std::unique_ptr<ClickableLabel>(new LinkLabel(nullptr, "link")); },
                                         [] { return std::unique_ptr<ClickableLabel>(new IconPicture(nullptr)); },
                                         [] { return std::unique_ptr<ClickableLabel>(new ColourSwatch(nullptr)); }));

TEST(IconPicture, ReportsEachButtonGoingDown)
{
    IconPicture picture(nullptr);
    picture.resize(20, 20);
    QSignalSpy downs(&picture, &IconPicture::mouseDown);
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton})
        send(picture, QEvent::MouseButtonPress, button, {2, 2});
    ASSERT_EQ(downs.count(), 3) << "only left, right and middle are reported";
    EXPECT_EQ(downs[0][0].toInt(), 1);
    EXPECT_EQ(downs[1][0].toInt(), 2);
    EXPECT_EQ(downs[2][0].toInt(), 4);
}

TEST(LinkLabel, ShowsItsCaptionAsPlainTextInItsColour)
{
    LinkLabel link(nullptr, "<b>a</b> \"b\"", "tip");
    link.setColour(QColor(255, 128, 0));
    EXPECT_EQ(link.textFormat(), Qt::PlainText);
    EXPECT_EQ(link.caption(), "<b>a</b> \"b\"");
    EXPECT_EQ(link.toolTip(), "tip");
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 128, 0));
    EXPECT_EQ(link.size(), link.sizeHint()) << "sized to its caption";
}

} // namespace
