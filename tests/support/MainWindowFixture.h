// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestFolder.h"
#include "app/TfrmMain.h"
#include "platform/KeyStore.h"
#include "platform/ScriptedPlatform.h"
#include "quiz/AnswerLabel.h"
#include "quiz/GameBoard.h"
#include "quiz/QuestionBox.h"
#include "shared/MouseLabel.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QTextEdit>

#include <QTest>
#include <memory>

// The real main window over a temporary program folder and the scripted platform.
struct MainWindowFixture {
    TestFolder folder;
    ScriptedPlatform platform;
    KeyStore keyStore{folder.keyStorePath()};
    std::unique_ptr<TfrmMain> window;

    // Creates the window and shows it, which runs the start-up sequence.
    TfrmMain& start() {
        window = std::make_unique<TfrmMain>(platform, keyStore, ProgramFolder(folder.path()));
        window->show();
        return *window;
    }
};
