#pragma once
#include <QString>

class QWidget;

namespace mosgrid {

// Every message box of the program goes through this interface, so tests can script the
// answers instead of opening a modal box. Boxes are titled "Mosgrid".
class Prompts {
public:
    virtual ~Prompts() = default;
    // A question with "Да" and "Нет" and the question icon; true for "Да".
    virtual bool Ask(QWidget* parent, const QString& text) = 0;
    // An announcement with an "OK" button only.
    virtual void Tell(QWidget* parent, const QString& text) = 0;
    // A refusal with an "OK" button and the stop icon.
    virtual void Refuse(QWidget* parent, const QString& text) = 0;

    // The prompts in use: real message boxes unless a test has put its own in place.
    static Prompts& Current();
    // Puts `prompts` in place (nullptr puts the real message boxes back); the caller keeps it alive.
    static void Install(Prompts* prompts);
};

// The real message boxes.
class MessageBoxPrompts : public Prompts {
public:
    bool Ask(QWidget* parent, const QString& text) override;
    void Tell(QWidget* parent, const QString& text) override;
    void Refuse(QWidget* parent, const QString& text) override;
};

}  // namespace mosgrid
