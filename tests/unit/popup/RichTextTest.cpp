#include "popup/TextControl.h"

#include <QTextCursor>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

TEST(RichText, ReplacingPutsTheCaretAfterTheText)
{
    for (const QString& text : {QString("Hallo Welt"), QString(), QString::fromUtf8("\xF0\x9F\x98\x80 emoji"),
                                QString::fromUtf8("\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D"), QString("<b>not bold</b>")}) {
        QTextEdit control;
        control.setPlainText("old text that is longer");
        setControlText(&control, text, false);
        EXPECT_EQ(controlText(&control, false), text);
        EXPECT_EQ(control.textCursor().position(), text.size()) << text.toStdString();
        EXPECT_FALSE(control.textCursor().hasSelection());
    }
}

TEST(RichText, AppendingReplacesTheSelection)
{
    QTextEdit control;
    setControlText(&control, "one two three", false);
    QTextCursor cursor = control.textCursor();
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    control.setTextCursor(cursor);
    setControlText(&control, "2", true);
    EXPECT_EQ(controlText(&control, false), "one 2 three");
}

TEST(RichText, ReadingTheSelectionOnlyFallsBackToTheWholeText)
{
    QTextEdit control;
    const QString text = QString::fromUtf8("Grüße \xF0\x9F\x98\x80 aus Köln");
    setControlText(&control, text, false);
    EXPECT_EQ(controlText(&control, true), text) << "nothing selected";

    QTextCursor cursor = control.textCursor();
    cursor.setPosition(6);
    cursor.setPosition(8, QTextCursor::KeepAnchor); // the emoji: two UTF-16 units
    control.setTextCursor(cursor);
    EXPECT_EQ(controlText(&control, true), QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(controlText(&control, false), text);
}

} // namespace
