#include "capture/TerminalEmulators.h"

#include <QSet>

namespace {

const QSet<QString> KnownTerminals{
    "xterm",          "uxterm",        "lxterm",        "koi8rxterm",    "rxvt",
    "urxvt",          "urxvtc",        "urxvtd",        "rxvt-unicode",  "gnome-terminal",
    "gnome-terminal-server",           "konsole",       "xfce4-terminal", "alacritty",
    "kitty",          "terminator",    "tilix",         "st",            "st-256color",
    "wezterm",        "wezterm-gui",   "org.wezfurlong.wezterm",          "foot",
    "footclient",     "lxterminal",    "mate-terminal", "qterminal",     "terminology",
    "sakura",         "guake",         "tilda",         "yakuake",       "cool-retro-term",
    "eterm",          "aterm",         "mlterm",        "kgx",           "org.gnome.console",
    "ghostty",        "com.mitchellh.ghostty",          "contour",       "rio",
    "termite",        "deepin-terminal", "roxterm",     "terminal",      "x-terminal-emulator",
    "blackbox",       "ptyxis",        "xiterm",        "kterm",         "pterm",
};

bool isTerminalName(const QString& name)
{
    const QString lower = name.trimmed().toLower();
    return !lower.isEmpty() && (KnownTerminals.contains(lower) || lower.contains("terminal"));
}

} // namespace

bool isTerminalEmulator(const QStringList& windowClass, const QString& executable)
{
    for (const QString& name : windowClass)
        if (isTerminalName(name))
            return true;
    return isTerminalName(executable);
}
