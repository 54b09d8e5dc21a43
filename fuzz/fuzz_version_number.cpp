// The version rule: any text gives a finite number (0 when it is not a version), and
// versions with minor below 1000 and revision below 1 000 000 order like their fields.
#include "FuzzText.h"
#include "service/VersionNumber.h"

#include <cmath>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <tuple>

namespace {

struct Triple {
    std::uint32_t major, minor, revision;
    QString text() const { return QString("%1.%2.%3").arg(major).arg(minor).arg(revision); }
    auto key() const { return std::tie(major, minor, revision); }
};

Triple triple(FuzzedDataProvider& data)
{
    return {data.ConsumeIntegralInRange<std::uint32_t>(0, 100000),
            data.ConsumeIntegralInRange<std::uint32_t>(0, 999),
            data.ConsumeIntegralInRange<std::uint32_t>(0, 999999)};
}

int sign(double value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const Triple a = triple(provider);
    const Triple b = triple(provider);
    const QString text = fuzztext::text(provider, 128);

    const double any = versionNumber(text);
    FUZZ_CHECK(std::isfinite(any));
    if (text.count('.') < 2)
        FUZZ_CHECK(any == 0);

    const std::strong_ordering fields = a.key() <=> b.key();
    const int expected = fields < 0 ? -1 : fields > 0 ? 1 : 0;
    FUZZ_CHECK(sign(versionNumber(a.text()) - versionNumber(b.text())) == expected);
    return 0;
}
