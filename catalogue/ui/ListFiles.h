// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "catalogue/core/GameFolders.h"

class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;

namespace mosgrid {

class DifficultyScan;
struct RatedPicture;

// The file in the player's folder that remembers each picture's difficulty by its content.
inline constexpr const char* kDifficultyFileName = "mglevels.txt";

// "Выбрать кроссворд": the list of every catalogued puzzle in alphabetical order with its size,
// number of colours, best time, how often it was solved and how hard it is (lines alone,
// look-ahead or trial; filled in from the background as the solver rates each picture, and
// remembered in the player's folder by picture content). Opening it brings the catalogue file
// up to date; "ОК" (or Enter) with a row selected, or a double click on a row, gives the chosen
// puzzle.
class CListFiles : public QDialog {
    Q_OBJECT
public:
    // Loads the catalogue of the game's folders, fills the list and saves the catalogue file (a
    // failed save tells the file's path).
    explicit CListFiles(GameFolders folders, QWidget* parent = nullptr);
    ~CListFiles() override;

    // After "ОК" with a row selected: the picture's path and the puzzle's name; else empty.
    const std::filesystem::path& ChosenPath() const { return chosenPath_; }
    const std::u16string& ChosenName() const { return chosenName_; }

    QTreeWidget* List() const { return list_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }
    // Whether every row has its difficulty.
    bool AllRated() const { return unrated_ == 0; }

private:
    void Fill();
    void OnOk();
    void StartRating(std::vector<std::filesystem::path> files);
    void ShowRating(const RatedPicture& rated);

    GameFolders folders_;
    QTreeWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::filesystem::path chosenPath_;
    std::u16string chosenName_;
    std::map<std::filesystem::path, QTreeWidgetItem*> rowOfPath_;
    int unrated_ = 0;
    std::unique_ptr<DifficultyScan> scan_;
};

}  // namespace mosgrid
