#include "TraceTail.h"

#include <sstream>

std::optional<TraceEvent> TraceTail::next()
{
    for (;;) {
        if (!file_.is_open())
            file_.open(path_);
        if (!file_.is_open())
            return std::nullopt;
        file_.clear();
        file_.seekg(offset_);
        std::string line;
        // A line still being written (no line end yet) is left for the next call.
        if (!std::getline(file_, line) || file_.eof())
            return std::nullopt;
        offset_ = file_.tellg();
        TraceEvent event;
        std::istringstream fields(line);
        if (fields >> event.ns >> event.name >> event.value)
            return event;
    }
}
