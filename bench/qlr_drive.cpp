// Drives the running program on the desktop from outside and prints its figures:
//   qlr_drive sentences COUNT
//       the sentences for the terminal, one a line
//   qlr_drive run TERMINAL_WINDOW COLUMNS ROWS TRACE_FILE KEYS_FILE TRANSLATIONS
//       selections in the terminal: latency of uncached and cached translations and of
//       quick double-clicks, the focus check, and more translations until
//       TRANSLATIONS have been shown. Prints
//       "name value" lines; the details of every stage go to the standard error.
//   qlr_drive new TERMINAL_WINDOW COLUMNS ROWS TRACE_FILE COUNT
//       after one selection that warms the page and the server, COUNT selections of
//       sentences not translated before; prints "new_drawn_ms MEDIAN count/tries"
//   qlr_drive once TERMINAL_WINDOW COLUMNS ROWS TRACE_FILE
//       the first selection of a text not translated before; prints "drawn_ms VALUE"
//       (or "drawn_ms -" when no translation was drawn within the time-out)
// The program must run with ControlMode=3, SmoothGlide=0, translation on in the
// terminal, and QLR_TRACE_FILE=TRACE_FILE. The terminal shows the sentences from its
// third row on and appends every line typed into it to KEYS_FILE.
#include "drive/BenchSentences.h"
#include "drive/PopupBench.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>

namespace {

constexpr int Sentences = 56;
constexpr int LatencySamples = 30;
constexpr int TranslationTimeoutMs = 8000;
constexpr int FocusChecks = 3;
constexpr int DoubleClicks = 15;
// Selections that may show no translation before the driver gives up.
constexpr int MaxFailures = 40;
// Selections tried while the program starts and loads its page, 6 s apart.
constexpr int StartAttempts = 10;

// Collects one figure's samples of each stage.
struct StageSamples {
    std::map<std::string, std::vector<double>> stages;
    int tries = 0;

    int wrongText = 0;

    // Only selections the program captured right count; the others are counted apart.
    void add(const SelectionTiming& timing, bool mustRequest)
    {
        ++tries;
        if (!timing.capturedSelection() || timing.requested() != mustRequest) {
            ++wrongText;
            return;
        }
        for (const auto& [name, ms] : timing.stages)
            stages[name].push_back(ms);
    }
    double median(const std::string& stage) const
    {
        const auto found = stages.find(stage);
        return found == stages.end() ? -1 : medianOf(found->second);
    }
    int count(const std::string& stage) const
    {
        const auto found = stages.find(stage);
        return found == stages.end() ? 0 : int(found->second.size());
    }
    void report(const char* figure) const
    {
        std::cerr << figure << " (medians after the release, ms, of " << tries - wrongText << " selections):";
        for (const char* stage : {"selection-noticed", "text-captured", "request-sent", "popup-mapped", "result-seen",
                                  "translation-drawn"})
            if (count(stage))
                std::cerr << " " << stage << "=" << median(stage) << " (" << count(stage) << ")";
        std::cerr << "\n";
        if (wrongText)
            std::cerr << figure << ": in " << wrongText << " of " << tries
                      << " selections the program took another text than the one selected\n";
    }
};

// Prints "name median count/tries", or "name - count/tries" when nothing was seen.
void printFigure(const char* name, const StageSamples& samples, const std::string& stage)
{
    const double median = samples.median(stage);
    std::cout << name << " ";
    if (median < 0 || samples.count(stage) * 2 < samples.tries)
        std::cout << "-";
    else
        std::cout << median;
    std::cout << " " << samples.count(stage) << "/" << samples.tries << "\n";
}

bool fileHasLine(const std::string& path, const std::string& wanted)
{
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line))
        if (line == wanted)
            return true;
    return false;
}

