// The drop shadow on the real desktop: its pixels as the window holds them, the look of
// each style preset (screenshots for a person to check), and no shadow window at all
// without a compositing manager.
#include "PopupDesktopFixture.h"
#include "common/LinkLabel.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QStringDecoder>
#include <QWidget>

namespace {

const QString Sample = "La rapida volpe marrone salta sopra il cane pigro. Il cane dorme al sole, la volpe "
                       "corre nel bosco e torna a casa prima di sera.";

struct Preset {
    QString name, back, text, gray;
    bool border;
};

// The style presets of the shipped settings file beside the program.
QList<Preset> shippedPresets(const QString& folder)
{
    QFile file(folder + "/qlr.ini");
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    const QString text = utf16(file.readAll());
    QList<Preset> presets;
    for (const QString& line : text.split("\r\n")) {
        if (!line.startsWith("style", Qt::CaseInsensitive) || !line.contains('|'))
            continue;
        const QStringList fields = line.section('=', 1).split('|');
        if (fields.size() >= 5)
            presets.append({fields[0], fields[1], fields[2], fields[3], fields[4].trimmed() == "1"});
    }
    return presets;
}

QColor blend(QColor top, int alpha, QColor under)
{
    auto mix = [&](int a, int b) { return (a * alpha + b * (255 - alpha) + 127) / 255; };
    return {mix(top.red(), under.red()), mix(top.green(), under.green()), mix(top.blue(), under.blue())};
}

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

class ShadowDesktop : public PopupDesktop {
protected:
    // A plain light backdrop below everything, so that the shadow shows against it.
    QWidget backdrop;
    const QColor backdropColour{200, 200, 200};

    void SetUp() override
    {
        PopupDesktop::SetUp();
        backdrop.setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint |
                                Qt::WindowDoesNotAcceptFocus);
        backdrop.setAttribute(Qt::WA_ShowWithoutActivating);
        QPalette palette;
        palette.setColor(QPalette::Window, backdropColour);
        backdrop.setPalette(palette);
        backdrop.setAutoFillBackground(true);
        backdrop.setGeometry(300, 250, 700, 500);
        backdrop.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop));
    }

    void openPopup()
    {
        offerIcon(850, 400);
        popup.translationWindow().serviceLink->show();
        popup.showTranslation(Sample);
        popup.openPopup(0, 0);
        QTest::qWait(400);
    }

    // Runs one test of this program on a fresh virtual desktop, with or without the
    // compositing manager, and expects it to pass there.
    static void runOnOwnDesktop(const QString& test, bool compositor)
    {
        ASSERT_FALSE(qEnvironmentVariableIsSet("QLR_NESTED_DESKTOP")) << "the desktop of its own is not as asked";
        QProcess nested;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QLR_NO_COMPOSITOR", compositor ? "0" : "1");
        env.insert("QLR_NESTED_DESKTOP", "1");
        env.remove("QLR_DISPLAY_NUMBER");
        nested.setProcessEnvironment(env);
        nested.setProcessChannelMode(QProcess::MergedChannels);
        nested.start(QLR_SOURCE_DIR "/scripts/xdesktop.sh",
                     {QCoreApplication::applicationFilePath(), "--gtest_filter=" + test});
        ASSERT_TRUE(nested.waitForFinished(120000));
        const std::string output = QString::fromUtf8(nested.readAll()).toStdString();
        EXPECT_EQ(nested.exitCode(), 0) << output;
        EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
    }

    static QImage grabScreen(const QRect& area)
    {
        return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
    }
};

