// The three dialogs on the real desktop at 96 dpi. Screenshots go to the build
// folder (screenshots/) for a look by eye.
#include "config/ColourSwatch.h"
#include "common/LinkLabel.h"
#include "config/Dialogs.h"
#include "config/AboutBox.h"
#include "config/LanguageDialog.h"
#include "config/SettingsDialog.h"
#include "config/SettingsFiles.h"
#include "common/AppState.h"
#include "platform/Platform.h"
#include "service/fake/FakeServicePage.h"

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
        for (const auto& [key, value] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"ControlMode", "2"}, {"transwidth", "450"}, {"Transparency", "20"}, {"SmoothGlide", "10"},
                 {"Border", "0"}, {"Shadow", "1"}, {"styles", "2"},
                 {"style1", "Light|255,255,255|0,0,0|128,128,128|0"},
                 {"style2", "Classic|255,255,225|0,0,0|128,128,128|1"}})
            state.settings.set(key, value);
        state.backColour = parseColour("255,255,225");
        state.grayColour = parseColour("128,128,128");
        state.programVersion = "1.0.0";
        state.publishedVersion = "1.1.0";
        state.connected = true;
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    // The window as the desktop shows it, frame included, saved under the name.
    // Returns the client area.
    QImage capture(QWidget* window, const QString& name)
    {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        QTest::qWait(400);
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect frame = window->frameGeometry();
        const QImage framed = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).toImage();
        EXPECT_TRUE(framed.save(folder + "/" + name + ".png"));
        const QPoint client = window->mapToGlobal(QPoint(0, 0));
        return screen->grabWindow(0, client.x(), client.y(), window->width(), window->height()).toImage();
    }

    static void expectNoLabelCutOff(const QWidget* window)
    {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->isVisible()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << "cut off: " << label->text().toStdString();
            }
        }
    }

    static int distinctColours(const QImage& image)
    {
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3)
                colours.insert(image.pixel(x, y));
        return int(colours.size());
    }
};

TEST_F(DialogScreenshots, Settings)
{
    dialogs.showSettings();
    SettingsDialog* f = dialogs.settingsDialog();
    const QImage client = capture(f, "settings");
    EXPECT_EQ(client.size(), QSize(327, 420));
    EXPECT_GT(distinctColours(client), 5) << "controls were drawn";
    const QPoint swatch = f->backgroundSwatch->mapTo(f, QPoint(8, 8));
    EXPECT_EQ(QColor(client.pixel(swatch)), QColor(255, 255, 225)) << "the background swatch shows clrBack";
    // Every control lies inside the fixed client area.
    for (QWidget* control : std::initializer_list<QWidget*>{f->okButton, f->cancelButton, f->defaultsButton, f->shadowBox})
        EXPECT_TRUE(f->rect().contains(QRect(control->mapTo(f, QPoint(0, 0)), control->size())))
            << control->metaObject()->className();
    expectNoLabelCutOff(f);
    f->cancel();
}

TEST_F(DialogScreenshots, Language)
{
    dialogs.showLanguage();
    LanguageDialog* f = dialogs.languageDialog();
    ASSERT_NE(f, nullptr);
    const QImage client = capture(f, "language");
    EXPECT_EQ(client.size(), QSize(328, 143));
    EXPECT_GT(distinctColours(client), 5);
    EXPECT_FALSE(f->isActiveWindow()) << "shown without taking the focus";
    expectNoLabelCutOff(f);
    f->close();
}

TEST_F(DialogScreenshots, About)
{
    dialogs.showAbout();
    AboutBox* f = dialogs.aboutDialog();
    const QImage client = capture(f, "about");
    EXPECT_EQ(client.size(), QSize(472, 164));
    EXPECT_EQ(QColor(client.pixel(2, 161)), QColor(240, 240, 240)) << "light gray background";
    const QColor logo = client.pixel(f->logo->mapTo(f, QPoint(12, 72)));
    EXPECT_GT(logo.blue(), 150) << "the blue mark";
    EXPECT_LT(logo.red(), 100);
    EXPECT_TRUE(f->downloadLink->isVisible());
    expectNoLabelCutOff(f);
    f->closeBox();
}

} // namespace