// While the popup shows: nobody holds the keyboard, the terminal is still the active
// window, and keys typed now reach it.
bool focusKept(XDesk& desk, PopupBench& bench, Window terminal, const std::string& keysFile, int check)
{
    const bool shown = bench.popupShown();
    const bool free = desk.keyboardIsFree();
    const bool active = desk.activeWindow() == terminal;
    const std::string word = "qlrfocus" + std::to_string(check);
    desk.type(word + "\n");
    bool arrived = false;
    for (int waited = 0; waited < 3000 && !arrived; waited += 50) {
        XDesk::sleepMs(50);
        arrived = fileHasLine(keysFile, word);
    }
    std::cerr << "focus check " << check << ": popup shown " << shown << ", keyboard free " << free
              << ", terminal active " << active << ", keys arrived " << arrived << "\n";
    return shown && free && active && arrived;
}

// The terminal named by the command line: window, columns and rows.
BenchTerminal terminalOf(char** argv)
{
    BenchTerminal terminal;
    terminal.window = Window(std::strtoul(argv[2], nullptr, 0));
    terminal.columns = std::atoi(argv[3]);
    terminal.rows = std::atoi(argv[4]);
    return terminal;
}

// The display is there and the terminal's cells are found; otherwise says why.
bool ready(const XDesk& desk, PopupBench& bench)
{
    if (!desk.ok()) {
        std::cerr << "qlr_drive: no display\n";
        return false;
    }
    if (!bench.locate()) {
        std::cerr << "qlr_drive: the terminal window is not there\n";
        return false;
    }
    return true;
}

// Warms the server and the page, and puts sentence 0 into the cache. Until the
// program has loaded its page a selection only shows that it is not connected.
bool warmUp(PopupBench& bench, const std::vector<std::string>& sentences)
{
    for (int attempt = 0; attempt < StartAttempts; ++attempt) {
        const bool warm = bench.select(0, int(sentences[0].size()), 4000).drawn();
        bench.dismiss(0);
        if (warm)
            return true;
        XDesk::sleepMs(2000);
    }
    std::cerr << "qlr_drive: the first selection was never translated\n";
    return false;
}

// Sentences 1 to count, whole, each new to the program.
StageSamples selectNewTexts(PopupBench& bench, const std::vector<std::string>& sentences, int count)
{
    StageSamples uncached;
    for (int sentence = 1; sentence <= count; ++sentence) {
        uncached.add(bench.select(sentence, int(sentences[sentence].size()), TranslationTimeoutMs), true);
        bench.dismiss(sentence);
    }
    return uncached;
}

int run(char** argv)
{
    XDesk desk;
    PopupBench bench(desk, terminalOf(argv), argv[5]);
    if (!ready(desk, bench))
        return 1;
    const std::string keysFile = argv[6];
    const int wanted = std::atoi(argv[7]);
    const std::vector<std::string> sentences = benchSentences(Sentences);
    const auto whole = [&](int sentence) { return int(sentences[sentence].size()); };
    if (!warmUp(bench, sentences))
        return 1;

    StageSamples uncached = selectNewTexts(bench, sentences, LatencySamples), cached;
    for (int sample = 0; sample < LatencySamples; ++sample) {
        cached.add(bench.select(0, whole(0), TranslationTimeoutMs), false);
        bench.dismiss(0);
    }
    // Quick double-clicks (70 ms presses, 40 ms apart) on a word: the first one asks
    // the page, the others come from the cache.
    const int wordStart = endOfWord(sentences[0], 1) + 1, wordEnd = endOfWord(sentences[0], 2) - 1;
    StageSamples doubleClicked;
    int doubleClicksShown = 0;
    for (int click = 0; click < DoubleClicks; ++click) {
        const SelectionTiming timing = bench.doubleClick(0, wordStart, wordEnd, 70, 40, TranslationTimeoutMs);
        doubleClicksShown += timing.drawn() && timing.capturedSelection();
        if (click > 0)
            doubleClicked.add(timing, false);
        bench.dismiss(0);
    }
    uncached.report("uncached");
    cached.report("cached");
    doubleClicked.report("double-clicked");

    // Each check needs a shown translation; a selection that showed none is no check.
    int checks = 0, kept = 0;
    for (int sentence = 1; sentence <= 3 * FocusChecks && checks < FocusChecks; ++sentence) {
        if (bench.select(sentence, whole(sentence), TranslationTimeoutMs).drawn()) {
            ++checks;
            kept += focusKept(desk, bench, terminalOf(argv).window, keysFile, checks);
        }
        bench.dismiss(sentence);
    }

    // More translations: first words of the remaining rows (new texts), and every
    // fifth one a repeat from the cache.
    int words = 2, row = LatencySamples + 1, failures = 0;
    for (int n = 0; bench.translations() < wanted && failures < MaxFailures; ++n) {
        SelectionTiming timing;
        int sentence = 0;
        if (n % 5 == 4) {
            sentence = n % LatencySamples + 1;
            timing = bench.select(sentence, whole(sentence), TranslationTimeoutMs);
        } else {
            sentence = row;
            timing = bench.select(sentence, endOfWord(sentences[sentence], words), TranslationTimeoutMs);
            if (++row == Sentences) {
                row = LatencySamples + 1;
                ++words;
            }
        }
        failures += !timing.drawn();
        bench.dismiss(sentence);
    }

    printFigure("uncached_drawn_ms", uncached, "translation-drawn");
    printFigure("uncached_mapped_ms", uncached, "popup-mapped");
    printFigure("cached_mapped_ms", cached, "popup-mapped");
    printFigure("cached_drawn_ms", cached, "translation-drawn");
    printFigure("double_click_mapped_ms", doubleClicked, "popup-mapped");
    std::cout << "double_clicks_shown " << doubleClicksShown << " " << DoubleClicks << "\n";
    std::cout << "translations " << bench.translations() << "\n";
    std::cout << "focus " << (checks < FocusChecks ? "-" : kept == checks ? "yes" : "no") << " " << kept << "/"
              << checks << "\n";
    return bench.translations() >= wanted ? 0 : 1;
}

