#pragma once
// An in-memory document for tests: elements are set up and inspected directly, and
// every navigation, write and click is logged in order.

#include "service/ServicePage.h"

#include <QMap>
#include <QStringList>
#include <functional>

class FakeServicePage : public ServicePage {
public:
    struct Element {
        QString outerHtml;
        QString value;
        QString innerText;
        QList<Option> options;
    };

    // Null while no document is loaded.
    bool hasDocument = true;
    // What the program does with a link the page opens in a new window.
    std::function<void(const QString& url)> externalLinkHandler;
    // Who the program told to hear of the page's changes; tests call it.
    std::function<void()> changeHandler;
    QMap<QString, Element> elements;
    QStringList navigations;
    // "navigate url", "clear id", "value id=text", "click id", "discard", in call order.
    QStringList log;
    // Run after a navigation or a click has been logged, to play the page's part.
    std::function<void(const QString& url)> onNavigate;
    std::function<void(const QString& id)> onClick;

    // A document with every element of the contract, ready.
    void loadReadyDocument();

    void setExternalLinkHandler(std::function<void(const QString& url)> handler) override
    {
        externalLinkHandler = std::move(handler);
    }
    void setChangeHandler(std::function<void()> handler) override { changeHandler = std::move(handler); }
    // Who the program told to hear of a lost document; tests call it.
    std::function<void()> lossHandler;
    void setLossHandler(std::function<void()> handler) override { lossHandler = std::move(handler); }
    void navigate(const QString& url) override;
    // Drops the document, as the browser does, unless the page is on screen.
    bool discard() override;
    bool onScreen = false;
    std::optional<QString> outerHtml(const QString& id) override;
    void clearOuterHtml(const QString& id) override;
    std::optional<QString> value(const QString& id) override;
    void setValue(const QString& id, const QString& text) override;
    void click(const QString& id) override;
    std::optional<QString> innerText(const QString& id) override;
    std::optional<QList<Option>> options(const QString& id) override;

private:
    Element* find(const QString& id);
};
