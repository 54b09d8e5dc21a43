#include "service/PageScript.h"
#include "service/PageSnapshot.h"

#include <QJSEngine>
#include <gtest/gtest.h>

namespace {

// Texts that break naive quoting: quotes, backslashes, a script end tag, line
// and paragraph separators, NUL and a character outside the basic plane.
const QString Hostile[] = {
    "plain text",
    "\"double\" and 'single' quotes",
    "back\\slash \\\" \\u0041 \\n",
    "</script><script>alert(1)</script>",
    QString::fromUtf16(u"line\u2028para\u2029end"),
    QString(QChar(0)) + "after NUL" + QChar(0),
    "\r\n\t tabs and breaks",
    QString::fromUtf16(u"emoji \U0001F600 outside the basic plane"),
    "${template} `backtick` */ // <!--",
};

TEST(PageScriptLiteral, EvaluatesToExactlyTheText)
{
    QJSEngine engine;
    QList<QString> texts(std::begin(Hostile), std::end(Hostile));
    texts.append(QString("a lone surrogate ") + QChar(0xD800)); // not text, yet passed unchanged
    for (const QString& text : texts) {
        const QString literal = pagescript::stringLiteral(text);
        const QJSValue result = engine.evaluate(literal);
        ASSERT_FALSE(result.isError()) << literal.toStdString();
        EXPECT_EQ(result.toString(), text) << literal.toStdString();
    }
}

TEST(PageScriptLiteral, HoldsNothingThatCouldEndTheLiteralOrTheScript)
{
    for (const QString& text : Hostile) {
        const QString inner = pagescript::stringLiteral(text).mid(1).chopped(1);
        for (const QChar c : inner) {
            EXPECT_GE(c.unicode(), 0x20) << inner.toStdString();
            EXPECT_LT(c.unicode(), 0x7F) << inner.toStdString();
            EXPECT_NE(c, QChar('"'));
            EXPECT_NE(c, QChar('<'));
        }
    }
}

// A stand-in document for the script engine: a text box, a button that counts its
// clicks, and a list.
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
)JS";

class PageScriptRun : public testing::Test {
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

TEST_F(PageScriptRun, WritesEveryTextVerbatimAndReportsIt)
{
    for (const QString& text : Hostile) {
        const auto report = run(pagescript::Operation::SetValue, "text", text);
        ASSERT_TRUE(report);
        EXPECT_EQ(engine.evaluate("elements.text.value").toString(), text);
        ASSERT_NE(report->find("text"), nullptr);
        EXPECT_EQ(report->find("text")->value, text);
        EXPECT_EQ(engine.evaluate("clicks").toInt(), 0) << "a text never runs as code";
    }
}

TEST_F(PageScriptRun, ClicksAndClearsOnlyWhatExists)
{
    auto report = run(pagescript::Operation::Click, "btn");
    EXPECT_EQ(engine.evaluate("clicks").toInt(), 1);
    report = run(pagescript::Operation::Click, "missing");
    report = run(pagescript::Operation::SetValue, "missing", "x");
    report = run(pagescript::Operation::ClearOuterHtml, "missing");
    ASSERT_TRUE(report) << "a missing element is a quiet no-op";
    EXPECT_EQ(engine.evaluate("clicks").toInt(), 1);

    report = run(pagescript::Operation::Report, {});
    ASSERT_TRUE(report);
    EXPECT_EQ(report->find("btn")->innerText, "Go");
    EXPECT_EQ(report->find("translation"), nullptr);
    const QList<ServicePage::Option> options{{"auto", "Auto"}, {"es", "Spanish"}};
    EXPECT_EQ(report->find("selto")->options, options);
    EXPECT_EQ(report->find("selto")->value, "es");
}

TEST_F(PageScriptRun, ABrokenDocumentStillGivesAReport)
{
    engine.evaluate("document.getElementById = function () { throw new Error('broken'); };");
    const auto report = run(pagescript::Operation::Click, "btn");
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->elements.isEmpty());
}

TEST(PageSnapshot, ReadsTheReport)
{
    const auto snapshot = PageSnapshot::fromJson(R"({"elements": {
        "text": {"outerHtml": "<textarea id=\"text\"></textarea>", "innerText": "", "value": "a\u0000b"},
        "translation": {"outerHtml": "<div id=\"translation\">Hola</div>", "innerText": "Hola"},
        "selto": {"outerHtml": "<select id=\"selto\"></select>", "innerText": "", "value": "es",
                  "options": [{"value": "auto", "text": "Auto"}, {"value": "es", "text": "Spanish"}]}}})");
    ASSERT_TRUE(snapshot);
    ASSERT_NE(snapshot->find("text"), nullptr);
    EXPECT_EQ(snapshot->find("text")->value, QString("a") + QChar(0) + "b");
    EXPECT_EQ(snapshot->find("translation")->innerText, "Hola");
    EXPECT_FALSE(snapshot->find("translation")->value.has_value());
    const QList<ServicePage::Option> options{{"auto", "Auto"}, {"es", "Spanish"}};
    EXPECT_EQ(snapshot->find("selto")->options, options);
    EXPECT_EQ(snapshot->find("btn"), nullptr);
}

TEST(PageSnapshot, RejectsWhatIsNoReport)
{
    for (const char* text : {"", "null", "[]", "{}", "{\"elements\": 3}", "{broken", "\"text\""})
        EXPECT_FALSE(PageSnapshot::fromJson(text)) << text;
}

} // namespace
