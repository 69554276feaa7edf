#pragma once
#include <QDialog>

#include <filesystem>
#include <string>

#include "catalogue/core/GameFolders.h"

class QTreeWidget;
class QPushButton;

namespace mosgrid {

// "Выбрать кроссворд": the list of every catalogued puzzle in alphabetical order with its size,
// number of colours, best time and how often it was solved. Opening it brings the catalogue file
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

private:
    void Fill();
    void OnOk();

    GameFolders folders_;
    QTreeWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::filesystem::path chosenPath_;
    std::u16string chosenName_;
};

}  // namespace mosgrid
