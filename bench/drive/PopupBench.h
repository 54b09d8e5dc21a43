#pragma once
// Drives the running program from outside on the real desktop: real drag selections
// in a terminal, timed from the button release (taken right after the server has
// processed it) to the popup window's map notification and to the program's
// "translation-drawn" trace line.

#include "TraceTail.h"
#include "XDesk.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The terminal showing the benchmark sentences, one per row from FirstRow on.
struct BenchTerminal {
    Window window = 0;
    int columns = 0, rows = 0;
    static constexpr int FirstRow = 2;
};

// One selection and what followed it, in milliseconds after the release (negative:
// not seen).
struct SelectionTiming {
    bool drawn() const { return stages.count("translation-drawn") > 0; }
    // The program took the selected text itself (not some other text) and, when it
    // had to ask the page, sent it.
    bool capturedSelection() const
    {
        const auto captured = values.find("text-captured");
        return captured != values.end() && captured->second == selectedLength;
    }
    bool requested() const { return stages.count("request-sent") > 0; }

    int selectedLength = 0;
    std::map<std::string, double> stages;        // trace events and "popup-mapped"
    std::map<std::string, std::int64_t> values; // the trace events' values
};

class PopupBench {
public:
    PopupBench(XDesk& desk, BenchTerminal terminal, const std::string& traceFile);

    // Finds the terminal's cells; false when its window is gone.
    bool locate();
    // Selects the first characters of a sentence row and waits for its translation
    // to be drawn (up to timeoutMs); a drag the program never noticed is tried again.
    SelectionTiming select(int sentence, int endColumn, int timeoutMs);
    // Double-clicks the word in columns firstColumn..lastColumn of a sentence row, each
    // press held pressMs, gapMs between the clicks; timed from the second release.
    SelectionTiming doubleClick(int sentence, int firstColumn, int lastColumn, int pressMs, int gapMs, int timeoutMs);
    // Clicks into the terminal away from the popup and waits until it is gone.
    void dismiss(int sentence);
    bool popupShown() const { return popupShown_; }
    int translations() const { return translations_; }

private:
    SelectionTiming selectOnce(int sentence, int endColumn, int timeoutMs);
    SelectionTiming awaitTranslation(std::int64_t release, int selectedLength, int timeoutMs);
    int xAt(int column) const;
    int yAt(int row) const;
    void drainEvents();
    // Handles pending X events; notes the popup's map state.
    void readXEvents(std::int64_t release, SelectionTiming& timing);
    void findPopup();

    XDesk& desk_;
    BenchTerminal terminal_;
    TraceTail trace_;
    Rect client_;
    int cellWidth_ = 0, cellHeight_ = 0;
    Window popup_ = 0;
    bool popupShown_ = false;
    int translations_ = 0;
};

// Median of the samples (negative when there are none).
double medianOf(std::vector<double> samples);
