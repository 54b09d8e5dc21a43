// The scripts that reach into the service page: any text arrives verbatim and never
// runs as code, missing elements are quiet no-ops, and only a real report is read.
#include "service/PageScript.h"
#include "service/PageSnapshot.h"

#include <QJSEngine>
#include <gtest/gtest.h>

namespace {

const QString Hostile[] = {
    "\"double\" and 'single' quotes",
    "back\\slash \\\" \\u0041 \\n",
    "</script><script>clicks = 99</script>",
    QString::fromUtf16(u"line\u2028para\u2029end"),
    QString(QChar(0)) + "after NUL",
    QString::fromUtf16(u"emoji \U0001F600 ${template} `backtick` */ <!--"),
};

// A stand-in document: a text box, a button that counts its clicks, and a list.
const char* const FakeDocument = R"JS(
var clicks = 0;
var elements = {
    text: { value: "", outerHTML: "<textarea id=\"text\"></textarea>", innerText: "", parentNode: {} },
    btn: { outerHTML: "<button id=\"btn\">Go</button>", innerText: "Go", parentNode: {},
           click: function () { clicks++; } },
    selto: { value: "es", outerHTML: "<select id=\"selto\"></select>", innerText: "", parentNode: {},
             options: [{ value: "auto", text: "Auto" }, { value: "es", text: "Spanish" }] }
};
var document = { getElementById: function (id) { return elements[id] || null; } };
var window = this;
var performance = { timeOrigin: 1700000000000, now: function () { return 123.5; } };
)JS";

class PageBridgeTest : public testing::Test {
protected:
    QJSEngine engine;
    void SetUp() override { ASSERT_FALSE(engine.evaluate(FakeDocument).isError()); }

    std::optional<PageSnapshot> run(pagescript::Operation operation, const QString& id, const QString& text = {})
    {
        const QJSValue result = engine.evaluate(pagescript::script(operation, id, text));
        EXPECT_FALSE(result.isError()) << result.toString().toStdString();
        return PageSnapshot::fromJson(result.toString());
    }
};

TEST_F(PageBridgeTest, EveryTextIsALiteralOfPrintableAsciiThatArrivesVerbatim)
{
    for (const QString& text : Hostile) {
        const QString literal = pagescript::stringLiteral(text);
        for (const QChar c : literal.mid(1).chopped(1)) {
            EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() < 0x7F) << literal.toStdString();
            EXPECT_TRUE(c != '"' && c != '<') << literal.toStdString();
        }
        const auto report = run(pagescript::Operation::SetValue, "text", text);
        ASSERT_TRUE(report);
        EXPECT_EQ(engine.evaluate("elements.text.value").toString(), text);
        EXPECT_EQ(report->find("text")->value, text);
        EXPECT_EQ(engine.evaluate("clicks").toInt(), 0) << "a text never runs as code";
    }
}

TEST_F(PageBridgeTest, ClicksAndClearsReachOnlyWhatExistsAndEveryRunReports)
{
    run(pagescript::Operation::Click, "btn");
    EXPECT_EQ(engine.evaluate("clicks").toInt(), 1);
    run(pagescript::Operation::Click, "missing");
    run(pagescript::Operation::SetValue, "missing", "x");
    auto report = run(pagescript::Operation::ClearOuterHtml, "missing");
    ASSERT_TRUE(report) << "a missing element is a quiet no-op";
    EXPECT_EQ(engine.evaluate("clicks").toInt(), 1);
    EXPECT_EQ(report->find("btn")->innerText, "Go");
    EXPECT_EQ(report->find("translation"), nullptr);
    EXPECT_EQ(report->find("selto")->options, (QList<ServicePage::Option>{{"auto", "Auto"}, {"es", "Spanish"}}));
    EXPECT_FALSE(report->find("btn")->value.has_value());

    run(pagescript::Operation::ClearOuterHtml, "text");
    EXPECT_EQ(engine.evaluate("elements.text.outerHTML").toString(), "");

    engine.evaluate("document.getElementById = function () { throw new Error('broken'); };");
    report = run(pagescript::Operation::Click, "btn");
    ASSERT_TRUE(report) << "a broken document still reports";
    EXPECT_TRUE(report->elements.isEmpty());
    EXPECT_EQ(report->document, 1700000000123.5);
    EXPECT_EQ(report->sequence, 6) << "every run's report comes after the one before";
}

TEST(PageSnapshot, ReadsOnlyAReport)
{
    const auto snapshot = PageSnapshot::fromJson(R"({"elements": {"text": {"value": "a\u0000b"}}})");
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->find("text")->value, QString("a") + QChar(0) + "b");
    EXPECT_FALSE(snapshot->find("text")->options.has_value());
    for (const char* text : {"", "[]", "{}", "{\"elements\": 3}", "{broken"})
        EXPECT_FALSE(PageSnapshot::fromJson(text)) << text;

    // A later document is newer whatever its count; within one, the count decides.
    const auto stamped = [](double document, int sequence) {
        return *PageSnapshot::fromJson(
            QString(R"({"elements": {}, "document": %1, "sequence": %2})").arg(document, 0, 'f', 1).arg(sequence));
    };
    EXPECT_TRUE(stamped(1000.5, 9).isOlderThan(stamped(1000.5, 10)));
    EXPECT_TRUE(stamped(1000.5, 9).isOlderThan(stamped(1000.7, 1)));
    EXPECT_FALSE(stamped(1000.5, 9).isOlderThan(stamped(1000.5, 9)));
    EXPECT_FALSE(stamped(1000.7, 1).isOlderThan(stamped(1000.5, 9)));
}

} // namespace
