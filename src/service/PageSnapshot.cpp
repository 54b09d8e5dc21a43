#include "service/PageSnapshot.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const PageSnapshot::Element* PageSnapshot::find(const QString& id) const
{
    auto it = elements.constFind(id);
    return it == elements.constEnd() ? nullptr : &*it;
}

namespace {

std::optional<QString> optionalText(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<QList<ServicePage::Option>> optionList(const QJsonObject& object)
{
    const QJsonValue value = object.value("options");
    if (!value.isArray())
        return std::nullopt;
    QList<ServicePage::Option> options;
    for (const QJsonValue& entry : value.toArray()) {
        const QJsonObject option = entry.toObject();
        options.append({option.value("value").toString(), option.value("text").toString()});
    }
    return options;
}

} // namespace

std::optional<PageSnapshot> PageSnapshot::fromJson(const QString& json)
{
    // Text that is no JSON object (or no JSON at all) has no "elements" object either.
    const QJsonObject report = QJsonDocument::fromJson(json.toUtf8()).object();
    const QJsonValue elements = report.value("elements");
    if (!elements.isObject())
        return std::nullopt;

    PageSnapshot snapshot;
    snapshot.document = report.value("document").toDouble();
    snapshot.sequence = qint64(report.value("sequence").toDouble());
    const QJsonObject all = elements.toObject();
    for (auto it = all.begin(); it != all.end(); ++it) {
        const QJsonObject element = it.value().toObject();
        snapshot.elements.insert(it.key(), {element.value("outerHtml").toString(), element.value("innerText").toString(),
                                            optionalText(element, "value"), optionList(element)});
    }
    return snapshot;
}
