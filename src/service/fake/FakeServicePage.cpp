#include "service/fake/FakeServicePage.h"

FakeServicePage::Element* FakeServicePage::find(const QString& id)
{
    if (!hasDocument)
        return nullptr;
    auto it = elements.find(id);
    return it == elements.end() ? nullptr : &*it;
}

void FakeServicePage::loadReadyDocument()
{
    hasDocument = true;
    elements.clear();
    elements.insert(page::text, {"<textarea id=\"text\"></textarea>", {}, {}, {}});
    elements.insert(page::btn, {"<button id=\"btn\">Translate</button>", {}, "Translate", {}});
    elements.insert(page::translation, {});
    elements.insert(page::fromto, {});
    elements.insert(page::version, {});
    elements.insert(page::download, {});
    elements.insert(page::selto, {});
}

void FakeServicePage::navigate(const QString& url)
{
    navigations.append(url);
    log.append("navigate " + url);
    if (onNavigate)
        onNavigate(url);
}

bool FakeServicePage::discard()
{
    if (onScreen)
        return false;
    log.append("discard");
    hasDocument = false;
    return true;
}

std::optional<QString> FakeServicePage::outerHtml(const QString& id)
{
    if (Element* element = find(id))
        return element->outerHtml;
    return std::nullopt;
}

void FakeServicePage::clearOuterHtml(const QString& id)
{
    log.append("clear " + id);
    if (find(id))
        elements.remove(id);
}

std::optional<QString> FakeServicePage::value(const QString& id)
{
    if (Element* element = find(id))
        return element->value;
    return std::nullopt;
}

void FakeServicePage::setValue(const QString& id, const QString& text)
{
    log.append("value " + id + "=" + text);
    if (Element* element = find(id))
        element->value = text;
}

void FakeServicePage::click(const QString& id)
{
    log.append("click " + id);
    if (find(id) && onClick)
        onClick(id);
}

std::optional<QString> FakeServicePage::innerText(const QString& id)
{
    if (Element* element = find(id))
        return element->innerText;
    return std::nullopt;
}

std::optional<QList<ServicePage::Option>> FakeServicePage::options(const QString& id)
{
    if (Element* element = find(id))
        return element->options;
    return std::nullopt;
}
