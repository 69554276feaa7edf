// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes that nobody sees: a benchmark or a screenshot program must never wait on one.
#include "common/Prompts.h"

namespace mosgrid {

class SilentPrompts : public Prompts {
public:
    explicit SilentPrompts(bool answer = false) : answer_(answer) {}
    bool Ask(QWidget*, const std::string&) override { return answer_; }
    void Tell(QWidget*, const std::string&) override {}
    void Refuse(QWidget*, const std::string&) override {}

private:
    bool answer_;
};

}  // namespace mosgrid
