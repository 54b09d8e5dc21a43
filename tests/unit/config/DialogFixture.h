#pragma once
// The three dialogs on the fake desktop, with their boxes answered by the test and
// an apply that does what the dialogs rely on: defaults inserted, colours derived.

#include "FakeDesktop.h"
#include "Utf16.h"
#include "config/Dialogs.h"
#include "config/SettingsFiles.h"
#include "common/AppState.h"
#include "service/fake/FakeServicePage.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>

class DialogFixture : public testing::Test {
protected:
    FakeDesktop desktop;
    AppState state;
    SettingsFiles ini{desktop.fakeFiles, state.settings};
    FakeServicePage page;
    int applies = 0;
    Dialogs dialogs{state, ini, desktop, [this] { apply(); }, &page};

    // "title|text" of every box, in order.
    QStringList exclamations;
    QStringList questions;
    bool answerYes = true;
    QList<QColor> colourDialogStarts;
    QColor colourChosen; // invalid: the user cancels

    DialogFixture()
    {
        state.twipsPerPixelX = state.twipsPerPixelY = 15;
        ModalPrompts& prompts = dialogs.prompts();
        prompts.exclamation = [this](const QString& title, const QString& text) {
            exclamations.append(title + "|" + text);
        };
        prompts.question = [this](const QString& title, const QString& text) {
            questions.append(title + "|" + text);
            return answerYes;
        };
        prompts.chooseColor = [this](QWidget*, const QColor& initial) {
            colourDialogStarts.append(initial);
            return colourChosen.isValid() ? colourChosen : initial;
        };
    }

    void apply()
    {
        ++applies;
        ini.setDefault("ControlMode", "2");
        ini.setDefault("Shadow", "1");
        ini.setDefault("Border", "0");
        state.backColour = parseColour(state.settings.value("Color"));
        state.textColour = parseColour(state.settings.value("TextColor"));
        state.grayColour = parseColour(state.settings.value("Gray"));
    }

    // Loads the files as start-up does.
    void start(const QStringList& programLines, const QStringList& userLines = {})
    {
        desktop.fakeFiles.files.insert(FakeDesktop::ProgramFile, settingsFile(programLines));
        if (!userLines.isEmpty()) {
            desktop.fakeFiles.folders.insert(FakeDesktop::AppData + "/qlr");
            desktop.fakeFiles.files.insert(FakeDesktop::UserFile, settingsFile(userLines));
        }
        ini.load();
        apply();
        applies = 0;
    }

    static QByteArray settingsFile(const QStringList& lines) { return utf16File(lines.join("\r\n") + "\r\n"); }

    QString userFile() const
    {
        return SettingsFiles::fromUtf16Le(desktop.fakeFiles.files.value(FakeDesktop::UserFile));
    }

    // Runs the deletions that closing a dialog scheduled.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
