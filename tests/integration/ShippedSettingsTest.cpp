// The settings file the build ships beside the executable.
#include "config/SettingsFiles.h"
#include "platform/qt/QtFiles.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

TEST(ShippedSettings, EveryKeyIsThereInTheFileFormat)
{
    const QString path = QFileInfo(QLR_BINARY).absolutePath() + "/qlr.ini";
    platform::QtFiles files;
    const auto bytes = files.readFile(path);
    ASSERT_TRUE(bytes.has_value()) << path.toStdString();
    EXPECT_FALSE(bytes->startsWith("\xFF\xFE")) << "no byte-order mark";
    const QString text = SettingsFiles::fromUtf16Le(*bytes);
    EXPECT_TRUE(text.endsWith("\r\n"));
    EXPECT_FALSE(text.contains(QRegularExpression("[^\r]\n"))) << "every line ends in CR LF";

    Settings settings;
    SettingsFiles ini(files, settings);
    ini.mergeFile(path);
    for (const char* key : {"serviceurl", "language", "CheckConnectionInterval", "servertimeout", "ControlMode",
                            "transwidth", "Transparency", "SmoothGlide", "hideiconinterval", "FontSize", "Color",
                            "TextColor", "Gray", "Border", "Shadow", "googlelabel", "googlelink", "NotConnectedStr",
                            "timeoutstr", "PopupIfNotConnected", "styles"})
        EXPECT_TRUE(settings.contains(key)) << key;
    EXPECT_EQ(settings.value("language"), "");

    // The page address is a real file:// address of the shipped page.
    const QUrl url(settings.value("serviceurl"));
    EXPECT_TRUE(url.isLocalFile()) << settings.value("serviceurl").toStdString();
    EXPECT_TRUE(QFileInfo::exists(url.toLocalFile())) << url.toLocalFile().toStdString();
    // The about box's link: the program's own page beside it.
    EXPECT_TRUE(QFileInfo::exists(url.resolved(QUrl("about.html")).toLocalFile()));

    // Every preset has five fields.
    const int styles = settings.value("styles").toInt();
    EXPECT_GE(styles, 4);
    for (int i = 1; i <= styles; ++i)
        EXPECT_EQ(settings.value(QString("style%1").arg(i)).split('|').size(), 5) << i;
}
