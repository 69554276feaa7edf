// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Prompts fake for the widget tests: records every text and answers questions from a queue.
// It puts itself in place while it lives.
#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "common/Prompts.h"

namespace mosgrid::test {

class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts() { Prompts::Install(this); }
    ~ScriptedPrompts() override { Prompts::Install(nullptr); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // Answers for the next questions, in order ("Да" = true).
    void Answer(bool yes) { answers.push_back(yes); }

    bool Ask(QWidget*, const std::string& utf8) override {
        asked.push_back(QString::fromStdString(utf8));
        if (answers.empty()) ADD_FAILURE() << "unexpected question: " << utf8;
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    void Tell(QWidget*, const std::string& utf8) override {
        told.push_back(QString::fromStdString(utf8));
        if (onTell) onTell(told.back());
    }
    void Refuse(QWidget*, const std::string& text) override { refused.push_back(QString::fromStdString(text)); }

    std::deque<bool> answers;
    std::vector<QString> asked;
    std::vector<QString> told;
    std::vector<QString> refused;
    std::function<void(const QString&)> onTell;  // runs while the message would be open
};

}  // namespace mosgrid::test
