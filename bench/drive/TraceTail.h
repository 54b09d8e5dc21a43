#pragma once
// Follows the program's trace file ("<monotonic ns> <event> <value>" lines) as it grows.

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

struct TraceEvent {
    std::int64_t ns = 0;
    std::string name;
    std::int64_t value = 0;
};

class TraceTail {
public:
    explicit TraceTail(std::string path) : path_(std::move(path)) {}

    // The next complete line written since the last call, if any.
    std::optional<TraceEvent> next();

private:
    std::string path_;
    std::ifstream file_;
    std::streamoff offset_ = 0;
};
