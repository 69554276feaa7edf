// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "catalogue/core/BmpWriter.h"
#include "import/core/PictureConvert.h"

class QLabel;
class QPushButton;
class QSpinBox;
class QCheckBox;
class QScrollArea;
class QHBoxLayout;
class QToolButton;

namespace mosgrid {

// The puzzle picture at game scale with its clues: row clues to the left, column clues above.
// Cells the solver found undecided between solutions are crossed in red, cells a repair changed
// are framed in blue. A left click sets a cell to the current colour, a right click to white.
// From the keyboard, the arrows move a cursor over the cells (it shows while the preview has the
// focus), Space sets its cell to the current colour, X, Delete or Backspace to white, and
// Shift with an arrow carries the cell the cursor leaves on to the one it enters.
class PuzzlePreview : public QWidget {
    Q_OBJECT
public:
    explicit PuzzlePreview(QWidget* parent = nullptr);
    void SetPicture(const Picture4& picture);
    void SetMarks(std::vector<bool> differing, std::vector<bool> changed);
    void SetCurrentIndex(int index) { current_ = index; }
    // The middle of a cell, in this widget.
    QPoint CellCentre(int column, int row) const;
    QSize sizeHint() const override;

signals:
    void cellSet(int column, int row, int index);
    // The cursor moved to the cell whose middle is `centre`, in this widget.
    void cursorMoved(QPoint centre);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Measure();

    Picture4 picture_;
    std::vector<std::vector<std::pair<int, int>>> rowClues_, columnClues_;  // (length, index)
    std::vector<bool> differing_, changed_;
    int current_ = 1;
    int cell_ = 14;
    int left_ = 0, top_ = 0;
    QPoint cursor_{0, 0};
};

// Makes a puzzle of a picture, or of an empty canvas («Новый рисунок»): the size, the number of
// colours and the background threshold change the puzzle at once; the solver's verdict is computed
// on a thread of its own and started again after every change; «Сделать однозначным» repairs a
// picture with several solutions in the background. "ОК" is offered once the puzzle is unique.
class ConvertDialog : public QDialog {
    Q_OBJECT
public:
    // A picture to convert.
    explicit ConvertDialog(RgbaImage image, QWidget* parent = nullptr);
    // An empty canvas of the given size with white and `palette` to draw with.
    ConvertDialog(int width, int height, std::vector<COLORREF> palette, QWidget* parent = nullptr);
    ~ConvertDialog() override;

    const Picture4& Picture() const { return picture_; }
    enum class Verdict { Checking, Unique, Several, Undecided, Empty };
    Verdict CurrentVerdict() const { return verdict_; }
    long Solutions() const { return solutions_; }
    int DifferingCells() const;
    int ChangedCells() const { return changed_; }
    bool Repairing() const { return repairing_; }

    QSpinBox* SizeBox() const { return size_; }
    QSpinBox* ColoursBox() const { return colours_; }
    QSpinBox* LightBox() const { return light_; }
    QPushButton* RepairButton() const { return repair_; }
    QPushButton* OkButton() const { return ok_; }
    QLabel* VerdictLabel() const { return verdictLabel_; }
    PuzzlePreview* Preview() const { return preview_; }
    // Sets a cell as a click on the preview does.
    void SetCell(int column, int row, int index);

private:
    void Build(bool canvas);
    void Convert();
    void PictureChanged();
    void StartVerdict();
    void StopVerdict();
    void StartRepair();
    void ShowPalette();
    void ShowVerdict();
    // Grows the window so the whole preview shows, within three quarters of the screen.
    void FitPreview();

    RgbaImage image_;
    bool canvas_ = false;
    Picture4 picture_;
    Picture4 before_;  // the picture before the last repair
    std::vector<bool> differing_, changedCells_;
    Verdict verdict_ = Verdict::Checking;
    long solutions_ = 0;
    bool capped_ = false;
    int changed_ = 0;
    int currentIndex_ = 1;
    unsigned generation_ = 0;

    std::thread verdictThread_;
    std::shared_ptr<std::atomic<bool>> verdictStop_;
    std::thread repairThread_;
    bool repairing_ = false;

    QSpinBox* size_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QSpinBox* colours_ = nullptr;
    QSpinBox* light_ = nullptr;
    QCheckBox* showBefore_ = nullptr;
    QLabel* verdictLabel_ = nullptr;
    QLabel* repairLabel_ = nullptr;
    QPushButton* repair_ = nullptr;
    QPushButton* ok_ = nullptr;
    QHBoxLayout* paletteRow_ = nullptr;
    std::vector<QToolButton*> swatches_;
    PuzzlePreview* preview_ = nullptr;
    QScrollArea* scroll_ = nullptr;
};

}  // namespace mosgrid
