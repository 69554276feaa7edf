// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/Prompts.h"

namespace mosgrid {

// The real message boxes.
class MessageBoxPrompts : public Prompts {
public:
    bool Ask(QWidget* parent, const std::string& text) override;
    void Tell(QWidget* parent, const std::string& text) override;
    void Refuse(QWidget* parent, const std::string& text) override;
};

}  // namespace mosgrid
