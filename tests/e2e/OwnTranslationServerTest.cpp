// The program's own translation server, with the whole program on the real desktop: it
// is started where nothing answers on the page's port, in a process group of its own
// that listens only on loopback, lets its pipelines go while the page rests and brings
// them back with the next translation, and ends with the program.
#include "ListeningSockets.h"
#include "ProgramOnDesktop.h"
#include "service/Connection.h"
#include "service/TranslationServer.h"

#include <csignal>
#include <unistd.h>

namespace {

using OwnTranslationServer = ProgramOnDesktop;

TEST_F(OwnTranslationServer, StartedWhereNothingAnswersLightAtRestAndEndedWithTheProgram)
{
    PageCopy ownPage;
    const int port = ApyServer::freePort();
    ASSERT_NO_FATAL_FAILURE(startProgram(ShippedLook, ownPage.install(port, Application::programVersion())));
    const pid_t server = pid_t(app->server()->processId());
    ASSERT_GT(server, 0) << "the program answered the page without a server of its own";
    EXPECT_EQ(::getpgid(server), server) << "a process group of its own";
    EXPECT_TRUE(listening::processTree(server).contains(listening::ownerOfPort(port)));

    const Terminal term = openTranslatedTerminal();
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    const QList<pid_t> inUse = listening::processTree(server);
    EXPECT_GT(inUse.size(), 1) << "the translation started a pipeline";
    for (const ListeningSocket& socket : listening::socketsOf(inUse))
        EXPECT_TRUE(socket.address.isLoopback()) << socket.address.toString().toStdString() << ":" << socket.port;
    dismiss(term.at(50, 10));

    // At rest the pipelines go; the first selection after it is translated all the same.
    app->connection()->rest();
    ASSERT_TRUE(app->connection()->isResting());
    EXPECT_TRUE(QTest::qWaitFor([&] { return listening::processTree(server).size() == 1; }, 10000))
        << listening::processTree(server).size() << " processes at rest";
    request().configure(app->appliedSettings()); // an empty cache: the page is asked
    selectSentence(term);
    ASSERT_TRUE(waitForPopupText(SentenceEs)) << popup().shownText().toStdString();
    EXPECT_EQ(app->server()->processId(), server) << "the same server, its pipelines back";

    stopProgram();
    EXPECT_TRUE(QTest::qWaitFor([&] { return ::kill(server, 0) != 0 && listening::ownerOfPort(port) == 0; }, 10000))
        << "the server outlived the program";
}

} // namespace
