// The settings files: any bytes in the per-user and the shipped file load without harm
// into a well-formed table, and the load-edit-save cycle is lossless: what was saved
// loads back as the same table, in the same order.
#include "FuzzText.h"
#include "config/SettingsFiles.h"
#include "platform/fake/FakePlatform.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Keys the program itself writes (the dialogs set their values from user input or
// from the translation page).
const char* const EditedKeys[] = {"language", "transwidth", "Transparency", "SmoothGlide",
                                  "Color",    "ControlMode", "timeoutstr",  "NewKey"};

void checkWellFormed(const Settings& settings)
{
    QSet<QString> folded;
    for (const Settings::Entry& entry : settings.entries()) {
        FUZZ_CHECK(!entry.key.isEmpty());
        FUZZ_CHECK(!entry.key.contains('='));
        FUZZ_CHECK(!entry.key.contains(u"\r\n") && !entry.value.contains(u"\r\n"));
        FUZZ_CHECK(!folded.contains(entry.key.toCaseFolded()));
        folded.insert(entry.key.toCaseFolded());
    }
}

bool sameTable(const Settings& a, const Settings& b)
{
    if (a.entries().size() != b.entries().size())
        return false;
    for (qsizetype i = 0; i < a.entries().size(); ++i) {
        if (a.entries()[i].key != b.entries()[i].key || a.entries()[i].value != b.entries()[i].value)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    platform::fake::FakePlatform desktop;
    desktop.fakeFiles.environment.insert("AppData", "/home/user/.config");
    desktop.fakeFiles.folders.insert("/home");
    desktop.fakeFiles.folders.insert("/home/user");
    desktop.fakeFiles.folders.insert("/home/user/.config");
    Settings settings;
    SettingsFiles ini(desktop.fakeFiles, settings);

    const bool hasUserFile = provider.ConsumeBool();
    const QByteArray userBytes = fuzztext::bytes(provider.ConsumeRandomLengthString(4096));
    const QByteArray shippedBytes = fuzztext::bytes(provider.ConsumeRandomLengthString(4096));
    if (hasUserFile)
        desktop.fakeFiles.files.insert(ini.userFilePath(), userBytes);
    desktop.fakeFiles.files.insert(ini.programFilePath(), shippedBytes);

    ini.load();
    checkWellFormed(settings);

    // Edits as the dialogs make them, then a save.
    const int edits = provider.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < edits; ++i) {
        const char* key = provider.PickValueInArray(EditedKeys);
        settings.set(key, fuzztext::text(provider, 128));
    }
    ini.save();
    const QByteArray saved = desktop.fakeFiles.files.value(ini.userFilePath());
    FUZZ_CHECK(saved.size() % 2 == 0);

    // Whatever the edits held, the file holds no other keys than the table and reads
    // back as the same table.
    Settings reloaded;
    SettingsFiles reader(desktop.fakeFiles, reloaded);
    reader.load();
    checkWellFormed(reloaded);
    Settings expected = settings;
    for (const Settings::Entry& entry : settings.entries())
        expected.set(entry.key, entry.value.left(entry.value.indexOf(u"\r\n")));
    FUZZ_CHECK(sameTable(expected, reloaded));
    return 0;
}
