#include "common/AppState.h"
#include "common/TraceFile.h"
#include "popup/DrawnTrace.h"
#include "common/TextCacheKey.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

class DrawnTraceTest : public testing::Test {
protected:
    QTemporaryDir dir;
    AppState state;
    QTextEdit text;
    std::unique_ptr<TraceFile> trace;

    void SetUp() override
    {
        trace = std::make_unique<TraceFile>(dir.filePath("trace.txt"));
        ASSERT_TRUE(trace->isOpen());
        new DrawnTrace(state, text, *trace);
        state.lastRequestText = "The house";
        state.translationCache.insert(textCacheKey("The house"), "La casa");
        text.resize(200, 60);
        text.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));
    }
    // Shows the text and lets it paint and the queued trace line follow.
    void showAndPaint(const QString& shown)
    {
        text.setPlainText(shown);
        paint();
    }
    void paint()
    {
        text.viewport()->repaint();
        QCoreApplication::processEvents();
    }
    QStringList events()
    {
        QFile file(dir.filePath("trace.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList result;
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts))
            result << line.section(' ', 1);
        return result;
    }
};

TEST_F(DrawnTraceTest, OnlyThePaintOfTheRequestsTranslationIsTraced)
{
    const QString notTranslations[] = {".....", "..........", "Not connected", "La", ""};
    for (const QString& shown : notTranslations) {
        showAndPaint(shown);
        EXPECT_TRUE(events().isEmpty()) << shown.toStdString();
    }
    showAndPaint("La casa");
    EXPECT_EQ(events(), QStringList{"translation-drawn 7"});
}

TEST_F(DrawnTraceTest, OnceForEachTimeTheTranslationIsShown)
{
    showAndPaint("La casa");
    paint(); // repainted, nothing new shown
    EXPECT_EQ(events().size(), 1);

    // The same cached translation shown again (a repeated selection) counts anew.
    showAndPaint(".....");
    showAndPaint("La casa");
    showAndPaint("La casa");
    EXPECT_EQ(events(), QStringList({"translation-drawn 7", "translation-drawn 7", "translation-drawn 7"}));
}

TEST_F(DrawnTraceTest, ATextSetWhileHiddenIsTracedWhenFirstPainted)
{
    text.hide();
    text.setPlainText("La casa");
    QCoreApplication::processEvents();
    EXPECT_TRUE(events().isEmpty()) << "nothing is drawn while hidden";
    text.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&text));
    paint();
    EXPECT_EQ(events(), QStringList{"translation-drawn 7"});
}

} // namespace