int newTexts(char** argv)
{
    XDesk desk;
    PopupBench bench(desk, terminalOf(argv), argv[5]);
    if (!ready(desk, bench))
        return 1;
    const std::vector<std::string> sentences = benchSentences(Sentences);
    if (!warmUp(bench, sentences))
        return 1;
    const StageSamples uncached =
        selectNewTexts(bench, sentences, std::clamp(std::atoi(argv[6]), 1, Sentences - 1));
    uncached.report("new texts");
    printFigure("new_drawn_ms", uncached, "translation-drawn");
    return 0;
}

// One text not translated before. Sentences share their openings, so the beginnings
// of the second sentence are tried, longer and longer, until one goes to the page (a
// cached one does not wake the page).
int once(char** argv)
{
    XDesk desk;
    PopupBench bench(desk, terminalOf(argv), argv[5]);
    if (!ready(desk, bench))
        return 1;
    const std::vector<std::string> sentences = benchSentences(Sentences);
    for (int words = 3; words <= 8; ++words) {
        const SelectionTiming timing = bench.select(1, endOfWord(sentences[1], words), TranslationTimeoutMs);
        bench.dismiss(1);
        if (!timing.capturedSelection())
            break;
        if (!timing.requested())
            continue;
        const auto drawn = timing.stages.find("translation-drawn");
        if (drawn == timing.stages.end())
            break;
        for (const auto& [stage, ms] : timing.stages)
            std::cerr << "first after the rest: " << stage << "=" << ms << "\n";
        std::cout << "drawn_ms " << drawn->second << "\n";
        return 0;
    }
    std::cout << "drawn_ms -\n";
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "sentences" && argc == 3) {
        for (const std::string& sentence : benchSentences(std::atoi(argv[2])))
            std::cout << sentence << "\n";
        return 0;
    }
    if (command == "run" && argc == 8)
        return run(argv);
    if (command == "new" && argc == 7)
        return newTexts(argv);
    if (command == "once" && argc == 6)
        return once(argv);
    std::cerr << "usage: qlr_drive sentences COUNT | qlr_drive run TERMINAL COLUMNS ROWS TRACE KEYS TRANSLATIONS"
                 " | qlr_drive new TERMINAL COLUMNS ROWS TRACE COUNT | qlr_drive once TERMINAL COLUMNS ROWS TRACE\n";
    return 2;
}
