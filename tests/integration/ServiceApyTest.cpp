// The shipped page in the real browser against the real translation server with
// the installed English-Spanish pair. The test starts its own server on a free
// port and stops it again.
#include "ServicePageFixture.h"

#include <QStandardPaths>
#include <QTcpServer>

namespace {

constexpr int ServerStartMs = 90000;

int freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

class ServiceApyTest : public ServicePageFixture {
protected:
    ScopedProcess server;

    void SetUp() override
    {
        ServicePageFixture::SetUp();
        const QString apy = QStandardPaths::findExecutable("apertium-apy");
        ASSERT_FALSE(apy.isEmpty()) << "apertium-apy is not installed (scripts/install-deps.sh installs it)";
        const int port = freePort();
        ASSERT_GT(port, 0);
        server.process.setStandardOutputFile(QProcess::nullDevice());
        server.process.setStandardErrorFile(QProcess::nullDevice());
        server.process.start(apy, {"-p", QString::number(port), "/usr/share/apertium/modes"});
        ASSERT_TRUE(server.process.waitForStarted());
        // The page shows its text box once the server has listed its pairs.
        page->navigate(installPage(port) + "?dir=enes");
        ASSERT_TRUE(waitReady(ServerStartMs)) << pageState();
    }
};

TEST_F(ServiceApyTest, TranslatesAKnownSentenceBothWays)
{
    EXPECT_EQ(translate("The house is big.", 30000), "La casa es grande.") << pageState();
    EXPECT_EQ(page->innerText(page::fromto), "en → es");

    // Spanish text with Spanish as the target goes into English.
    EXPECT_EQ(translate("La casa es grande.", 30000), "The house is big.") << pageState();
    EXPECT_EQ(page->innerText(page::fromto), "es → en");
}

TEST_F(ServiceApyTest, ListsTheTargetsOfTheInstalledPairs)
{
    const auto targets = page->options(page::selto);
    ASSERT_TRUE(targets);
    EXPECT_TRUE(targets->contains(ServicePage::Option{"es", "Spanish"}));
    EXPECT_TRUE(targets->contains(ServicePage::Option{"ca", "Catalan"}));
    EXPECT_TRUE(targets->contains(ServicePage::Option{"en", "English"}));
}

} // namespace
