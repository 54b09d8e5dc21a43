// The three dialogs on the real desktop at 96 dpi. Screenshots go to the build
// folder (screenshots/) for a look by eye.
#include "common/AppState.h"
#include "common/LinkLabel.h"
#include "config/AboutBox.h"
#include "config/ColourSwatch.h"
#include "config/Dialogs.h"
#include "config/LanguageDialog.h"
#include "config/SettingsDialog.h"
#include "config/SettingsFiles.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DialogScreenshots : public testing::Test {
protected:
    std::unique_ptr<platform::Platform> desktop = platform::createPlatform();
    AppState state;
    SettingsFiles settingsFiles{desktop->files(), state.settings};
    Dialogs dialogs{state, settingsFiles, *desktop, [] {}, [] {
                        return QList<LanguageOption>{
                            {"auto", "Detect language"}, {"separator", "---"}, {"es", "Spanish"}, {"ca", "Catalan"}};
                    }};
    QString folder = QFileInfo(QLR_BINARY).absolutePath() + "/screenshots";

    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY"));
        ASSERT_DOUBLE_EQ(desktop->screen().logicalDpiX(), 96);
        state.twipsPerPixelX = state.twipsPerPixelY = 15;
        for (const auto& [key, value] : {std::pair{"ControlMode", "2"}, {"transwidth", "450"}, {"Transparency", "20"},
                                         {"SmoothGlide", "10"}, {"styles", "1"},
                                         {"style1", "Classic|255,255,225|0,0,0|128,128,128|1"}})
            state.settings.set(key, value);
        state.backColour = parseColour("255,255,225");
        state.grayColour = parseColour("128,128,128");
        state.programVersion = "1.0.0";
        state.publishedVersion = "1.1.0";
        state.connected = true;
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    // Saves the window as the desktop shows it, frame included; checks that every
    // control lies inside the fixed client area and no caption is cut off; returns the
    // client area's pixels.
    QImage capture(QWidget* window, const QString& name, QSize clientSize)
    {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        QTest::qWait(400);
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect frame = window->frameGeometry();
        EXPECT_TRUE(screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(folder + "/" +
                                                                                                   name + ".png"));
        EXPECT_EQ(window->size(), clientSize) << name.toStdString();
        for (const QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->isWindow())
                continue;
            EXPECT_TRUE(window->rect().contains(QRect(control->mapTo(window, QPoint(0, 0)), control->size())))
                << name.toStdString() << ": " << control->metaObject()->className();
            if (const auto* label = qobject_cast<const QLabel*>(control)) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << "cut off: " << label->text().toStdString();
            }
        }
        const QPoint client = window->mapToGlobal(QPoint(0, 0));
        return screen->grabWindow(0, client.x(), client.y(), window->width(), window->height()).toImage();
    }
};

TEST_F(DialogScreenshots, EachDialogDrawsWithinItsSizeAtNinetySixDpi)
{
    dialogs.showSettings();
    SettingsDialog* settings = dialogs.settingsDialog();
    QImage client = capture(settings, "settings", QSize(327, 420));
    EXPECT_EQ(QColor(client.pixel(settings->backgroundSwatch->mapTo(settings, QPoint(8, 8)))), QColor(255, 255, 225))
        << "the background swatch shows the background colour";
    settings->cancel();

    dialogs.showLanguage();
    ASSERT_NE(dialogs.languageDialog(), nullptr);
    capture(dialogs.languageDialog(), "language", QSize(328, 143));
    EXPECT_FALSE(dialogs.languageDialog()->isActiveWindow()) << "shown without taking the focus";
    dialogs.languageDialog()->close();

    dialogs.showAbout();
    AboutBox* about = dialogs.aboutDialog();
    client = capture(about, "about", QSize(472, 164));
    EXPECT_EQ(QColor(client.pixel(2, 161)), QColor(240, 240, 240)) << "light gray background";
    const QColor logo = client.pixel(about->logo->mapTo(about, QPoint(12, 72)));
    EXPECT_TRUE(logo.blue() > 150 && logo.red() < 100) << "the blue mark";
    EXPECT_TRUE(about->downloadLink->isVisible());
    about->closeBox();
}

} // namespace
