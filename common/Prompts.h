// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

class QWidget;

namespace mosgrid {

// Every message box of the program goes through this interface, so tests can script the
// answers instead of opening a modal box. Boxes are titled "Mosgrid"; texts are UTF-8. The
// parent is the window a box belongs to; only widgets ever have one to give, so the interface
// itself needs nothing of the toolkit.
class Prompts {
public:
    virtual ~Prompts() = default;
    // A question with "Да" and "Нет" and the question icon; true for "Да".
    virtual bool Ask(QWidget* parent, const std::string& text) = 0;
    // An announcement with an "OK" button only.
    virtual void Tell(QWidget* parent, const std::string& text) = 0;
    // A refusal with an "OK" button and the stop icon.
    virtual void Refuse(QWidget* parent, const std::string& text) = 0;

    // The prompts in use: real message boxes unless a test has put its own in place (the real
    // ones come with the program's windows).
    static Prompts& Current();
    // Puts `prompts` in place (nullptr puts the real message boxes back); the caller keeps it alive.
    static void Install(Prompts* prompts);
};

}  // namespace mosgrid
