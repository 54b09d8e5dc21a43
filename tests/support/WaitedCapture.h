#pragma once
// A capture on the real desktop, waited for to its end.
#include "capture/SelectedTextCapture.h"

#include <QTest>
#include <gtest/gtest.h>
#include <optional>

inline QString waitedCapture(SelectedTextCapture& capture, WindowHandle window)
{
    std::optional<QString> text;
    capture.copySelectedText(window, [&](const QString& t) { text = t; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return text.has_value(); }, 10000)) << "the capture never ended";
    return text.value_or("(none)");
}
