#pragma once
// Message boxes that nobody sees: a benchmark or a screenshot program must never wait on one.
#include "app/Prompts.h"

namespace mosgrid {

class SilentPrompts : public Prompts {
public:
    explicit SilentPrompts(bool answer = false) : answer_(answer) {}
    bool Ask(QWidget*, const QString&) override { return answer_; }
    void Tell(QWidget*, const QString&) override {}
    void Refuse(QWidget*, const QString&) override {}

private:
    bool answer_;
};

}  // namespace mosgrid
