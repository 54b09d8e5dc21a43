// Another start of the program reaching the running one through its local socket.
#include "platform/linux/InstanceChannel.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <future>
#include <gtest/gtest.h>

namespace {

using platform::os::InstanceChannel;

// The sender waits for the answer, which comes from this thread's event loop.
bool sendFromAnotherThread(const QString& path, const QString& request)
{
    auto answer = std::async(std::launch::async, [=] { return InstanceChannel::send(path, request); });
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return answer.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; }, 10000));
    return answer.get();
}

TEST(InstanceChannel, ARequestReachesTheHandlerWhichSaysWhetherItTookIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("qlr.socket");
    // Left behind by an instance that ended without closing it.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    InstanceChannel channel;
    ASSERT_TRUE(channel.open(path));
    QStringList heard;
    bool take = true;
    channel.setHandler([&](const QString& request) {
        heard << request;
        return take;
    });
    EXPECT_TRUE(sendFromAnotherThread(path, "translate"));
    take = false;
    EXPECT_FALSE(sendFromAnotherThread(path, "translate"));
    EXPECT_FALSE(sendFromAnotherThread(path, QString(InstanceChannel::LongestRequest + 10, 'x')))
        << "a request too long to be one of the program's";
    EXPECT_EQ(heard, QStringList({"translate", "translate"}));
    EXPECT_FALSE(sendFromAnotherThread(folder.filePath("nobody.socket"), "translate")) << "no instance runs";
}

} // namespace
