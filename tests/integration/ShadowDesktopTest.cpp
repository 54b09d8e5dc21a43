// The drop shadow on the real desktop: its pixels as the server holds them, the look
// of each shipped style preset (screenshots for a person to check), and no shadow
// window at all without a compositing manager.
#include "PopupDesktopFixture.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QStringDecoder>

namespace {

const QString Sample = "La rapida volpe marrone salta sopra il cane pigro. Il cane dorme al sole, la volpe "
                       "corre nel bosco e torna a casa prima di sera.";

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

QImage grabScreen(const QRect& area)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
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
        backdrop.setPalette(QPalette(backdropColour));
        backdrop.setAutoFillBackground(true);
        backdrop.setGeometry(300, 250, 700, 500);
        backdrop.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&backdrop));
    }
    void openPopup()
    {
        offerIcon(850, 400);
        popup.showServiceLink();
        popup.showTranslation(Sample);
        popup.openPopup(0, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&popup.translationWindow()));
        QTest::qWait(300);
    }
    // Runs one test of this program on a fresh virtual desktop with or without the
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
};

TEST_F(ShadowDesktop, TheShadowWindowHoldsTheExpectedAlpha)
{
    if (!desktop->screen().compositingAvailable()) {
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
    const std::tuple<const char*, QPoint, int, int> probes[] = {
        {"over the popup", {w / 2, h / 2}, 0, 0},      {"top-left corner", {1, 1}, 0, 0},
        {"right band, inner", {w - 5, h / 2}, 54, 60}, {"right band, outer", {w - 1, h / 2}, 4, 9},
        {"bottom-right, outermost", {w - 1, h - 1}, 0, 0}};
    for (const auto& [where, at, low, high] : probes) {
        EXPECT_GE(qAlpha(image.pixel(at)), low) << where;
        EXPECT_LE(qAlpha(image.pixel(at)), high) << where;
    }
    // On screen the band right of the popup darkens the backdrop.
    const QImage screen = grabScreen(QRect(popupArea.right() + 1, popupArea.center().y(), 1, 1));
    EXPECT_TRUE(near(screen.pixelColor(0, 0), blend(Qt::black, 57, backdropColour), 6))
        << screen.pixelColor(0, 0).name().toStdString();
}

TEST_F(ShadowDesktop, EachStylePresetWithAndWithoutBorderAndShadow)
{
    QFile file(buildFolder + "/qlr.ini");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList presets;
    QStringDecoder utf16(QStringDecoder::Utf16LE);
    const QString text = utf16(file.readAll());
    for (const QString& line : text.split("\r\n"))
        if (line.startsWith("style", Qt::CaseInsensitive) && line.count('|') >= 4)
            presets.append(line.section('=', 1));
    ASSERT_FALSE(presets.isEmpty()) << "no style presets in the shipped settings file";
    const QString folder = buildFolder + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    const bool composited = desktop->screen().compositingAvailable();
    for (const QString& preset : presets)
        for (const bool dressed : {true, false}) {
            const QStringList fields = preset.split('|');
            state.backColour = parseColour(fields[1]);
            state.textColour = parseColour(fields[2]);
            state.grayColour = parseColour(fields[3]);
            state.settings.set("Border", dressed ? "1" : "0");
            state.settings.set("Shadow", dressed ? "1" : "0");
            popup.dress();
            openPopup();
            const QRect area = popup.translationWindow().geometry();
            const QImage shot = grabScreen(area.adjusted(-20, -40, 20, 20));
            const QString name = QString("popup-%1-%2.png")
                                     .arg(fields[0].toLower().replace(' ', '-'), dressed ? "border-shadow" : "plain");
            EXPECT_TRUE(shot.save(folder + "/" + name)) << name.toStdString();
            // Inside: the preset's background over the backdrop at alpha 235.
            const QColor back = toQColor(state.backColour), gray = toQColor(state.grayColour);
            const QColor inside = shot.pixelColor(20 + 3, 40 + area.height() - 4);
            EXPECT_TRUE(near(inside, composited ? blend(back, 235, backdropColour) : back, 4)) << name.toStdString();
            const QColor edge = shot.pixelColor(20, 40 + area.height() / 2);
            const QColor border = composited ? blend(gray, 235, backdropColour) : gray;
            EXPECT_EQ(near(edge, border, 4), dressed || near(gray, back, 4)) << name.toStdString();
            const QColor beside = shot.pixelColor(20 + area.width() + 1, 40 + area.height() / 2);
            EXPECT_EQ(beside.lightness() < backdropColour.lightness() - 10, dressed && composited)
                << name.toStdString();
            popup.hidePopup();
        }
}

TEST_F(ShadowDesktop, WithoutACompositorNoShadowWindowAppears)
{
    if (desktop->screen().compositingAvailable()) {
        runOnOwnDesktop("ShadowDesktop.WithoutACompositorNoShadowWindowAppears", false);
        return;
    }
    openPopup();
    EXPECT_TRUE(popup.translationWindow().isVisible());
    EXPECT_FALSE(popup.shadow().testAttribute(Qt::WA_WState_Visible)) << "nor does the server show it";
}

} // namespace
