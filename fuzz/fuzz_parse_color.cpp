// ParseColor on any text: never more than 24 bits, and the stored text of any colour
// reads back as the same colour.
#include "FuzzText.h"
#include "config/ColorText.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::uint32_t raw = provider.ConsumeIntegral<std::uint32_t>();
    const QString text = fuzztext::text(provider, 256);

    const Colour parsed = ParseColor(text);
    FUZZ_CHECK((parsed >> 24) == 0);
    // A parsed colour is a fixed point of text and back.
    FUZZ_CHECK(ParseColor(ColorText(parsed)) == parsed);

    // Any stored colour survives the settings text; the unused high byte is dropped.
    FUZZ_CHECK(ParseColor(ColorText(raw)) == (raw & 0xFFFFFFu));
    const Rgb rgb = SplitRgb(raw);
    FUZZ_CHECK(rgb.red >= 0 && rgb.red <= 255 && rgb.green >= 0 && rgb.green <= 255 && rgb.blue >= 0 &&
               rgb.blue <= 255);
    return 0;
}
