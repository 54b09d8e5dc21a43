// parseColour on any text: never more than 24 bits, and the stored text of any colour
// reads back as the same colour.
#include "FuzzText.h"
#include "common/Colour.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::uint32_t raw = provider.ConsumeIntegral<std::uint32_t>();
    const QString text = fuzztext::text(provider, 256);

    const Colour parsed = parseColour(text);
    FUZZ_CHECK((parsed >> 24) == 0);
    // A parsed colour is a fixed point of text and back.
    FUZZ_CHECK(parseColour(colourText(parsed)) == parsed);

    // Any stored colour survives the settings text; the unused high byte is dropped.
    FUZZ_CHECK(parseColour(colourText(raw)) == (raw & 0xFFFFFFu));
    const Rgb rgb = splitRgb(raw);
    FUZZ_CHECK(rgb.red >= 0 && rgb.red <= 255 && rgb.green >= 0 && rgb.green <= 255 && rgb.blue >= 0 &&
               rgb.blue <= 255);
    return 0;
}
