#pragma once
// The running instance's door for other starts of the program: a local socket in the
// user's runtime folder, readable by the user alone, that takes one short request a
// connection ("translate") and answers "taken" or "refused".

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace platform::os {

class InstanceChannel : public QObject {
public:
    using Handler = std::function<bool(const QString& request)>;

    InstanceChannel();
    ~InstanceChannel() override;

    // Opens the door at path; whoever holds the single-instance lock may take over a
    // door an ended instance left behind.
    bool open(const QString& path);
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Sends the request to the instance listening at path and waits a moment for its
    // answer: true when it took the request.
    static bool send(const QString& path, const QString& request);

    // Longer requests are no requests of the program's.
    static constexpr int LongestRequest = 64;

private:
    void onConnection();

    std::unique_ptr<QLocalServer> server_;
    Handler handler_;
};

} // namespace platform::os
