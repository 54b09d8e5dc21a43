#pragma once
// The translation server a service page of ours expects on this machine. The page is
// a file in a folder with its config.js (which names the port the page talks to), and
// the server's launcher lies in the "server" folder beside that folder. Any other page
// (an http or https address, a file without the launcher beside it) brings no server.

#include <QString>
#include <optional>

namespace platform {
class Files;
}

struct PageServerConfig {
    // The port the page falls back to when its config.js names none.
    static constexpr int DefaultPort = 2738;

    QString launcher;
    int port = DefaultPort;

    // Nothing when the address is not a page of ours, or its port is not a port.
    static std::optional<PageServerConfig> read(const QString& serviceAddress, platform::Files& files);

    bool operator==(const PageServerConfig&) const = default;
};
