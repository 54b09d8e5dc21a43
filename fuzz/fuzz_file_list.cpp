// The clipboard class reading a file-list block of any shape: never reads outside the
// block, gives only non-empty names that fit the name buffer, and a block it built
// itself reads back as the names it was given.
#include "FuzzText.h"
#include "capture/ClipboardSession.h"
#include "platform/ClipboardBlocks.h"
#include "platform/fake/FakeClipboard.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr WindowHandle Owner = 0x1234;
constexpr qsizetype NameBuffer = 260;

// Names the narrow block can carry: Latin-1, no NUL, not empty.
QStringList carriableNames(FuzzedDataProvider& data)
{
    QStringList names;
    const int count = data.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < count; ++i) {
        QString name = fuzztext::latin1(data.ConsumeRandomLengthString(300));
        name.remove(QChar(0));
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

// What fileList gives for a clipboard holding just this block.
QStringList readBack(const QByteArray& block, bool& ok)
{
    platform::fake::FakeClipboard clipboard;
    clipboard.putFromApplication({{platform::format::FileList, block}});
    ClipboardSession clip(clipboard, "qlr", Owner);
    FUZZ_CHECK(clip.open(Owner));
    QStringList names;
    qint32 count = -1;
    ok = clip.fileList(names, count);
    clip.close();
    if (ok)
        FUZZ_CHECK(count == names.size() || (count == 0 && names.isEmpty()));
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const QStringList given = carriableNames(provider);
    const QByteArray raw = fuzztext::bytes(provider.ConsumeRemainingBytesAsString());

    // Any bytes, including a header whose offset or wide flag lies.
    bool ok = false;
    const QStringList names = readBack(raw, ok);
    for (const QString& name : names) {
        FUZZ_CHECK(!name.isEmpty());
        FUZZ_CHECK(name.size() < NameBuffer);
        FUZZ_CHECK(!name.contains(QChar(0)));
    }
    // Wide and narrow parses agree with the block parser the class builds on.
    FUZZ_CHECK(names.size() == platform::blocks::fromFileList(raw).size());

    // A block built from names reads back as those names (cut to the buffer).
    const QStringList back = readBack(platform::blocks::fileList(given), ok);
    FUZZ_CHECK(ok);
    FUZZ_CHECK(back.size() == given.size());
    for (qsizetype i = 0; i < given.size(); ++i)
        FUZZ_CHECK(back[i] == given[i].left(NameBuffer - 1));
    return 0;
}
