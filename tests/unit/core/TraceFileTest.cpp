#include "common/TraceFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>

namespace {

QStringList linesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// Sets the variable for one scope and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedVariable()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

TEST(TraceFile, OnlyAWritableFileNamedByTheEnvironmentGivesATrace)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        QByteArray value;
        bool traced;
    };
    const Case cases[] = {
        {QByteArray(), false},
        {QByteArray(""), false},
        {QFile::encodeName(dir.filePath("no-such-folder/trace.txt")), false},
        {QFile::encodeName(dir.path()), false}, // a folder, not a file
        {QFile::encodeName(dir.filePath("trace.txt")), true},
    };
    for (const Case& c : cases) {
        ScopedVariable variable(TraceFile::Variable, c.value);
        EXPECT_EQ(TraceFile::fromEnvironment() != nullptr, c.traced) << c.value.constData();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"trace.txt"}) << "nothing else was created";
}

TEST(TraceFile, AppendsStampedLinesThatOtherProcessesCanCompare)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("trace.txt");
    {
        QFile earlier(path);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("1 earlier-run 0\n");
    }
    const auto nanosecondsNow = [] {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    const qint64 before = nanosecondsNow();
    TraceFile trace(path);
    trace.write("translation-drawn", 42);
    // Written through at once: readable while the writer still runs.
    QStringList lines = linesOf(path);
    trace.write("result-seen", -3);
    const qint64 after = nanosecondsNow();
    ASSERT_EQ(lines.size(), 2);
    lines = linesOf(path);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], "1 earlier-run 0") << "appended, never truncated";

    const QStringList drawn = lines[1].split(' ');
    ASSERT_EQ(drawn.size(), 3);
    EXPECT_EQ(drawn[1], "translation-drawn");
    EXPECT_EQ(drawn[2], "42");
    const qint64 stamp = drawn[0].toLongLong();
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    EXPECT_LE(stamp, lines[2].split(' ')[0].toLongLong());
    EXPECT_TRUE(lines[2].endsWith(" result-seen -3"));
}

} // namespace
