#pragma once
#include "platform/ApplicationWindows.h"

#include <QHash>
#include <functional>

namespace platform::fake {

// Scripted windows: who is in front, their processes, classes and places, and the text
// selected in them.
class FakeApplicationWindows : public ApplicationWindows {
public:
    WindowHandle foreground = 0;
    QHash<WindowHandle, std::int64_t> processIds;
    QHash<WindowHandle, QStringList> classes;
    QHash<WindowHandle, QString> applicationIds;
    QHash<WindowHandle, QRect> rects;
    QHash<WindowHandle, QRect> contents;
    QList<WindowHandle> desktopsAndPanels;
    QList<std::uint32_t> primaryDownNotes;
    bool deliversForegroundChanges = false;
    std::function<void()> foregroundHandler;
    // Whether the watcher hears of selection changes instead of buttons (as on Wayland).
    bool deliversSelectionChanges = false;
    std::function<void(bool)> selectionHandler;
    QList<WindowHandle> selectionRequests;
    // The text selected in a window; none by default.
    std::function<std::optional<QString>(WindowHandle)> onSelectedText;
    std::optional<QString> primaryText;

    WindowHandle foregroundWindow() override { return foreground; }
    std::int64_t windowProcessId(WindowHandle window) override { return processIds.value(window); }
    std::optional<QRect> windowRect(WindowHandle window) override
    {
        return rects.contains(window) ? std::optional(rects.value(window)) : std::nullopt;
    }
    std::optional<QRect> contentRect(WindowHandle window) override
    {
        return contents.contains(window) ? std::optional(contents.value(window)) : std::nullopt;
    }
    bool isDesktopOrPanel(WindowHandle window) override { return desktopsAndPanels.contains(window); }
    QStringList windowClass(WindowHandle window) override { return classes.value(window); }
    QString applicationId(WindowHandle window) override { return applicationIds.value(window); }
    bool reportsGeometry() override { return geometryReported; }
    bool geometryReported = true;
    bool deliverForegroundChanges(std::function<void()> handler) override
    {
        if (deliversForegroundChanges)
            foregroundHandler = std::move(handler);
        return deliversForegroundChanges;
    }
    bool deliverSelectionChanges(std::function<void(bool)> handler) override
    {
        if (deliversSelectionChanges)
            selectionHandler = std::move(handler);
        return deliversSelectionChanges;
    }
    void notePrimaryButtonDown(std::uint32_t eventTimeMs) override { primaryDownNotes.append(eventTimeMs); }
    std::optional<QString> selectedText(WindowHandle window) override
    {
        selectionRequests.append(window);
        return onSelectedText ? onSelectedText(window) : std::nullopt;
    }
    std::optional<QString> primarySelectionText() override { return primaryText; }
};

} // namespace platform::fake