TEST_F(ShadowDesktop, TheShadowWindowHoldsTheExpectedAlpha)
{
    if (!desktop->screen().compositingAvailable()) {
        // The compositor of this desktop went away: run again on a desktop of its own.
        runOnOwnDesktop("ShadowDesktop.TheShadowWindowHoldsTheExpectedAlpha", true);
        return;
    }
    openPopup();
    ShadowWindow& shadow = popup.shadow();
    ASSERT_TRUE(shadow.isVisible());
    const QRect popupArea = popup.translationWindow().geometry();
    EXPECT_EQ(shadow.geometry(), QRect(popupArea.topLeft(), popupArea.size() + QSize(5, 5)));

    // The window's own pixels, alpha included, read back from the server.
    const QImage image = QGuiApplication::primaryScreen()->grabWindow(shadow.winId()).toImage();
    ASSERT_EQ(image.size(), shadow.size());
    ASSERT_TRUE(image.hasAlphaChannel()) << "the shadow window has no alpha channel";
    const int w = image.width(), h = image.height();
    struct Probe {
        const char* where;
        QPoint at;
        int minAlpha, maxAlpha;
    };
    const Probe probes[] = {
        {"over the popup", {w / 2, h / 2}, 0, 0},
        {"top-left corner", {1, 1}, 0, 0},
        {"right band, inner", {w - 5, h / 2}, 54, 60},
        {"right band, outer", {w - 1, h / 2}, 4, 9},
        {"bottom band, inner", {w / 2, h - 5}, 54, 60},
        {"bottom-right, outermost", {w - 1, h - 1}, 0, 0},
        {"bottom-right, inner", {w - 5, h - 5}, 50, 58},
        {"top-right, inner", {w - 5, 4}, 50, 58},
        {"bottom-left, inner", {4, h - 5}, 50, 58},
    };
    for (const Probe& p : probes) {
        const int alpha = qAlpha(image.pixel(p.at));
        EXPECT_GE(alpha, p.minAlpha) << p.where;
        EXPECT_LE(alpha, p.maxAlpha) << p.where;
    }

    // On screen: the band right of the popup darkens the backdrop, the popup itself
    // is not darkened.
    const QImage screen = grabScreen(QRect(popupArea.right() + 1, popupArea.center().y(), 1, 1));
    const QColor expected = blend(Qt::black, 57, backdropColour);
    EXPECT_TRUE(near(screen.pixelColor(0, 0), expected, 6))
        << screen.pixelColor(0, 0).name().toStdString() << " vs " << expected.name().toStdString();
}

TEST_F(ShadowDesktop, EachStylePresetWithAndWithoutBorderAndShadow)
{
    const QList<Preset> presets = shippedPresets(buildFolder);
    ASSERT_FALSE(presets.isEmpty()) << "no style presets in the shipped settings file";
    const QString folder = buildFolder + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    const bool composited = desktop->screen().compositingAvailable();

    for (const Preset& preset : presets)
        for (const bool dressed : {true, false}) {
            state.backColour = parseColour(preset.back);
            state.textColour = parseColour(preset.text);
            state.grayColour = parseColour(preset.gray);
            state.settings.set("Border", dressed ? "1" : "0");
            state.settings.set("Shadow", dressed ? "1" : "0");
            popup.dress();
            openPopup();
            const QRect area = popup.translationWindow().geometry();
            const QImage shot = grabScreen(area.adjusted(-20, -40, 20, 20));
            const QString name = QString("popup-%1-%2.png")
                                     .arg(preset.name.toLower().replace(' ', '-'), dressed ? "border-shadow" : "plain");
            EXPECT_TRUE(shot.save(folder + "/" + name)) << name.toStdString();

            // Inside: the preset's background over the backdrop at alpha 235.
            const QPoint inside(20 + 3, 40 + area.height() - 4);
            const QColor back = composited ? blend(toQColor(state.backColour), 235, backdropColour) : toQColor(state.backColour);
            EXPECT_TRUE(near(shot.pixelColor(inside), back, 4))
                << name.toStdString() << ": " << shot.pixelColor(inside).name().toStdString();
            // The border's column at the left edge.
            const QColor edge = shot.pixelColor(20, 40 + area.height() / 2);
            const QColor border = composited ? blend(toQColor(state.grayColour), 235, backdropColour) : toQColor(state.grayColour);
            EXPECT_EQ(near(edge, border, 4), dressed || near(border, back, 4)) << name.toStdString();
            // The shadow band just right of the popup.
            const QColor beside = shot.pixelColor(20 + area.width() + 1, 40 + area.height() / 2);
            EXPECT_EQ(beside.lightness() < backdropColour.lightness() - 10, dressed && composited) << name.toStdString();
            popup.hidePopup();
        }
}

TEST_F(ShadowDesktop, WithoutACompositorNoShadowWindowAppears)
{
    if (desktop->screen().compositingAvailable()) {
        // Run this test again on a desktop of its own without the compositor.
        runOnOwnDesktop("ShadowDesktop.WithoutACompositorNoShadowWindowAppears", false);
        return;
    }
    openPopup();
    EXPECT_TRUE(popup.translationWindow().isVisible());
    EXPECT_FALSE(popup.shadow().isVisible());
    // Nor does the server show it.
    EXPECT_FALSE(popup.shadow().testAttribute(Qt::WA_WState_Visible));
}

} // namespace
