// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include <optional>
#include <string>

#include "catalogue/core/BmpWriter.h"
#include "catalogue/core/GameFolders.h"
#include "import/core/ClueDecision.h"
#include "import/core/PictureConvert.h"

class QImage;
class QWidget;

namespace mosgrid {

// The dialogs of «Добавить кроссворд...» that are not message boxes: the file dialog, the name
// question and the conversion of a picture. Tests put their own in place, so no real dialog opens.
class ImportDialogs {
public:
    virtual ~ImportDialogs() = default;
    // The file to add; empty when the player cancelled.
    virtual QString ChooseFile(QWidget* parent) = 0;
    // The puzzle's name, starting from `proposed`; nothing when the player cancelled.
    virtual std::optional<QString> AskName(QWidget* parent, const QString& proposed) = 0;
    // The puzzle made from a decoded picture; nothing when the player cancelled.
    virtual std::optional<Picture4> ConvertImage(QWidget* parent, const RgbaImage& image) = 0;
    // A puzzle drawn on an empty canvas; nothing when the player cancelled.
    virtual std::optional<Picture4> DrawPicture(QWidget* parent) = 0;

    // The dialogs in use: the real ones unless a test has put its own in place.
    static ImportDialogs& Current();
    // Puts `dialogs` in place (nullptr puts the real ones back); the caller keeps it alive.
    static void Install(ImportDialogs* dialogs);
};

// The real dialogs.
class RealImportDialogs : public ImportDialogs {
public:
    QString ChooseFile(QWidget* parent) override;
    std::optional<QString> AskName(QWidget* parent, const QString& proposed) override;
    std::optional<Picture4> ConvertImage(QWidget* parent, const RgbaImage& image) override;
    std::optional<Picture4> DrawPicture(QWidget* parent) override;
};

// The Russian refusal for a clue puzzle the solver did not accept (several solutions, none,
// too hard, too large, too many colours).
QString ClueRefusalText(const ClueVerdict& verdict);

// Asks for a name (proposed first) until the player gives one the game can take and either no
// puzzle has it or the player agrees to replace that puzzle, then writes the picture into the
// player's puzzle folder. The name written, or nothing when the player cancelled or the write
// failed (which is told).
std::optional<std::u16string> NameAndWritePuzzle(QWidget* parent, const GameFolders& folders,
                                                 const Picture4& picture, const QString& proposed);

// «Игра → Добавить кроссворд...»: a clue file or a picture chosen by the player becomes a puzzle
// of the player's folder. The name written, or nothing.
std::optional<std::u16string> AddPuzzleCommand(QWidget* parent, const GameFolders& folders);

// «Игра → Новый рисунок...»: a puzzle drawn by the player becomes a puzzle of the player's folder.
std::optional<std::u16string> NewDrawingCommand(QWidget* parent, const GameFolders& folders);

// A decoded picture in the importer's form (transparency kept).
RgbaImage RgbaOfImage(const QImage& image);

}  // namespace mosgrid
